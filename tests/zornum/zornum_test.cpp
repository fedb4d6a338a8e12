#include "zornum.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

double FromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

TEST(ZorFloat, ConstantsAreBitExact) {
  EXPECT_EQ(Bits(ZorFloat_PosInf()), 0x7FF0000000000000ULL);
  EXPECT_EQ(Bits(ZorFloat_NegInf()), 0xFFF0000000000000ULL);
  EXPECT_EQ(Bits(ZorFloat_NaN()), 0x7FF8000000000001ULL);
}

struct Classification {
  const char* what;
  std::uint64_t bits;
  ViInt32 expected;
};

const Classification kCases[] = {
    {"library NaN", 0x7FF8000000000001ULL, ZOR_FLOAT_NAN},
    {"+inf", 0x7FF0000000000000ULL, ZOR_FLOAT_POS_INF},
    {"-inf", 0xFFF0000000000000ULL, ZOR_FLOAT_NEG_INF},
    {"quiet NaN, highest fraction bit only", 0x7FF8000000000000ULL, ZOR_FLOAT_NAN},
    {"negative quiet NaN, highest fraction bit only", 0xFFF8000000000000ULL, ZOR_FLOAT_NAN},
    {"signalling NaN, lowest fraction bit only", 0x7FF0000000000001ULL, ZOR_FLOAT_NAN},
    {"NaN, fraction bit only in the high word", 0x7FF0000100000000ULL, ZOR_FLOAT_NAN},
    {"+0", 0x0000000000000000ULL, ZOR_FLOAT_ORDINARY},
    {"-0", 0x8000000000000000ULL, ZOR_FLOAT_ORDINARY},
    {"smallest subnormal", 0x0000000000000001ULL, ZOR_FLOAT_ORDINARY},
    {"largest finite", 0x7FEFFFFFFFFFFFFFULL, ZOR_FLOAT_ORDINARY},
    {"most negative finite", 0xFFEFFFFFFFFFFFFFULL, ZOR_FLOAT_ORDINARY},
    {"one", 0x3FF0000000000000ULL, ZOR_FLOAT_ORDINARY},
};

TEST(ZorFloat, GetTypeClassifiesByBits) {
  for (const auto& c : kCases) {
    EXPECT_EQ(ZorFloat_GetType(FromBits(c.bits)), c.expected) << c.what;
  }
}

TEST(ZorFloat, GetTypeOfLibraryConstants) {
  EXPECT_EQ(ZorFloat_GetType(ZorFloat_NaN()), ZOR_FLOAT_NAN);
  EXPECT_EQ(ZorFloat_GetType(ZorFloat_PosInf()), ZOR_FLOAT_POS_INF);
  EXPECT_EQ(ZorFloat_GetType(ZorFloat_NegInf()), ZOR_FLOAT_NEG_INF);
  EXPECT_EQ(ZorFloat_GetType(std::numeric_limits<double>::signaling_NaN()), ZOR_FLOAT_NAN);
}

}  // namespace
