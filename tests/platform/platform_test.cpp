#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/dynamic_library.h"
#include "platform/library_lifecycle.h"
#include "platform/process_mutex.h"
#include "platform/recursive_lock.h"
#include "platform/thread_slot.h"

namespace zor::platform {
namespace {

TEST(DynamicLibrary, OpensFindsAndCloses) {
  DynamicLibrary library = DynamicLibrary::Open(TEST_MODULE_PATH);
  ASSERT_TRUE(library.loaded()) << library.lastError();
  using Answer = int (*)();
  auto answer = reinterpret_cast<Answer>(library.Find("test_module_answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(library.Find("no_such_symbol"), nullptr);
  EXPECT_EQ(library.Find(nullptr), nullptr);
  library.Close();
  EXPECT_FALSE(library.loaded());
  EXPECT_EQ(library.Find("test_module_answer"), nullptr);
}

TEST(DynamicLibrary, FailuresLeaveAnEmptyObjectWithAReason) {
  for (const char* name : {"/nonexistent/libnothing.so", "", static_cast<const char*>(nullptr)}) {
    DynamicLibrary library = DynamicLibrary::Open(name);
    EXPECT_FALSE(library.loaded());
    EXPECT_FALSE(library.lastError().empty());
  }
}

TEST(DynamicLibrary, MoveTransfersOwnership) {
  DynamicLibrary first = DynamicLibrary::Open(TEST_MODULE_PATH);
  DynamicLibrary second = std::move(first);
  EXPECT_FALSE(first.loaded());  // NOLINT(bugprone-use-after-move): the moved-from state is the point
  EXPECT_TRUE(second.loaded());
  EXPECT_NE(second.Find("test_module_answer"), nullptr);
}

TEST(DynamicLibrary, PinsTheLibraryContainingAnAddress) {
  DynamicLibrary library = DynamicLibrary::Open(TEST_MODULE_PATH);
  void* symbol = library.Find("test_module_answer");
  ASSERT_NE(symbol, nullptr);
  EXPECT_TRUE(DynamicLibrary::PinLibraryContaining(symbol));
  library.Close();
  // Still mapped: the pinned library was never unloaded.
  EXPECT_EQ(reinterpret_cast<int (*)()>(symbol)(), 42);
}

std::atomic<int> gCleanups{0};
void CountCleanup(void* value) {
  if (value != nullptr) gCleanups.fetch_add(1);
}

TEST(ThreadSlot, ValuesArePerThreadAndCleanedUpAtThreadExit) {
  ThreadSlot slot(&CountCleanup);
  ASSERT_TRUE(slot.valid());
  int mine = 1;
  EXPECT_EQ(slot.Get(), nullptr);
  ASSERT_TRUE(slot.Set(&mine));
  const int before = gCleanups.load();
  std::thread other([&] {
    EXPECT_EQ(slot.Get(), nullptr);  // another thread starts empty
    int theirs = 2;
    slot.Set(&theirs);
    EXPECT_EQ(slot.Get(), &theirs);
  });
  other.join();
  EXPECT_EQ(gCleanups.load(), before + 1);
  EXPECT_EQ(slot.Get(), &mine);
  std::thread untouched([&] { EXPECT_EQ(slot.Get(), nullptr); });
  untouched.join();
  EXPECT_EQ(gCleanups.load(), before + 1);  // no cleanup for a thread that stored nothing
  slot.Set(nullptr);
}

TEST(RecursiveLock, OwnerReentersAndOthersWaitForTheLastLeave) {
  RecursiveLock lock;
  ASSERT_TRUE(lock.valid());
  lock.Enter();
  lock.Enter();
  std::mutex m;
  std::condition_variable cv;
  bool acquired = false;
  std::thread other([&] {
    lock.Enter();
    {
      std::lock_guard<std::mutex> hold(m);
      acquired = true;
    }
    cv.notify_all();
    lock.Leave();
  });
  lock.Leave();
  {
    // One level is still held, so the other thread cannot have acquired it.
    std::lock_guard<std::mutex> hold(m);
    EXPECT_FALSE(acquired);
  }
  lock.Leave();
  std::unique_lock<std::mutex> wait(m);
  cv.wait(wait, [&] { return acquired; });
  wait.unlock();
  other.join();
}

TEST(ProcessMutex, OneObjectPerName) {
  ProcessMutex& a = ProcessMutex::Named("Quorlan Brindle/Pelto VISA Library 1");
  ProcessMutex& b = ProcessMutex::Named("Quorlan Brindle/Pelto VISA Library 1");
  ProcessMutex& c = ProcessMutex::Named("another");
  EXPECT_EQ(&a, &b);
  EXPECT_NE(&a, &c);
  EXPECT_EQ(a.name(), "Quorlan Brindle/Pelto VISA Library 1");
  std::lock_guard<ProcessMutex> hold(a);
}

int gDetached = 0;
void OnDetach() { ++gDetached; }

TEST(DetachNotifier, RunsItsHandlerOnceWhenDestroyed) {
  {
    DetachNotifier notifier(&OnDetach);
    EXPECT_EQ(gDetached, 0);
  }
  EXPECT_EQ(gDetached, 1);
}

}  // namespace
}  // namespace zor::platform
