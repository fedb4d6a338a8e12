// Coercion records: what is recorded, the order records come out in, and the two readers.
// Records are made by calling RecordCoercion directly, as the set pipeline does after a
// coerce callback; the last tests go through the set pipeline itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "../core/engine_fixture.h"
#include "core/attribute.h"
#include "interchange/coercion.h"

namespace zor::test {
namespace {

constexpr ViSession kNoSuchSession = 0xFFFFF0u;

constexpr ViAttr kReal = 1250010;    // ViReal64 per channel (CH1..CH3)
constexpr ViAttr kInt = 1250011;     // ViInt32, not repeated
constexpr ViAttr kLong = 1250012;    // ViInt64, not repeated
constexpr ViAttr kText = 1250013;    // ViString
constexpr ViAttr kFlag = 1250014;    // ViBoolean
constexpr ViAttr kEarly = 1250001;   // ViReal64, not repeated, lowest id

struct Read {
  ViAttr id = 0;
  std::string name;
  std::string repCapName;
  ViInt32 type = 0;
  ViReal64 requested = 0.0;
  ViReal64 coerced = 0.0;
};

class CoercionTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    BuildTable(vi_, "Channel", {"CH1", "CH2", "CH3"});
    ASSERT_EQ(Zor_AddRepeatedAttributeViReal64(vi_, "Channel", kReal, "RANGE", 0.0, 0, nullptr, nullptr,
                                               nullptr, 0),
              VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViInt32(vi_, kInt, "COUNT", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViInt64(vi_, kLong, "POINTS", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViString(vi_, kText, "LABEL", "", 0, nullptr, nullptr), VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViBoolean(vi_, kFlag, "ENABLED", VI_FALSE, 0, nullptr, nullptr), VI_SUCCESS);
    ASSERT_EQ(Zor_AddAttributeViReal64(vi_, kEarly, "EARLY", 0.0, 0, nullptr, nullptr, nullptr, 0), VI_SUCCESS);
    Data(vi_).recordCoercions = VI_TRUE;
  }

  AttributeRecord& Record(ViAttr id) { return *FindOwnAttribute(Data(vi_), id); }
  AttributeInstance& Instance(ViAttr id, ViInt32 position = 1) { return *Record(id).instances[position]; }

  ViStatus Real(ViAttr id, ViInt32 position, ViReal64 requested, ViReal64 coerced) {
    return RecordCoercion(Record(id), Instance(id, position), Value::OfReal64(requested), Value::OfReal64(coerced));
  }

  ViInt32 Count(ViAttr id) {
    const auto& records = Record(id).coercionRecords;
    return records ? records->count() : 0;
  }

  Read Next() {
    Read read;
    ViConstString name = nullptr;
    ViConstString repCapName = nullptr;
    EXPECT_EQ(Zor_GetNextCoercionInfo(vi_, &read.id, &name, &repCapName, &read.type, &read.requested,
                                      &read.coerced),
              VI_SUCCESS);
    read.name = name != nullptr ? name : "(null)";
    read.repCapName = repCapName != nullptr ? repCapName : "(null)";
    return read;
  }

  // Reads every remaining record as (attribute, channel, requested, coerced) texts.
  std::vector<std::string> Drain() {
    std::vector<std::string> out;
    for (Read read = Next(); read.id != static_cast<ViAttr>(-1); read = Next()) {
      out.push_back(std::to_string(read.id) + " " + read.repCapName + " " + std::to_string(read.requested) +
                    " " + std::to_string(read.coerced));
    }
    return out;
  }
};

TEST_F(CoercionTest, WhatIsRecorded) {
  const ViReal64 nan = std::numeric_limits<ViReal64>::quiet_NaN();
  struct Case {
    const char* what;
    ViAttr id;
    Value requested;
    Value coerced;
    bool switchOn;
    bool recorded;
  };
  Case cases[] = {
      {"real changed", kReal, Value::OfReal64(0.7), Value::OfReal64(1.0), true, true},
      {"real unchanged", kReal, Value::OfReal64(0.7), Value::OfReal64(0.7), true, false},
      {"switch off", kReal, Value::OfReal64(0.7), Value::OfReal64(1.0), false, false},
      {"negative zero equals zero", kReal, Value::OfReal64(-0.0), Value::OfReal64(0.0), true, false},
      {"NaN kept", kReal, Value::OfReal64(nan), Value::OfReal64(nan), true, false},
      {"NaN replaced by a number", kReal, Value::OfReal64(nan), Value::OfReal64(1.0), true, true},
      {"number replaced by NaN", kReal, Value::OfReal64(1.0), Value::OfReal64(nan), true, true},
      {"int32 changed", kInt, Value::OfInt32(3), Value::OfInt32(5), true, true},
      {"int32 unchanged", kInt, Value::OfInt32(3), Value::OfInt32(3), true, false},
      {"int64 changed", kLong, Value::OfInt64(5000000000), Value::OfInt64(4000000000), true, true},
      {"int64 differing above 32 bits", kLong, Value::OfInt64(1), Value::OfInt64(1 + (ViInt64{1} << 32)), true, true},
      {"text", kText, Value::OfText("a"), Value::OfText("b"), true, false},
      {"boolean", kFlag, Value::OfBoolean(2), Value::OfBoolean(1), true, false},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    Data(vi_).recordCoercions = c.switchOn ? VI_TRUE : VI_FALSE;
    Data(vi_).coercionCursor = &Record(kEarly);
    const ViInt32 before = Count(c.id);
    EXPECT_EQ(RecordCoercion(Record(c.id), Instance(c.id), c.requested, c.coerced), VI_SUCCESS);
    EXPECT_EQ(Count(c.id), before + (c.recorded ? 1 : 0));
    // A new record sends the readers back to the first attribute that has any.
    EXPECT_EQ(Data(vi_).coercionCursor, c.recorded ? nullptr : &Record(kEarly));
  }
  EXPECT_EQ(Record(kText).coercionRecords, nullptr);
  EXPECT_EQ(Record(kFlag).coercionRecords, nullptr);
}

TEST_F(CoercionTest, RecordsComeOutByAttributeThenInstanceThenValues) {
  ASSERT_EQ(Real(kReal, 2, 0.7, 1.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 1, 0.3, 0.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 2, 0.7, 1.0), VI_SUCCESS);  // the same coercion once more: kept once
  ASSERT_EQ(Real(kReal, 1, 0.2, 0.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 3, 0.2, 0.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 2, 0.7, 0.5), VI_SUCCESS);  // same request, another result
  ASSERT_EQ(Real(kEarly, 1, 9.0, 10.0), VI_SUCCESS);
  EXPECT_EQ(Count(kReal), 5);
  const std::vector<std::string> expected = {
      "1250001  9.000000 10.000000",     "1250010 CH1 0.200000 0.000000", "1250010 CH1 0.300000 0.000000",
      "1250010 CH2 0.700000 0.500000",   "1250010 CH2 0.700000 1.000000", "1250010 CH3 0.200000 0.000000",
  };
  EXPECT_EQ(Drain(), expected);
  EXPECT_EQ(Data(vi_).coercionCursor, nullptr);
}

TEST_F(CoercionTest, NaNRequestsKeepAConsistentOrder) {
  const ViReal64 nan = std::numeric_limits<ViReal64>::quiet_NaN();
  ASSERT_EQ(Real(kReal, 1, nan, 1.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 1, 2.0, 1.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 1, nan, 1.0), VI_SUCCESS);  // equal to the first: not stored again
  ASSERT_EQ(Real(kReal, 1, -1.0, 1.0), VI_SUCCESS);
  ASSERT_EQ(Count(kReal), 3);
  EXPECT_EQ(Next().requested, -1.0);
  EXPECT_EQ(Next().requested, 2.0);
  EXPECT_TRUE(std::isnan(Next().requested));
}

TEST_F(CoercionTest, TheCursorStaysOnTheAttributeBeingRead) {
  ASSERT_EQ(Real(kReal, 1, 0.3, 0.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 2, 0.3, 0.0), VI_SUCCESS);
  ASSERT_EQ(Real(kEarly, 1, 1.5, 2.0), VI_SUCCESS);
  // A cursor left on an attribute with records wins over the attribute order...
  Data(vi_).coercionCursor = &Record(kReal);
  EXPECT_EQ(Next().id, kReal);
  EXPECT_EQ(Data(vi_).coercionCursor, &Record(kReal));
  // ...until a new record clears it.
  ASSERT_EQ(Real(kEarly, 1, 2.5, 2.0), VI_SUCCESS);
  EXPECT_EQ(Next().id, kEarly);
  EXPECT_EQ(Next().id, kEarly);
  EXPECT_EQ(Data(vi_).coercionCursor, nullptr);  // that attribute is used up
  EXPECT_EQ(Next().repCapName, "CH2");
  // Records go with their attribute.
  ASSERT_EQ(Real(kReal, 3, 0.3, 0.0), VI_SUCCESS);
  ASSERT_EQ(Zor_DeleteAttribute(vi_, kReal), VI_SUCCESS);
  EXPECT_EQ(Next().id, static_cast<ViAttr>(-1));
}

TEST_F(CoercionTest, InfoReportsEveryField) {
  ASSERT_EQ(Real(kReal, 2, 0.7, 1.0), VI_SUCCESS);
  ASSERT_EQ(RecordCoercion(Record(kInt), Instance(kInt), Value::OfInt32(-3), Value::OfInt32(5)), VI_SUCCESS);
  ASSERT_EQ(RecordCoercion(Record(kLong), Instance(kLong), Value::OfInt64(5000000001), Value::OfInt64(-7)),
            VI_SUCCESS);
  struct Expected {
    ViAttr id;
    const char* name;
    const char* repCapName;
    ViInt32 type;
    ViReal64 requested;
    ViReal64 coerced;
  };
  const Expected expected[] = {
      {kReal, "RANGE", "CH2", ZOR_TYPE_REAL64, 0.7, 1.0},
      {kInt, "COUNT", "", ZOR_TYPE_INT32, -3.0, 5.0},
      {kLong, "POINTS", "", ZOR_TYPE_INT64, 5000000001.0, -7.0},
      {static_cast<ViAttr>(-1), "(null)", "(null)", ZOR_TYPE_ANY, 0.0, 0.0},  // nothing left
  };
  for (const auto& e : expected) {
    const Read read = Next();
    EXPECT_EQ(read.id, e.id);
    EXPECT_EQ(read.name, e.name);
    EXPECT_EQ(read.repCapName, e.repCapName);
    EXPECT_EQ(read.type, e.type);
    EXPECT_EQ(read.requested, e.requested);
    EXPECT_EQ(read.coerced, e.coerced);
  }
  // The returned name is the engine's own copy.
  ASSERT_EQ(Real(kReal, 1, 0.7, 1.0), VI_SUCCESS);
  ViConstString name = nullptr;
  ASSERT_EQ(Zor_GetNextCoercionInfo(vi_, nullptr, &name, nullptr, nullptr, nullptr, nullptr), VI_SUCCESS);
  EXPECT_EQ(name, Record(kReal).name.c_str());
  EXPECT_EQ(TakeErrorInfo(vi_).primary, VI_SUCCESS);
}

TEST_F(CoercionTest, InfoFailures) {
  ASSERT_EQ(Real(kReal, 2, 0.7, 1.0), VI_SUCCESS);
  ViInt32 type = 0;
  EXPECT_EQ(Zor_GetNextCoercionInfo(vi_, nullptr, nullptr, nullptr, &type, nullptr, nullptr),
            ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Count(kReal), 1);  // nothing consumed
  ViAttr id = 0;
  EXPECT_EQ(Zor_GetNextCoercionInfo(kNoSuchSession, &id, nullptr, nullptr, nullptr, nullptr, nullptr),
            ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(CoercionTest, SentencesByType) {
  ASSERT_EQ(Real(kReal, 1, 0.7, 1.0), VI_SUCCESS);
  ASSERT_EQ(RecordCoercion(Record(kInt), Instance(kInt), Value::OfInt32(-3), Value::OfInt32(2147483647)),
            VI_SUCCESS);
  ASSERT_EQ(RecordCoercion(Record(kLong), Instance(kLong), Value::OfInt64(5000000000), Value::OfInt64(-4)),
            VI_SUCCESS);
  ASSERT_EQ(Real(kEarly, 1, -1.5e-300, 2.0e10), VI_SUCCESS);
  const std::vector<std::string> expected = {
      "Attribute EARLY coerced from -1.500000e-300 to 2.000000e+10.",
      "Attribute RANGE on CH1 coerced from 7.000000e-01 to 1.000000e+00.",
      "Attribute COUNT coerced from -3 to 2147483647.",
      "Attribute POINTS coerced from 5000000000 to -4.",
  };
  for (const auto& sentence : expected) {
    char buffer[128] = "";
    EXPECT_EQ(Zor_GetNextCoercionString(vi_, static_cast<ViInt32>(sizeof buffer), buffer), VI_SUCCESS);
    EXPECT_EQ(buffer, sentence);
  }
}

TEST_F(CoercionTest, SentenceCopyOut) {
  const std::string sentence = "Attribute RANGE on CH2 coerced from 7.000000e-01 to 1.000000e+00.";
  const auto needed = static_cast<ViInt32>(sentence.size() + 1);
  ASSERT_EQ(Real(kReal, 2, 0.7, 1.0), VI_SUCCESS);
  ASSERT_EQ(Real(kReal, 3, 0.7, 1.0), VI_SUCCESS);
  ASSERT_EQ(Real(kEarly, 1, 0.7, 1.0), VI_SUCCESS);
  // Looking does not consume, and it keeps the readers on the attribute looked at.
  Data(vi_).coercionCursor = &Record(kReal);
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, 0, nullptr), needed);
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, 0, nullptr), needed);
  EXPECT_EQ(Count(kReal), 2);
  EXPECT_EQ(Data(vi_).coercionCursor, &Record(kReal));

  std::string buffer(static_cast<std::size_t>(needed), '#');
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, needed, buffer.data()), VI_SUCCESS);
  EXPECT_STREQ(buffer.c_str(), sentence.c_str());
  EXPECT_EQ(Count(kReal), 1);

  // A short buffer takes the start of the text, and the record is gone all the same.
  char small[10];
  std::fill(std::begin(small), std::end(small), '#');
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, 10, small), needed);
  EXPECT_STREQ(small, "Attribute");
  EXPECT_EQ(Count(kReal), 0);

  // No limit at all.
  char big[256];
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, -1, big), VI_SUCCESS);
  EXPECT_STREQ(big, "Attribute EARLY coerced from 7.000000e-01 to 1.000000e+00.");

  // Nothing left: the empty text.
  char rest[8] = "stale";
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, 0, nullptr), 1);
  EXPECT_EQ(Zor_GetNextCoercionString(vi_, static_cast<ViInt32>(sizeof rest), rest), VI_SUCCESS);
  EXPECT_STREQ(rest, "");
  EXPECT_EQ(TakeErrorInfo(vi_).primary, VI_SUCCESS);
}

TEST_F(CoercionTest, SentenceFailures) {
  ASSERT_EQ(Real(kReal, 2, 0.7, 1.0), VI_SUCCESS);
  for (const ViInt32 size : {10, -1}) {
    EXPECT_EQ(Zor_GetNextCoercionString(vi_, size, nullptr), ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(TakeErrorInfo(vi_).primary, ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(Count(kReal), 1);
  char buffer[16];
  EXPECT_EQ(Zor_GetNextCoercionString(kNoSuchSession, 16, buffer), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

// ---- Through the set pipeline ----

RangeTableEntry gCoercedRows[] = {
    {0.0, 0.5, 0.0, const_cast<char*>(""), 0},
    {0.5, 1.0, 1.0, const_cast<char*>(""), 0},
    ZOR_RANGE_TABLE_LAST_ENTRY,
};
RangeTable gCoercedTable = {ZOR_RANGE_COERCED, VI_TRUE, VI_TRUE, nullptr, gCoercedRows};

constexpr ViAttr kCoerced = 1250020;  // ViReal64 per channel over the coerced table

ViStatus LeaveUnchanged(ViSession, ViConstString, ViAttr, ViReal64 value, ViReal64* coerced) {
  *coerced = value;
  return VI_SUCCESS;
}

TEST_F(CoercionTest, SetsRecordWhatTheCoercedTableChanged) {
  ASSERT_EQ(Zor_AddRepeatedAttributeViReal64(vi_, "Channel", kCoerced, "LEVEL", 0.0, 0, nullptr, nullptr,
                                             &gCoercedTable, 0),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH2", kCoerced, 0, 0.7), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH1", kCoerced, 0, 0.3), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH1", kCoerced, 0, 0.3), VI_SUCCESS);  // recorded once
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH3", kCoerced, 0, 1.0), VI_SUCCESS);  // not changed
  EXPECT_EQ(Drain(), (std::vector<std::string>{"1250020 CH1 0.300000 0.000000", "1250020 CH2 0.700000 1.000000"}));

  // Switched off, nothing more is recorded; what was recorded stays.
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH2", kCoerced, 0, 0.6), VI_SUCCESS);
  Data(vi_).recordCoercions = VI_FALSE;
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH3", kCoerced, 0, 0.1), VI_SUCCESS);
  EXPECT_EQ(Drain(), std::vector<std::string>{"1250020 CH2 0.600000 1.000000"});
}

TEST_F(CoercionTest, SetsWithoutACoercionRecordNothing) {
  ASSERT_EQ(Zor_AddRepeatedAttributeViReal64(vi_, "Channel", kCoerced, "LEVEL", 0.0, 0, nullptr, nullptr,
                                             &gCoercedTable, 0),
            VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttrCoerceCallbackViReal64(vi_, kCoerced, &LeaveUnchanged), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH1", kCoerced, 0, 0.7), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttrCoerceCallbackViReal64(vi_, kCoerced, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_SetAttributeViReal64(vi_, "CH2", kCoerced, 0, 0.7), VI_SUCCESS);
  EXPECT_EQ(Count(kCoerced), 0);
}

}  // namespace
}  // namespace zor::test
