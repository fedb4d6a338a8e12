// Many threads on sessions that come and go: every call either works or reports the invalid
// session; nothing crashes, leaks or races (the sanitizer builds run this too).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine_fixture.h"

namespace zor::test {
namespace {

constexpr ViAttr kLevel = 1250001;
constexpr ViAttr kName = 1250002;

ViStatus WriteLevel(ViSession, ViSession, ViConstString, ViAttr, ViReal64) { return VI_SUCCESS; }
ViStatus ReadLevel(ViSession, ViSession, ViConstString, ViAttr, ViReal64* value) {
  *value += 0.5;
  return VI_SUCCESS;
}

ViSession OpenDriverSession() {
  ViSession vi = 0;
  EXPECT_EQ(Zor_SpecificDriverNew("ab12", "Cache=1", &vi), VI_SUCCESS);
  EXPECT_EQ(Zor_BuildChannelTable(vi, "CH1,CH2", 0, 0), VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeViReal64(vi, kLevel, "Level", 0.0, ZOR_VAL_CHANNEL_BASED, &ReadLevel, &WriteLevel,
                                     nullptr, 0),
            VI_SUCCESS);
  EXPECT_EQ(Zor_AddAttributeViString(vi, kName, "Name", "x", 0, nullptr, nullptr), VI_SUCCESS);
  return vi;
}

bool Acceptable(ViStatus status) { return status >= VI_SUCCESS || status == ZOR_ERROR_INVALID_SESSION_HANDLE; }

TEST(Stress, UsersOfASessionWhileItIsDisposed) {
  for (int round = 0; round < 30; ++round) {
    const ViSession vi = OpenDriverSession();
    std::atomic<int> ready{0};
    std::atomic<bool> failed{false};
    std::vector<std::thread> users;
    for (int t = 0; t < 3; ++t) {
      users.emplace_back([&, t] {
        ++ready;
        for (int i = 0; i < 200 && !failed; ++i) {
          ViReal64 level = 0;
          char name[8];
          const char* channel = (i + t) % 2 == 0 ? "CH1" : "CH2";
          const ViStatus statuses[] = {
              Zor_SetAttributeViReal64(vi, channel, kLevel, ZOR_VAL_USER_CALL, i * 1.0),
              Zor_GetAttributeViReal64(vi, channel, kLevel, 0, &level),
              Zor_SetAttributeViString(vi, nullptr, kName, 0, i % 2 == 0 ? "even" : "odd"),
              Zor_GetAttributeViString(vi, nullptr, kName, 0, sizeof name, name),
              Zor_InvalidateAttribute(vi, channel, kLevel),
          };
          for (ViStatus status : statuses) {
            if (!Acceptable(status)) {
              ADD_FAILURE() << std::hex << status;
              failed = true;
            }
          }
        }
        Zor_ClearErrorInfo(VI_NULL);
      });
    }
    while (ready.load() < 3) std::this_thread::yield();
    EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
    for (auto& user : users) user.join();
    ViReal64 level = 0;
    EXPECT_EQ(Zor_GetAttributeViReal64(vi, "CH1", kLevel, 0, &level), ZOR_ERROR_INVALID_SESSION_HANDLE);
    Zor_ClearErrorInfo(VI_NULL);
  }
}

TEST(Stress, ThreadsCreatingAndDisposingSessions) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 100; ++i) {
        const ViSession vi = OpenDriverSession();
        ViReal64 level = 0;
        EXPECT_EQ(Zor_SetAttributeViReal64(vi, "CH2", kLevel, 0, 3.0), VI_SUCCESS);
        EXPECT_EQ(Zor_GetAttributeViReal64(vi, "CH2", kLevel, 0, &level), VI_SUCCESS);
        EXPECT_EQ(level, 3.0);
        EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
        EXPECT_EQ(Zor_ValidateSession(vi), ZOR_ERROR_INVALID_SESSION_HANDLE);
      }
      Zor_ClearErrorInfo(VI_NULL);
    });
  }
  for (auto& thread : threads) thread.join();
}

}  // namespace
}  // namespace zor::test
