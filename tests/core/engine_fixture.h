// A fixture that opens engine sessions the way session creation does, and small helpers to
// read back what the engine recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/session.h"
#include "zor.h"

namespace zor::test {

struct ErrorInfo {
  ViStatus primary = 0;
  ViStatus secondary = 0;
  std::string elaboration;
};

// Reads (and so clears) the error information of `vi`, or of the thread for VI_NULL.
inline ErrorInfo TakeErrorInfo(ViSession vi) {
  ErrorInfo info;
  char text[256] = "";
  EXPECT_EQ(Zor_GetErrorInfo(vi, &info.primary, &info.secondary, text), VI_SUCCESS);
  info.elaboration = text;
  return info;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Zor_ClearErrorInfo(VI_NULL);
    vi_ = OpenSession();
  }
  void TearDown() override {
    for (ViSession vi : opened_) Zor_Dispose(vi);
    Zor_ClearErrorInfo(VI_NULL);
  }

  ViSession OpenSession() {
    ViSession vi = 0;
    EXPECT_EQ(NewEngineSession(&vi), VI_SUCCESS);
    opened_.push_back(vi);
    return vi;
  }

  SessionData& Data(ViSession vi) {
    SessionData* data = nullptr;
    EXPECT_EQ(LookupSession(vi, &data), VI_SUCCESS);
    return *data;
  }

  // Builds a repeated capability directly (its exported functions are tested elsewhere).
  void BuildTable(ViSession vi, const char* name, std::vector<std::string> names) {
    auto table = std::make_unique<RepCapTable>();
    for (const auto& n : names) table->Add(n);
    Data(vi).repCapTables.Insert(name, std::move(table));
  }

  ViSession vi_ = 0;
  std::vector<ViSession> opened_;
};

}  // namespace zor::test
