#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/value.h"

namespace zor {
namespace {

TEST(Value, TextsAreOwnedCopies) {
  char source[] = "abc";
  Value slot = Value::OfText(source);
  source[0] = 'x';
  EXPECT_STREQ(slot.text(), "abc");
  Value copy;
  copy.Assign(slot, ZOR_TYPE_STRING);
  EXPECT_NE(copy.text(), slot.text());
  EXPECT_STREQ(copy.text(), "abc");
  copy.SetText(copy.text());  // assigning a slot its own text is safe
  EXPECT_STREQ(copy.text(), "abc");
  copy.SetText(nullptr);
  EXPECT_STREQ(copy.text(), "");
  Value moved = std::move(slot);
  EXPECT_STREQ(moved.text(), "abc");
  EXPECT_STREQ(Value().text(), "");
}

TEST(Value, ScalarsAreCopiedByType) {
  Value slot = Value::OfText("owned");
  slot.Assign(Value::OfInt64(-5), ZOR_TYPE_INT64);  // frees the text it held (ASan checks)
  EXPECT_EQ(slot.i64(), -5);
  EXPECT_STREQ(slot.text(), "");
}

TEST(CompareValues, GivesTheSignOfTheSecondMinusTheFirst) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  int anchor = 0;
  struct Case {
    const char* what;
    Value a;
    Value b;
    ViInt32 type;
    int expected;
  };
  Case cases[] = {
      {"int32 less", Value::OfInt32(-3), Value::OfInt32(2), ZOR_TYPE_INT32, 1},
      {"int32 equal", Value::OfInt32(7), Value::OfInt32(7), ZOR_TYPE_INT32, 0},
      {"int64 greater", Value::OfInt64(1LL << 40), Value::OfInt64(-1), ZOR_TYPE_INT64, -1},
      {"real", Value::OfReal64(1.5), Value::OfReal64(2.5), ZOR_TYPE_REAL64, 1},
      {"real infinities", Value::OfReal64(inf), Value::OfReal64(inf), ZOR_TYPE_REAL64, 0},
      {"two NaNs are equal", Value::OfReal64(nan), Value::OfReal64(nan), ZOR_TYPE_REAL64, 0},
      {"cached NaN, new number", Value::OfReal64(nan), Value::OfReal64(1.0), ZOR_TYPE_REAL64, 1},
      {"number, new NaN", Value::OfReal64(1.0), Value::OfReal64(nan), ZOR_TYPE_REAL64, 1},
      {"text", Value::OfText("abc"), Value::OfText("abd"), ZOR_TYPE_STRING, 1},
      {"text equal", Value::OfText("x"), Value::OfText("x"), ZOR_TYPE_STRING, 0},
      {"session unsigned", Value::OfSession(0xFFFFFFFFu), Value::OfSession(1), ZOR_TYPE_SESSION, -1},
      {"boolean", Value::OfBoolean(VI_TRUE), Value::OfBoolean(VI_FALSE), ZOR_TYPE_BOOLEAN, -1},
      {"addr", Value::OfAddr(&anchor), Value::OfAddr(&anchor), ZOR_TYPE_ADDR, 0},
      {"unknown type", Value::OfInt32(1), Value::OfInt32(2), 99, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareValues(c.a, c.b, c.type), c.expected) << c.what;
}

TEST(Value, StoredTypes) {
  for (ViInt32 type : {1, 2, 4, 5, 10, 11, 13}) EXPECT_TRUE(IsStoredType(type)) << type;
  for (ViInt32 type : {0, 3, 6, 12, 14, -1}) EXPECT_FALSE(IsStoredType(type)) << type;
}

}  // namespace
}  // namespace zor
