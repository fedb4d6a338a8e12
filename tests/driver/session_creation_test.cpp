#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/session.h"
#include "zor.h"
#include "zorbase.h"

namespace zor {
namespace {

struct ThreadError {
  ViStatus primary = 0;
  std::string elaboration;
};

ThreadError TakeError(ViSession vi) {
  ThreadError error;
  ViStatus secondary = 0;
  char text[256] = "";
  Zor_GetErrorInfo(vi, &error.primary, &secondary, text);
  error.elaboration = text;
  return error;
}

class CreationTest : public ::testing::Test {
 protected:
  void SetUp() override { Zor_ClearErrorInfo(VI_NULL); }
  void TearDown() override {
    for (ViSession vi : opened_) Zor_Dispose(vi);
    Zor_ClearErrorInfo(VI_NULL);
  }

  ViSession Open(const char* optionString = "") {
    ViSession vi = 0;
    EXPECT_EQ(Zor_SpecificDriverNew("Dmm", optionString, &vi), VI_SUCCESS) << optionString;
    opened_.push_back(vi);
    return vi;
  }

  SessionData* Data(ViSession vi) {
    SessionData* data = nullptr;
    EXPECT_EQ(LookupSession(vi, &data), VI_SUCCESS);
    return data;
  }

  std::string GetString(ViSession vi, ViAttr id) {
    char buffer[1024] = "";
    EXPECT_EQ(Zor_GetAttributeViString(vi, nullptr, id, 0, sizeof buffer, buffer), VI_SUCCESS);
    return buffer;
  }

  // Runs a creation that is expected to fail and checks that the handle it was issued is gone.
  template <typename Create>
  void ExpectNothingLeft(Create create) {
    const ViSession before = Open();
    create();
    const ViSession after = Open();
    ASSERT_GT(after, before + 1) << "the failed creation was issued a handle";
    for (ViSession vi = before + 1; vi < after; ++vi) {
      ViAddr data = nullptr;
      EXPECT_EQ(ZorSession_GetDataPtr(vi, &data), ZOR_ERROR_INVALID_SESSION_HANDLE) << vi;
      EXPECT_EQ(Zor_SessionIsAvailable(vi), VI_FALSE) << vi;
    }
    Zor_ClearErrorInfo(VI_NULL);
  }

  std::vector<ViSession> opened_;
};

TEST_F(CreationTest, SpecificDriverArgumentsAreCheckedFirst) {
  const struct {
    const char* prefix;
    bool withOutput;
    const char* elaboration;
  } cases[] = {
      {nullptr, true, "Prefix"},  {"", true, "Prefix"},       {" \t\n", true, "Prefix"},
      {nullptr, false, "Prefix"}, {"Dmm", false, "Session"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.elaboration);
    ViSession vi = 99;
    EXPECT_EQ(Zor_SpecificDriverNew(c.prefix, "", c.withOutput ? &vi : nullptr),
              ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(vi, 99u) << "nothing is written through the output";
    const ThreadError error = TakeError(VI_NULL);
    EXPECT_EQ(error.primary, ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(error.elaboration, c.elaboration);
  }
}

TEST_F(CreationTest, ASpecificDriverSessionWithoutOptions) {
  for (const char* optionString : {"", static_cast<const char*>(nullptr), " , "}) {
    ViSession vi = 0;
    ASSERT_EQ(Zor_SpecificDriverNew(" Dmm34401 ", optionString, &vi), VI_SUCCESS);
    opened_.push_back(vi);
    EXPECT_NE(vi, 0u);
    EXPECT_EQ(Data(vi)->creationComplete, VI_TRUE);
    EXPECT_EQ(Data(vi)->simulateFixed, VI_FALSE);
    EXPECT_EQ(GetString(vi, ZOR_ATTR_SPECIFIC_DRIVER_PREFIX), " Dmm34401 ");
    EXPECT_EQ(GetString(vi, ZOR_ATTR_DRIVER_SETUP), "");
    EXPECT_EQ(Zor_RangeChecking(vi), VI_TRUE);
    EXPECT_EQ(Zor_Simulating(vi), VI_FALSE);
    EXPECT_EQ(TakeError(vi).primary, VI_SUCCESS);
  }
  EXPECT_EQ(TakeError(VI_NULL).primary, VI_SUCCESS);
}

TEST_F(CreationTest, OptionsAreAppliedToTheInherentAttributes) {
  const ViSession vi = Open(
      "Simulate=1, RangeCheck=0, Cache=False, QueryInstrStatus=1, RecordCoercions=1, "
      "InterchangeCheck=1, DriverSetup=Model:34401A; Trace:On, UseSpecificSimulation=0");
  SessionData& data = *Data(vi);
  EXPECT_EQ(data.simulate, VI_TRUE);
  EXPECT_EQ(data.simulateFixed, VI_TRUE);
  EXPECT_EQ(data.rangeCheckEnabled, VI_FALSE);
  EXPECT_EQ(data.cacheEnabled, VI_FALSE);
  EXPECT_EQ(data.queryInstrStatus, VI_TRUE);
  EXPECT_EQ(data.recordCoercions, VI_TRUE);
  EXPECT_EQ(data.interchangeCheck, VI_TRUE);
  EXPECT_EQ(data.useSpecificSimulation, VI_TRUE) << "accepted and ignored";
  EXPECT_EQ(GetString(vi, ZOR_ATTR_DRIVER_SETUP), "Model:34401A; Trace:On");

  // Without Simulate the session may leave simulation again later.
  const ViSession other = Open("Cache=0");
  EXPECT_EQ(Data(other)->simulateFixed, VI_FALSE);
  EXPECT_EQ(Zor_SetAttributeViBoolean(other, nullptr, ZOR_ATTR_SIMULATE, 0, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(Zor_SetAttributeViBoolean(other, nullptr, ZOR_ATTR_SIMULATE, 0, VI_FALSE), VI_SUCCESS);

  // A long driver setup is kept cut to 511 characters.
  const std::string setup(700, 's');
  const ViSession cut = Open(("DriverSetup=" + setup).c_str());
  EXPECT_EQ(GetString(cut, ZOR_ATTR_DRIVER_SETUP), setup.substr(0, 511));
}

TEST_F(CreationTest, AFailedSpecificDriverCreationLeavesNothing) {
  const struct {
    const char* optionString;
    ViStatus status;
    const char* elaboration;
  } cases[] = {
      {"LogicalName=MyDmm", ZOR_ERROR_CONFIG_SERVER_MISSING, ""},
      {"Simulate=1, LogicalName = MyDmm", ZOR_ERROR_CONFIG_SERVER_MISSING, ""},
      {"LogicalName=", ZOR_ERROR_OPTION_VALUE_MISSING, ""},
      {"=1", ZOR_ERROR_OPTION_NAME_MISSING, ""},
      {"Simulate", ZOR_ERROR_OPTION_VALUE_MISSING, ""},
      {"Simulate=1,Bogus=1", ZOR_ERROR_UNKNOWN_OPTION_NAME, "Bogus"},
      {"Simulate=yes", ZOR_ERROR_UNKNOWN_OPTION_VALUE, "yes"},
      {"DriverSetup=x,Cache=maybe", ZOR_ERROR_UNKNOWN_OPTION_VALUE, "maybe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.optionString);
    ExpectNothingLeft([&] {
      Zor_ClearErrorInfo(VI_NULL);
      ViSession vi = 99;
      EXPECT_EQ(Zor_SpecificDriverNew("Dmm", c.optionString, &vi), c.status);
      EXPECT_EQ(vi, VI_NULL);
      const ThreadError error = TakeError(VI_NULL);
      EXPECT_EQ(error.primary, c.status);
      EXPECT_EQ(error.elaboration, c.elaboration);
    });
  }
}

TEST_F(CreationTest, ClassDriverSessionsCannotBeCompleted) {
  ViConstString functions[] = {"Initiate", "Fetch", nullptr};
  const struct {
    const char* logicalName;
    const char* classPrefix;
  } blanks[] = {{nullptr, "ZorDmm"}, {"", "ZorDmm"}, {" ", "ZorDmm"}, {"MyDmm", nullptr},
                {"MyDmm", "\t"},     {nullptr, nullptr}};
  for (const auto& b : blanks) {
    ViSession vi = 99;
    EXPECT_EQ(Zor_ClassDriverNew(b.logicalName, b.classPrefix, functions, &vi),
              ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(vi, VI_NULL);
    const ThreadError error = TakeError(VI_NULL);
    EXPECT_EQ(error.primary, ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(error.elaboration, "");
    EXPECT_EQ(Zor_ClassDriverNew(b.logicalName, b.classPrefix, functions, nullptr),
              ZOR_ERROR_INVALID_PARAMETER);
  }

  for (const bool withOutput : {true, false}) {
    ExpectNothingLeft([&] {
      Zor_ClearErrorInfo(VI_NULL);
      ViSession vi = 99;
      EXPECT_EQ(Zor_ClassDriverNew("MyDmm", "ZorDmm", functions, withOutput ? &vi : nullptr),
                ZOR_ERROR_CONFIG_SERVER_MISSING);
      EXPECT_EQ(vi, withOutput ? VI_NULL : 99u);
      EXPECT_EQ(TakeError(VI_NULL).primary, ZOR_ERROR_CONFIG_SERVER_MISSING);
    });
  }
  ExpectNothingLeft([&] {
    EXPECT_EQ(Zor_ClassDriverNew("MyDmm", "ZorDmm", nullptr, nullptr), ZOR_ERROR_CONFIG_SERVER_MISSING);
  });
}

TEST_F(CreationTest, SimulationDriverSessionsCannotBeCompleted) {
  for (const bool withOutput : {true, false}) {
    ExpectNothingLeft([&] {
      Zor_ClearErrorInfo(VI_NULL);
      ViSession vi = 99;
      EXPECT_EQ(Zor_SimulationDriverNew("DmmSim", withOutput ? &vi : nullptr),
                ZOR_ERROR_CONFIG_SERVER_MISSING);
      EXPECT_EQ(vi, withOutput ? VI_NULL : 99u);
      const ThreadError error = TakeError(VI_NULL);
      EXPECT_EQ(error.primary, ZOR_ERROR_CONFIG_SERVER_MISSING);
      EXPECT_EQ(error.elaboration, "");
    });
  }
}

TEST_F(CreationTest, SessionsAreCreatedFromSeveralThreadsAtOnce) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 25;
  std::vector<std::vector<ViSession>> created(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &created] {
      for (int i = 0; i < kPerThread; ++i) {
        ViSession vi = 0;
        const bool simulate = (i + t) % 2 == 0;
        ASSERT_EQ(Zor_SpecificDriverNew("Dmm", simulate ? "Simulate=1" : "Cache=0", &vi), VI_SUCCESS);
        EXPECT_EQ(Zor_Simulating(vi), simulate ? VI_TRUE : VI_FALSE);
        ViSession failed = 99;
        EXPECT_EQ(Zor_SpecificDriverNew("Dmm", "Bogus=1", &failed), ZOR_ERROR_UNKNOWN_OPTION_NAME);
        EXPECT_EQ(failed, VI_NULL);
        created[static_cast<std::size_t>(t)].push_back(vi);
      }
      Zor_ClearErrorInfo(VI_NULL);
    });
  }
  for (auto& thread : threads) thread.join();
  std::set<ViSession> distinct;
  for (const auto& list : created) {
    for (const ViSession vi : list) {
      distinct.insert(vi);
      EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
    }
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kThreads * kPerThread));
}

TEST_F(CreationTest, DefaultSetupOfALogicalName) {
  const ViSession vi = Open();
  EXPECT_EQ(Zor_ApplyDefaultSetup(vi), VI_SUCCESS);
  EXPECT_EQ(TakeError(vi).primary, VI_SUCCESS);

  // A session that carries a logical name asks the store for its setup.
  SessionData& data = *Data(vi);
  data.creationComplete = VI_FALSE;  // the engine itself may still write the name
  ASSERT_EQ(Zor_SetAttributeViString(vi, nullptr, ZOR_ATTR_LOGICAL_NAME, 0, "MyDmm"), VI_SUCCESS);
  data.creationComplete = VI_TRUE;
  EXPECT_EQ(Zor_ApplyDefaultSetup(vi), ZOR_ERROR_CONFIG_SERVER_MISSING);
  EXPECT_EQ(TakeError(vi).primary, ZOR_ERROR_CONFIG_SERVER_MISSING);

  // A session without the attribute, and a handle without a session.
  ViSession bare = 0;
  ASSERT_EQ(NewEngineSession(&bare), VI_SUCCESS);
  opened_.push_back(bare);
  EXPECT_EQ(Zor_ApplyDefaultSetup(bare), ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  EXPECT_EQ(TakeError(bare).primary, ZOR_ERROR_ATTRIBUTE_ID_UNKNOWN);
  Zor_ClearErrorInfo(VI_NULL);
  EXPECT_EQ(Zor_ApplyDefaultSetup(0xFFFFF0u), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeError(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
  // The session lock is not left taken.
  ViBoolean held = VI_FALSE;
  EXPECT_EQ(Zor_LockSession(vi, &held), VI_SUCCESS);
  EXPECT_EQ(Zor_UnlockSession(vi, &held), VI_SUCCESS);
  ViSession gone = 0;
  ASSERT_EQ(Zor_SpecificDriverNew("Dmm", "", &gone), VI_SUCCESS);
  EXPECT_EQ(Zor_Dispose(gone), VI_SUCCESS) << "no level of the lock is still held";
}

TEST_F(CreationTest, DefaultSetupOfASimulationDriver) {
  const ViSession vi = Open();
  for (const char* name : {static_cast<const char*>(nullptr), ""}) {
    EXPECT_EQ(Zor_ApplySimulationDriverDefaultSetup(vi, name), VI_SUCCESS);
  }
  EXPECT_EQ(TakeError(vi).primary, VI_SUCCESS);
  EXPECT_EQ(Zor_ApplySimulationDriverDefaultSetup(vi, "DmmSetup"), ZOR_ERROR_CONFIG_SERVER_MISSING);
  EXPECT_EQ(TakeError(vi).primary, ZOR_ERROR_CONFIG_SERVER_MISSING);
  Zor_ClearErrorInfo(VI_NULL);
  EXPECT_EQ(Zor_ApplySimulationDriverDefaultSetup(0xFFFFF0u, "DmmSetup"), ZOR_ERROR_INVALID_SESSION_HANDLE);
  EXPECT_EQ(TakeError(VI_NULL).primary, ZOR_ERROR_INVALID_SESSION_HANDLE);
}

}  // namespace
}  // namespace zor
