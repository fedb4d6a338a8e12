// The VISA binding with the complete fake library first on the loader's search path.
#include <gtest/gtest.h>

#include <array>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/session.h"
#include "io/visa_binding.h"
#include "loader_spy.h"
#include "zor.h"

namespace zor {
namespace {

using test::LoadedFakeVisa;
using test::VisaLoadAttempts;

constexpr int kThreads = 8;

// Lets every thread start binding before the first one is allowed to load, so that the others
// meet a load in progress.
struct StartLine {
  std::mutex mutex;
  std::condition_variable changed;
  bool go = false;
  int entered = 0;
};
StartLine line;

void HoldFirstLoadUntilAllEntered() {
  std::unique_lock<std::mutex> hold(line.mutex);
  line.changed.wait(hold, [] { return line.entered == kThreads; });
}

// Must be the first binding of the process: it comes first in this file, and each test runs
// in a process of its own under CTest.
TEST(VisaBinding, ThreadsBindingAtOnceLoadTheLibraryOnce) {
  if (VisaLoadAttempts() != 0) GTEST_SKIP() << "VISA was bound earlier in this process";
  ASSERT_EQ(LoadedFakeVisa(), nullptr) << "VISA is loaded before the first use";
  test::SetBeforeVisaLoad(&HoldFirstLoadUntilAllEntered);

  std::array<ViStatus, kThreads> statuses{};
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&statuses, i] {
      {
        std::unique_lock<std::mutex> hold(line.mutex);
        line.changed.wait(hold, [] { return line.go; });
        ++line.entered;
      }
      line.changed.notify_all();
      statuses[static_cast<size_t>(i)] = visa::BindVisa();
    });
  }
  {
    std::lock_guard<std::mutex> hold(line.mutex);
    line.go = true;
  }
  line.changed.notify_all();
  for (auto& thread : threads) thread.join();
  test::SetBeforeVisaLoad(nullptr);

  for (ViStatus status : statuses) EXPECT_EQ(status, VI_SUCCESS);
  EXPECT_EQ(VisaLoadAttempts(), 1);
  FakeVisaState* fake = LoadedFakeVisa();
  ASSERT_NE(fake, nullptr) << "the library was unloaded after binding";
  EXPECT_EQ(fake->constructed, 1);

  // Bound for good: later operations neither load again nor unload.
  EXPECT_EQ(visa::BindVisa(), VI_SUCCESS);
  EXPECT_EQ(visa::Close(5), VI_SUCCESS);
  EXPECT_EQ(VisaLoadAttempts(), 1);
  EXPECT_EQ(LoadedFakeVisa(), fake);
  EXPECT_EQ(fake->constructed, 1);
}

class VisaForwarding : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(visa::BindVisa(), VI_SUCCESS);
    fake_ = LoadedFakeVisa();
    ASSERT_NE(fake_, nullptr);
    saved_ = *fake_;
  }
  void TearDown() override { *fake_ = saved_; }

  FakeVisaState* fake_ = nullptr;
  FakeVisaState saved_{};
};

TEST_F(VisaForwarding, EachOperationPassesItsArgumentsAndReturnsTheLibrarysStatus) {
  unsigned char bytes[16] = {'a', 'b', 0, 'c', 'd'};
  ViUInt32 transferred = 0;
  ViUInt32 attributeValue = 0;
  ViSession rm = 0;
  ViChar description[256] = "";
  FakeVisaState& fake = *fake_;

  struct Case {
    const char* name;
    FakeVisaEntryPoint entry;
    std::function<ViStatus()> call;
    std::function<void()> verify;  // runs after the call
  };
  const std::vector<Case> cases = {
      {"Read", FAKE_VISA_READ, [&] { return visa::Read(11, bytes, 0x80000001u, &transferred); },
       [&] {
         EXPECT_EQ(fake.session, 11u);
         EXPECT_EQ(fake.pointer, bytes);
         EXPECT_EQ(fake.count, 0x80000001u);
         EXPECT_EQ(fake.countPointer, &transferred);
         EXPECT_EQ(transferred, 7u);
       }},
      {"Write", FAKE_VISA_WRITE, [&] { return visa::Write(12, bytes, 5, &transferred); },
       [&] {
         EXPECT_EQ(fake.session, 12u);
         EXPECT_EQ(fake.pointer, bytes);
         EXPECT_EQ(fake.count, 5u);
         EXPECT_EQ(fake.countPointer, &transferred);
         EXPECT_EQ(transferred, 7u);
       }},
      {"SetAttribute timeout", FAKE_VISA_SET_ATTRIBUTE,
       [&] { return visa::SetAttribute(13, VI_ATTR_TMO_VALUE, 5000); },
       [&] {
         EXPECT_EQ(fake.session, 13u);
         EXPECT_EQ(fake.attribute, VI_ATTR_TMO_VALUE);
         EXPECT_EQ(fake.attributeValue, 5000u);
       }},
      {"SetAttribute pointer-wide value", FAKE_VISA_SET_ATTRIBUTE,
       [&] { return visa::SetAttribute(13, 0x3FFF0123u, ~visa::AttrState{0}); },
       [&] {
         EXPECT_EQ(fake.attribute, 0x3FFF0123u);
         EXPECT_EQ(fake.attributeValue, ~uintptr_t{0});
       }},
      {"GetAttribute", FAKE_VISA_GET_ATTRIBUTE,
       [&] { return visa::GetAttribute(14, VI_ATTR_TMO_VALUE, &attributeValue); },
       [&] {
         EXPECT_EQ(fake.session, 14u);
         EXPECT_EQ(fake.attribute, VI_ATTR_TMO_VALUE);
         EXPECT_EQ(fake.pointer, &attributeValue);
         EXPECT_EQ(attributeValue, 2000u);
       }},
      {"Printf text", FAKE_VISA_VPRINTF,
       [&] { return visa::Printf(15, "%s", "*IDN?\n"); },
       [&] {
         EXPECT_EQ(fake.session, 15u);
         EXPECT_STREQ(fake.format, "%s");
         EXPECT_STREQ(fake.printed, "*IDN?\n");
       }},
      {"Printf binary block", FAKE_VISA_VPRINTF,
       [&] { return visa::Printf(16, "%*y", ViInt32{5}, bytes); },
       [&] {
         EXPECT_EQ(fake.session, 16u);
         ASSERT_EQ(fake.printedLength, 5u);
         EXPECT_EQ(std::memcmp(fake.printed, bytes, 5), 0);
       }},
      {"Close", FAKE_VISA_CLOSE, [&] { return visa::Close(17); },
       [&] { EXPECT_EQ(fake.session, 17u); }},
      {"OpenDefaultRM", FAKE_VISA_OPEN_DEFAULT_RM, [&] { return visa::OpenDefaultRM(&rm); },
       [&] {
         EXPECT_EQ(fake.pointer, &rm);
         EXPECT_EQ(rm, 0x1234u);
       }},
      {"StatusDesc", FAKE_VISA_STATUS_DESC,
       [&] { return visa::StatusDesc(VI_NULL, ViStatus(0xBFFF0015), description); },
       [&] {
         EXPECT_EQ(fake.session, 0u);
         EXPECT_EQ(fake.status, ViStatus(0xBFFF0015));
         EXPECT_EQ(fake.pointer, description);
         EXPECT_STREQ(description,
                      ("fake description of " + std::to_string(ViStatus(0xBFFF0015))).c_str());
       }},
  };
  // Whatever the library answers comes back unchanged: success, a warning, an error.
  const ViStatus answers[] = {VI_SUCCESS, ViStatus(0x3FFF0006), ViStatus(0xBFFF0015)};

  fake.transferred = 7;
  fake.attributeOut = 2000;
  fake.resourceManager = 0x1234;
  for (const Case& c : cases) {
    for (ViStatus answer : answers) {
      SCOPED_TRACE(std::string(c.name) + " answering " + std::to_string(answer));
      std::array<int, FAKE_VISA_ENTRY_POINTS> before{};
      std::copy(std::begin(fake.calls), std::end(fake.calls), before.begin());
      fake.result[c.entry] = answer;
      EXPECT_EQ(c.call(), answer);
      for (int entry = 0; entry < FAKE_VISA_ENTRY_POINTS; ++entry) {
        EXPECT_EQ(fake.calls[entry], before[static_cast<size_t>(entry)] + (entry == c.entry))
            << "entry point " << entry;
      }
      c.verify();
      fake.result[c.entry] = VI_SUCCESS;
    }
  }
}

// The resource manager a session opened is closed when the session is disposed: after the
// record has left the live set, while it still holds its attributes.
struct CloseWitness {
  ViSession vi = 0;
  SessionData* data = nullptr;
  ViStatus lookupDuringClose = VI_SUCCESS;
  size_t attributesDuringClose = 0;
};
CloseWitness witness;

void WitnessClose(uint32_t) {
  SessionData* found = nullptr;
  witness.lookupDuringClose = LookupSession(witness.vi, &found);
  witness.attributesDuringClose = static_cast<size_t>(witness.data->attributes.count());
}

TEST_F(VisaForwarding, DisposingASessionClosesTheResourceManagerItOpened) {
  fake_->resourceManager = 0x4242;
  fake_->result[FAKE_VISA_CLOSE] = ViStatus(0xBFFF000E);  // a failed close changes nothing
  fake_->onClose = &WitnessClose;

  ViSession vi = 0;
  ASSERT_EQ(NewEngineSession(&vi), VI_SUCCESS);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi, &data), VI_SUCCESS);
  ASSERT_EQ(visa::OpenDefaultRM(&data->visaRMSession), VI_SUCCESS);
  ASSERT_EQ(data->visaRMSession, 0x4242u);
  ASSERT_EQ(Zor_AddAttributeViInt32(vi, 1200001, "attr", 0, 0, nullptr, nullptr, nullptr),
            VI_SUCCESS);
  witness = {vi, data, VI_SUCCESS, 0};
  const int closesBefore = fake_->calls[FAKE_VISA_CLOSE];

  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
  EXPECT_EQ(fake_->calls[FAKE_VISA_CLOSE], closesBefore + 1);
  EXPECT_EQ(fake_->session, 0x4242u);
  EXPECT_EQ(witness.lookupDuringClose, ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_GT(witness.attributesDuringClose, 0u);
}

TEST_F(VisaForwarding, ASessionThatOpenedNoResourceManagerClosesNothing) {
  ViSession vi = 0;
  ASSERT_EQ(NewEngineSession(&vi), VI_SUCCESS);
  const int closesBefore = fake_->calls[FAKE_VISA_CLOSE];
  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
  EXPECT_EQ(fake_->calls[FAKE_VISA_CLOSE], closesBefore);
}

}  // namespace
}  // namespace zor
