// Session memory and the engine's special values.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

#include "core/session.h"
#include "memory/special_values.h"
#include "zor.h"

namespace zor::test {
namespace {

constexpr ViSession kNoSuchSession = 0x7FFFFFF0;

ViStatus RecordedOn(ViSession vi) {
  ViStatus primary = 0;
  ViStatus secondary = 0;
  ViChar elaboration[256] = "";
  Zor_GetErrorInfo(vi, &primary, &secondary, elaboration);
  return primary;
}

std::uint64_t Bits(ViReal64 value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

class SessionMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(NewEngineSession(&vi_), VI_SUCCESS);
    ASSERT_EQ(NewEngineSession(&other_), VI_SUCCESS);
    Zor_ClearErrorInfo(VI_NULL);
  }
  void TearDown() override {
    // Disposal frees whatever blocks are left.
    EXPECT_EQ(Zor_Dispose(vi_), VI_SUCCESS);
    EXPECT_EQ(Zor_Dispose(other_), VI_SUCCESS);
    Zor_ClearErrorInfo(VI_NULL);
  }
  int BlockCount(ViSession vi) {
    SessionData* data = nullptr;
    EXPECT_EQ(LookupSession(vi, &data), VI_SUCCESS);
    if (data == nullptr || !data->memoryBlocks) return -1;  // no list at all
    return data->memoryBlocks->blocks().count();
  }

  ViSession vi_ = VI_NULL;
  ViSession other_ = VI_NULL;
};

TEST_F(SessionMemoryTest, BlocksAreZeroFilledAndFreedExactlyOnce) {
  EXPECT_EQ(BlockCount(vi_), -1);  // the list appears with the first block
  for (ViSession vi : {vi_, static_cast<ViSession>(VI_NULL)}) {
    ViAddr block = nullptr;
    ASSERT_EQ(Zor_Alloc(vi, 16, &block), VI_SUCCESS);
    ASSERT_NE(block, nullptr);
    const unsigned char zeros[16] = {};
    EXPECT_EQ(std::memcmp(block, zeros, sizeof zeros), 0);
    std::memset(block, 0xAB, 16);  // the caller owns the content
    EXPECT_EQ(Zor_Free(vi, block), VI_SUCCESS);
  }
  EXPECT_EQ(BlockCount(vi_), 0);
  EXPECT_EQ(RecordedOn(vi_), VI_SUCCESS);
}

TEST_F(SessionMemoryTest, FreeingAnUnknownBlockIsRefusedAndRecorded) {
  ViAddr mine = nullptr;
  ViAddr theirs = nullptr;
  ASSERT_EQ(Zor_Alloc(vi_, 8, &mine), VI_SUCCESS);
  ASSERT_EQ(Zor_Alloc(other_, 8, &theirs), VI_SUCCESS);

  EXPECT_EQ(Zor_Free(vi_, theirs), ZOR_ERROR_UNKNOWN_MEMORY_POINTER);
  EXPECT_EQ(RecordedOn(vi_), ZOR_ERROR_UNKNOWN_MEMORY_POINTER);
  std::memset(theirs, 1, 8);  // still usable
  EXPECT_EQ(BlockCount(other_), 1);

  int onTheStack = 0;
  EXPECT_EQ(Zor_Free(other_, &onTheStack), ZOR_ERROR_UNKNOWN_MEMORY_POINTER);
  EXPECT_EQ(RecordedOn(other_), ZOR_ERROR_UNKNOWN_MEMORY_POINTER);

  EXPECT_EQ(Zor_Free(vi_, mine), VI_SUCCESS);
  EXPECT_EQ(Zor_Free(vi_, mine), ZOR_ERROR_UNKNOWN_MEMORY_POINTER);  // already freed
  EXPECT_EQ(Zor_Free(other_, theirs), VI_SUCCESS);
  EXPECT_EQ(Zor_Free(vi_, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_Free(VI_NULL, nullptr), VI_SUCCESS);
}

TEST_F(SessionMemoryTest, FreeingFromTheMiddleKeepsTheOthers) {
  ViAddr blocks[3] = {};
  for (ViAddr& block : blocks) ASSERT_EQ(Zor_Alloc(vi_, 4, &block), VI_SUCCESS);
  EXPECT_EQ(Zor_Free(vi_, blocks[1]), VI_SUCCESS);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi_, &data), VI_SUCCESS);
  ASSERT_EQ(data->memoryBlocks->blocks().count(), 2);
  EXPECT_EQ(data->memoryBlocks->blocks()[1], blocks[0]);  // allocation order kept
  EXPECT_EQ(data->memoryBlocks->blocks()[2], blocks[2]);
}

TEST_F(SessionMemoryTest, BadSizesGiveNullAndNothingIsKept) {
  struct Case {
    ViInt32 size;
    ViStatus expected;
  };
  const Case cases[] = {
      {0, ZOR_ERROR_INVALID_PARAMETER},
      {-1, VI_ERROR_ALLOC},
      {std::numeric_limits<ViInt32>::min(), VI_ERROR_ALLOC},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    int sentinel = 0;
    ViAddr block = &sentinel;
    EXPECT_EQ(Zor_Alloc(vi_, c.size, &block), c.expected);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(RecordedOn(vi_), c.expected);  // recorded on the session
    Zor_ClearErrorInfo(VI_NULL);               // (and on the thread, as every record is)

    block = &sentinel;
    EXPECT_EQ(Zor_Alloc(VI_NULL, c.size, &block), c.expected);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(RecordedOn(VI_NULL), VI_SUCCESS);  // without a session nothing is recorded
  }
  EXPECT_EQ(BlockCount(vi_), -1);
}

TEST_F(SessionMemoryTest, FreeAllReleasesEverythingAndStartsAfresh) {
  ViAddr before = nullptr;
  ViAddr second = nullptr;
  ASSERT_EQ(Zor_Alloc(vi_, 32, &before), VI_SUCCESS);
  ASSERT_EQ(Zor_Alloc(vi_, 32, &second), VI_SUCCESS);
  EXPECT_EQ(Zor_FreeAll(vi_), VI_SUCCESS);
  EXPECT_EQ(BlockCount(vi_), -1);
  EXPECT_EQ(Zor_FreeAll(vi_), VI_SUCCESS);  // twice in a row is fine

  ViAddr after = nullptr;
  ASSERT_EQ(Zor_Alloc(vi_, 32, &after), VI_SUCCESS);
  EXPECT_EQ(BlockCount(vi_), 1);
  if (after != before) {  // the heap may hand the same address out again
    EXPECT_EQ(Zor_Free(vi_, before), ZOR_ERROR_UNKNOWN_MEMORY_POINTER);
  }
  EXPECT_EQ(Zor_Free(vi_, after), VI_SUCCESS);
  EXPECT_EQ(Zor_FreeAll(other_), VI_SUCCESS);  // a session that never allocated
}

TEST_F(SessionMemoryTest, DeadSessionsAreRefusedOnTheThread) {
  int sentinel = 0;
  ViAddr block = &sentinel;
  EXPECT_EQ(Zor_Alloc(kNoSuchSession, 8, &block), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(RecordedOn(VI_NULL), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(Zor_Free(kNoSuchSession, &sentinel), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(RecordedOn(VI_NULL), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(Zor_FreeAll(kNoSuchSession), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(RecordedOn(VI_NULL), ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(SessionMemoryTest, NoOutputMeansNoAllocation) {
  EXPECT_EQ(Zor_Alloc(VI_NULL, 8, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_Alloc(vi_, 8, nullptr), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(BlockCount(vi_), -1);
}

// ---- Special values ----

TEST(SpecialValueTest, PointersNameTheEngineConstants) {
  struct Case {
    ViInt32 valueType;
    std::uint64_t bits;
  };
  const Case cases[] = {
      {ZOR_FLOAT_POS_INF, 0x7FF0000000000000ULL}, {ZOR_FLOAT_NEG_INF, 0xFFF0000000000000ULL},
      {ZOR_FLOAT_NAN, 0x7FF8000000000001ULL},     {ZOR_FLOAT_ORDINARY, 0x7FF8000000000001ULL},
      {7, 0x7FF8000000000001ULL},                 {-1, 0x7FF8000000000001ULL},
  };
  for (const Case& c : cases) {
    const ViReal64* value = Zor_GetPtrToSpecialViReal64Value(c.valueType);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Bits(*value), c.bits) << c.valueType;
    EXPECT_EQ(Zor_GetPtrToSpecialViReal64Value(c.valueType), value);  // always the same place
  }
  EXPECT_EQ(Zor_GetPtrToSpecialViReal64Value(ZOR_FLOAT_NAN), &EngineNaN());
  EXPECT_EQ(Zor_GetPtrToSpecialViReal64Value(ZOR_FLOAT_POS_INF), &EnginePosInf());
  EXPECT_EQ(Zor_GetPtrToSpecialViReal64Value(ZOR_FLOAT_NEG_INF), &EngineNegInf());
}

TEST(SpecialValueTest, ClassifiesDoubles) {
  struct Case {
    ViReal64 value;
    ViInt32 expected;
  };
  const Case cases[] = {
      {1.5, ZOR_FLOAT_ORDINARY},
      {-0.0, ZOR_FLOAT_ORDINARY},
      {std::numeric_limits<ViReal64>::denorm_min(), ZOR_FLOAT_ORDINARY},
      {std::numeric_limits<ViReal64>::quiet_NaN(), ZOR_FLOAT_NAN},
      {std::numeric_limits<ViReal64>::infinity(), ZOR_FLOAT_POS_INF},
      {-std::numeric_limits<ViReal64>::infinity(), ZOR_FLOAT_NEG_INF},
      {*Zor_GetPtrToSpecialViReal64Value(ZOR_FLOAT_NAN), ZOR_FLOAT_NAN},
  };
  for (const Case& c : cases) {
    ViInt32 type = -1;
    EXPECT_EQ(Zor_GetViReal64Type(c.value, &type), VI_SUCCESS);
    EXPECT_EQ(type, c.expected) << c.value;
  }
  EXPECT_EQ(Zor_GetViReal64Type(1.0, nullptr), ZOR_ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace zor::test
