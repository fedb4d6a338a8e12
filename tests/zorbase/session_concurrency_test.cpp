// Sessions used from many threads: waiters on a disposed session, lock-object lifetimes,
// mutual exclusion, and a stress run of creation, use and disposal.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "session_registry.h"
#include "status_codes.h"
#include "zorbase.h"

namespace zor::test {
namespace {

using base::LiveSessionLockCount;
using base::SessionReferenceCount;

// Waits (yielding, no sleeps) until `condition` holds.
template <typename Condition>
void WaitUntil(Condition condition) {
  while (!condition()) std::this_thread::yield();
}

TEST(SessionConcurrency, WaitersOnADisposedSessionFailAndTheLastOneFreesTheLock) {
  for (int waiterCount : {1, 4}) {
    const std::int64_t locksBefore = LiveSessionLockCount();
    ViSession vi = 0;
    ASSERT_EQ(ZorSession_New(&vi), 0);
    EXPECT_EQ(LiveSessionLockCount(), locksBefore + 1);
    ASSERT_EQ(ZorSession_Lock(vi, nullptr), 0);

    std::vector<std::thread> waiters;
    std::vector<ViStatus> results(static_cast<std::size_t>(waiterCount), 0);
    for (int i = 0; i < waiterCount; ++i) {
      waiters.emplace_back([&, i] { results[static_cast<std::size_t>(i)] = ZorSession_Lock(vi, nullptr); });
    }
    // One reference for the record, one for the level this thread holds, one per waiter
    // blocked on the session lock.
    WaitUntil([&] { return SessionReferenceCount(vi) == static_cast<std::uint32_t>(2 + waiterCount); });

    // Disposed while this thread still holds its lock level: disposal releases it.
    ASSERT_EQ(ZorSession_Dispose(vi), 0);
    for (auto& waiter : waiters) waiter.join();
    for (ViStatus result : results) EXPECT_EQ(result, kInvalidSession);
    EXPECT_EQ(SessionReferenceCount(vi), 0u);
    EXPECT_EQ(LiveSessionLockCount(), locksBefore);
    EXPECT_EQ(ZorSession_Lock(vi, nullptr), kInvalidSession);
  }
}

TEST(SessionConcurrency, LockIsExclusiveAcrossThreadsUntilTheLastUnlock) {
  ViSession vi = 0;
  ASSERT_EQ(ZorSession_New(&vi), 0);
  ViBoolean held = VI_FALSE;
  ASSERT_EQ(ZorSession_Lock(vi, &held), 0);
  ASSERT_EQ(ZorSession_Lock(vi, nullptr), 0);
  std::atomic<int> released{0};
  std::thread other([&] {
    EXPECT_EQ(ZorSession_Lock(vi, nullptr), 0);
    EXPECT_EQ(released.load(), 2);  // only after both levels were released
    EXPECT_EQ(ZorSession_Unlock(vi, nullptr), 0);
  });
  // The record, this thread's two levels, and the other thread waiting.
  WaitUntil([&] { return SessionReferenceCount(vi) == 4; });
  released = 1;
  ASSERT_EQ(ZorSession_Unlock(vi, nullptr), 0);
  released = 2;
  ASSERT_EQ(ZorSession_Unlock(vi, &held), 0);
  other.join();
  EXPECT_EQ(ZorSession_Dispose(vi), 0);
}

TEST(SessionConcurrency, CreatingUsingAndDisposingFromManyThreads) {
  constexpr int kWorkers = 4;
  constexpr int kRounds = 300;
  const std::int64_t locksBefore = LiveSessionLockCount();
  std::atomic<ViSession> latest{0};
  std::atomic<bool> done{false};
  std::mutex issuedGuard;
  std::vector<ViSession> issued;

  std::vector<std::thread> threads;
  for (int w = 0; w < kWorkers; ++w) {
    threads.emplace_back([&] {
      std::vector<ViSession> mine;
      for (int round = 0; round < kRounds; ++round) {
        ViSession vi = 0;
        ASSERT_EQ(ZorSession_New(&vi), 0);
        mine.push_back(vi);
        latest = vi;
        ASSERT_EQ(ZorSession_SetDataPtr(vi, &mine), 0);
        ASSERT_EQ(ZorSession_Lock(vi, nullptr), 0);
        ASSERT_EQ(ZorSession_SetError(vi, Status(0xBFFA000F), "worker"), 0);
        ASSERT_EQ(ZorSession_Unlock(vi, nullptr), 0);
        ASSERT_EQ(ZorSession_Dispose(vi), 0);
      }
      std::lock_guard<std::mutex> hold(issuedGuard);
      issued.insert(issued.end(), mine.begin(), mine.end());
    });
  }
  // Threads that hammer whatever session was created last, racing its disposal.
  std::atomic<long> successes{0};
  for (int h = 0; h < 2; ++h) {
    threads.emplace_back([&] {
      while (!done) {
        const ViSession vi = latest;
        const ViStatus lock = ZorSession_Lock(vi, nullptr);
        ASSERT_TRUE(lock == 0 || lock == kInvalidSession) << std::hex << lock;
        if (lock == 0) {
          ViAddr data = nullptr;
          ViStatus get = ZorSession_GetDataPtr(vi, &data);
          EXPECT_EQ(get, 0);  // held by this thread: it cannot be disposed meanwhile
          ASSERT_EQ(ZorSession_Unlock(vi, nullptr), 0);
          ++successes;
        }
        ViAddr data = nullptr;
        const ViStatus get = ZorSession_GetDataPtr(vi, &data);
        ASSERT_TRUE(get == 0 || get == kInvalidSession) << std::hex << get;
      }
    });
  }
  for (int w = 0; w < kWorkers; ++w) threads[static_cast<std::size_t>(w)].join();
  done = true;
  for (std::size_t t = kWorkers; t < threads.size(); ++t) threads[t].join();

  ASSERT_EQ(issued.size(), static_cast<std::size_t>(kWorkers * kRounds));
  std::sort(issued.begin(), issued.end());
  EXPECT_EQ(std::adjacent_find(issued.begin(), issued.end()), issued.end()) << "a handle was reused";
  EXPECT_EQ(LiveSessionLockCount(), locksBefore);
  ZorSession_ClearError(0);
}

}  // namespace
}  // namespace zor::test
