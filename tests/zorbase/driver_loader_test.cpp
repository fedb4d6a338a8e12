#include <gtest/gtest.h>

#include "status_codes.h"
#include "zorbase.h"

namespace zor::test {
namespace {

class DriverLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(ZorDriverLoader_New(TEST_DRIVER_PATH, "ab12", &loader_), 0); }
  void TearDown() override { ZorDriverLoader_Dispose(loader_); }
  ViAddr loader_ = nullptr;
};

TEST_F(DriverLoaderTest, PrefixedAndCompleteNamesFindTheSameFunction) {
  ViAddr byPrefix = nullptr;
  ViAddr byComplete = nullptr;
  ASSERT_EQ(ZorDriverLoader_GetFunctionPtr(loader_, "init", &byPrefix), 0);
  ASSERT_EQ(ZorDriverLoader_GetFunctionPtrByCompleteName(loader_, "ab12_init", &byComplete), 0);
  ASSERT_NE(byPrefix, nullptr);
  EXPECT_EQ(byPrefix, byComplete);
  EXPECT_EQ(reinterpret_cast<int (*)()>(byPrefix)(), 1);
}

TEST_F(DriverLoaderTest, MissingNamesAreNotErrors) {
  struct Case {
    bool complete;
    const char* name;
  };
  const Case cases[] = {
      {false, "missing"}, {false, "INIT"},       {false, nullptr},  // lookups are case-sensitive
      {true, "init"},     {true, "ab12_Init"},   {true, nullptr},
  };
  for (const auto& c : cases) {
    ViAddr found = reinterpret_cast<ViAddr>(0x1);
    const ViStatus status = c.complete
                                ? ZorDriverLoader_GetFunctionPtrByCompleteName(loader_, c.name, &found)
                                : ZorDriverLoader_GetFunctionPtr(loader_, c.name, &found);
    EXPECT_EQ(status, 0) << (c.name ? c.name : "(null)");
    EXPECT_EQ(found, nullptr) << (c.name ? c.name : "(null)");
  }
}

TEST_F(DriverLoaderTest, NullOutputs) {
  EXPECT_EQ(ZorDriverLoader_GetFunctionPtr(loader_, "init", nullptr), kNullPointer);
  EXPECT_EQ(ZorDriverLoader_GetFunctionPtrByCompleteName(loader_, "ab12_init", nullptr), kNullPointer);
}

TEST(DriverLoader, NewFailures) {
  EXPECT_EQ(ZorDriverLoader_New(TEST_DRIVER_PATH, "ab12", nullptr), kNullPointer);
  for (const char* file : {"/no/such/driver.so", "", static_cast<const char*>(nullptr)}) {
    ViAddr loader = reinterpret_cast<ViAddr>(0x1);
    EXPECT_EQ(ZorDriverLoader_New(file, "ab12", &loader), kFileOpenFailed);
    EXPECT_EQ(loader, nullptr);
  }
  ViAddr loader = reinterpret_cast<ViAddr>(0x1);
  EXPECT_EQ(ZorDriverLoader_New(TEST_DRIVER_PATH, nullptr, &loader), kNullPointer);
  EXPECT_EQ(loader, nullptr);
  ZorDriverLoader_Dispose(nullptr);
}

}  // namespace
}  // namespace zor::test
