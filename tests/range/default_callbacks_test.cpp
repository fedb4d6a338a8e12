// The default check, coerce and compare callbacks, and the value helpers.
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "range_test_support.h"

namespace zor::test {
namespace {

constexpr ViReal64 kNaN = std::numeric_limits<ViReal64>::quiet_NaN();
constexpr ViReal64 kInf = std::numeric_limits<ViReal64>::infinity();
constexpr ViAttr kFree = 1200101;      // ViReal64 without a table
constexpr ViAttr kStep = 1200102;      // ViReal64 over a coerced table
constexpr ViAttr kCount = 1200103;     // ViInt32 over a ranged table
constexpr ViAttr kSamples = 1200104;   // ViInt64 over a coerced table
constexpr ViAttr kEnabled = 1200105;   // ViBoolean
constexpr ViAttr kUnknown = 1299999;

RangeTableEntry gStepRows[] = {
    {0.0, 0.5, 0.1, nullptr, 0}, {0.5, 1.0, 1.0, nullptr, 1}, ZOR_RANGE_TABLE_LAST_ENTRY};
RangeTable gStepTable = {ZOR_RANGE_COERCED, VI_TRUE, VI_TRUE, nullptr, gStepRows};

RangeTableEntry gCountRows[] = {{1.0, 10.0, 0.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
RangeTable gCountTable = {ZOR_RANGE_RANGED, VI_TRUE, VI_TRUE, nullptr, gCountRows};

class DefaultCallbackTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kFree, "Free", 0.0, 0, nullptr, nullptr, nullptr, 0),
              VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kStep, "Step", 0.0, 0, nullptr, nullptr,
                                       &gStepTable, 0),
              VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kCount, "Count", 1, 0, nullptr, nullptr, &gCountTable),
              VI_SUCCESS);
    ASSERT_EQ(Zor_RangeTableNew(vi_, 3, ZOR_RANGE_COERCED, VI_TRUE, VI_TRUE, &samplesTable_),
              VI_SUCCESS);
    ASSERT_EQ(Zor_SetRangeTableEntryViInt64(samplesTable_, 0, 1, kBig, kBig + 1, nullptr, 0),
              VI_SUCCESS);
    ASSERT_EQ(Zor_SetRangeTableEntryViInt64(samplesTable_, 1, -kBig, 0, -5, nullptr, 0),
              VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViInt64(vi_, kSamples, "Samples", 1, 0, nullptr, nullptr,
                                      samplesTable_),
              VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViBoolean(vi_, kEnabled, "Enabled", VI_FALSE, 0, nullptr, nullptr),
              VI_SUCCESS);
    ClearErrors();
  }

  static constexpr ViInt64 kBig = (ViInt64{1} << 60) + 1;
  RangeTablePtr samplesTable_ = nullptr;
};

TEST_F(DefaultCallbackTest, WithoutATableEveryValuePassesUnchanged) {
  for (ViReal64 value : {0.0, -1e300, kInf, -kInf, kNaN}) {
    EXPECT_EQ(Zor_DefaultCheckCallbackViReal64(vi_, nullptr, kFree, value), VI_SUCCESS);
    ViReal64 coerced = 42.0;
    EXPECT_EQ(Zor_DefaultCoerceCallbackViReal64(vi_, nullptr, kFree, value, &coerced), VI_SUCCESS);
    EXPECT_EQ(Bits(coerced), Bits(value));
  }
  EXPECT_EQ(ReadError(vi_).primary, VI_SUCCESS);
}

TEST_F(DefaultCallbackTest, CoercedTableReplacesByTheFirstContainingRow) {
  struct Case {
    ViReal64 value;
    ViStatus expected;
    ViReal64 coerced;  // -1: output untouched
  };
  const Case cases[] = {
      {0.0, VI_SUCCESS, 0.1},
      {0.5, VI_SUCCESS, 0.1},  // on both rows: the first wins
      {0.7, VI_SUCCESS, 1.0},
      {1.0, VI_SUCCESS, 1.0},
      {1.2, ZOR_ERROR_INVALID_VALUE, -1.0},
      {-0.1, ZOR_ERROR_INVALID_VALUE, -1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Zor_DefaultCheckCallbackViReal64(vi_, nullptr, kStep, c.value), c.expected);
    ViReal64 coerced = -1.0;
    EXPECT_EQ(Zor_DefaultCoerceCallbackViReal64(vi_, nullptr, kStep, c.value, &coerced),
              c.expected);
    EXPECT_EQ(coerced, c.coerced);
    // A refused value is recorded on the session as well as on the thread.
    EXPECT_EQ(ReadError(vi_).primary, c.expected);
    EXPECT_EQ(ReadError(VI_NULL).primary, c.expected);
  }
}

TEST_F(DefaultCallbackTest, Int32UsesTheTableInDoubles) {
  struct Case {
    ViInt32 value;
    ViStatus expected;
  };
  const Case cases[] = {{1, VI_SUCCESS}, {10, VI_SUCCESS}, {11, ZOR_ERROR_INVALID_VALUE},
                        {0, ZOR_ERROR_INVALID_VALUE}};
  for (const Case& c : cases) {
    EXPECT_EQ(Zor_DefaultCheckCallbackViInt32(vi_, nullptr, kCount, c.value), c.expected)
        << c.value;
    ViInt32 coerced = -1;
    // A ranged table does not coerce, and does not refuse in the coerce step either.
    EXPECT_EQ(Zor_DefaultCoerceCallbackViInt32(vi_, nullptr, kCount, c.value, &coerced),
              VI_SUCCESS);
    EXPECT_EQ(coerced, c.value);
  }
}

TEST_F(DefaultCallbackTest, Int32CoercionTruncatesTowardZero) {
  static RangeTableEntry rows[] = {{0.0, 5.0, 2.5, nullptr, 0},
                                   {-5.0, -1.0, -2.5, nullptr, 0},
                                   ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_COERCED, 0, 0, nullptr, rows};
  ASSERT_EQ(Zor_SetStoredRangeTablePtr(vi_, kCount, &table), VI_SUCCESS);
  ViInt32 coerced = 0;
  EXPECT_EQ(Zor_DefaultCoerceCallbackViInt32(vi_, nullptr, kCount, 4, &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, 2);
  EXPECT_EQ(Zor_DefaultCoerceCallbackViInt32(vi_, nullptr, kCount, -3, &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, -2);
  coerced = 77;
  EXPECT_EQ(Zor_DefaultCoerceCallbackViInt32(vi_, nullptr, kCount, 9, &coerced),
            ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(coerced, 77);
}

TEST_F(DefaultCallbackTest, Int64ComparesExactly) {
  struct Case {
    ViInt64 value;
    ViStatus expected;
    ViInt64 coerced;  // 0: output untouched
  };
  const Case cases[] = {
      {kBig, VI_SUCCESS, kBig + 1},
      {kBig + 1, ZOR_ERROR_INVALID_VALUE, 0},  // one past the bound, not lost in rounding
      {0, VI_SUCCESS, -5},
      {-kBig - 1, ZOR_ERROR_INVALID_VALUE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Zor_DefaultCheckCallbackViInt64(vi_, nullptr, kSamples, c.value), c.expected);
    ViInt64 coerced = 0;
    EXPECT_EQ(Zor_DefaultCoerceCallbackViInt64(vi_, nullptr, kSamples, c.value, &coerced),
              c.expected);
    EXPECT_EQ(coerced, c.coerced);
  }
}

TEST_F(DefaultCallbackTest, TableProblemsAreRecordedWithTheAttribute) {
  RangeTable invalid{ZOR_RANGE_COERCED, 0, 0, nullptr, gStepRows + 2};  // starts at the end row
  ASSERT_EQ(Zor_SetStoredRangeTablePtr(vi_, kStep, &invalid), VI_SUCCESS);
  EXPECT_EQ(Zor_DefaultCheckCallbackViReal64(vi_, nullptr, kStep, 0.5),
            ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_INVALID_RANGE_TABLE);
  ViReal64 coerced = 3.0;
  EXPECT_EQ(Zor_DefaultCoerceCallbackViReal64(vi_, nullptr, kStep, 0.5, &coerced),
            ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(coerced, 3.0);
  ClearErrors();

  // A failing lookup of the table itself carries the attribute elaboration.
  EXPECT_EQ(Zor_DefaultCheckCallbackViReal64(vi_, "CH1", kStep, 0.5),
            ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED);
  const RecordedError error = ReadError(vi_);
  EXPECT_EQ(error.primary, ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED);
  EXPECT_EQ(error.elaboration, "Attribute: Step, Channel: CH1");
  ViInt64 coerced64 = 9;
  EXPECT_EQ(Zor_DefaultCoerceCallbackViInt64(vi_, nullptr, kUnknown, 1, &coerced64),
            ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(coerced64, 9);
}

const ViStatus kWarning = 0x3FFA0066;
ViStatus WarningTableCallback(ViSession, ViConstString, ViAttr, RangeTablePtr* rangeTable) {
  *rangeTable = &gCountTable;
  return kWarning;
}

TEST_F(DefaultCallbackTest, ATableCallbackWarningTravelsThrough) {
  ASSERT_EQ(Zor_SetAttrRangeTableCallback(vi_, kCount, WarningTableCallback), VI_SUCCESS);
  EXPECT_EQ(Zor_DefaultCheckCallbackViInt32(vi_, nullptr, kCount, 5), kWarning);
  ViInt32 coerced = 0;
  EXPECT_EQ(Zor_DefaultCoerceCallbackViInt32(vi_, nullptr, kCount, 5, &coerced), kWarning);
  EXPECT_EQ(coerced, 5);
  EXPECT_EQ(ReadError(vi_).primary, kWarning);
  // An error of the lookup outranks the warning.
  EXPECT_EQ(Zor_DefaultCheckCallbackViInt32(vi_, nullptr, kCount, 50), ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_INVALID_VALUE);
}

TEST_F(DefaultCallbackTest, BooleanCoercionIsZeroOrOne) {
  struct Case {
    ViBoolean value;
    ViBoolean expected;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {5, 1}, {0xFFFF, 1}};
  for (const Case& c : cases) {
    ViBoolean coerced = 9;
    EXPECT_EQ(Zor_DefaultCoerceCallbackViBoolean(vi_, nullptr, kEnabled, c.value, &coerced),
              VI_SUCCESS);
    EXPECT_EQ(coerced, c.expected) << c.value;
    ViBoolean inPlace = c.value;
    EXPECT_EQ(Zor_CoerceBoolean(&inPlace), VI_SUCCESS);
    EXPECT_EQ(inPlace, c.expected) << c.value;
  }
  EXPECT_EQ(Zor_CoerceBoolean(nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(ReadError(VI_NULL).primary, VI_SUCCESS);  // nothing recorded
}

// ---- Comparison ----

TEST(CompareWithPrecisionTest, ComparesToTheGivenDigits) {
  struct Case {
    ViInt32 digits;
    ViReal64 a;
    ViReal64 b;
    ViInt32 expected;
  };
  const Case cases[] = {
      {0, 2.0000000000001, 2.0, 0},  // 0 means 14
      {0, 2.000000000001, 2.0, 1},
      {1, 1.0, 1.9, 0},
      {1, 1.0, 2.0, -1},
      {14, 0.0, 1e-14, 0},
      {14, 1e-14, 0.0, 1},
      {14, kNaN, 1.0, 1},
      {14, 1.0, kNaN, 1},
      {14, kInf, kInf, 0},
      {3, 100.0, 100.9, 0},  // 3 digits: relative differences below 1e-2 are equal
      {3, 100.0, 102.0, -1},
  };
  for (const Case& c : cases) {
    ViInt32 result = 99;
    EXPECT_EQ(Zor_CompareWithPrecision(c.digits, c.a, c.b, &result), VI_SUCCESS);
    EXPECT_EQ(result, c.expected) << c.digits << ": " << c.a << " vs " << c.b;
  }
}

TEST(CompareWithPrecisionTest, DigitsOutsideOneToFourteenAreRefusedOnTheThread) {
  for (ViInt32 digits : {15, -1, 100}) {
    ViInt32 result = 99;
    EXPECT_EQ(Zor_CompareWithPrecision(digits, 1.0, 2.0, &result), ZOR_ERROR_INVALID_VALUE);
    EXPECT_EQ(result, 99);
    const RecordedError error = ReadError(VI_NULL);
    EXPECT_EQ(error.primary, ZOR_ERROR_INVALID_VALUE);
    EXPECT_EQ(error.elaboration, "Comparison precision must be from 1 to 14");
  }
}

TEST_F(DefaultCallbackTest, CompareCallbackUsesTheAttributePrecision) {
  ViInt32 result = 99;
  EXPECT_EQ(Zor_DefaultCompareCallbackViReal64(vi_, nullptr, kFree, 1.0, 1.5, &result),
            VI_SUCCESS);
  EXPECT_EQ(result, -1);
  ASSERT_EQ(Zor_SetAttrComparePrecision(vi_, kFree, 1), VI_SUCCESS);
  EXPECT_EQ(Zor_DefaultCompareCallbackViReal64(vi_, "ignored", kFree, 1.0, 1.5, &result),
            VI_SUCCESS);
  EXPECT_EQ(result, 0);

  result = 99;
  EXPECT_EQ(Zor_DefaultCompareCallbackViReal64(vi_, nullptr, kUnknown, 1.0, 1.0, &result),
            ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(result, 99);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
}

// ---- Minimum and maximum ----

class MinMaxTest : public DefaultCallbackTest {
 protected:
  void UseTable(ViAttr attributeId, RangeTable* table) {
    ASSERT_EQ(Zor_SetStoredRangeTablePtr(vi_, attributeId, table), VI_SUCCESS);
  }
};

TEST_F(MinMaxTest, ScansTheCandidatesOfEachTableType) {
  static RangeTableEntry discrete[] = {{5.0, 0.0, 0.0, nullptr, 0},
                                       {1.0, 0.0, 0.0, nullptr, 0},
                                       {3.0, 0.0, 0.0, nullptr, 0},
                                       ZOR_RANGE_TABLE_LAST_ENTRY};
  static RangeTableEntry ranged[] = {
      {2.0, 4.0, 0.0, nullptr, 0}, {-1.0, 3.0, 0.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
  struct Case {
    ViInt32 type;
    RangeTableEntry* rows;
    ViReal64 min;
    ViReal64 max;
  };
  const Case cases[] = {
      {ZOR_RANGE_DISCRETE, discrete, 1.0, 5.0},
      {ZOR_RANGE_RANGED, ranged, -1.0, 4.0},
      {ZOR_RANGE_COERCED, gStepRows, 0.1, 1.0},  // coerced values, not interval bounds
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    RangeTable table{c.type, 3, 1, nullptr, c.rows};  // 3 counts as true, reported as 1
    UseTable(kFree, &table);
    ViReal64 min = 0;
    ViReal64 max = 0;
    ViBoolean hasMin = 9;
    ViBoolean hasMax = 9;
    EXPECT_EQ(Zor_GetAttrMinMaxViReal64(vi_, nullptr, kFree, &min, &max, &hasMin, &hasMax),
              VI_SUCCESS);
    EXPECT_EQ(min, c.min);
    EXPECT_EQ(max, c.max);
    EXPECT_EQ(hasMin, VI_TRUE);
    EXPECT_EQ(hasMax, VI_TRUE);
  }
}

TEST_F(MinMaxTest, OnlyDefinedBoundsAreReported) {
  static RangeTableEntry rows[] = {{5.0, 0.0, 0.0, nullptr, 0},
                                   {1.0, 0.0, 0.0, nullptr, 0},
                                   {3.0, 0.0, 0.0, nullptr, 0},
                                   ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_DISCRETE, VI_FALSE, VI_TRUE, nullptr, rows};
  UseTable(kFree, &table);
  ViReal64 min = -7.0;
  ViReal64 max = -7.0;
  ViBoolean hasMin = 9;
  EXPECT_EQ(Zor_GetAttrMinMaxViReal64(vi_, nullptr, kFree, &min, &max, &hasMin, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, -7.0);
  EXPECT_EQ(max, 5.0);
  EXPECT_EQ(hasMin, VI_FALSE);
  EXPECT_EQ(Zor_GetAttrMinMaxViReal64(vi_, nullptr, kFree, nullptr, nullptr, nullptr, nullptr),
            VI_SUCCESS);
}

TEST_F(MinMaxTest, IntegerFamilies) {
  static RangeTableEntry rows[] = {{0.5, 9.9, 0.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_RANGED, VI_TRUE, VI_TRUE, nullptr, rows};
  UseTable(kCount, &table);
  ViInt32 min = -1;
  ViInt32 max = -1;
  EXPECT_EQ(Zor_GetAttrMinMaxViInt32(vi_, nullptr, kCount, &min, &max, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, 0);  // truncated toward zero
  EXPECT_EQ(max, 9);

  ViInt64 min64 = 0;
  ViInt64 max64 = 0;
  EXPECT_EQ(Zor_GetAttrMinMaxViInt64(vi_, nullptr, kSamples, &min64, &max64, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min64, -5);  // coerced values of the two rows
  EXPECT_EQ(max64, kBig + 1);
}

TEST_F(MinMaxTest, ATableCallbackWarningIsRecordedButNotReturned) {
  ASSERT_EQ(Zor_SetAttrRangeTableCallback(vi_, kCount, WarningTableCallback), VI_SUCCESS);
  ViInt32 min = 0;
  ViInt32 max = 0;
  EXPECT_EQ(Zor_GetAttrMinMaxViInt32(vi_, nullptr, kCount, &min, &max, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, 1);
  EXPECT_EQ(max, 10);
  EXPECT_EQ(ReadError(vi_).primary, kWarning);
}

TEST_F(MinMaxTest, ANaNCandidateReplacesNothing) {
  static RangeTableEntry rows[] = {{2.0, 0.0, 0.0, nullptr, 0},
                                   {kNaN, 0.0, 0.0, nullptr, 0},
                                   {1.0, 0.0, 0.0, nullptr, 0},
                                   ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_DISCRETE, VI_TRUE, VI_TRUE, nullptr, rows};
  UseTable(kFree, &table);
  ViReal64 min = 0;
  ViReal64 max = 0;
  EXPECT_EQ(Zor_GetAttrMinMaxViReal64(vi_, nullptr, kFree, &min, &max, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, 1.0);
  EXPECT_EQ(max, 2.0);
}

TEST_F(MinMaxTest, FailuresAreRecordedOnTheSession) {
  static RangeTableEntry noRows[] = {ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable invalid{ZOR_RANGE_DISCRETE, VI_TRUE, VI_TRUE, nullptr, noRows};
  UseTable(kStep, &invalid);
  struct Case {
    ViSession vi;
    ViAttr attributeId;
    ViStatus expected;
  };
  const Case cases[] = {
      {vi_, kFree, ZOR_ERROR_NO_RANGE_TABLE},
      {vi_, kStep, ZOR_ERROR_INVALID_RANGE_TABLE},
      {vi_, kUnknown, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN},
      {kNoSuchSession, kFree, ZOR_ERROR_INVALID_SESSION_HANDLE},
  };
  for (const Case& c : cases) {
    ViReal64 min = 4.0;
    ViReal64 max = 4.0;
    ViBoolean hasMin = 9;
    EXPECT_EQ(Zor_GetAttrMinMaxViReal64(c.vi, nullptr, c.attributeId, &min, &max, &hasMin,
                                        nullptr),
              c.expected);
    EXPECT_EQ(min, 4.0);
    EXPECT_EQ(max, 4.0);
    EXPECT_EQ(hasMin, 9);
    EXPECT_EQ(ReadError(c.vi == vi_ ? vi_ : VI_NULL).primary, c.expected);
    ClearErrors();
  }
  // The failed lock was not released: the session still works as before.
  ViInt32 min = 0;
  EXPECT_EQ(Zor_GetAttrMinMaxViInt32(vi_, nullptr, kCount, &min, nullptr, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, 1);
}

// ---- Coerced value of a prospective set ----

struct WriteProbe {
  int writes = 0;
  int checks = 0;
  ViStatus checkAnswer = VI_SUCCESS;
  ViStatus coerceAnswer = VI_SUCCESS;
  std::string repCapName;
};
WriteProbe gWrites;

ViStatus CountingWrite(ViSession, ViSession, ViConstString, ViAttr, ViInt32) {
  ++gWrites.writes;
  return VI_SUCCESS;
}
ViStatus ProbeCheck(ViSession, ViConstString repCapName, ViAttr, ViReal64) {
  ++gWrites.checks;
  gWrites.repCapName = repCapName != nullptr ? repCapName : "(null)";
  return gWrites.checkAnswer;
}
ViStatus DoublingCoerce(ViSession, ViConstString, ViAttr, ViReal64 value, ViReal64* coerced) {
  if (gWrites.coerceAnswer >= VI_SUCCESS) *coerced = value * 2.0;
  return gWrites.coerceAnswer;
}

class CoercedValueTest : public DefaultCallbackTest {
 protected:
  void SetUp() override {
    DefaultCallbackTest::SetUp();
    gWrites = WriteProbe{};
  }
};

TEST_F(CoercedValueTest, RunsCheckAndCoerceWithoutTouchingTheCache) {
  ASSERT_EQ(Zor_SetAttrWriteCallbackViInt32(vi_, kCount, CountingWrite), VI_SUCCESS);
  static RangeTableEntry rows[] = {{1.0, 10.0, 7.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_COERCED, 0, 0, nullptr, rows};
  ASSERT_EQ(Zor_SetStoredRangeTablePtr(vi_, kCount, &table), VI_SUCCESS);
  ViInt32 coerced = 0;
  EXPECT_EQ(Zor_GetCoercedValViInt32(vi_, nullptr, kCount, 3, &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, 7);
  EXPECT_EQ(gWrites.writes, 0);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi_, &data), VI_SUCCESS);
  const AttributeInstance& instance = *FindOwnAttribute(*data, kCount)->instances[1];
  EXPECT_EQ(instance.currentValue.i32(), 1);  // still the default, never written or cached
  EXPECT_EQ(instance.state, 0);

  coerced = -1;
  EXPECT_EQ(Zor_GetCoercedValViInt32(vi_, nullptr, kCount, 11, &coerced),
            ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(coerced, -1);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_INVALID_VALUE);
}

TEST_F(CoercedValueTest, RefusesOtherTypesReadOnlyAttributesAndDeadSessions) {
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, 1200120, "Locked", 0.0, ZOR_VAL_NOT_WRITABLE, nullptr,
                                     nullptr, nullptr, 0),
            VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, 1200121, "Private", 0.0, ZOR_VAL_NOT_USER_WRITABLE,
                                     nullptr, nullptr, nullptr, 0),
            VI_SUCCESS);
  ViReal64 real = -1;
  ViInt32 int32 = -1;
  // Before creation is complete the driver may still set read-only attributes.
  EXPECT_EQ(Zor_GetCoercedValViReal64(vi_, nullptr, 1200120, 2.0, &real), VI_SUCCESS);
  EXPECT_EQ(real, 2.0);
  CompleteCreation();
  real = -1;
  struct Case {
    const char* what;
    std::function<ViStatus()> call;
    ViSession recordedOn;
    ViStatus expected;
  };
  const Case cases[] = {
      {"Int32 on ViReal64", [&] { return Zor_GetCoercedValViInt32(vi_, nullptr, kFree, 1, &int32); }, vi_, ZOR_ERROR_TYPE_MISMATCH},
      {"Real64 on ViInt32", [&] { return Zor_GetCoercedValViReal64(vi_, nullptr, kCount, 1, &real); }, vi_, ZOR_ERROR_TYPE_MISMATCH},
      {"not writable", [&] { return Zor_GetCoercedValViReal64(vi_, nullptr, 1200120, 1, &real); }, vi_, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {"not user writable", [&] { return Zor_GetCoercedValViReal64(vi_, nullptr, 1200121, 1, &real); }, vi_, ZOR_ERROR_ATTRIBUTE_READ_ONLY},
      {"unknown", [&] { return Zor_GetCoercedValViReal64(vi_, nullptr, kUnknown, 1, &real); }, vi_, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN},
      {"name not allowed", [&] { return Zor_GetCoercedValViReal64(vi_, "CH1", kFree, 1, &real); }, vi_, ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED},
      {"dead session", [&] { return Zor_GetCoercedValViInt32(kNoSuchSession, nullptr, kCount, 1, &int32); }, VI_NULL, ZOR_ERROR_INVALID_SESSION_HANDLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.call(), c.expected);
    EXPECT_EQ(ReadError(c.recordedOn).primary, c.expected);
    ClearErrors();
  }
  EXPECT_EQ(real, -1);
  EXPECT_EQ(int32, -1);
}

TEST_F(CoercedValueTest, DriverCallbacksDecideAndTheirWarningsArePassedOn) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Output", "Out1,Out2"), VI_SUCCESS);
  constexpr ViAttr kGain = 1200130;
  ASSERT_EQ(Zor_AddRepeatedAttributeViReal64(vi_, "Output", kGain, "Gain", 0.0, 0, nullptr,
                                             nullptr, nullptr, 0),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttrCheckCallbackViReal64(vi_, kGain, ProbeCheck), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttrCoerceCallbackViReal64(vi_, kGain, DoublingCoerce), VI_SUCCESS);
  // The check runs even with range checking switched off.
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi_, &data), VI_SUCCESS);
  data->rangeCheckEnabled = VI_FALSE;

  ViReal64 coerced = 0;
  EXPECT_EQ(Zor_GetCoercedValViReal64(vi_, "out2", kGain, 1.5, &coerced), VI_SUCCESS);
  EXPECT_EQ(coerced, 3.0);
  EXPECT_EQ(gWrites.checks, 1);
  EXPECT_EQ(gWrites.repCapName, "Out2");

  gWrites.checkAnswer = kWarning;
  gWrites.coerceAnswer = 0x3FFA0067;
  EXPECT_EQ(Zor_GetCoercedValViReal64(vi_, "Out1", kGain, 2.0, &coerced), kWarning);
  EXPECT_EQ(coerced, 4.0);
  EXPECT_EQ(ReadError(vi_).primary, kWarning);

  gWrites.checkAnswer = VI_SUCCESS;
  EXPECT_EQ(Zor_GetCoercedValViReal64(vi_, "Out1", kGain, 2.5, &coerced), 0x3FFA0067);
  EXPECT_EQ(coerced, 5.0);
  ClearErrors();

  gWrites.coerceAnswer = ZOR_ERROR_INVALID_VALUE;
  EXPECT_EQ(Zor_GetCoercedValViReal64(vi_, "Out1", kGain, 9.0, &coerced),
            ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(coerced, 5.0);
  gWrites.checkAnswer = ZOR_ERROR_INVALID_VALUE;
  gWrites.coerceAnswer = VI_SUCCESS;
  EXPECT_EQ(Zor_GetCoercedValViReal64(vi_, "Out1", kGain, 9.0, &coerced),
            ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(coerced, 5.0);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_INVALID_VALUE);
}

// ---- Helpers without a session ----

TEST(ValueHelperTest, NumericRangeIsInclusiveAndLetsNaNThrough) {
  const ViStatus kCode = static_cast<ViStatus>(0xBFFC0002);
  struct Case {
    ViReal64 value;
    ViReal64 min;
    ViReal64 max;
    ViStatus expected;
  };
  const Case cases[] = {
      {5.0, 5.0, 5.0, VI_SUCCESS},   {5.0000001, 0.0, 5.0, kCode}, {0.0, 0.0, 5.0, VI_SUCCESS},
      {-0.1, 0.0, 5.0, kCode},       {kNaN, 0.0, 5.0, VI_SUCCESS}, {kInf, 0.0, kInf, VI_SUCCESS},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Zor_CheckNumericRange(c.value, c.min, c.max, kCode), c.expected) << c.value;
  }
  EXPECT_EQ(Zor_CheckBooleanRange(0, kCode), VI_SUCCESS);
  EXPECT_EQ(Zor_CheckBooleanRange(1, kCode), VI_SUCCESS);
  EXPECT_EQ(Zor_CheckBooleanRange(2, kCode), kCode);
  EXPECT_EQ(Zor_CheckBooleanRange(0xFFFF, kCode), kCode);
}

char kDc[] = "DC";
char kAc[] = "AC";
char kAcAgain[] = "AC";
const StringValueEntry kCouplings[] = {
    {1, kDc}, {2, kAc}, {3, kAcAgain}, {2, kAcAgain}, {0, nullptr}};

TEST(StringValueTableTest, GivesTheFirstMatchingRow) {
  ViString text = nullptr;
  EXPECT_EQ(Zor_GetStringFromTable(kCouplings, 2, &text), VI_SUCCESS);
  EXPECT_EQ(text, kAc);  // the table's own text, from the first row with the value
  EXPECT_EQ(Zor_GetStringFromTable(kCouplings, 3, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_GetStringFromTable(kCouplings, 0, &text), ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(text, nullptr);  // the end row's value is not looked at

  struct Case {
    const char* text;
    ViStatus expected;
    ViInt32 value;
  };
  const Case cases[] = {
      {"DC", VI_SUCCESS, 1},  {"DC\n", VI_SUCCESS, 1}, {"AC\r\n", VI_SUCCESS, 2},
      {"dc", ZOR_ERROR_INVALID_VALUE, -1}, {"D", ZOR_ERROR_INVALID_VALUE, -1},
      {nullptr, ZOR_ERROR_INVALID_VALUE, -1},
  };
  for (const Case& c : cases) {
    ViInt32 value = -1;
    EXPECT_EQ(Zor_GetValueFromTable(kCouplings, c.text, &value), c.expected);
    EXPECT_EQ(value, c.value);
  }
  EXPECT_EQ(ReadError(VI_NULL).primary, VI_SUCCESS);  // nothing recorded
}

}  // namespace
}  // namespace zor::test
