#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "status_codes.h"
#include "zorbase.h"

namespace zor::test {
namespace {

TEST(ZorThreadVar, ValuesArePerThreadAndNullUntilSet) {
  ViAddr var = nullptr;
  ASSERT_EQ(ZorThreadVar_New(0, &var), 0);
  ASSERT_NE(var, nullptr);
  ViAddr value = reinterpret_cast<ViAddr>(0x1);
  ZorThreadVar_GetValueViAddr(var, &value);
  EXPECT_EQ(value, nullptr);
  int mine = 0;
  ZorThreadVar_SetValueViAddr(var, &mine);
  std::thread other([var] {
    ViAddr seen = reinterpret_cast<ViAddr>(0x1);
    ZorThreadVar_GetValueViAddr(var, &seen);
    EXPECT_EQ(seen, nullptr);
    int theirs = 0;
    ZorThreadVar_SetValueViAddr(var, &theirs);
    ZorThreadVar_GetValueViAddr(var, &seen);
    EXPECT_EQ(seen, &theirs);
  });
  other.join();
  ZorThreadVar_GetValueViAddr(var, &value);
  EXPECT_EQ(value, &mine);
  ZorThreadVar_Dispose(var);
}

TEST(ZorThreadVar, BadArguments) {
  EXPECT_EQ(ZorThreadVar_New(0, nullptr), kNullPointer);
  ZorThreadVar_Dispose(nullptr);
  ZorThreadVar_SetValueViAddr(nullptr, nullptr);
  ViAddr value = reinterpret_cast<ViAddr>(0x1);
  ZorThreadVar_GetValueViAddr(nullptr, &value);
  EXPECT_EQ(value, nullptr);
  ViAddr var = nullptr;
  ASSERT_EQ(ZorThreadVar_New(0, &var), 0);
  ZorThreadVar_GetValueViAddr(var, nullptr);  // nowhere to write: nothing happens
  ZorThreadVar_Dispose(var);
}

TEST(ZorMultithreadLock, RecursiveForTheOwnerExclusiveForOthers) {
  ViAddr lock = nullptr;
  ASSERT_EQ(ZorMultithreadLock_New(&lock), 0);
  ASSERT_NE(lock, nullptr);
  ZorMultithreadLock_Acquire(lock);
  ZorMultithreadLock_Acquire(lock);

  std::mutex m;
  std::condition_variable cv;
  bool started = false;
  std::atomic<bool> acquired{false};
  std::thread other([&] {
    {
      std::lock_guard<std::mutex> hold(m);
      started = true;
    }
    cv.notify_all();
    ZorMultithreadLock_Acquire(lock);
    acquired = true;
    ZorMultithreadLock_Release(lock);
  });
  {
    std::unique_lock<std::mutex> wait(m);
    cv.wait(wait, [&] { return started; });
  }
  ZorMultithreadLock_Release(lock);
  EXPECT_FALSE(acquired.load());  // still held once by this thread
  ZorMultithreadLock_Release(lock);
  other.join();
  EXPECT_TRUE(acquired.load());
  ZorMultithreadLock_Dispose(lock);
}

TEST(ZorMultithreadLock, BadArguments) {
  EXPECT_EQ(ZorMultithreadLock_New(nullptr), kNullPointer);
  ZorMultithreadLock_Dispose(nullptr);
  ZorMultithreadLock_Acquire(nullptr);
  ZorMultithreadLock_Release(nullptr);
}

}  // namespace
}  // namespace zor::test
