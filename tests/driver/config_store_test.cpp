#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "driver/config_store.h"
#include "zor.h"

namespace zor::config {
namespace {

struct ThreadError {
  ViStatus primary = 0;
  std::string elaboration;
};

ThreadError TakeThreadError() {
  ThreadError error;
  ViStatus secondary = 0;
  char text[256] = "";
  Zor_GetErrorInfo(VI_NULL, &error.primary, &secondary, text);
  error.elaboration = text;
  return error;
}

class ConfigStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { Zor_ClearErrorInfo(VI_NULL); }
  void TearDown() override {
    Zor_AttachToConfigStoreHandle(0, 0);
    Zor_ClearErrorInfo(VI_NULL);
  }
};

TEST_F(ConfigStoreTest, StoreHandle) {
  ViUInt32 handle = 99;
  EXPECT_EQ(Zor_GetConfigStoreHandle(&handle), ZOR_ERROR_CONFIG_SERVER_MISSING);
  EXPECT_EQ(handle, 0u);
  EXPECT_EQ(Zor_GetConfigStoreHandle(nullptr), VI_SUCCESS);

  EXPECT_EQ(Zor_AttachToConfigStoreHandle(0x1234, 7), VI_SUCCESS);
  EXPECT_EQ(Zor_GetConfigStoreHandle(&handle), VI_SUCCESS);
  EXPECT_EQ(handle, 0x1234u);

  EXPECT_EQ(Zor_AttachToConfigStoreHandle(0, 0), VI_SUCCESS);
  handle = 99;
  EXPECT_EQ(Zor_GetConfigStoreHandle(&handle), ZOR_ERROR_CONFIG_SERVER_MISSING);
  EXPECT_EQ(handle, 0u);
  EXPECT_EQ(TakeThreadError().primary, VI_SUCCESS) << "the facade's answers are not recorded";
}

TEST_F(ConfigStoreTest, HandleChangesFromSeveralThreads) {
  std::vector<std::thread> threads;
  for (ViUInt32 t = 1; t <= 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 200; ++i) {
        Zor_AttachToConfigStoreHandle(i % 2 == 0 ? t : 0, 0);
        ViUInt32 handle = 99;
        const ViStatus status = Zor_GetConfigStoreHandle(&handle);
        // Whoever attached last: a handle of one of the threads, or none.
        if (status == VI_SUCCESS) {
          EXPECT_TRUE(handle >= 1 && handle <= 4) << handle;
        } else {
          EXPECT_EQ(status, ZOR_ERROR_CONFIG_SERVER_MISSING);
          EXPECT_EQ(handle, 0u);
        }
        EXPECT_EQ(ResolveLogicalName("MyDmm"), ZOR_ERROR_CONFIG_SERVER_MISSING);
      }
    });
  }
  for (auto& thread : threads) thread.join();
}

TEST_F(ConfigStoreTest, EveryLookupFindsNoStoreAttachedOrNot) {
  for (const ViUInt32 attached : {0u, 0x77u}) {
    SCOPED_TRACE(attached);
    Zor_AttachToConfigStoreHandle(attached, 0);
    ViUInt32 list = 5;
    ViUInt32 count = 5;
    EXPECT_EQ(Zor_GetLogicalNamesList(&list, &count), ZOR_ERROR_CONFIG_SERVER_MISSING);
    EXPECT_EQ(list, 0u);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(Zor_GetLogicalNamesList(nullptr, nullptr), ZOR_ERROR_CONFIG_SERVER_MISSING);

    EXPECT_EQ(ResolveLogicalName("MyDmm"), ZOR_ERROR_CONFIG_SERVER_MISSING);
    ClassDriverConfig config;
    config.prefix = "untouched";
    EXPECT_EQ(FetchClassDriverConfig("MyDmm", &config), ZOR_ERROR_CONFIG_SERVER_MISSING);
    EXPECT_EQ(config.prefix, "untouched");
    EXPECT_EQ(ApplyDefaultSetup("MyDmm"), ZOR_ERROR_CONFIG_SERVER_MISSING);
    EXPECT_EQ(FetchSimulationDefaultSetup("Setup"), ZOR_ERROR_CONFIG_SERVER_MISSING);
    std::string module = "m";
    std::string prefix = "p";
    EXPECT_EQ(FetchSimulationDriverModule(1, &module, &prefix), ZOR_ERROR_CONFIG_SERVER_MISSING);
    EXPECT_EQ(module + prefix, "mp");
    // Only this question turns the missing store into an answer.
    bool isLogical = true;
    EXPECT_EQ(LookUpResourceName("MyDmm", &isLogical, &module), VI_SUCCESS);
    EXPECT_FALSE(isLogical);
    EXPECT_EQ(TakeThreadError().primary, VI_SUCCESS);
  }
}

TEST_F(ConfigStoreTest, DefinitionsAreNotSupportedAndRecordNothing) {
  EXPECT_EQ(Zor_DefineVInstr("v", "d", "r", "o", "x", "y"), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_DefineLogicalName("l", "v"), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_DefineClass("c", "p"), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_DefineHardware("h", "r"), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_DefineDriver("d", "m", "p"), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_WriteRunTimeDefinesToFile("file"), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_GetZorIniDir(nullptr), ZOR_ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Zor_SetZorIniDir("dir"), ZOR_ERROR_NOT_SUPPORTED);
  Zor_UndefVInstr("v");
  Zor_UndefLogicalName("l");
  Zor_UndefClass(nullptr);
  Zor_UndefDriver("d");
  Zor_UndefHardware("h");
  EXPECT_EQ(TakeThreadError().primary, VI_SUCCESS);
}

// A list as a store would hand it out: entries and names from the process heap.
ZorLogicalNameEntry* NewList(std::initializer_list<std::pair<const char*, ViBoolean>> entries) {
  auto* list = static_cast<ZorLogicalNameEntry*>(std::calloc(entries.size() + 1, sizeof(ZorLogicalNameEntry)));
  std::size_t i = 0;
  for (const auto& [name, flag] : entries) {
    list[i].name = strdup(name);
    list[i].flag = flag;
    ++i;
  }
  return list;
}

TEST_F(ConfigStoreTest, NthLogicalName) {
  ZorLogicalNameEntry* list = NewList({{"FirstDmm", VI_TRUE}, {"Scope", VI_FALSE}});
  char buffer[32];
  ViBoolean flag = 99;

  const struct {
    ViInt32 index;
    ViInt32 bufferSize;
    ViStatus status;
    const char* text;
    ViBoolean flag;  // 99: untouched
  } cases[] = {
      {1, sizeof buffer, VI_SUCCESS, "FirstDmm", VI_TRUE},
      {2, sizeof buffer, VI_SUCCESS, "Scope", VI_FALSE},
      {1, 4, VI_SUCCESS, "Fir", VI_TRUE},       // cut to the buffer
      {1, 1, VI_SUCCESS, "", VI_TRUE},
      {1, 0, VI_SUCCESS, "unchanged", VI_TRUE},  // no room: nothing written
      {1, -5, VI_SUCCESS, "unchanged", VI_TRUE},
      {3, sizeof buffer, VI_SUCCESS, "", 99},   // past the end: empty, flag untouched
      {300, sizeof buffer, VI_SUCCESS, "", 99},
      {0, sizeof buffer, ZOR_ERROR_INDEX_ONE_BASED, "", 99},
      {-1, sizeof buffer, ZOR_ERROR_INDEX_ONE_BASED, "", 99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.index) + "/" + std::to_string(c.bufferSize));
    std::strcpy(buffer, "unchanged");
    flag = 99;
    EXPECT_EQ(Zor_GetNthLogicalName(list, c.index, buffer, c.bufferSize, &flag), c.status);
    EXPECT_STREQ(buffer, c.text);
    EXPECT_EQ(flag, c.flag);
    EXPECT_EQ(TakeThreadError().primary, c.status);
  }
  // Optional outputs.
  EXPECT_EQ(Zor_GetNthLogicalName(list, 2, buffer, sizeof buffer, nullptr), VI_SUCCESS);
  EXPECT_STREQ(buffer, "Scope");
  EXPECT_EQ(Zor_GetNthLogicalName(list, 2, nullptr, 10, &flag), VI_SUCCESS);
  EXPECT_EQ(flag, VI_FALSE);
  EXPECT_EQ(Zor_GetNthLogicalName(list, 1, nullptr, 0, nullptr), VI_SUCCESS);

  // No list: the buffer is emptied first, then the failure recorded.
  std::strcpy(buffer, "unchanged");
  EXPECT_EQ(Zor_GetNthLogicalName(nullptr, 1, buffer, sizeof buffer, &flag), ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(TakeThreadError().primary, ZOR_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Zor_GetNthLogicalName(nullptr, 1, nullptr, 10, nullptr), ZOR_ERROR_INVALID_PARAMETER);

  Zor_DisposeLogicalNamesList(list);
  Zor_DisposeLogicalNamesList(nullptr);
  Zor_DisposeLogicalNamesList(NewList({}));
}

TEST_F(ConfigStoreTest, ResourceNamesAreNeverLogicalNames) {
  char resource[256];
  char options[256];
  ViBoolean isLogical = 99;
  EXPECT_EQ(Zor_GetInfoFromResourceName("GPIB0::22::INSTR", "Simulate=1", resource, options, &isLogical),
            VI_SUCCESS);
  EXPECT_STREQ(resource, "GPIB0::22::INSTR");
  EXPECT_STREQ(options, "Simulate=1");
  EXPECT_EQ(isLogical, VI_FALSE);

  // Even a handle attached changes nothing; NULL options give an empty text; the flag is optional.
  Zor_AttachToConfigStoreHandle(5, 0);
  EXPECT_EQ(Zor_GetInfoFromResourceName("MyDmm", nullptr, resource, options, nullptr), VI_SUCCESS);
  EXPECT_STREQ(resource, "MyDmm");
  EXPECT_STREQ(options, "");

  // Both texts are cut to 255 characters.
  const std::string longResource(300, 'r');
  const std::string longOptions(400, 'o');
  EXPECT_EQ(Zor_GetInfoFromResourceName(longResource.c_str(), longOptions.c_str(), resource, options,
                                        &isLogical),
            VI_SUCCESS);
  EXPECT_EQ(std::string(resource), longResource.substr(0, 255));
  EXPECT_EQ(std::string(options), longOptions.substr(0, 255));
  EXPECT_EQ(TakeThreadError().primary, VI_SUCCESS);

  const struct {
    const char* resourceName;
    char* newResource;
    char* newOptions;
    const char* elaboration;
  } nulls[] = {
      {nullptr, resource, options, "Null string for Resource Name."},
      {nullptr, nullptr, nullptr, "Null string for Resource Name."},
      {"r", nullptr, options, "Null address for New Resource Name"},
      {"r", nullptr, nullptr, "Null address for New Resource Name"},
      {"r", resource, nullptr, "Null address for New Option String"},
  };
  for (const auto& n : nulls) {
    SCOPED_TRACE(n.elaboration);
    std::strcpy(resource, "unchanged");
    isLogical = 99;
    EXPECT_EQ(Zor_GetInfoFromResourceName(n.resourceName, "o", n.newResource, n.newOptions, &isLogical),
              ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_STREQ(resource, "unchanged");
    EXPECT_EQ(isLogical, 99);
    const ThreadError error = TakeThreadError();
    EXPECT_EQ(error.primary, ZOR_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(error.elaboration, n.elaboration);
  }
}

TEST_F(ConfigStoreTest, SpyingIsOnForEveryLogicalName) {
  for (const char* name : {"MyDmm", "", static_cast<const char*>(nullptr)}) {
    ViBoolean spying = VI_FALSE;
    EXPECT_EQ(Zor_GetSpyingFromLogicalName(name, &spying), VI_SUCCESS);
    EXPECT_EQ(spying, VI_TRUE);
  }
  EXPECT_EQ(Zor_GetSpyingFromLogicalName("MyDmm", nullptr), VI_SUCCESS);
}

}  // namespace
}  // namespace zor::config
