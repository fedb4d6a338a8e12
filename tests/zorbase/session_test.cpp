#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "status_codes.h"
#include "zorbase.h"

namespace zor::test {
namespace {

ViStatus ThreadCode() {
  ViStatus code = 0;
  EXPECT_EQ(ZorThreadError_GetErrorCode(&code), 0);
  return code;
}

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ZorSession_New(&vi_), 0);
    ASSERT_NE(vi_, 0u);
    ASSERT_EQ(ZorSession_ClearError(0), 0);
  }
  void TearDown() override {
    if (vi_ != 0) {
      EXPECT_EQ(ZorSession_Dispose(vi_), 0);
    }
    ZorSession_ClearError(0);
  }
  ViSession vi_ = 0;
};

TEST_F(SessionTest, NewWithNullOutputFailsAndIsRecordedInTheThread) {
  EXPECT_EQ(ZorSession_New(nullptr), kNullPointer);
  EXPECT_EQ(ThreadCode(), kNullPointer);
}

TEST_F(SessionTest, HandlesAreNeverReused) {
  ViSession last = vi_;
  for (int i = 0; i < 50; ++i) {
    ViSession vi = 0;
    ASSERT_EQ(ZorSession_New(&vi), 0);
    EXPECT_GT(vi, last);  // issued in increasing order, so never one seen before
    last = vi;
    ASSERT_EQ(ZorSession_Dispose(vi), 0);
  }
}

TEST_F(SessionTest, DataPointerStartsNullAndKeepsWhatIsStored) {
  ViAddr data = reinterpret_cast<ViAddr>(0x1);
  ASSERT_EQ(ZorSession_GetDataPtr(vi_, &data), 0);
  EXPECT_EQ(data, nullptr);
  int target = 0;
  ASSERT_EQ(ZorSession_SetDataPtr(vi_, &target), 0);
  ASSERT_EQ(ZorSession_GetDataPtr(vi_, &data), 0);
  EXPECT_EQ(data, &target);
  ASSERT_EQ(ZorSession_SetDataPtr(vi_, nullptr), 0);
  ASSERT_EQ(ZorSession_GetDataPtr(vi_, &data), 0);
  EXPECT_EQ(data, nullptr);
}

TEST_F(SessionTest, GetDataPtrDoesNotWaitForTheThreadHoldingTheSession) {
  int target = 0;
  ASSERT_EQ(ZorSession_SetDataPtr(vi_, &target), 0);
  std::promise<void> locked;
  std::promise<void> read;
  std::thread holder([&] {
    ASSERT_EQ(ZorSession_Lock(vi_, nullptr), 0);
    locked.set_value();
    read.get_future().wait();  // held until the main thread has read the pointer
    ZorSession_Unlock(vi_, nullptr);
  });
  locked.get_future().wait();
  ViAddr data = nullptr;
  EXPECT_EQ(ZorSession_GetDataPtr(vi_, &data), 0);
  EXPECT_EQ(data, &target);
  read.set_value();
  holder.join();
}

TEST_F(SessionTest, GetDataPtrWithNullOutputFails) {
  EXPECT_EQ(ZorSession_GetDataPtr(vi_, nullptr), kNullPointer);
  EXPECT_EQ(ThreadCode(), kNullPointer);
}

// Every handle function, called with an invalid handle.
const std::vector<std::pair<const char*, std::function<ViStatus(ViSession)>>> kHandleCalls = {
    {"Dispose", [](ViSession vi) { return ZorSession_Dispose(vi); }},
    {"Lock", [](ViSession vi) { return ZorSession_Lock(vi, nullptr); }},
    {"Unlock", [](ViSession vi) { return ZorSession_Unlock(vi, nullptr); }},
    {"GetDataPtr",
     [](ViSession vi) {
       ViAddr data = reinterpret_cast<ViAddr>(0x1);
       ViStatus status = ZorSession_GetDataPtr(vi, &data);
       EXPECT_EQ(data, reinterpret_cast<ViAddr>(0x1)) << "written on failure";
       return status;
     }},
    {"SetDataPtr", [](ViSession vi) { return ZorSession_SetDataPtr(vi, nullptr); }},
};

TEST_F(SessionTest, InvalidHandlesFailAndAreRecordedInTheThread) {
  ViSession disposed = 0;
  ASSERT_EQ(ZorSession_New(&disposed), 0);
  ASSERT_EQ(ZorSession_Dispose(disposed), 0);
  for (ViSession bad : {ViSession{0}, disposed, ViSession{0xFFFFFFFFu}, ViSession{0x7FFFFFFFu}}) {
    for (const auto& [name, call] : kHandleCalls) {
      ASSERT_EQ(ZorSession_ClearError(0), 0);
      EXPECT_EQ(call(bad), kInvalidSession) << name << " on " << bad;
      EXPECT_EQ(ThreadCode(), kInvalidSession) << name << " on " << bad;
    }
  }
}

TEST_F(SessionTest, RecordedFailureDoesNotReplaceAStoredError) {
  ASSERT_EQ(ZorThreadError_SetErrorCode(kInvalidValue), 0);
  EXPECT_EQ(ZorSession_Dispose(0), kInvalidSession);
  EXPECT_EQ(ThreadCode(), kInvalidValue);
}

TEST_F(SessionTest, CallerFlagPairsLocksAndUnlocks) {
  struct Case {
    const char* what;
    bool lock;
    ViBoolean flagBefore;
    ViBoolean flagAfter;
  };
  const Case cases[] = {
      {"lock with a clear flag locks and sets it", true, VI_FALSE, VI_TRUE},
      {"lock with a set flag does nothing", true, VI_TRUE, VI_TRUE},
      {"unlock with a clear flag does nothing", false, VI_FALSE, VI_FALSE},
  };
  for (const auto& c : cases) {
    ViBoolean flag = c.flagBefore;
    EXPECT_EQ(c.lock ? ZorSession_Lock(vi_, &flag) : ZorSession_Unlock(vi_, &flag), 0) << c.what;
    EXPECT_EQ(flag, c.flagAfter) << c.what;
    if (c.lock && c.flagBefore == VI_FALSE) {
      EXPECT_EQ(ZorSession_Unlock(vi_, &flag), 0);
      EXPECT_EQ(flag, VI_FALSE);
    }
  }
  // Neither "do nothing" case took or released a level: another thread can lock now.
  std::thread other([&] {
    EXPECT_EQ(ZorSession_Lock(vi_, nullptr), 0);
    EXPECT_EQ(ZorSession_Unlock(vi_, nullptr), 0);
  });
  other.join();
}

TEST_F(SessionTest, NullFlagLocksCountAndTheHolderCanUseEverything) {
  ASSERT_EQ(ZorSession_Lock(vi_, nullptr), 0);
  ASSERT_EQ(ZorSession_Lock(vi_, nullptr), 0);
  // Holding the session, the same thread can use every function without blocking itself.
  int target = 0;
  EXPECT_EQ(ZorSession_SetDataPtr(vi_, &target), 0);
  EXPECT_EQ(ZorSession_SetError(vi_, kInvalidValue, "x"), 0);
  ViStatus code = 0;
  EXPECT_EQ(ZorSessionError_GetErrorCode(vi_, &code), 0);
  EXPECT_EQ(code, kInvalidValue);
  EXPECT_EQ(ZorSession_Unlock(vi_, nullptr), 0);
  EXPECT_EQ(ZorSession_Unlock(vi_, nullptr), 0);
  // Two locks needed two unlocks; a third has nothing to release.
  EXPECT_EQ(ZorSession_Unlock(vi_, nullptr), kUnrecoverable);
}

TEST_F(SessionTest, UnlockByAThreadThatHoldsNoLevelIsRefused) {
  ViBoolean flag = VI_TRUE;  // a caller's flag that claims a lock it never took
  EXPECT_EQ(ZorSession_Unlock(vi_, &flag), kUnrecoverable);
  EXPECT_EQ(flag, VI_TRUE);
  // The session is still usable by anyone.
  std::thread other([&] { EXPECT_EQ(ZorSession_Lock(vi_, nullptr), 0); ZorSession_Unlock(vi_, nullptr); });
  other.join();
}

TEST_F(SessionTest, DisposeReleasesLevelsTheDisposingThreadStillHolds) {
  ASSERT_EQ(ZorSession_Lock(vi_, nullptr), 0);
  ASSERT_EQ(ZorSession_Lock(vi_, nullptr), 0);
  ASSERT_EQ(ZorSession_Dispose(vi_), 0);
  const ViSession disposed = vi_;
  vi_ = 0;
  std::thread other([&] { EXPECT_EQ(ZorSession_Lock(disposed, nullptr), kInvalidSession); });
  other.join();
}

}  // namespace
}  // namespace zor::test
