// The set, get and check pipelines: when the instrument is talked to, what the cache and the
// instance state hold afterwards, and what is recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "core/attribute.h"
#include "engine_fixture.h"

namespace zor::test {
namespace {

constexpr ViAttr kReal = 1250001;
constexpr ViAttr kText = 1250002;
constexpr ViAttr kWide = 1250003;
constexpr ViAttr kInt = 1250004;

// What the fake instrument holds and how often it was talked to.
struct Instrument {
  int writes = 0;
  int reads = 0;
  int checks = 0;
  int coerces = 0;
  int statusChecks = 0;
  int opcs = 0;
  ViReal64 held = 0.0;          // what a read reports
  ViStatus writeResult = VI_SUCCESS;
  ViStatus readResult = VI_SUCCESS;
  ViStatus checkResult = VI_SUCCESS;
  ViStatus statusResult = VI_SUCCESS;
  ViReal64 seenDuringWrite = 0.0;  // a get made from inside the write callback
  std::string text = "instrument";
  std::string written;
};
Instrument gInstrument;

ViStatus WriteReal(ViSession vi, ViSession, ViConstString, ViAttr id, ViReal64 value) {
  ++gInstrument.writes;
  Zor_GetAttributeViReal64(vi, nullptr, id, 0, &gInstrument.seenDuringWrite);
  if (gInstrument.writeResult >= VI_SUCCESS) gInstrument.held = value;
  return gInstrument.writeResult;
}
ViStatus ReadReal(ViSession, ViSession, ViConstString, ViAttr, ViReal64* value) {
  ++gInstrument.reads;
  if (gInstrument.readResult >= VI_SUCCESS) *value = gInstrument.held;
  return gInstrument.readResult;
}
ViStatus CheckReal(ViSession, ViConstString, ViAttr, ViReal64 value) {
  ++gInstrument.checks;
  return value < 0 ? ZOR_ERROR_INVALID_VALUE : gInstrument.checkResult;
}
ViStatus CoerceReal(ViSession, ViConstString, ViAttr, ViReal64 value, ViReal64* coerced) {
  ++gInstrument.coerces;
  *coerced = std::floor(value);
  return VI_SUCCESS;
}
ViStatus FailingCompare(ViSession, ViConstString, ViAttr, ViReal64, ViReal64, ViInt32* result) {
  *result = 0;
  return ZOR_ERROR_INVALID_VALUE;
}
ViStatus CheckStatus(ViSession, ViSession) {
  ++gInstrument.statusChecks;
  return gInstrument.statusResult;
}
ViStatus Opc(ViSession, ViSession) {
  ++gInstrument.opcs;
  return VI_SUCCESS;
}
ViStatus WriteText(ViSession, ViSession, ViConstString, ViAttr, ViConstString value) {
  ++gInstrument.writes;
  gInstrument.written = value;
  return VI_SUCCESS;
}
ViStatus ReadText(ViSession vi, ViSession, ViConstString, ViAttr id, ViConstString current) {
  ++gInstrument.reads;
  const std::string before = current;  // the text given stays readable during the call
  const ViStatus status = Zor_SetValInStringCallback(vi, id, gInstrument.text.c_str());
  EXPECT_EQ(std::string(current), before);
  return status;
}
ViStatus UpperCaseText(ViSession vi, ViConstString, ViAttr id, ViConstString value) {
  ++gInstrument.coerces;
  std::string upper = value;
  for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return Zor_SetValInStringCallback(vi, id, upper.c_str());
}
ViStatus SilentCoerceText(ViSession, ViConstString, ViAttr, ViConstString) { return VI_SUCCESS; }

class PipelineTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    gInstrument = Instrument{};
  }

  void AddReal(ViInt32 flags, ViInt32 precision = 0) {
    ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kReal, "Level", 0.0, flags, &ReadReal, &WriteReal, nullptr, precision),
              VI_SUCCESS);
    ASSERT_EQ(Zor_SetAttrCheckCallbackViReal64(vi_, kReal, &CheckReal), VI_SUCCESS);
  }
  AttributeInstance& Instance(ViAttr id) { return *FindOwnAttribute(Data(vi_), id)->instances[1]; }
  ViReal64 Get(ViInt32 options = 0) {
    ViReal64 value = -1;
    EXPECT_EQ(Zor_GetAttributeViReal64(vi_, nullptr, kReal, options, &value), VI_SUCCESS);
    return value;
  }
};

TEST_F(PipelineTest, WriteOrNotDecision) {
  struct Case {
    const char* what;
    ViInt32 flags;
    bool cacheValid;
    ViInt32 source;
    ViReal64 cached;
    ViReal64 requested;
    bool requestedHeld;
    ViReal64 newValue;
    bool written;
  };
  const ViInt32 coerces = ZOR_VAL_INSTRUMENT_COERCES;
  const Case cases[] = {
      {"not cacheable: always written", ZOR_VAL_NEVER_CACHE, true, kSourceWritten, 1.0, 1.0, true, 1.0, true},
      {"cache invalid", 0, false, kSourceWritten, 1.0, 1.0, true, 1.0, true},
      {"after a write, equal", 0, true, kSourceWritten, 1.0, 1.0, true, 1.0, false},
      {"after a write, exact comparison", 0, true, kSourceWritten, 1.0, 1.0, true, 1.0 + 1e-15, true},
      {"default, equal", 0, true, kSourceDefault, 2.0, 0.0, false, 2.0, false},
      {"default, different", 0, true, kSourceDefault, 2.0, 0.0, false, 3.0, true},
      {"after a read, within precision", 0, true, kSourceRead, 1.0, 0.0, false, 1.0 + 1e-15, false},
      {"after a read, different", 0, true, kSourceRead, 1.0, 0.0, false, 2.0, true},
      {"instrument coerces: equal to the request", coerces, true, kSourceRead, 4.9, 5.0, true, 5.0, false},
      {"instrument coerces: new request", coerces, true, kSourceRead, 4.9, 5.0, true, 6.0, true},
      {"instrument coerces, no request held", coerces, true, kSourceRead, 4.9, 5.0, false, 5.0, true},
  };
  for (const auto& c : cases) {
    Zor_DeleteAttribute(vi_, kReal);
    AddReal(c.flags);
    AttributeInstance& instance = Instance(kReal);
    instance.state = static_cast<std::uint8_t>((c.cacheValid ? kCacheValid : 0) | (c.requestedHeld ? kRequestedValueHeld : 0));
    instance.source = c.source;
    instance.currentValue = Value::OfReal64(c.cached);
    instance.requestedValue = Value::OfReal64(c.requested);
    gInstrument.writes = 0;
    gInstrument.checks = 0;
    EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, c.newValue), VI_SUCCESS) << c.what;
    EXPECT_EQ(gInstrument.writes, c.written ? 1 : 0) << c.what;
    EXPECT_EQ(gInstrument.checks, 1) << c.what;
    EXPECT_EQ(instance.state & (kSetByUser | kEverSetByUser), kSetByUser | kEverSetByUser) << c.what;
  }
}

TEST_F(PipelineTest, FailingCompareCallbackCountsAsDifferent) {
  AddReal(0);
  ASSERT_EQ(Zor_SetAttrCompareCallbackViReal64(vi_, kReal, &FailingCompare), VI_SUCCESS);
  gInstrument.held = 3.0;
  EXPECT_EQ(Get(), 3.0);  // source 1
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 3.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.writes, 1);
}

TEST_F(PipelineTest, InstanceStateAfterEachOutcome) {
  AddReal(0);
  AttributeInstance& instance = Instance(kReal);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 2.0), VI_SUCCESS);
  EXPECT_EQ(instance.currentValue.r64(), 2.0);
  EXPECT_EQ(instance.requestedValue.r64(), 2.0);
  EXPECT_EQ(instance.source, kSourceWritten);
  EXPECT_EQ(instance.state, kCacheValid | kRequestedValueHeld | kSetByUser | kEverSetByUser);
  EXPECT_EQ(gInstrument.seenDuringWrite, 2.0) << "a get inside the write callback sees the value being written";

  gInstrument.writeResult = ZOR_ERROR_INSTRUMENT_ERROR_DETECTED;
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 3.0), ZOR_ERROR_INSTRUMENT_ERROR_DETECTED);
  EXPECT_EQ(instance.currentValue.r64(), 2.0);
  EXPECT_EQ(instance.state & (kCacheValid | kRequestedValueHeld | kWriteInProgress), 0);
  ViBoolean cached = VI_TRUE;
  EXPECT_EQ(Zor_AttributeIsCached(vi_, nullptr, kReal, &cached), VI_SUCCESS);
  EXPECT_EQ(cached, VI_FALSE);
  gInstrument.writeResult = VI_SUCCESS;
  const int reads = gInstrument.reads;
  Get();
  EXPECT_EQ(gInstrument.reads, reads + 1) << "the next get reads the instrument";

  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, -1.0), ZOR_ERROR_INVALID_VALUE);  // refused
  EXPECT_EQ(instance.currentValue.r64(), 2.0);

  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_NOT_SET_BY_USER, 7.0), VI_SUCCESS);
  ASSERT_EQ(Zor_ResetAttribute(vi_, nullptr, kReal), VI_SUCCESS);
  EXPECT_EQ(instance.currentValue.r64(), 0.0);
  EXPECT_EQ(instance.requestedValue.r64(), 7.0);
  EXPECT_EQ(instance.source, kSourceDefault);
  EXPECT_EQ(instance.state, 0);
  EXPECT_EQ(Zor_AttributeWasSetByUser(vi_, nullptr, kReal), VI_FALSE);
  EXPECT_EQ(Zor_AttributeEverSetByUser(vi_, nullptr, kReal), VI_FALSE);
}

TEST_F(PipelineTest, PermissionsCacheOnlyAndSwitches) {
  AddReal(ZOR_VAL_NOT_USER_WRITABLE);
  Data(vi_).creationComplete = VI_TRUE;
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_USER_CALL, 1.0), ZOR_ERROR_ATTRIBUTE_READ_ONLY);
  EXPECT_EQ(Zor_CheckAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_USER_CALL, 1.0), ZOR_ERROR_ATTRIBUTE_READ_ONLY);
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 1.0), VI_SUCCESS);  // the driver itself may
  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kReal, ZOR_VAL_NOT_WRITABLE | ZOR_VAL_NOT_READABLE), VI_SUCCESS);
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 1.0), ZOR_ERROR_ATTRIBUTE_READ_ONLY);
  ViReal64 value = 0;
  EXPECT_EQ(Zor_GetAttributeViReal64(vi_, nullptr, kReal, 0, &value), ZOR_ERROR_ATTRIBUTE_WRITE_ONLY);
  Data(vi_).creationComplete = VI_FALSE;  // creation may set read-only attributes
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 5.0), VI_SUCCESS);

  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kReal, ZOR_VAL_NEVER_CACHE), VI_SUCCESS);
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_CACHE_ONLY, 1.0), ZOR_ERROR_NEVER_CACHE_ATTRIBUTE);
  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kReal, 0), VI_SUCCESS);
  Data(vi_).cacheEnabled = VI_FALSE;  // not cacheable: a cache-only set does nothing at all
  AttributeInstance& instance = Instance(kReal);
  const std::uint8_t before = instance.state;
  const int checks = gInstrument.checks;
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_CACHE_ONLY, 9.0), VI_SUCCESS);
  EXPECT_EQ(instance.state, before);
  EXPECT_EQ(gInstrument.checks, checks);
  Data(vi_).cacheEnabled = VI_TRUE;
  const int writes = gInstrument.writes;
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_CACHE_ONLY, 9.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.writes, writes);
  EXPECT_EQ(instance.currentValue.r64(), 9.0);

  Data(vi_).rangeCheckEnabled = VI_FALSE;  // the check callback is skipped by sets only
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, -4.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.held, -4.0);
  EXPECT_EQ(Zor_CheckAttributeViReal64(vi_, nullptr, kReal, 0, -4.0), ZOR_ERROR_INVALID_VALUE);
}

TEST_F(PipelineTest, Simulation) {
  AddReal(0);
  Data(vi_).simulate = VI_TRUE;
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 4.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.writes, 0);
  EXPECT_EQ(Instance(kReal).source, kSourceWritten);
  Zor_InvalidateAttribute(vi_, nullptr, kReal);
  EXPECT_EQ(Get(), 4.0);  // the last value set, no read
  EXPECT_EQ(gInstrument.reads, 0);
  EXPECT_EQ(Instance(kReal).state & kCacheValid, kCacheValid);
  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kReal, ZOR_VAL_CALLBACKS_IN_SIMULATION), VI_SUCCESS);
  Zor_InvalidateAttribute(vi_, nullptr, kReal);
  Get();
  EXPECT_EQ(gInstrument.reads, 1);
}

TEST_F(PipelineTest, GetsTrustTheCacheOnlyWhenTheyMay) {
  AddReal(ZOR_VAL_NEVER_CACHE);
  Get();
  Get();
  EXPECT_EQ(gInstrument.reads, 2);
  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kReal, ZOR_VAL_INSTRUMENT_COERCES), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 5.0), VI_SUCCESS);
  gInstrument.held = 4.9;
  EXPECT_EQ(Get(), 4.9);  // written values are not trusted when the instrument coerces
  EXPECT_EQ(Get(), 4.9);
  EXPECT_EQ(gInstrument.reads, 3);
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 5.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.writes, 1) << "5.0 was the last request";
  gInstrument.readResult = ZOR_ERROR_INSTRUMENT_ERROR_DETECTED;
  ViReal64 untouched = -7;
  Zor_InvalidateAttribute(vi_, nullptr, kReal);
  EXPECT_EQ(Zor_GetAttributeViReal64(vi_, nullptr, kReal, 0, &untouched), ZOR_ERROR_INSTRUMENT_ERROR_DETECTED);
  EXPECT_EQ(untouched, -7);
}

TEST_F(PipelineTest, StatusCheckAfterUserCalls) {
  AddReal(0);
  SessionData& data = Data(vi_);
  data.checkStatusCallback = &CheckStatus;
  data.queryInstrStatus = VI_TRUE;
  data.opcCallback = &Opc;
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 1.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.statusChecks, 0) << "only calls made for the end user check status";
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_USER_CALL, 2.0), VI_SUCCESS);
  EXPECT_EQ(gInstrument.statusChecks, 1);
  EXPECT_EQ(data.needToCheckStatus, VI_FALSE);
  gInstrument.statusResult = ZOR_WARN_NO_RESET;
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, ZOR_VAL_USER_CALL, 3.0), ZOR_WARN_NO_RESET);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_WARN_NO_RESET);  // warnings are recorded too
  ASSERT_EQ(Zor_SetAttributeFlags(vi_, kReal, ZOR_VAL_OPC_AFTER_WRITE | ZOR_VAL_OPC_BEFORE_READ), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 4.0), VI_SUCCESS);
  Zor_InvalidateAttribute(vi_, nullptr, kReal);
  Get();
  EXPECT_EQ(gInstrument.opcs, 2);
}

TEST_F(PipelineTest, UserCallFailuresNameTheAttributeAndInstance) {
  BuildTable(vi_, "Channel", {"CH1", "CH2"});
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kReal, "Level", 0.0, ZOR_VAL_CHANNEL_BASED, nullptr, nullptr, nullptr, 0),
            VI_SUCCESS);
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, "CH9", kReal, ZOR_VAL_USER_CALL, 1.0), ZOR_ERROR_UNKNOWN_REPCAP_NAME);
  EXPECT_EQ(TakeErrorInfo(vi_).elaboration, "Attribute: Level, Channel: CH9");
  EXPECT_EQ(Zor_SetAttributeViReal64(vi_, "CH9", kReal, 0, 1.0), ZOR_ERROR_UNKNOWN_REPCAP_NAME);
  EXPECT_EQ(TakeErrorInfo(vi_).elaboration, "");
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "ch2", kReal, 0, 6.0), VI_SUCCESS);
  ViReal64 value = 0;
  ASSERT_EQ(Zor_GetAttributeViReal64(vi_, "CH2", kReal, 0, &value), VI_SUCCESS);
  EXPECT_EQ(value, 6.0);
  EXPECT_EQ(Zor_GetAttributeViReal64(vi_, "CH1", kReal, 0, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_GetAttributeViBoolean(vi_, "CH1", kReal, 0, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  ViBoolean flag = 0;
  EXPECT_EQ(Zor_GetAttributeViBoolean(vi_, "CH1", kReal, 0, &flag), ZOR_ERROR_TYPE_MISMATCH);
  EXPECT_EQ(Zor_SetAttributeViReal64(0xFFFFF0u, nullptr, kReal, ZOR_VAL_USER_CALL, 1.0),
            ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(PipelineTest, Int32CallsReachInt64AttributesAndRefuseOthers) {
  ASSERT_EQ(Zor_AddAttributeViInt64(vi_, kWide, "Wide", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kReal, "Real", 0.0, 0, nullptr, nullptr, nullptr, 0), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kInt, "Int", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, kWide, 0, -5), VI_SUCCESS);
  ViInt64 wide = 0;
  ASSERT_EQ(Zor_GetAttributeViInt64(vi_, nullptr, kWide, 0, &wide), VI_SUCCESS);
  EXPECT_EQ(wide, -5);
  ViInt32 narrow = 0;
  ASSERT_EQ(Zor_GetAttributeViInt32(vi_, nullptr, kWide, 0, &narrow), VI_SUCCESS);
  EXPECT_EQ(narrow, -5);
  ASSERT_EQ(Zor_SetAttributeViInt64(vi_, nullptr, kWide, 0, 2147483648LL), VI_SUCCESS);
  EXPECT_EQ(Zor_GetAttributeViInt32(vi_, nullptr, kWide, 0, &narrow), ZOR_ERROR_TYPE_MISMATCH);
  EXPECT_EQ(narrow, -5);
  EXPECT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, kReal, 0, 1), ZOR_ERROR_TYPE_MISMATCH);
  EXPECT_EQ(Zor_CheckAttributeViInt32(vi_, nullptr, kWide, 0, 3), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, kInt, 0, 42), VI_SUCCESS);
  ASSERT_EQ(Zor_GetAttributeViInt32(vi_, nullptr, kInt, 0, &narrow), VI_SUCCESS);
  EXPECT_EQ(narrow, 42);
  EXPECT_EQ(Zor_GetAttributeViInt32(vi_, nullptr, 999, 0, &narrow), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
}

TEST_F(PipelineTest, VariableArgumentFormsFollowTheRecordsType) {
  ASSERT_EQ(Zor_AddAttributeViInt64(vi_, kWide, "Wide", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kReal, "Real", 0.0, 0, nullptr, nullptr, nullptr, 0), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViString(vi_, kText, "Text", "", 0, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViBoolean(vi_, kInt, "Flag", VI_FALSE, 0, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttribute(vi_, nullptr, kWide, 0, static_cast<ViInt64>(1) << 40), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttribute(vi_, nullptr, kReal, 0, 2.5), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttribute(vi_, nullptr, kText, 0, "varargs"), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttribute(vi_, nullptr, kInt, 0, static_cast<ViBoolean>(VI_TRUE)), VI_SUCCESS);
  ViInt64 wide = 0;
  ViReal64 real = 0;
  char text[16] = "";
  ViBoolean flag = VI_FALSE;
  ASSERT_EQ(Zor_GetAttribute(vi_, nullptr, kWide, 0, &wide), VI_SUCCESS);
  ASSERT_EQ(Zor_GetAttribute(vi_, nullptr, kReal, 0, &real), VI_SUCCESS);
  ASSERT_EQ(Zor_GetAttribute(vi_, nullptr, kText, 0, text), VI_SUCCESS);
  ASSERT_EQ(Zor_GetAttribute(vi_, nullptr, kInt, 0, &flag), VI_SUCCESS);
  EXPECT_EQ(wide, static_cast<ViInt64>(1) << 40);
  EXPECT_EQ(real, 2.5);
  EXPECT_STREQ(text, "varargs");
  EXPECT_EQ(flag, VI_TRUE);
  EXPECT_EQ(Zor_CheckAttribute(vi_, nullptr, kReal, 0, 1.5), VI_SUCCESS);
}

TEST_F(PipelineTest, StringValuesFlowThroughCopiesAndTheStringCallback) {
  ASSERT_EQ(Zor_AddAttributeViString(vi_, kText, "Mode", "dc", 0, &ReadText, &WriteText), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttrCoerceCallbackViString(vi_, kText, &UpperCaseText), VI_SUCCESS);
  char caller[] = "ac";
  ASSERT_EQ(Zor_SetAttributeViString(vi_, nullptr, kText, 0, caller), VI_SUCCESS);
  caller[0] = 'x';
  EXPECT_EQ(gInstrument.written, "AC");
  char buffer[8];
  EXPECT_EQ(Zor_GetAttributeViString(vi_, nullptr, kText, 0, sizeof buffer, buffer), VI_SUCCESS);
  EXPECT_STREQ(buffer, "AC");

  // A coerce callback that delivers nothing leaves the value it was given.
  ASSERT_EQ(Zor_SetAttrCoerceCallbackViString(vi_, kText, &SilentCoerceText), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViString(vi_, nullptr, kText, 0, "dc"), VI_SUCCESS);
  EXPECT_EQ(gInstrument.written, "dc");
  ASSERT_EQ(Zor_SetAttributeViString(vi_, nullptr, kText, 0, nullptr), VI_SUCCESS);  // NULL is the empty text
  EXPECT_EQ(gInstrument.written, "");

  Zor_InvalidateAttribute(vi_, nullptr, kText);
  gInstrument.text = "four";
  struct Case {
    ViInt32 size;
    ViStatus result;
    const char* delivered;
  };
  const Case cases[] = {{0, 5, nullptr}, {4, 5, "fou"}, {5, 0, "four"}, {-1, 0, "four"}};
  for (const auto& c : cases) {
    char out[8] = "zzzzzzz";
    EXPECT_EQ(Zor_GetAttributeViString(vi_, nullptr, kText, 0, c.size, out), c.result) << c.size;
    EXPECT_STREQ(out, c.delivered != nullptr ? c.delivered : "zzzzzzz") << c.size;
  }
  EXPECT_EQ(gInstrument.reads, 1);
  EXPECT_EQ(Zor_GetAttributeViString(vi_, nullptr, kText, 0, 0, nullptr), 5);
  EXPECT_EQ(Zor_GetAttributeViString(vi_, nullptr, kText, 0, 4, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_ERROR_INVALID_PARAMETER);

  EXPECT_EQ(Zor_SetValInStringCallback(vi_, kText, "outside"), ZOR_ERROR_INVALID_PARAMETER);
  ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kInt, "Int", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_SetValInStringCallback(vi_, kInt, "x"), ZOR_ERROR_TYPE_MISMATCH);
}

TEST_F(PipelineTest, ReadsWithoutASession) {
  Zor_ClearErrorInfo(VI_NULL);
  Zor_SetErrorInfo(VI_NULL, VI_FALSE, ZOR_ERROR_INVALID_VALUE, ZOR_ERROR_PARAMETER3, "why");
  ViInt32 code = 0;
  EXPECT_EQ(Zor_GetAttributeViInt32(VI_NULL, nullptr, ZOR_ATTR_PRIMARY_ERROR, 0, &code), VI_SUCCESS);
  EXPECT_EQ(code, ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(Zor_GetAttributeViInt32(VI_NULL, nullptr, ZOR_ATTR_SECONDARY_ERROR, 0, &code), VI_SUCCESS);
  EXPECT_EQ(code, ZOR_ERROR_PARAMETER3);
  EXPECT_EQ(Zor_GetAttributeViInt32(VI_NULL, nullptr, ZOR_ATTR_SECONDARY_ERROR, 0, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  char buffer[8] = "untouch";
  EXPECT_EQ(Zor_GetAttributeViString(VI_NULL, nullptr, ZOR_ATTR_ERROR_ELABORATION, 0, 0, buffer), 4);
  EXPECT_STREQ(buffer, "untouch");
  EXPECT_EQ(Zor_GetAttributeViString(VI_NULL, nullptr, ZOR_ATTR_ERROR_ELABORATION, 0, sizeof buffer, buffer),
            VI_SUCCESS);
  EXPECT_STREQ(buffer, "why");
  EXPECT_EQ(Zor_GetAttributeViString(VI_NULL, nullptr, ZOR_ATTR_CACHE, 0, sizeof buffer, buffer),
            ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(PipelineTest, UpdateAndPendingQuery) {
  AddReal(0);
  EXPECT_EQ(Zor_Update(vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_Update(0xFFFFF0u), ZOR_ERROR_INVALID_SESSION_HANDLE);
  ViBoolean pending = VI_TRUE;
  EXPECT_EQ(Zor_AttributeUpdateIsPending(vi_, nullptr, kReal, &pending), VI_SUCCESS);
  EXPECT_EQ(pending, VI_FALSE);
  EXPECT_EQ(Zor_AttributeUpdateIsPending(vi_, nullptr, kReal, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_AttributeUpdateIsPending(vi_, nullptr, 999, &pending), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
}

TEST_F(PipelineTest, CoercionReachesTheCacheAndTheWrite) {
  AddReal(0);
  ASSERT_EQ(Zor_SetAttrCoerceCallbackViReal64(vi_, kReal, &CoerceReal), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 2.7), VI_SUCCESS);
  EXPECT_EQ(gInstrument.held, 2.0);
  EXPECT_EQ(Get(), 2.0);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, kReal, 0, 2.2), VI_SUCCESS);  // coerces to the cached 2.0
  EXPECT_EQ(gInstrument.writes, 1);
  EXPECT_EQ(gInstrument.coerces, 2);
  EXPECT_EQ(Zor_CheckAttributeViReal64(vi_, nullptr, kReal, 0, 9.9), VI_SUCCESS);
  EXPECT_EQ(gInstrument.coerces, 2) << "checks never coerce";
}

}  // namespace
}  // namespace zor::test
