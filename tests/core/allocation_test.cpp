// Gets, sets and checks of attributes that are not texts allocate nothing. Every C++
// allocation of the process is counted here, the engine's and the support library's included.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine_fixture.h"

namespace {
std::atomic<long> gAllocations{0};
}  // namespace

// The replacements below pair malloc with free by design; GCC cannot see that through inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace zor::test {
namespace {

ViStatus WriteReal(ViSession, ViSession, ViConstString, ViAttr, ViReal64) { return VI_SUCCESS; }
ViStatus ReadReal(ViSession, ViSession, ViConstString, ViAttr, ViReal64* value) {
  *value += 1.0;
  return VI_SUCCESS;
}

using AllocationTest = EngineTest;

TEST_F(AllocationTest, NonTextValuesNeverAllocate) {
  BuildTable(vi_, "Channel", {"CH1", "CH2", "CH3", "CH4", "CH5", "CH6", "CH7", "CH8"});
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, 1, "cached", 0.0, 0, &ReadReal, &WriteReal, nullptr, 0), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViReal64(vi_, 2, "uncached", 0.0, ZOR_VAL_NEVER_CACHE, &ReadReal, &WriteReal, nullptr, 0),
            VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViInt32(vi_, 3, "per channel", 0, ZOR_VAL_CHANNEL_BASED, nullptr, nullptr, nullptr),
            VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViInt64(vi_, 4, "wide", 0, 0, nullptr, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeViBoolean(vi_, 5, "flag", VI_FALSE, 0, nullptr, nullptr), VI_SUCCESS);
  ASSERT_EQ(Zor_AddAttributeInvalidation(vi_, 1, 2, VI_TRUE), VI_SUCCESS);
  ViReal64 real = 0;
  ViInt32 narrow = 0;
  ViInt64 wide = 0;
  ViBoolean flag = 0;
  ASSERT_EQ(Zor_GetAttributeViReal64(vi_, nullptr, 1, 0, &real), VI_SUCCESS);  // first use warms up

  const long before = gAllocations.load();
  ASSERT_GT(before, 0) << "the counter sees the allocations of setting up";
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(Zor_GetAttributeViReal64(vi_, nullptr, 1, 0, &real), VI_SUCCESS);
    ASSERT_EQ(Zor_GetAttributeViReal64(vi_, nullptr, 2, ZOR_VAL_USER_CALL, &real), VI_SUCCESS);
    ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, 1, 0, static_cast<ViReal64>(i)), VI_SUCCESS);
    ASSERT_EQ(Zor_SetAttributeViReal64(vi_, nullptr, 1, 0, static_cast<ViReal64>(i)), VI_SUCCESS);
    ASSERT_EQ(Zor_SetAttributeViInt32(vi_, "CH5", 3, 0, i), VI_SUCCESS);
    ASSERT_EQ(Zor_GetAttributeViInt32(vi_, "ch5", 3, ZOR_VAL_USER_CALL, &narrow), VI_SUCCESS);
    ASSERT_EQ(Zor_SetAttributeViInt64(vi_, nullptr, 4, ZOR_VAL_CACHE_ONLY, i), VI_SUCCESS);
    ASSERT_EQ(Zor_GetAttributeViInt64(vi_, nullptr, 4, 0, &wide), VI_SUCCESS);
    ASSERT_EQ(Zor_SetAttributeViBoolean(vi_, nullptr, 5, 0, static_cast<ViBoolean>(i & 1)), VI_SUCCESS);
    ASSERT_EQ(Zor_GetAttributeViBoolean(vi_, nullptr, 5, 0, &flag), VI_SUCCESS);
    ASSERT_EQ(Zor_CheckAttributeViReal64(vi_, nullptr, 1, 0, 1.0), VI_SUCCESS);
  }
  EXPECT_EQ(gAllocations.load() - before, 0);
  EXPECT_EQ(narrow, 99);
}

}  // namespace
}  // namespace zor::test
