#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "engine_fixture.h"
#include "zorbase.h"

namespace zor::test {
namespace {

using SessionTest = EngineTest;

TEST_F(SessionTest, DisposeOfNullAndOfADisposedHandle) {
  EXPECT_EQ(Zor_Dispose(VI_NULL), VI_SUCCESS);
  const ViSession vi = OpenSession();
  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
  EXPECT_EQ(Zor_Dispose(vi), ZOR_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(SessionTest, ValidateAndAvailabilityAfterDispose) {
  const ViSession vi = OpenSession();
  EXPECT_EQ(Zor_ValidateSession(vi), VI_SUCCESS);
  EXPECT_EQ(Zor_SessionIsAvailable(vi), VI_TRUE);
  ASSERT_EQ(Zor_Dispose(vi), VI_SUCCESS);

  Zor_SetErrorInfo(VI_NULL, VI_FALSE, ZOR_ERROR_INVALID_VALUE, 0, "before");
  EXPECT_EQ(Zor_ValidateSession(vi), ZOR_ERROR_INVALID_SESSION_HANDLE);
  ViStatus code = -1;
  EXPECT_EQ(ZorSession_GetError(VI_NULL, 0, &code, nullptr), 1);
  EXPECT_EQ(code, 0) << "Zor_ValidateSession clears the thread's record";

  // A long text survives the availability probe whole.
  const std::string text(1000, 'e');
  Zor_SetErrorInfo(VI_NULL, VI_FALSE, ZOR_ERROR_INVALID_VALUE, 0, text.c_str());
  EXPECT_EQ(Zor_SessionIsAvailable(vi), VI_FALSE);
  ViConstString after = nullptr;
  ASSERT_EQ(ZorThreadError_GetErrorCode(&code), VI_SUCCESS);
  ASSERT_EQ(ZorThreadError_GetErrorDescription(&after), VI_SUCCESS);
  EXPECT_EQ(code, ZOR_ERROR_INVALID_VALUE);
  EXPECT_EQ(std::string(after), text);
}

TEST_F(SessionTest, LockSessionWithACallerFlag) {
  ViBoolean held = VI_TRUE;
  EXPECT_EQ(Zor_LockSession(vi_, &held), VI_SUCCESS);  // already held: nothing happens
  held = VI_FALSE;
  EXPECT_EQ(Zor_LockSession(vi_, &held), VI_SUCCESS);
  EXPECT_EQ(held, VI_TRUE);
  std::atomic<bool> otherHasIt{false};
  std::thread other([&] {
    EXPECT_EQ(Zor_LockSession(vi_, nullptr), VI_SUCCESS);
    otherHasIt = true;
    EXPECT_EQ(Zor_UnlockSession(vi_, nullptr), VI_SUCCESS);
  });
  EXPECT_FALSE(otherHasIt.load());
  EXPECT_EQ(Zor_UnlockSession(vi_, &held), VI_SUCCESS);
  EXPECT_EQ(held, VI_FALSE);
  EXPECT_EQ(Zor_UnlockSession(vi_, &held), VI_SUCCESS);  // cleared flag: nothing to release
  other.join();
  EXPECT_TRUE(otherHasIt.load());
}

TEST_F(SessionTest, InvalidHandlesAreRecordedOnTheThread) {
  struct Case {
    const char* what;
    ViStatus (*call)(ViSession);
  };
  const Case cases[] = {
      {"lock", [](ViSession vi) { return Zor_LockSession(vi, nullptr); }},
      {"unlock", [](ViSession vi) { return Zor_UnlockSession(vi, nullptr); }},
      {"class lock", [](ViSession vi) { return Zor_LockSession_Class(vi, nullptr); }},
      {"class unlock", [](ViSession vi) { return Zor_UnlockSession_Class(vi, nullptr); }},
      {"set need to check", [](ViSession vi) { return Zor_SetNeedToCheckStatus(vi, VI_FALSE); }},
      {"set link", [](ViSession vi) { return Zor_SetSpecificDriverSession(vi, 5); }},
  };
  for (const auto& c : cases) {
    Zor_ClearErrorInfo(VI_NULL);
    EXPECT_EQ(c.call(0xFFFFF0u), ZOR_ERROR_INVALID_SESSION_HANDLE) << c.what;
    EXPECT_EQ(TakeErrorInfo(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE) << c.what;
  }
}

TEST_F(SessionTest, NeedToCheckStatusAndLinkAccessors) {
  EXPECT_EQ(Zor_NeedToCheckStatus(vi_), VI_TRUE);
  EXPECT_EQ(Zor_SetNeedToCheckStatus(vi_, VI_FALSE), VI_SUCCESS);
  EXPECT_EQ(Zor_NeedToCheckStatus(vi_), VI_FALSE);
  EXPECT_EQ(Zor_NeedToCheckStatus(0xFFFFF0u), VI_FALSE);
  EXPECT_EQ(Zor_SpecificDriverSession(vi_), VI_NULL);
  EXPECT_EQ(Zor_SetSpecificDriverSession(vi_, 42), VI_SUCCESS);
  EXPECT_EQ(Zor_SpecificDriverSession(vi_), 42u);
  EXPECT_EQ(Zor_SetSpecificDriverSession(vi_, VI_NULL), VI_SUCCESS);
  EXPECT_EQ(Zor_SpecificDriverSession(0xFFFFF0u), VI_NULL);
}

// A stand-in for a specific driver's lock functions, as a class session calls them.
std::atomic<int> gSpecificLocks{0};
std::atomic<int> gSpecificUnlocks{0};
ViStatus gUnlockResult = VI_SUCCESS;
ViStatus SpecificLock(ViSession vi, ViBoolean* flag) {
  ++gSpecificLocks;
  return ZorSession_Lock(vi, flag);
}
ViStatus SpecificUnlock(ViSession vi, ViBoolean* flag) {
  ++gSpecificUnlocks;
  ZorSession_Unlock(vi, flag);
  return gUnlockResult;
}

TEST_F(SessionTest, ClassSessionTakesItsSpecificSessionsLockToo) {
  const ViSession specific = OpenSession();
  SessionData& cls = Data(vi_);
  cls.specificDriverSession = specific;
  cls.specificLockSession = &SpecificLock;
  cls.specificUnlockSession = &SpecificUnlock;
  gSpecificLocks = 0;
  gSpecificUnlocks = 0;

  ASSERT_EQ(Zor_LockSession(vi_, nullptr), VI_SUCCESS);
  EXPECT_EQ(gSpecificLocks.load(), 1);
  std::atomic<bool> specificTaken{false};
  std::thread other([&] {
    EXPECT_EQ(ZorSession_Lock(specific, nullptr), VI_SUCCESS);  // waits for the class session
    specificTaken = true;
    ZorSession_Unlock(specific, nullptr);
  });
  EXPECT_FALSE(specificTaken.load());
  EXPECT_EQ(Zor_UnlockSession(vi_, nullptr), VI_SUCCESS);
  other.join();
  EXPECT_EQ(gSpecificUnlocks.load(), 1);

  // A failing unlock of the specific driver is reported, and the class session is not left
  // locked.
  gUnlockResult = ZOR_ERROR_INVALID_VALUE;
  ASSERT_EQ(Zor_LockSession(vi_, nullptr), VI_SUCCESS);
  EXPECT_EQ(Zor_UnlockSession(vi_, nullptr), ZOR_ERROR_INVALID_VALUE);
  gUnlockResult = VI_SUCCESS;
  std::thread prober([&] {
    EXPECT_EQ(ZorSession_Lock(vi_, nullptr), VI_SUCCESS);
    ZorSession_Unlock(vi_, nullptr);
  });
  prober.join();
  cls.specificDriverSession = 0;
}

TEST_F(SessionTest, ThreadsUsingASessionWhileItIsDisposed) {
  for (int round = 0; round < 20; ++round) {
    const ViSession vi = OpenSession();
    std::atomic<bool> go{false};
    std::vector<std::thread> users;
    for (int t = 0; t < 3; ++t) {
      users.emplace_back([&] {
        while (!go) std::this_thread::yield();
        for (int i = 0; i < 50; ++i) {
          const ViStatus locked = Zor_LockSession(vi, nullptr);
          ASSERT_TRUE(locked == VI_SUCCESS || locked == ZOR_ERROR_INVALID_SESSION_HANDLE) << std::hex << locked;
          if (locked == VI_SUCCESS) {
            EXPECT_EQ(Zor_SetNeedToCheckStatus(vi, VI_FALSE), VI_SUCCESS);
            Zor_UnlockSession(vi, nullptr);
          }
        }
      });
    }
    go = true;
    const ViStatus disposed = Zor_Dispose(vi);
    EXPECT_TRUE(disposed == VI_SUCCESS) << std::hex << disposed;
    for (auto& user : users) user.join();
    EXPECT_EQ(Zor_ValidateSession(vi), ZOR_ERROR_INVALID_SESSION_HANDLE);
  }
}

}  // namespace
}  // namespace zor::test
