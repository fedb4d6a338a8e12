// Shared fixture of the range-table tests: a fresh engine session per test, clean error
// records, and helpers to read back what was recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "core/session.h"
#include "zor.h"

namespace zor::test {

struct RecordedError {
  ViStatus primary = 0;
  std::string elaboration;
};

// Reads (and thereby clears) the error recorded on `vi`, or on the calling thread for VI_NULL.
inline RecordedError ReadError(ViSession vi) {
  RecordedError error;
  ViStatus secondary = 0;
  ViChar elaboration[256] = "";
  Zor_GetErrorInfo(vi, &error.primary, &secondary, elaboration);
  error.elaboration = elaboration;
  return error;
}

inline std::uint64_t Bits(ViReal64 value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(NewEngineSession(&vi_), VI_SUCCESS);
    ClearErrors();
  }
  void TearDown() override {
    if (vi_ != VI_NULL) {
      EXPECT_EQ(Zor_Dispose(vi_), VI_SUCCESS);
    }
    Zor_ClearErrorInfo(VI_NULL);
  }
  void ClearErrors() {
    Zor_ClearErrorInfo(vi_);
    Zor_ClearErrorInfo(VI_NULL);
  }
  // Marks the session as completely created, as session creation does at its end.
  void CompleteCreation() {
    SessionData* data = nullptr;
    ASSERT_EQ(LookupSession(vi_, &data), VI_SUCCESS);
    data->creationComplete = VI_TRUE;
  }

  ViSession vi_ = VI_NULL;
};

// A session handle that names no session.
constexpr ViSession kNoSuchSession = 0x7FFFFFF0;

}  // namespace zor::test
