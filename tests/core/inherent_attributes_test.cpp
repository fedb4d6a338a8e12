#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/attribute.h"
#include "core/engine_startup.h"
#include "core/inherent_attributes.h"
#include "core/session.h"
#include "engine_fixture.h"
#include "zorbase.h"

namespace zor::test {
namespace {

class InherentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Zor_ClearErrorInfo(VI_NULL);
    vi_ = Open("");
  }
  void TearDown() override {
    for (ViSession vi : opened_) Zor_Dispose(vi);
    Zor_ClearErrorInfo(VI_NULL);
  }

  ViSession Open(const char* optionString) {
    ViSession vi = 0;
    EXPECT_EQ(Zor_SpecificDriverNew("Dmm", optionString, &vi), VI_SUCCESS);
    opened_.push_back(vi);
    return vi;
  }

  SessionData& Data(ViSession vi) {
    SessionData* data = nullptr;
    EXPECT_EQ(LookupSession(vi, &data), VI_SUCCESS);
    return *data;
  }

  std::string GetString(ViAttr id, ViSession vi = 0) {
    char buffer[512] = "";
    EXPECT_EQ(Zor_GetAttributeViString(vi ? vi : vi_, nullptr, id, 0, sizeof buffer, buffer),
              VI_SUCCESS)
        << id;
    return buffer;
  }
  ViInt32 GetInt32(ViAttr id) {
    ViInt32 value = -1;
    EXPECT_EQ(Zor_GetAttributeViInt32(vi_, nullptr, id, 0, &value), VI_SUCCESS) << id;
    return value;
  }
  ViBoolean GetBoolean(ViAttr id, ViSession vi = 0) {
    ViBoolean value = 99;
    EXPECT_EQ(Zor_GetAttributeViBoolean(vi ? vi : vi_, nullptr, id, 0, &value), VI_SUCCESS) << id;
    return value;
  }

  std::vector<ViAttr> Ids(ViSession vi) {
    std::vector<ViAttr> ids;
    for (const auto& record : Data(vi).attributes) ids.push_back(record->id);
    return ids;
  }

  ViSession vi_ = 0;
  std::vector<ViSession> opened_;
};

struct CatalogueEntry {
  ViAttr id;
  const char* name;
  ViInt32 type;
  ViInt32 flags;
};

#define ENTRY(id, type, flags) {id, #id, type, flags}
const CatalogueEntry kSwitchGroup[] = {
    ENTRY(ZOR_ATTR_SYSTEM_IO_SESSION, ZOR_TYPE_SESSION, 0xC030),
    ENTRY(ZOR_ATTR_CACHE, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_RANGE_CHECK, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_QUERY_INSTRUMENT_STATUS, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_DEFER_UPDATE, ZOR_TYPE_BOOLEAN, 0xC038),
    ENTRY(ZOR_ATTR_RETURN_DEFERRED_VALUES, ZOR_TYPE_BOOLEAN, 0xC038),
    ENTRY(ZOR_ATTR_SIMULATE, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_USE_SPECIFIC_SIMULATION, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_RECORD_COERCIONS, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_DRIVER_SETUP, ZOR_TYPE_STRING, 0xC030),
};
const CatalogueEntry kErrorGroup[] = {
    ENTRY(ZOR_ATTR_PRIMARY_ERROR, ZOR_TYPE_INT32, 0xC020),
    ENTRY(ZOR_ATTR_SECONDARY_ERROR, ZOR_TYPE_INT32, 0xC020),
    ENTRY(ZOR_ATTR_ERROR_ELABORATION, ZOR_TYPE_STRING, 0xC020),
};
const CatalogueEntry kIdentityGroup[] = {
    ENTRY(ZOR_ATTR_VISA_RM_SESSION, ZOR_TYPE_SESSION, 0x802C),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_PREFIX, ZOR_TYPE_STRING, 0x8024),
    ENTRY(ZOR_ATTR_BUFFERED_IO_CALLBACK, ZOR_TYPE_ADDR, 0xC038),
    ENTRY(ZOR_ATTR_SUPPORTS_WR_BUF_OPER_MODE, ZOR_TYPE_BOOLEAN, 0x8038),
    ENTRY(ZOR_ATTR_UPDATING_VALUES, ZOR_TYPE_BOOLEAN, 0xC03C),
    ENTRY(ZOR_ATTR_ENGINE_MAJOR_VERSION, ZOR_TYPE_INT32, 0x8024),
    ENTRY(ZOR_ATTR_ENGINE_MINOR_VERSION, ZOR_TYPE_INT32, 0x8024),
    ENTRY(ZOR_ATTR_ENGINE_REVISION, ZOR_TYPE_STRING, 0xC024),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_MAJOR_VERSION, ZOR_TYPE_INT32, 0x8024),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_MINOR_VERSION, ZOR_TYPE_INT32, 0x8024),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_REVISION, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_CHANNEL_COUNT, ZOR_TYPE_INT32, 0xC024),
    ENTRY(ZOR_ATTR_OPC_CALLBACK, ZOR_TYPE_ADDR, 0xC038),
    ENTRY(ZOR_ATTR_CHECK_STATUS_CALLBACK, ZOR_TYPE_ADDR, 0xC038),
    ENTRY(ZOR_ATTR_USER_INTERCHANGE_CHECK_CALLBACK, ZOR_TYPE_ADDR, 0xC038),
    ENTRY(ZOR_ATTR_LOGICAL_NAME, ZOR_TYPE_STRING, 0x8024),
    ENTRY(ZOR_ATTR_IO_RESOURCE_DESCRIPTOR, ZOR_TYPE_STRING, 0x8030),
    ENTRY(ZOR_ATTR_INTERCHANGE_CHECK, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_GROUP_CAPABILITIES, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_ATTRIBUTE_CAPABILITIES, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_SUPPORTED_CLASSES, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_SUPPORTED_INSTRUMENT_MODELS, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_SYSTEM_IO_TIMEOUT, ZOR_TYPE_INT32, 0x8020),
    ENTRY(ZOR_ATTR_IO_SESSION_TYPE, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_INSTRUMENT_FIRMWARE_REVISION, ZOR_TYPE_STRING, 0x0010),
    ENTRY(ZOR_ATTR_INSTRUMENT_MANUFACTURER, ZOR_TYPE_STRING, 0x0010),
    ENTRY(ZOR_ATTR_INSTRUMENT_MODEL, ZOR_TYPE_STRING, 0x0010),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_VENDOR, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_DESCRIPTION, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_CLASS_SPEC_MAJOR_VERSION, ZOR_TYPE_INT32, 0xC030),
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_CLASS_SPEC_MINOR_VERSION, ZOR_TYPE_INT32, 0xC030),
};
const CatalogueEntry kClassGroup[] = {
    ENTRY(ZOR_ATTR_SPECIFIC_DRIVER_LOCATOR, ZOR_TYPE_STRING, 0x8024),
    ENTRY(ZOR_ATTR_FUNCTION_CAPABILITIES, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_PREFIX, ZOR_TYPE_STRING, 0x8024),
    ENTRY(ZOR_ATTR_SPY, ZOR_TYPE_BOOLEAN, 0xC020),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_MAJOR_VERSION, ZOR_TYPE_INT32, 0x8030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_MINOR_VERSION, ZOR_TYPE_INT32, 0x8030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_REVISION, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_VENDOR, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_DESCRIPTION, ZOR_TYPE_STRING, 0xC030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MAJOR_VERSION, ZOR_TYPE_INT32, 0xC030),
    ENTRY(ZOR_ATTR_CLASS_DRIVER_CLASS_SPEC_MINOR_VERSION, ZOR_TYPE_INT32, 0xC030),
};
#undef ENTRY

template <std::size_t N>
void ExpectGroup(ViSession vi, const CatalogueEntry (&group)[N]) {
  for (const CatalogueEntry& e : group) {
    SCOPED_TRACE(e.name);
    ViInt32 type = 0;
    ViInt32 flags = 0;
    char name[128] = "";
    EXPECT_EQ(Zor_GetAttributeType(vi, e.id, &type), VI_SUCCESS);
    EXPECT_EQ(type, e.type);
    EXPECT_EQ(Zor_GetAttributeFlags(vi, e.id, &flags), VI_SUCCESS);
    EXPECT_EQ(flags, e.flags);
    EXPECT_EQ(Zor_GetAttributeName(vi, e.id, name, sizeof name), VI_SUCCESS);
    EXPECT_STREQ(name, e.name);
  }
}

template <std::size_t N>
void InsertIds(std::set<ViAttr>& ids, const CatalogueEntry (&group)[N]) {
  for (const CatalogueEntry& e : group) ids.insert(e.id);
}

TEST_F(InherentTest, ASpecificDriverSessionCarriesTheSwitchIdentityAndErrorGroups) {
  ExpectGroup(vi_, kSwitchGroup);
  ExpectGroup(vi_, kErrorGroup);
  ExpectGroup(vi_, kIdentityGroup);
  std::set<ViAttr> expected;
  InsertIds(expected, kSwitchGroup);
  InsertIds(expected, kErrorGroup);
  InsertIds(expected, kIdentityGroup);
  const std::vector<ViAttr> ids = Ids(vi_);
  EXPECT_EQ(std::set<ViAttr>(ids.begin(), ids.end()), expected);
  EXPECT_EQ(ids.size(), 44u);
}

TEST_F(InherentTest, TheClassGroupComesOnTop) {
  ASSERT_EQ(AddClassDriverAttributes(vi_), VI_SUCCESS);
  ExpectGroup(vi_, kClassGroup);
  EXPECT_EQ(Ids(vi_).size(), 55u);
  EXPECT_EQ(GetBoolean(ZOR_ATTR_SPY), VI_TRUE);
  // A group is added once; the second attempt stops at its first attribute.
  EXPECT_EQ(AddClassDriverAttributes(vi_), ZOR_ERROR_ITEM_EXISTS);
  EXPECT_EQ(AddInherentAttributes(vi_, nullptr), ZOR_ERROR_ITEM_EXISTS);
  EXPECT_EQ(Ids(vi_).size(), 55u);
}

TEST_F(InherentTest, ASimulationDriverRecordHasOnlyTheSwitchAndErrorGroups) {
  ViSession vi = 0;
  ASSERT_EQ(NewEngineSession(&vi, &AddSessionSwitchAttributes), VI_SUCCESS);
  opened_.push_back(vi);
  ASSERT_EQ(AddErrorInfoAttributes(vi), VI_SUCCESS);
  ExpectGroup(vi, kSwitchGroup);
  ExpectGroup(vi, kErrorGroup);
  EXPECT_EQ(Ids(vi).size(), 13u);
}

TEST_F(InherentTest, DefaultsOfANewSession) {
  const struct {
    ViAttr id;
    ViInt32 value;
  } numbers[] = {
      {ZOR_ATTR_ENGINE_MAJOR_VERSION, 18}, {ZOR_ATTR_ENGINE_MINOR_VERSION, 0},
      {ZOR_ATTR_SYSTEM_IO_TIMEOUT, 2000},  {ZOR_ATTR_SPECIFIC_DRIVER_MAJOR_VERSION, 0},
      {ZOR_ATTR_PRIMARY_ERROR, 0},         {ZOR_ATTR_SECONDARY_ERROR, 0},
  };
  for (const auto& n : numbers) EXPECT_EQ(GetInt32(n.id), n.value) << n.id;

  const struct {
    ViAttr id;
    const char* text;
  } texts[] = {
      {ZOR_ATTR_IO_RESOURCE_DESCRIPTOR, "Not Avaliable"},
      {ZOR_ATTR_INSTRUMENT_MODEL, "Not Available"},
      {ZOR_ATTR_INSTRUMENT_MANUFACTURER, "Not Available"},
      {ZOR_ATTR_INSTRUMENT_FIRMWARE_REVISION, "Not Available"},
      {ZOR_ATTR_SPECIFIC_DRIVER_PREFIX, "Dmm"},
      {ZOR_ATTR_LOGICAL_NAME, ""},
      {ZOR_ATTR_DRIVER_SETUP, ""},
      {ZOR_ATTR_ERROR_ELABORATION, ""},
      {ZOR_ATTR_ATTRIBUTE_CAPABILITIES, ""},
  };
  for (const auto& t : texts) EXPECT_EQ(GetString(t.id), t.text) << t.id;

  const struct {
    ViAttr id;
    ViBoolean value;
  } switches[] = {
      {ZOR_ATTR_CACHE, VI_TRUE},           {ZOR_ATTR_RANGE_CHECK, VI_TRUE},
      {ZOR_ATTR_QUERY_INSTRUMENT_STATUS, VI_FALSE}, {ZOR_ATTR_SIMULATE, VI_FALSE},
      {ZOR_ATTR_USE_SPECIFIC_SIMULATION, VI_TRUE}, {ZOR_ATTR_RECORD_COERCIONS, VI_FALSE},
      {ZOR_ATTR_INTERCHANGE_CHECK, VI_FALSE},      {ZOR_ATTR_DEFER_UPDATE, VI_FALSE},
      {ZOR_ATTR_RETURN_DEFERRED_VALUES, VI_TRUE},  {ZOR_ATTR_UPDATING_VALUES, VI_FALSE},
  };
  for (const auto& s : switches) EXPECT_EQ(GetBoolean(s.id), s.value) << s.id;

  ViSession io = 99;
  EXPECT_EQ(Zor_GetAttributeViSession(vi_, nullptr, ZOR_ATTR_SYSTEM_IO_SESSION, 0, &io), VI_SUCCESS);
  EXPECT_EQ(io, 0u);
  ViAddr callback = &io;
  EXPECT_EQ(Zor_GetAttributeViAddr(vi_, nullptr, ZOR_ATTR_OPC_CALLBACK, 0, &callback), VI_SUCCESS);
  EXPECT_EQ(callback, nullptr);
}

TEST_F(InherentTest, EngineRevisionText) {
  const std::string revision = GetString(ZOR_ATTR_ENGINE_REVISION);
  const std::string head = "Engine: ZOR 18.00, Compiler: ";
  const std::string tail = ", Components: VISA-Spec 5.70";
  ASSERT_GT(revision.size(), head.size() + tail.size());
  EXPECT_EQ(revision.substr(0, head.size()), head);
  EXPECT_EQ(revision.substr(revision.size() - tail.size()), tail);
  // The compiler part is a name, a blank and a number with two decimals.
  const std::string compiler = revision.substr(head.size(), revision.size() - head.size() - tail.size());
  const std::size_t blank = compiler.rfind(' ');
  ASSERT_NE(blank, std::string::npos);
  const std::string version = compiler.substr(blank + 1);
  ASSERT_GE(version.size(), 4u);
  EXPECT_EQ(version[version.size() - 3], '.');
}

TEST_F(InherentTest, ChannelCountNeedsTheSessionsOwnChannelTable) {
  ViInt32 count = -1;
  EXPECT_EQ(Zor_GetAttributeViInt32(vi_, nullptr, ZOR_ATTR_CHANNEL_COUNT, 0, &count),
            ZOR_ERROR_REPCAP_NOT_DEFINED);
  EXPECT_EQ(count, -1);
  const ErrorInfo info = TakeErrorInfo(vi_);
  EXPECT_EQ(info.primary, ZOR_ERROR_REPCAP_NOT_DEFINED);
  EXPECT_EQ(info.elaboration, "Channel");

  ASSERT_EQ(Zor_BuildChannelTable(vi_, "1,2,3", 0, 0), VI_SUCCESS);
  EXPECT_EQ(GetInt32(ZOR_ATTR_CHANNEL_COUNT), 3);

  // A class session linked to this one still has no channels of its own.
  const ViSession classVi = Open("");
  ASSERT_EQ(Zor_SetSpecificDriverSession(classVi, vi_), VI_SUCCESS);
  EXPECT_EQ(Zor_GetAttributeViInt32(classVi, nullptr, ZOR_ATTR_CHANNEL_COUNT, 0, &count),
            ZOR_ERROR_REPCAP_NOT_DEFINED);
  ASSERT_EQ(Zor_SetSpecificDriverSession(classVi, VI_NULL), VI_SUCCESS);
}

TEST_F(InherentTest, AttributeCapabilitiesListsSupportedClassAttributes) {
  const struct {
    ViAttr id;
    const char* name;
    ViInt32 flags;
  } added[] = {
      {1249999, "BELOW", 0},
      {1299999, "ZORDMM_ATTR_LAST", 0},
      {1250000, "ZORDMM_ATTR_FIRST", 0},
      {1250500, "ZORDMM_ATTR_GONE", ZOR_VAL_NOT_SUPPORTED},
      {1300000, "ABOVE", 0},
  };
  for (const auto& a : added) {
    ASSERT_EQ(Zor_AddAttributeViInt32(vi_, a.id, a.name, 0, a.flags, nullptr, nullptr, nullptr),
              VI_SUCCESS);
  }
  // In attribute order, joined without blanks.
  EXPECT_EQ(GetString(ZOR_ATTR_ATTRIBUTE_CAPABILITIES), "ZORDMM_ATTR_FIRST,ZORDMM_ATTR_LAST");
}

TEST_F(InherentTest, SwitchesReadAndWriteTheirFields) {
  const struct {
    ViAttr id;
    ViBoolean SessionData::*field;
    ViBoolean (*fastGetter)(ViSession);
  } switches[] = {
      {ZOR_ATTR_CACHE, &SessionData::cacheEnabled, nullptr},
      {ZOR_ATTR_RANGE_CHECK, &SessionData::rangeCheckEnabled, &Zor_RangeChecking},
      {ZOR_ATTR_QUERY_INSTRUMENT_STATUS, &SessionData::queryInstrStatus, &Zor_QueryInstrStatus},
      {ZOR_ATTR_SIMULATE, &SessionData::simulate, &Zor_Simulating},
      {ZOR_ATTR_USE_SPECIFIC_SIMULATION, &SessionData::useSpecificSimulation,
       &Zor_UseSpecificSimulation},
      {ZOR_ATTR_RECORD_COERCIONS, &SessionData::recordCoercions, nullptr},
      {ZOR_ATTR_INTERCHANGE_CHECK, &SessionData::interchangeCheck, &Zor_InterchangeCheck},
  };
  SessionData& data = Data(vi_);
  for (const auto& s : switches) {
    SCOPED_TRACE(s.id);
    for (const ViBoolean value : {ViBoolean{VI_FALSE}, ViBoolean{VI_TRUE}, ViBoolean{VI_FALSE}}) {
      ASSERT_EQ(Zor_SetAttributeViBoolean(vi_, nullptr, s.id, ZOR_VAL_USER_CALL, value), VI_SUCCESS);
      EXPECT_EQ(data.*s.field, value);
      if (s.fastGetter != nullptr) {
        EXPECT_EQ(s.fastGetter(vi_), value);
      }
      // The field is the truth: a change behind the attribute's back is read.
      data.*s.field = static_cast<ViBoolean>(!value);
      EXPECT_EQ(GetBoolean(s.id), static_cast<ViBoolean>(!value));
    }
  }
  // Spy lives with the class group, but its field and fast getter exist in every session.
  EXPECT_EQ(Zor_Spying(vi_), VI_TRUE);
  ViBoolean spy = 99;
  EXPECT_EQ(Zor_GetAttributeViBoolean(vi_, nullptr, ZOR_ATTR_SPY, 0, &spy), ZOR_ERROR_NOT_CLASS_SESSION);
  EXPECT_EQ(spy, 99);
  ASSERT_EQ(AddClassDriverAttributes(vi_), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViBoolean(vi_, nullptr, ZOR_ATTR_SPY, 0, VI_FALSE), VI_SUCCESS);
  EXPECT_EQ(Zor_Spying(vi_), VI_FALSE);
}

ViStatus SomeCallback(ViSession, ViSession) { return VI_SUCCESS; }
ViStatus SomeInterchangeCheck(ViSession, ViInt32, ViConstString, ViAttr) { return VI_SUCCESS; }

TEST_F(InherentTest, SessionCallbacksAndIOSessionTravelAsAttributes) {
  SessionData& data = Data(vi_);
  const struct {
    ViAttr id;
    ViAddr value;
    ViAddr (*field)(const SessionData&);
  } callbacks[] = {
      {ZOR_ATTR_OPC_CALLBACK, reinterpret_cast<ViAddr>(&SomeCallback),
       [](const SessionData& d) { return reinterpret_cast<ViAddr>(d.opcCallback); }},
      {ZOR_ATTR_CHECK_STATUS_CALLBACK, reinterpret_cast<ViAddr>(&SomeCallback),
       [](const SessionData& d) { return reinterpret_cast<ViAddr>(d.checkStatusCallback); }},
      {ZOR_ATTR_USER_INTERCHANGE_CHECK_CALLBACK, reinterpret_cast<ViAddr>(&SomeInterchangeCheck),
       [](const SessionData& d) { return reinterpret_cast<ViAddr>(d.userInterchangeCheckCallback); }},
  };
  for (const auto& c : callbacks) {
    SCOPED_TRACE(c.id);
    ASSERT_EQ(Zor_SetAttributeViAddr(vi_, nullptr, c.id, 0, c.value), VI_SUCCESS);
    EXPECT_EQ(c.field(data), c.value);
    ViAddr read = nullptr;
    EXPECT_EQ(Zor_GetAttributeViAddr(vi_, nullptr, c.id, 0, &read), VI_SUCCESS);
    EXPECT_EQ(read, c.value);
    // Hidden from the end user both ways.
    EXPECT_EQ(Zor_GetAttributeViAddr(vi_, nullptr, c.id, ZOR_VAL_USER_CALL, &read),
              ZOR_ERROR_ATTRIBUTE_WRITE_ONLY);
    EXPECT_EQ(Zor_SetAttributeViAddr(vi_, nullptr, c.id, ZOR_VAL_USER_CALL, nullptr),
              ZOR_ERROR_ATTRIBUTE_READ_ONLY);
  }

  ASSERT_EQ(Zor_SetAttributeViSession(vi_, nullptr, ZOR_ATTR_SYSTEM_IO_SESSION, 0, 77), VI_SUCCESS);
  EXPECT_EQ(data.ioSession, 77u);
  EXPECT_EQ(Zor_IOSession(vi_), 77u);
  ViSession io = 0;
  EXPECT_EQ(Zor_GetAttributeViSession(vi_, nullptr, ZOR_ATTR_SYSTEM_IO_SESSION, 0, &io), VI_SUCCESS);
  EXPECT_EQ(io, 77u);
}

TEST_F(InherentTest, ErrorAttributesAreTheSessionsErrorInfo) {
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, ZOR_ATTR_PRIMARY_ERROR, 0, ZOR_ERROR_INVALID_VALUE),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, ZOR_ATTR_SECONDARY_ERROR, 0, 0x3FFA0065),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViString(vi_, nullptr, ZOR_ATTR_ERROR_ELABORATION, 0, "what went wrong"),
            VI_SUCCESS);
  EXPECT_EQ(GetInt32(ZOR_ATTR_PRIMARY_ERROR), ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(GetInt32(ZOR_ATTR_SECONDARY_ERROR), 0x3FFA0065);
  EXPECT_EQ(GetString(ZOR_ATTR_ERROR_ELABORATION), "what went wrong");

  ViStatus code = 0;
  ASSERT_EQ(ZorSessionError_GetErrorCode(vi_, &code), VI_SUCCESS);
  EXPECT_EQ(code, ZOR_ERROR_INVALID_VALUE);
  const ErrorInfo info = TakeErrorInfo(vi_);
  EXPECT_EQ(info.primary, ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(info.secondary, 0x3FFA0065);
  EXPECT_EQ(info.elaboration, "what went wrong");

  // Written as given: a warning replaces a stored error here, unlike a recorded one.
  ASSERT_EQ(Zor_SetErrorInfo(vi_, VI_FALSE, ZOR_ERROR_INVALID_VALUE, 0, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, ZOR_ATTR_PRIMARY_ERROR, 0, 0x3FFA0065), VI_SUCCESS);
  EXPECT_EQ(GetInt32(ZOR_ATTR_PRIMARY_ERROR), 0x3FFA0065);
}

TEST_F(InherentTest, TurningSimulationOffInvalidatesEveryCache) {
  constexpr ViAttr kSetting = 1200001;
  ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kSetting, "SETTING", 0, 0, nullptr, nullptr, nullptr),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViInt32(vi_, nullptr, kSetting, 0, 5), VI_SUCCESS);
  const AttributeInstance& instance = *FindOwnAttribute(Data(vi_), kSetting)->instances[1];
  ASSERT_NE(instance.state & kCacheValid, 0);

  ASSERT_EQ(Zor_SetAttributeViBoolean(vi_, nullptr, ZOR_ATTR_SIMULATE, 0, VI_TRUE), VI_SUCCESS);
  EXPECT_NE(instance.state & kCacheValid, 0) << "switching simulation on keeps the caches";
  ASSERT_EQ(Zor_SetAttributeViBoolean(vi_, nullptr, ZOR_ATTR_SIMULATE, 0, VI_TRUE), VI_SUCCESS);
  EXPECT_NE(instance.state & kCacheValid, 0) << "writing the current value keeps them too";
  ASSERT_EQ(Zor_SetAttributeViBoolean(vi_, nullptr, ZOR_ATTR_SIMULATE, 0, VI_FALSE), VI_SUCCESS);
  EXPECT_EQ(instance.state & kCacheValid, 0);
  EXPECT_EQ(Zor_Simulating(vi_), VI_FALSE);
}

TEST_F(InherentTest, SimulationRequestedAtInitializationStaysOn) {
  const ViSession vi = Open("Simulate=1");
  EXPECT_EQ(Zor_Simulating(vi), VI_TRUE);
  EXPECT_EQ(Zor_SetAttributeViBoolean(vi, nullptr, ZOR_ATTR_SIMULATE, 0, VI_FALSE),
            ZOR_ERROR_SIMULATION_STATE_FIXED);
  EXPECT_EQ(TakeErrorInfo(vi).primary, ZOR_ERROR_SIMULATION_STATE_FIXED);
  EXPECT_EQ(Zor_Simulating(vi), VI_TRUE);
  EXPECT_EQ(GetBoolean(ZOR_ATTR_SIMULATE, vi), VI_TRUE);
  EXPECT_EQ(Zor_SetAttributeViBoolean(vi, nullptr, ZOR_ATTR_SIMULATE, 0, VI_TRUE), VI_SUCCESS);
}

TEST_F(InherentTest, ReadOnlyAttributesRefuseWritesOnceCreated) {
  const struct {
    ViAttr id;
    ViInt32 options;
    ViStatus expected;
  } writes[] = {
      {ZOR_ATTR_ENGINE_MAJOR_VERSION, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_SPECIFIC_DRIVER_PREFIX, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_LOGICAL_NAME, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_CHANNEL_COUNT, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_ENGINE_REVISION, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_UPDATING_VALUES, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_VISA_RM_SESSION, 0, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      // Written by the driver, not by its user.
      {ZOR_ATTR_DRIVER_SETUP, ZOR_VAL_USER_CALL, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_DRIVER_SETUP, 0, VI_SUCCESS},
      {ZOR_ATTR_INSTRUMENT_MODEL, ZOR_VAL_USER_CALL, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {ZOR_ATTR_INSTRUMENT_MODEL, 0, VI_SUCCESS},
      {ZOR_ATTR_SYSTEM_IO_TIMEOUT, ZOR_VAL_USER_CALL, VI_SUCCESS},
  };
  for (const auto& w : writes) {
    SCOPED_TRACE(w.id);
    ViInt32 type = 0;
    ASSERT_EQ(Zor_GetAttributeType(vi_, w.id, &type), VI_SUCCESS);
    ViStatus status = VI_SUCCESS;
    switch (type) {
      case ZOR_TYPE_INT32: status = Zor_SetAttributeViInt32(vi_, nullptr, w.id, w.options, 5); break;
      case ZOR_TYPE_STRING: status = Zor_SetAttributeViString(vi_, nullptr, w.id, w.options, "x"); break;
      case ZOR_TYPE_BOOLEAN:
        status = Zor_SetAttributeViBoolean(vi_, nullptr, w.id, w.options, VI_TRUE);
        break;
      case ZOR_TYPE_SESSION: status = Zor_SetAttributeViSession(vi_, nullptr, w.id, w.options, 5); break;
      default: FAIL() << "unexpected type " << type;
    }
    EXPECT_EQ(status, w.expected);
  }
  EXPECT_EQ(GetString(ZOR_ATTR_SPECIFIC_DRIVER_PREFIX), "Dmm");
  EXPECT_EQ(GetString(ZOR_ATTR_INSTRUMENT_MODEL), "x");

  // The resource manager and the deferred-update switches are the driver's to read.
  ViSession rm = 99;
  EXPECT_EQ(Zor_GetAttributeViSession(vi_, nullptr, ZOR_ATTR_VISA_RM_SESSION, ZOR_VAL_USER_CALL, &rm),
            ZOR_ERROR_ATTRIBUTE_WRITE_ONLY);
  EXPECT_EQ(rm, 99u);
  ViBoolean defer = 99;
  EXPECT_EQ(Zor_GetAttributeViBoolean(vi_, nullptr, ZOR_ATTR_DEFER_UPDATE, ZOR_VAL_USER_CALL, &defer),
            ZOR_ERROR_ATTRIBUTE_WRITE_ONLY);
}

TEST_F(InherentTest, FastGettersOfAGoneSessionReadZeroAndRecordNothing) {
  const ViSession gone = Open("");
  ASSERT_EQ(Zor_SetAttributeViSession(gone, nullptr, ZOR_ATTR_SYSTEM_IO_SESSION, 0, 5), VI_SUCCESS);
  ASSERT_EQ(Zor_Dispose(gone), VI_SUCCESS);
  const struct {
    const char* name;
    ViUInt32 (*get)(ViSession);
  } getters[] = {
      {"IOSession", [](ViSession vi) { return ViUInt32{Zor_IOSession(vi)}; }},
      {"RangeChecking", [](ViSession vi) { return ViUInt32{Zor_RangeChecking(vi)}; }},
      {"QueryInstrStatus", [](ViSession vi) { return ViUInt32{Zor_QueryInstrStatus(vi)}; }},
      {"Simulating", [](ViSession vi) { return ViUInt32{Zor_Simulating(vi)}; }},
      {"UseSpecificSimulation", [](ViSession vi) { return ViUInt32{Zor_UseSpecificSimulation(vi)}; }},
      {"Spying", [](ViSession vi) { return ViUInt32{Zor_Spying(vi)}; }},
      {"InterchangeCheck", [](ViSession vi) { return ViUInt32{Zor_InterchangeCheck(vi)}; }},
  };
  // Whatever the thread's record held before, it holds afterwards.
  const struct {
    ViStatus code;
    const char* text;
  } before[] = {
      {VI_SUCCESS, ""},
      {VI_SUCCESS, "a text alone"},
      {0x3FFA0065, "a warning"},
      {ZOR_ERROR_INVALID_VALUE, "an error"},
  };
  for (const auto& b : before) {
    for (const auto& g : getters) {
      SCOPED_TRACE(std::string(g.name) + " after " + b.text);
      for (const ViSession vi : {gone, ViSession{VI_NULL}, ViSession{0xFFFFF0u}}) {
        ZorSession_ClearError(VI_NULL);
        ASSERT_EQ(ZorSession_SetError(VI_NULL, b.code, b.text), VI_SUCCESS);
        EXPECT_EQ(g.get(vi), 0u);
        ViStatus code = -1;
        ViConstString text = nullptr;
        ASSERT_EQ(ZorThreadError_GetErrorCode(&code), VI_SUCCESS);
        ASSERT_EQ(ZorThreadError_GetErrorDescription(&text), VI_SUCCESS);
        EXPECT_EQ(code, b.code);
        EXPECT_STREQ(text, b.text);
      }
    }
  }
}

TEST(EngineStartup, CreatesItsLocksAndThreadValueOnce) {
  EXPECT_TRUE(EngineStarted());
  const std::set<ViAddr> objects = {ConfigStoreLock(), LiveSetLock(), InitAndGetErrorLock(),
                                    ThreadSecondaryErrorVar()};
  EXPECT_EQ(objects.size(), 4u);
  EXPECT_EQ(objects.count(nullptr), 0u);
  EXPECT_EQ(ConfigStoreLock(), ConfigStoreLock());
  // The locks are recursive.
  const MultithreadLockGuard outer(ConfigStoreLock());
  const MultithreadLockGuard inner(ConfigStoreLock());
}

}  // namespace
}  // namespace zor::test
