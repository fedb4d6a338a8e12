// Range tables: building and maintaining them, their lookups, and the table of an attribute.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "range/range_table.h"
#include "range_test_support.h"

namespace zor::test {
namespace {

constexpr ViReal64 kNaN = std::numeric_limits<ViReal64>::quiet_NaN();
constexpr ViReal64 kInf = std::numeric_limits<ViReal64>::infinity();
constexpr ViAttr kVoltage = 1200001;
constexpr ViAttr kLevel = 1200002;

// Blocks currently registered on a session (0 when the list does not exist).
int SessionBlockCount(ViSession vi) {
  SessionData* data = nullptr;
  if (LookupSession(vi, &data) != VI_SUCCESS || !data->memoryBlocks) return 0;
  return data->memoryBlocks->blocks().count();
}

ViInt32 NumEntries(RangeTablePtr table) {
  ViInt32 count = -99;
  EXPECT_EQ(Zor_GetRangeTableNumEntries(table, &count), VI_SUCCESS);
  return count;
}

// ---- The two comparison helpers ----

TEST(PrecisionCompareTest, ComparesToSignificantDigitsRelativeToTheFirstValue) {
  struct Case {
    ViInt32 digits;
    ViReal64 a;
    ViReal64 b;
    int expected;
  };
  const Case cases[] = {
      {14, 2.0, 2.0, 0},
      {14, 2.0, 3.0, -1},
      {14, 3.0, 2.0, 1},
      {14, 2.0000000000001, 2.0, 0},  // relative difference 5e-14 is below 1e-13
      {14, 2.000000000001, 2.0, 1},   // 5e-13 is not
      {14, 2.0, 2.000000000001, -1},
      {14, 0.0, 1e-14, 0},            // a is zero: the absolute value of b counts
      {14, 1e-14, 0.0, 1},            // relative to a, the difference is 1
      {14, -1e-14, 0.0, -1},
      {1, 1.0, 1.9, 0},               // relative difference 0.9 is below 1
      {1, 1.0, 2.0, -1},
      {1, 1.0, 0.05, 0},
      {14, kNaN, 1.0, 1},
      {14, 1.0, kNaN, 1},
      {14, kNaN, kNaN, 1},
      {14, kInf, kInf, 0},
      {14, -kInf, -kInf, 0},
      {14, 1.0, kInf, -1},
      {14, kInf, 1.0, 1},
      {14, -kInf, 1.0, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrecisionCompare(c.digits, c.a, c.b), c.expected)
        << "digits " << c.digits << ", " << c.a << " vs " << c.b;
  }
}

TEST(PrecisionCompareTest, AStaleMathErrorDoesNotSpoilTheComparison) {
  errno = ERANGE;
  EXPECT_EQ(PrecisionCompare(14, 1.0, 1.0 + 1e-15), 0);
}

TEST(MatchResponseStringTest, MatchesTheStoredTextUpToALineTerminator) {
  struct Case {
    const char* stored;
    const char* given;
    bool expected;
  };
  const Case cases[] = {
      {"VOLT", "VOLT", true},
      {"VOLT", "VOLT\n", true},
      {"VOLT", "VOLT\r\n", true},
      {"VOLT", "VOLT\rignored", true},
      {"VOLT", "VOLTAGE", false},
      {"VOLT", "VOL", false},
      {"VOLT", "volt", false},
      {"VOLT", " VOLT", false},
      {"", "", true},
      {"", "\n", true},
      {"", "X", false},
      {nullptr, nullptr, true},
      {nullptr, "", false},
      {"", nullptr, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchResponseString(c.stored, c.given), c.expected)
        << (c.stored ? c.stored : "(null)") << " / " << (c.given ? c.given : "(null)");
  }
}

TEST(TruncateToInt32Test, TruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(TruncateToInt32(2.7), 2);
  EXPECT_EQ(TruncateToInt32(-2.7), -2);
  EXPECT_EQ(TruncateToInt32(1e12), std::numeric_limits<ViInt32>::max());
  EXPECT_EQ(TruncateToInt32(-1e12), std::numeric_limits<ViInt32>::min());
  EXPECT_EQ(TruncateToInt32(kNaN), 0);
}

// ---- Building tables ----

class RangeTableTest : public SessionTest {};

TEST_F(RangeTableTest, NewTableHasZeroRowsBeforeItsEndRowWithOrWithoutSession) {
  for (ViSession vi : {static_cast<ViSession>(VI_NULL), vi_}) {
    RangeTablePtr table = nullptr;
    ASSERT_EQ(Zor_RangeTableNew(vi, 4, ZOR_RANGE_RANGED, 7, VI_FALSE, &table), VI_SUCCESS);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->type, ZOR_RANGE_RANGED);
    EXPECT_EQ(table->hasMin, VI_TRUE);  // normalised
    EXPECT_EQ(table->hasMax, VI_FALSE);
    EXPECT_EQ(table->reserved, nullptr);
    EXPECT_EQ(NumEntries(table), 3);
    for (int i = 0; i < 3; ++i) {
      const RangeTableEntry& row = table->entries[i];
      EXPECT_EQ(row.minValue, 0.0);
      EXPECT_EQ(row.maxValue, 0.0);
      EXPECT_EQ(row.coercedValue, 0.0);
      EXPECT_EQ(row.cmdString, nullptr);
      EXPECT_EQ(row.cmdValue, 0);
    }
    EXPECT_EQ(table->entries[3].cmdString, ZOR_RANGE_TABLE_END_STRING);
    EXPECT_EQ(table->entries[3].cmdValue, 0);
    // Rows without a command string match a NULL text.
    ViInt32 index = -1;
    EXPECT_EQ(Zor_GetViReal64EntryFromString(nullptr, table, nullptr, nullptr, nullptr, &index,
                                             nullptr),
              VI_SUCCESS);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(Zor_RangeTableFree(vi, table, VI_FALSE), VI_SUCCESS);
  }
  EXPECT_EQ(ReadError(vi_).primary, VI_SUCCESS);
  EXPECT_EQ(ReadError(VI_NULL).primary, VI_SUCCESS);
}

TEST_F(RangeTableTest, SessionTableIsTwoBlocksOfSessionMemory) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(vi_, 3, ZOR_RANGE_DISCRETE, VI_TRUE, VI_TRUE, &table), VI_SUCCESS);
  EXPECT_EQ(SessionBlockCount(vi_), 2);
  EXPECT_EQ(Zor_Free(vi_, table->entries), VI_SUCCESS);
  EXPECT_EQ(Zor_Free(vi_, table), VI_SUCCESS);
  EXPECT_EQ(SessionBlockCount(vi_), 0);
}

TEST_F(RangeTableTest, NewTableFailuresLeaveNothingBehind) {
  struct Case {
    ViInt32 rows;
    ViInt32 type;
    ViStatus expected;
    bool recordedByAlloc;
  };
  const Case cases[] = {
      {0, ZOR_RANGE_DISCRETE, ZOR_ERROR_INVALID_PARAMETER, true},
      {-1, ZOR_RANGE_DISCRETE, VI_ERROR_ALLOC, true},
      {std::numeric_limits<ViInt32>::max(), ZOR_RANGE_RANGED, VI_ERROR_ALLOC, true},
      {2, 3, ZOR_ERROR_INVALID_PARAMETER, false},
      {2, -1, ZOR_ERROR_INVALID_PARAMETER, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "rows " << c.rows << ", type " << c.type);
    RangeTable sentinel{};
    RangeTablePtr table = &sentinel;
    EXPECT_EQ(Zor_RangeTableNew(vi_, c.rows, c.type, VI_TRUE, VI_TRUE, &table), c.expected);
    EXPECT_EQ(table, &sentinel);
    EXPECT_EQ(SessionBlockCount(vi_), 0);
    EXPECT_EQ(ReadError(vi_).primary, c.recordedByAlloc ? c.expected : VI_SUCCESS);
    ClearErrors();

    EXPECT_EQ(Zor_RangeTableNew(VI_NULL, c.rows, c.type, VI_TRUE, VI_TRUE, &table), c.expected);
    EXPECT_EQ(table, &sentinel);
    EXPECT_EQ(ReadError(VI_NULL).primary, VI_SUCCESS);  // heap allocation records nothing
  }
}

TEST_F(RangeTableTest, NewTableOnADeadSessionFailsAsTheLockDoes) {
  RangeTablePtr table = nullptr;
  EXPECT_EQ(Zor_RangeTableNew(kNoSuchSession, 2, ZOR_RANGE_DISCRETE, 0, 0, &table),
            ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(table, nullptr);
  EXPECT_EQ(ReadError(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(RangeTableTest, OneRowTableHasNoEntriesAndIsInvalid) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(vi_, 1, ZOR_RANGE_DISCRETE, 0, 0, &table), VI_SUCCESS);
  EXPECT_EQ(NumEntries(table), 0);
  EXPECT_EQ(Zor_ValidateRangeTable(table), ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(Zor_GetViReal64EntryFromIndex(0, table, nullptr, nullptr, nullptr, nullptr, nullptr),
            ZOR_ERROR_INVALID_RANGE_TABLE);
}

TEST_F(RangeTableTest, SetEntryWritesOnlyExistingRows) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(VI_NULL, 3, ZOR_RANGE_RANGED, 0, 0, &table), VI_SUCCESS);
  char cmd[] = "A";
  EXPECT_EQ(Zor_SetRangeTableEntry(table, 1, 1.0, 2.0, 1.5, cmd, 42), VI_SUCCESS);
  EXPECT_EQ(table->entries[1].minValue, 1.0);
  EXPECT_EQ(table->entries[1].maxValue, 2.0);
  EXPECT_EQ(table->entries[1].coercedValue, 1.5);
  EXPECT_EQ(table->entries[1].cmdString, cmd);
  EXPECT_EQ(table->entries[1].cmdValue, 42);

  for (ViInt32 index : {-1, 2}) {  // 2 is the number of entries
    EXPECT_EQ(Zor_SetRangeTableEntry(table, index, 9.0, 9.0, 9.0, cmd, 9),
              ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Zor_SetRangeTableEntryViInt64(table, index, 9, 9, 9, cmd, 9),
              ZOR_ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(table->entries[0].minValue, 0.0);
  EXPECT_EQ(table->entries[2].cmdString, ZOR_RANGE_TABLE_END_STRING);
  EXPECT_EQ(Zor_SetRangeTableEntry(nullptr, 0, 0, 0, 0, nullptr, 0),
            ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(Zor_SetRangeTableEntryViInt64(nullptr, 0, 0, 0, 0, nullptr, 0),
            ZOR_ERROR_INVALID_RANGE_TABLE);

  // The 64-bit form stores integers in the same fields, exactly.
  const ViInt64 big = (ViInt64{1} << 62) + 1;
  EXPECT_EQ(Zor_SetRangeTableEntryViInt64(table, 0, -big, big, 7, nullptr, 3), VI_SUCCESS);
  ViInt64 low = 0;
  ViInt64 high = 0;
  ViInt64 coerced = 0;
  EXPECT_EQ(Zor_GetViInt64EntryFromIndex(0, table, &low, &high, &coerced, nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(low, -big);
  EXPECT_EQ(high, big);
  EXPECT_EQ(coerced, 7);

  // An end marker written as a command string shortens the table.
  EXPECT_EQ(Zor_SetRangeTableEntry(table, 1, 0, 0, 0, ZOR_RANGE_TABLE_END_STRING, 0), VI_SUCCESS);
  EXPECT_EQ(NumEntries(table), 1);
  EXPECT_EQ(ReadError(VI_NULL).primary, VI_SUCCESS);  // nothing is recorded
  Zor_RangeTableFree(VI_NULL, table, VI_FALSE);
}

TEST_F(RangeTableTest, MovingTheEndShortensAndReexposesRows) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(vi_, 10, ZOR_RANGE_DISCRETE, 0, 0, &table), VI_SUCCESS);
  char cmd[] = "ROW";
  for (ViInt32 i = 0; i < 9; ++i) {
    ASSERT_EQ(Zor_SetRangeTableEntry(table, i, i + 1.0, 0.0, 0.0, cmd, i), VI_SUCCESS);
  }
  EXPECT_EQ(Zor_SetRangeTableEnd(table, 5), VI_SUCCESS);
  EXPECT_EQ(NumEntries(table), 5);
  EXPECT_EQ(table->entries[9].cmdString, nullptr);  // the old end row is an ordinary row now

  EXPECT_EQ(Zor_SetRangeTableEnd(table, 9), VI_SUCCESS);
  EXPECT_EQ(NumEntries(table), 9);
  EXPECT_EQ(table->entries[5].minValue, 0.0);  // was the end row
  EXPECT_EQ(table->entries[5].cmdString, nullptr);
  EXPECT_EQ(table->entries[5].cmdValue, 0);
  EXPECT_EQ(table->entries[6].minValue, 7.0);  // kept its contents
  EXPECT_EQ(table->entries[6].cmdString, cmd);

  EXPECT_EQ(Zor_SetRangeTableEnd(table, 9), VI_SUCCESS);  // at the end already
  EXPECT_EQ(NumEntries(table), 9);
  EXPECT_EQ(Zor_SetRangeTableEnd(nullptr, 3), VI_SUCCESS);
  EXPECT_EQ(Zor_SetRangeTableEnd(table, -1), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(NumEntries(table), 9);
}

TEST(RangeTableValidationTest, ValidatesTypeAndFirstRow) {
  static RangeTableEntry rows[] = {{1.0, 0.0, 0.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
  static RangeTableEntry empty[] = {ZOR_RANGE_TABLE_LAST_ENTRY};
  struct Case {
    ViInt32 type;
    RangeTableEntry* entries;
    ViStatus expected;
    ViInt32 entryCount;
  };
  const Case cases[] = {
      {ZOR_RANGE_DISCRETE, rows, VI_SUCCESS, 1},
      {ZOR_RANGE_RANGED, rows, VI_SUCCESS, 1},
      {ZOR_RANGE_COERCED, rows, VI_SUCCESS, 1},
      {3, rows, ZOR_ERROR_INVALID_RANGE_TABLE, 1},
      {-1, rows, ZOR_ERROR_INVALID_RANGE_TABLE, 1},
      {ZOR_RANGE_DISCRETE, empty, ZOR_ERROR_INVALID_RANGE_TABLE, 0},
      {ZOR_RANGE_DISCRETE, nullptr, ZOR_ERROR_INVALID_RANGE_TABLE, 0},
  };
  for (const Case& c : cases) {
    RangeTable table{c.type, VI_TRUE, VI_TRUE, nullptr, c.entries};
    EXPECT_EQ(Zor_ValidateRangeTable(&table), c.expected) << "type " << c.type;
    EXPECT_EQ(NumEntries(&table), c.entryCount) << "type " << c.type;  // never validated
  }
  EXPECT_EQ(Zor_ValidateRangeTable(nullptr), VI_SUCCESS);  // no table is not a bad table
  EXPECT_EQ(NumEntries(nullptr), 0);
  EXPECT_EQ(Zor_GetRangeTableNumEntries(nullptr, nullptr), VI_SUCCESS);
}

// ---- Lookups ----

char kVolt[] = "VOLT";
char kCurr[] = "CURR";
char kRes[] = "RES";

// A table as a driver declares it in static data.
RangeTableEntry gFunctionRows[] = {
    {1.0, 0.0, 0.0, kVolt, 10},
    {2.0, 0.0, 0.0, kCurr, 20},
    {5.0, 0.0, 0.0, kRes, 30},
    ZOR_RANGE_TABLE_LAST_ENTRY,
};
RangeTable gFunctionTable = {ZOR_RANGE_DISCRETE, VI_TRUE, VI_TRUE, nullptr, gFunctionRows};

class LookupTest : public SessionTest {};

TEST_F(LookupTest, DiscreteValuesMatchToFourteenDigits) {
  struct Case {
    ViReal64 value;
    ViStatus expected;
    ViInt32 index;
  };
  const Case cases[] = {
      {1.0, VI_SUCCESS, 0},
      {2.0000000000001, VI_SUCCESS, 1},
      {2.000000000001, ZOR_ERROR_INVALID_VALUE, -1},
      {5.0, VI_SUCCESS, 2},
      {3.0, ZOR_ERROR_INVALID_VALUE, -1},
      {kNaN, ZOR_ERROR_INVALID_VALUE, -1},
  };
  for (const Case& c : cases) {
    ViInt32 index = -1;
    EXPECT_EQ(Zor_GetViReal64EntryFromValue(c.value, &gFunctionTable, nullptr, nullptr, nullptr,
                                            &index, nullptr, nullptr),
              c.expected)
        << c.value;
    EXPECT_EQ(index, c.index) << c.value;
  }
}

TEST_F(LookupTest, EveryOutputComesFromTheMatchedRow) {
  ViReal64 min = -1;
  ViReal64 max = -1;
  ViReal64 coerced = -1;
  ViInt32 index = -1;
  ViString cmd = nullptr;
  ViInt32 cmdValue = -1;
  ASSERT_EQ(Zor_GetViReal64EntryFromValue(2.0, &gFunctionTable, &min, &max, &coerced, &index,
                                          &cmd, &cmdValue),
            VI_SUCCESS);
  EXPECT_EQ(min, 2.0);
  EXPECT_EQ(max, 0.0);
  EXPECT_EQ(coerced, 0.0);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(cmd, kCurr);  // the table's own text
  EXPECT_EQ(cmdValue, 20);

  // Each kind of key finds the same row.
  index = -1;
  EXPECT_EQ(Zor_GetViReal64EntryFromString("CURR\r\n", &gFunctionTable, &min, nullptr, nullptr,
                                           &index, &cmdValue),
            VI_SUCCESS);
  EXPECT_EQ(index, 1);
  cmd = nullptr;
  EXPECT_EQ(Zor_GetViReal64EntryFromCmdValue(20, &gFunctionTable, &min, nullptr, nullptr, &index,
                                             &cmd),
            VI_SUCCESS);
  EXPECT_EQ(cmd, kCurr);
  cmdValue = 0;
  EXPECT_EQ(Zor_GetViReal64EntryFromIndex(1, &gFunctionTable, &min, nullptr, nullptr, nullptr,
                                          &cmdValue),
            VI_SUCCESS);
  EXPECT_EQ(cmdValue, 20);
  ViInt32 intMin = 0;
  EXPECT_EQ(Zor_GetViInt32EntryFromCmdValue(30, &gFunctionTable, &intMin, nullptr, nullptr,
                                            &index, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(intMin, 5);
  EXPECT_EQ(index, 2);
  // Every row's coerced value is 0.0, so the first row answers.
  EXPECT_EQ(Zor_GetViReal64EntryFromCoercedVal(0.0, &gFunctionTable, &min, nullptr, &index,
                                               nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(min, 1.0);
}

TEST_F(LookupTest, StringsMatchCaseSensitivelyUpToALineTerminator) {
  struct Case {
    const char* key;
    ViStatus expected;
    ViInt32 cmdValue;
  };
  const Case cases[] = {
      {"VOLT", VI_SUCCESS, 10},     {"VOLT\n", VI_SUCCESS, 10},
      {"RES\r\n", VI_SUCCESS, 30},  {"VOLTAGE", ZOR_ERROR_INVALID_VALUE, -1},
      {"VOL", ZOR_ERROR_INVALID_VALUE, -1}, {"volt", ZOR_ERROR_INVALID_VALUE, -1},
      {nullptr, ZOR_ERROR_INVALID_VALUE, -1},
  };
  for (const Case& c : cases) {
    ViInt32 cmdValue = -1;
    EXPECT_EQ(Zor_GetViInt32EntryFromString(c.key, &gFunctionTable, nullptr, nullptr, nullptr,
                                            nullptr, &cmdValue),
              c.expected);
    EXPECT_EQ(cmdValue, c.cmdValue);
  }
}

TEST_F(LookupTest, RangedRowsAreClosedIntervalsAndTheFirstMatchWins) {
  static RangeTableEntry rows[] = {
      {0.0, 10.0, 0.0, nullptr, 1}, {5.0, 20.0, 0.0, nullptr, 2}, ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_RANGED, VI_TRUE, VI_TRUE, nullptr, rows};
  struct Case {
    ViReal64 value;
    ViStatus expected;
    ViInt32 index;
  };
  const Case cases[] = {
      {7.0, VI_SUCCESS, 0},  {0.0, VI_SUCCESS, 0},  {10.0, VI_SUCCESS, 0},
      {20.0, VI_SUCCESS, 1},  {1e-15, VI_SUCCESS, 0},
      {20.1, ZOR_ERROR_INVALID_VALUE, -1}, {-0.1, ZOR_ERROR_INVALID_VALUE, -1},
      // Precision is relative to the value looked up: next to a bound of 0 it is not "close".
      {-1e-15, ZOR_ERROR_INVALID_VALUE, -1},
  };
  for (const Case& c : cases) {
    ViInt32 index = -1;
    EXPECT_EQ(Zor_GetViReal64EntryFromValue(c.value, &table, nullptr, nullptr, nullptr, &index,
                                            nullptr, nullptr),
              c.expected)
        << c.value;
    EXPECT_EQ(index, c.index) << c.value;
  }
}

TEST_F(LookupTest, ZeroEqualsATinyValue) {
  static RangeTableEntry rows[] = {{1e-14, 0.0, 0.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_DISCRETE, 0, 0, nullptr, rows};
  EXPECT_EQ(Zor_GetViReal64EntryFromValue(0.0, &table, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr),
            VI_SUCCESS);
}

TEST_F(LookupTest, Int32LookupsTruncateValueOutputsTowardZero) {
  static RangeTableEntry rows[] = {{0.5, 1.5, 1.7, nullptr, 1},
                                   {-3.0, -2.0, -2.7, nullptr, 2},
                                   ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable table{ZOR_RANGE_COERCED, 0, 0, nullptr, rows};
  ViInt32 min = 99;
  ViInt32 max = 99;
  ViInt32 coerced = 99;
  ASSERT_EQ(Zor_GetViInt32EntryFromValue(1, &table, &min, &max, &coerced, nullptr, nullptr,
                                         nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, 0);
  EXPECT_EQ(max, 1);
  EXPECT_EQ(coerced, 1);
  ASSERT_EQ(Zor_GetViInt32EntryFromValue(-2, &table, &min, &max, &coerced, nullptr, nullptr,
                                         nullptr),
            VI_SUCCESS);
  EXPECT_EQ(min, -3);
  EXPECT_EQ(max, -2);
  EXPECT_EQ(coerced, -2);
  // An integer key finds a coerced value only if the row's value is that integer.
  EXPECT_EQ(Zor_GetViInt32EntryFromCoercedVal(1, &table, nullptr, nullptr, nullptr, nullptr,
                                              nullptr),
            ZOR_ERROR_INVALID_VALUE);
  ViInt32 index = -1;
  EXPECT_EQ(Zor_GetViInt32EntryFromIndex(1, &table, &min, nullptr, nullptr, nullptr, &index),
            VI_SUCCESS);
  EXPECT_EQ(min, -3);
  EXPECT_EQ(index, 2);  // the row's cmdValue
}

TEST_F(LookupTest, Int64LookupsCompareExactly) {
  const ViInt64 twoTo53 = ViInt64{1} << 53;
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(VI_NULL, 3, ZOR_RANGE_RANGED, 0, 0, &table), VI_SUCCESS);
  ASSERT_EQ(Zor_SetRangeTableEntryViInt64(table, 0, 0, twoTo53 + 1, twoTo53 + 1, nullptr, 1),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetRangeTableEntryViInt64(table, 1, -10, -5, -7, nullptr, 2), VI_SUCCESS);
  struct Case {
    ViInt64 value;
    ViStatus expected;
    ViInt32 index;
  };
  const Case cases[] = {
      {twoTo53 + 1, VI_SUCCESS, 0},
      {twoTo53 + 2, ZOR_ERROR_INVALID_VALUE, -1},
      {0, VI_SUCCESS, 0},
      {-5, VI_SUCCESS, 1},
      {-11, ZOR_ERROR_INVALID_VALUE, -1},
  };
  for (const Case& c : cases) {
    ViInt32 index = -1;
    EXPECT_EQ(Zor_GetViInt64EntryFromValue(c.value, table, nullptr, nullptr, nullptr, &index,
                                           nullptr, nullptr),
              c.expected)
        << c.value;
    EXPECT_EQ(index, c.index) << c.value;
  }
  ViInt32 index = -1;
  EXPECT_EQ(Zor_GetViInt64EntryFromCoercedVal(twoTo53 + 1, table, nullptr, nullptr, &index,
                                              nullptr, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(index, 0);
  // A neighbour that would round to the same double is a different key.
  EXPECT_EQ(Zor_GetViInt64EntryFromCoercedVal(twoTo53, table, nullptr, nullptr, &index, nullptr,
                                              nullptr),
            ZOR_ERROR_INVALID_VALUE);
  ViInt64 low = 0;
  ViInt64 coerced = 0;
  EXPECT_EQ(Zor_GetViInt64EntryFromCmdValue(2, table, &low, nullptr, &coerced, &index, nullptr),
            VI_SUCCESS);
  EXPECT_EQ(low, -10);
  EXPECT_EQ(coerced, -7);
  EXPECT_EQ(index, 1);
  table->type = ZOR_RANGE_DISCRETE;  // only the low value counts now
  EXPECT_EQ(Zor_GetViInt64EntryFromValue(-10, table, nullptr, nullptr, nullptr, &index, nullptr,
                                         nullptr),
            VI_SUCCESS);
  EXPECT_EQ(Zor_GetViInt64EntryFromValue(-7, table, nullptr, nullptr, nullptr, &index, nullptr,
                                         nullptr),
            ZOR_ERROR_INVALID_VALUE);
  Zor_RangeTableFree(VI_NULL, table, VI_FALSE);
}

// Every lookup, called with `table` and a key that matches no row of gFunctionTable, and with
// every output requested.
std::vector<std::pair<const char*, std::function<ViStatus(RangeTablePtr)>>> AllLookups(
    ViReal64* real, ViInt32* int32, ViInt64* int64, ViString* cmd) {
  return {
      {"Real64 value", [=](RangeTablePtr t) { return Zor_GetViReal64EntryFromValue(9.0, t, real, real, real, int32, cmd, int32); }},
      {"Real64 string", [=](RangeTablePtr t) { return Zor_GetViReal64EntryFromString("X", t, real, real, real, int32, int32); }},
      {"Real64 index", [=](RangeTablePtr t) { return Zor_GetViReal64EntryFromIndex(3, t, real, real, real, cmd, int32); }},
      {"Real64 cmdValue", [=](RangeTablePtr t) { return Zor_GetViReal64EntryFromCmdValue(99, t, real, real, real, int32, cmd); }},
      {"Real64 coerced", [=](RangeTablePtr t) { return Zor_GetViReal64EntryFromCoercedVal(9.0, t, real, real, int32, cmd, int32); }},
      {"Int32 value", [=](RangeTablePtr t) { return Zor_GetViInt32EntryFromValue(9, t, int32, int32, int32, int32, cmd, int32); }},
      {"Int32 string", [=](RangeTablePtr t) { return Zor_GetViInt32EntryFromString("X", t, int32, int32, int32, int32, int32); }},
      {"Int32 index", [=](RangeTablePtr t) { return Zor_GetViInt32EntryFromIndex(-1, t, int32, int32, int32, cmd, int32); }},
      {"Int32 cmdValue", [=](RangeTablePtr t) { return Zor_GetViInt32EntryFromCmdValue(99, t, int32, int32, int32, int32, cmd); }},
      {"Int32 coerced", [=](RangeTablePtr t) { return Zor_GetViInt32EntryFromCoercedVal(9, t, int32, int32, int32, cmd, int32); }},
      {"Int64 value", [=](RangeTablePtr t) { return Zor_GetViInt64EntryFromValue(9, t, int64, int64, int64, int32, cmd, int32); }},
      {"Int64 string", [=](RangeTablePtr t) { return Zor_GetViInt64EntryFromString("X", t, int64, int64, int64, int32, int32); }},
      {"Int64 index", [=](RangeTablePtr t) { return Zor_GetViInt64EntryFromIndex(3, t, int64, int64, int64, cmd, int32); }},
      {"Int64 cmdValue", [=](RangeTablePtr t) { return Zor_GetViInt64EntryFromCmdValue(99, t, int64, int64, int64, int32, cmd); }},
      {"Int64 coerced", [=](RangeTablePtr t) { return Zor_GetViInt64EntryFromCoercedVal(9, t, int64, int64, int32, cmd, int32); }},
  };
}

TEST_F(LookupTest, FailuresAreRecordedOnTheThreadOnlyAndWriteNothing) {
  ViReal64 real = -123.0;
  ViInt32 int32 = -123;
  ViInt64 int64 = -123;
  char untouched[] = "untouched";
  ViString cmd = untouched;
  static RangeTableEntry noRows[] = {ZOR_RANGE_TABLE_LAST_ENTRY};
  RangeTable empty{ZOR_RANGE_DISCRETE, 0, 0, nullptr, noRows};
  RangeTable badType{7, 0, 0, nullptr, gFunctionRows};
  struct Case {
    const char* what;
    RangeTablePtr table;
    ViStatus expected;
  };
  const Case cases[] = {
      {"no table", nullptr, ZOR_ERROR_NO_RANGE_TABLE},
      {"no entries", &empty, ZOR_ERROR_INVALID_RANGE_TABLE},
      {"bad type", &badType, ZOR_ERROR_INVALID_RANGE_TABLE},
      {"no match", &gFunctionTable, ZOR_ERROR_INVALID_VALUE},
  };
  for (const auto& [name, lookup] : AllLookups(&real, &int32, &int64, &cmd)) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << name << ", " << c.what);
      EXPECT_EQ(lookup(c.table), c.expected);
      EXPECT_EQ(ReadError(VI_NULL).primary, c.expected);
      EXPECT_EQ(ReadError(vi_).primary, VI_SUCCESS);
    }
  }
  EXPECT_EQ(real, -123.0);
  EXPECT_EQ(int32, -123);
  EXPECT_EQ(int64, -123);
  EXPECT_EQ(cmd, untouched);
}

TEST_F(LookupTest, IndexMustLieAmongTheEntries) {
  for (ViInt32 index : {-1, 3, 100}) {
    EXPECT_EQ(Zor_GetViReal64EntryFromIndex(index, &gFunctionTable, nullptr, nullptr, nullptr,
                                            nullptr, nullptr),
              ZOR_ERROR_INVALID_VALUE)
        << index;
  }
  EXPECT_EQ(Zor_GetViReal64EntryFromIndex(2, &gFunctionTable, nullptr, nullptr, nullptr, nullptr,
                                          nullptr),
            VI_SUCCESS);
}

// ---- Freeing ----

TEST_F(RangeTableTest, FreeingNoTableSucceedsButRecordsIt) {
  EXPECT_EQ(Zor_RangeTableFree(vi_, nullptr, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_INVALID_RANGE_TABLE);
  ClearErrors();
  EXPECT_EQ(Zor_RangeTableFree(VI_NULL, nullptr, VI_FALSE), VI_SUCCESS);
  EXPECT_EQ(ReadError(VI_NULL).primary, ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(Zor_RangeTableFree(kNoSuchSession, nullptr, VI_FALSE), VI_SUCCESS);
}

TEST_F(RangeTableTest, FreeingCommandStringsReleasesEverySessionBlock) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(vi_, 4, ZOR_RANGE_DISCRETE, 0, 0, &table), VI_SUCCESS);
  for (ViInt32 i : {0, 2}) {  // row 1 keeps a NULL command string
    ViAddr text = nullptr;
    ASSERT_EQ(Zor_Alloc(vi_, 8, &text), VI_SUCCESS);
    ASSERT_EQ(Zor_SetRangeTableEntry(table, i, i, 0, 0, static_cast<ViString>(text), i),
              VI_SUCCESS);
  }
  EXPECT_EQ(SessionBlockCount(vi_), 4);
  EXPECT_EQ(Zor_RangeTableFree(vi_, table, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(SessionBlockCount(vi_), 0);
  EXPECT_EQ(ReadError(vi_).primary, VI_SUCCESS);
}

TEST_F(RangeTableTest, FreeingHeapTableWithHeapStrings) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(VI_NULL, 3, ZOR_RANGE_DISCRETE, 0, 0, &table), VI_SUCCESS);
  for (ViInt32 i : {0, 1}) {
    auto* text = static_cast<ViString>(std::malloc(4));
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(Zor_SetRangeTableEntry(table, i, i, 0, 0, text, i), VI_SUCCESS);
  }
  EXPECT_EQ(Zor_RangeTableFree(VI_NULL, table, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(ReadError(VI_NULL).primary, VI_SUCCESS);
}

TEST_F(RangeTableTest, AForeignCommandStringStopsTheRelease) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(vi_, 3, ZOR_RANGE_DISCRETE, 0, 0, &table), VI_SUCCESS);
  ASSERT_EQ(Zor_SetRangeTableEntry(table, 0, 1, 0, 0, kVolt, 0), VI_SUCCESS);  // static text
  EXPECT_EQ(Zor_RangeTableFree(vi_, table, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_UNKNOWN_MEMORY_POINTER);
  EXPECT_EQ(SessionBlockCount(vi_), 2);  // nothing was freed
  EXPECT_EQ(NumEntries(table), 2);      // and the table is still readable
  EXPECT_EQ(Zor_RangeTableFree(vi_, table, VI_FALSE), VI_SUCCESS);
  EXPECT_EQ(SessionBlockCount(vi_), 0);
}

TEST_F(RangeTableTest, AnInvalidTableKeepsItsCommandStrings) {
  RangeTablePtr table = nullptr;
  ASSERT_EQ(Zor_RangeTableNew(vi_, 2, ZOR_RANGE_DISCRETE, 0, 0, &table), VI_SUCCESS);
  table->type = 9;
  EXPECT_EQ(Zor_RangeTableFree(vi_, table, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_INVALID_RANGE_TABLE);
  EXPECT_EQ(SessionBlockCount(vi_), 2);
  EXPECT_EQ(Zor_RangeTableFree(vi_, table, VI_FALSE), VI_SUCCESS);  // without strings it goes
  EXPECT_EQ(SessionBlockCount(vi_), 0);
}

// ---- The table of an attribute ----

RangeTableEntry gLevelRows[] = {{0.0, 10.0, 0.0, nullptr, 0}, ZOR_RANGE_TABLE_LAST_ENTRY};
RangeTable gLevelTable = {ZOR_RANGE_RANGED, VI_TRUE, VI_TRUE, nullptr, gLevelRows};

// What the range-table callback saw, and what it answers.
struct CallbackProbe {
  int calls = 0;
  ViSession vi = 0;
  std::string repCapName = "(unset)";
  ViAttr attributeId = 0;
  ViStatus answer = VI_SUCCESS;
  RangeTablePtr table = &gFunctionTable;
  RangeTablePtr storedSeenInside = nullptr;
};
CallbackProbe gProbe;

ViStatus ProbeRangeTableCallback(ViSession vi, ViConstString repCapName, ViAttr attributeId,
                                 RangeTablePtr* rangeTable) {
  ++gProbe.calls;
  gProbe.vi = vi;
  gProbe.repCapName = repCapName != nullptr ? repCapName : "(null)";
  gProbe.attributeId = attributeId;
  // The session lock is held and recursive: the engine may be called again from here.
  Zor_GetStoredRangeTablePtr(vi, attributeId, &gProbe.storedSeenInside);
  *rangeTable = gProbe.table;
  return gProbe.answer;
}

class AttrRangeTableTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    gProbe = CallbackProbe{};
    ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kVoltage, "Voltage", 0.0, 0, nullptr, nullptr,
                                       nullptr, 0),
              VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kLevel, "Level", 0.0, 0, nullptr, nullptr,
                                       &gLevelTable, 0),
              VI_SUCCESS);
  }
};

TEST_F(AttrRangeTableTest, GivesTheStoredTableOrNone) {
  RangeTablePtr table = &gFunctionTable;
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, nullptr, kVoltage, &table), VI_SUCCESS);
  EXPECT_EQ(table, nullptr);
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, "", kLevel, &table), VI_SUCCESS);
  EXPECT_EQ(table, &gLevelTable);
  EXPECT_EQ(ReadError(vi_).primary, VI_SUCCESS);
}

TEST_F(AttrRangeTableTest, TheCallbackChoosesUnderTheSessionLock) {
  ASSERT_EQ(Zor_SetAttrRangeTableCallback(vi_, kLevel, ProbeRangeTableCallback), VI_SUCCESS);
  RangeTablePtr table = nullptr;
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, nullptr, kLevel, &table), VI_SUCCESS);
  EXPECT_EQ(table, &gFunctionTable);  // the callback wins over the stored table
  EXPECT_EQ(gProbe.calls, 1);
  EXPECT_EQ(gProbe.vi, vi_);
  EXPECT_EQ(gProbe.repCapName, "(null)");
  EXPECT_EQ(gProbe.attributeId, kLevel);
  EXPECT_EQ(gProbe.storedSeenInside, &gLevelTable);
}

TEST_F(AttrRangeTableTest, TheCallbackGetsThePhysicalInstanceName) {
  ASSERT_EQ(Zor_BuildRepCapTable(vi_, "Output", "Out1,Out2"), VI_SUCCESS);
  constexpr ViAttr kOffset = 1200010;
  ASSERT_EQ(Zor_AddRepeatedAttributeViReal64(vi_, "Output", kOffset, "Offset", 0.0, 0, nullptr,
                                             nullptr, nullptr, 0),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttrRangeTableCallback(vi_, kOffset, ProbeRangeTableCallback), VI_SUCCESS);
  RangeTablePtr table = nullptr;
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, "out2", kOffset, &table), VI_SUCCESS);
  EXPECT_EQ(gProbe.repCapName, "Out2");
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, nullptr, kOffset, &table),
            ZOR_ERROR_REPCAP_NAME_REQUIRED);
}

TEST_F(AttrRangeTableTest, CallbackStatusesAreRecorded) {
  ASSERT_EQ(Zor_SetAttrRangeTableCallback(vi_, kLevel, ProbeRangeTableCallback), VI_SUCCESS);
  const ViStatus kWarning = 0x3FFA0065;
  gProbe.answer = kWarning;
  RangeTablePtr table = nullptr;
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, nullptr, kLevel, &table), kWarning);
  EXPECT_EQ(table, &gFunctionTable);
  EXPECT_EQ(ReadError(vi_).primary, kWarning);

  const ViStatus kFailure = static_cast<ViStatus>(0xBFFC0011);
  gProbe.answer = kFailure;
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, nullptr, kLevel, &table), kFailure);
  const RecordedError error = ReadError(vi_);
  EXPECT_EQ(error.primary, kFailure);
  EXPECT_EQ(error.elaboration, "Attribute: Level");
}

TEST_F(AttrRangeTableTest, LookupFailuresAreRecordedWithTheAttribute) {
  struct Case {
    ViSession vi;
    const char* repCapName;
    ViAttr attributeId;
    ViStatus expected;
  };
  const Case cases[] = {
      {vi_, nullptr, 1299999, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN},
      {vi_, "CH1", kLevel, ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED},
      {kNoSuchSession, nullptr, kLevel, ZOR_ERROR_INVALID_SESSION_HANDLE},
  };
  for (const Case& c : cases) {
    RangeTablePtr table = &gLevelTable;
    EXPECT_EQ(Zor_GetAttrRangeTable(c.vi, c.repCapName, c.attributeId, &table), c.expected);
    EXPECT_EQ(table, &gLevelTable);
    EXPECT_EQ(ReadError(c.vi == vi_ ? vi_ : VI_NULL).primary, c.expected);
    ClearErrors();
  }
  RangeTablePtr table = nullptr;
  EXPECT_EQ(Zor_GetAttrRangeTable(vi_, "CH1", kLevel, &table), ZOR_ERROR_REPCAP_NAME_NOT_ALLOWED);
  EXPECT_EQ(ReadError(vi_).elaboration, "Attribute: Level, Channel: CH1");
}

TEST_F(AttrRangeTableTest, StoredPointerIsReadAndReplacedWithoutValidation) {
  ASSERT_EQ(Zor_SetAttrRangeTableCallback(vi_, kLevel, ProbeRangeTableCallback), VI_SUCCESS);
  RangeTablePtr table = nullptr;
  EXPECT_EQ(Zor_GetStoredRangeTablePtr(vi_, kLevel, &table), VI_SUCCESS);
  EXPECT_EQ(table, &gLevelTable);
  EXPECT_EQ(gProbe.calls, 0);  // the callback is not consulted

  RangeTable invalid{5, 0, 0, nullptr, gLevelRows};
  EXPECT_EQ(Zor_SetStoredRangeTablePtr(vi_, kLevel, &invalid), VI_SUCCESS);
  EXPECT_EQ(Zor_GetStoredRangeTablePtr(vi_, kLevel, &table), VI_SUCCESS);
  EXPECT_EQ(table, &invalid);
  EXPECT_EQ(Zor_SetStoredRangeTablePtr(vi_, kLevel, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_GetStoredRangeTablePtr(vi_, kLevel, &table), VI_SUCCESS);
  EXPECT_EQ(table, nullptr);
  EXPECT_EQ(ReadError(vi_).primary, VI_SUCCESS);

  EXPECT_EQ(Zor_SetStoredRangeTablePtr(vi_, 1299999, &gLevelTable),
            ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(Zor_GetStoredRangeTablePtr(vi_, 1299999, &table), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(ReadError(vi_).primary, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  ClearErrors();
  EXPECT_EQ(Zor_GetStoredRangeTablePtr(kNoSuchSession, kLevel, &table),
            ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(ReadError(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

}  // namespace
}  // namespace zor::test
