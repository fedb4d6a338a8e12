// The VISA binding in a process where the loader finds no VISA library by name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/session.h"
#include "io/visa_binding.h"
#include "loader_spy.h"
#include "zor.h"

namespace zor {
namespace {

using test::LoadedFakeVisa;
using test::VisaLoadAttempts;

// Every call tries the load again, since a failure is not remembered, and touches none of its
// outputs.
TEST(VisaBindingWithoutLibrary, EveryOperationFailsAndTriesTheLoadAgain) {
  if (visa::BindVisa() == VI_SUCCESS) GTEST_SKIP() << "the loader finds a libvisa.so here";
  ASSERT_EQ(LoadedFakeVisa(), nullptr);

  unsigned char bytes[8] = {1, 2, 3};
  ViUInt32 transferred = 99;
  ViUInt32 value = 99;
  ViSession rm = 99;
  ViChar description[256] = "untouched";
  const std::vector<std::pair<const char*, std::function<ViStatus()>>> operations = {
      {"BindVisa", [] { return visa::BindVisa(); }},
      {"Read", [&] { return visa::Read(1, bytes, 8, &transferred); }},
      {"Write", [&] { return visa::Write(1, bytes, 3, &transferred); }},
      {"SetAttribute", [] { return visa::SetAttribute(1, VI_ATTR_TMO_VALUE, 2000); }},
      {"GetAttribute", [&] { return visa::GetAttribute(1, VI_ATTR_TMO_VALUE, &value); }},
      {"Printf", [] { return visa::Printf(1, "%s", "text"); }},
      {"Close", [] { return visa::Close(1); }},
      {"OpenDefaultRM", [&] { return visa::OpenDefaultRM(&rm); }},
      {"StatusDesc", [&] { return visa::StatusDesc(VI_NULL, VI_ERROR_SYSTEM_ERROR, description); }},
  };
  for (const auto& [name, call] : operations) {
    SCOPED_TRACE(name);
    const int attempts = VisaLoadAttempts();
    EXPECT_EQ(call(), VI_ERROR_SYSTEM_ERROR);
    EXPECT_EQ(VisaLoadAttempts(), attempts + 1);
  }
  EXPECT_EQ(transferred, 99u);
  EXPECT_EQ(value, 99u);
  EXPECT_EQ(rm, 99u);
  EXPECT_STREQ(description, "untouched");
}

TEST(VisaBindingWithoutLibrary, DisposingASessionWithAResourceManagerStillSucceeds) {
  if (visa::BindVisa() == VI_SUCCESS) GTEST_SKIP() << "the loader finds a libvisa.so here";
  ViSession vi = 0;
  ASSERT_EQ(NewEngineSession(&vi), VI_SUCCESS);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi, &data), VI_SUCCESS);
  data->visaRMSession = 77;
  const int attempts = VisaLoadAttempts();
  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
  EXPECT_EQ(VisaLoadAttempts(), attempts + 1);  // the close was tried
  SessionData* gone = nullptr;
  EXPECT_NE(LookupSession(vi, &gone), VI_SUCCESS);
}

// A library that becomes reachable by its name after failed attempts is bound by the next
// operation. Loading the fake by its full path makes the loader find it under its soname.
TEST(VisaBindingWithoutLibrary, ALibraryInstalledLaterIsBoundByTheNextCall) {
  ASSERT_EQ(visa::Close(3), VI_ERROR_SYSTEM_ERROR) << "the loader finds a libvisa.so here";
  ASSERT_EQ(visa::Close(3), VI_ERROR_SYSTEM_ERROR);

  void* installed = dlopen(FAKE_VISA_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(installed, nullptr) << dlerror();
  FakeVisaState* fake = LoadedFakeVisa();
  ASSERT_NE(fake, nullptr);

  const int attempts = VisaLoadAttempts();
  EXPECT_EQ(visa::Close(3), VI_SUCCESS);
  EXPECT_EQ(VisaLoadAttempts(), attempts + 1);
  EXPECT_EQ(fake->calls[FAKE_VISA_CLOSE], 1);
  EXPECT_EQ(fake->session, 3u);

  // Bound now: the library stays even when the installer lets go of it, and nothing loads again.
  dlclose(installed);
  EXPECT_EQ(LoadedFakeVisa(), fake);
  ViSession rm = 0;
  fake->resourceManager = 21;
  EXPECT_EQ(visa::OpenDefaultRM(&rm), VI_SUCCESS);
  EXPECT_EQ(rm, 21u);
  EXPECT_EQ(visa::BindVisa(), VI_SUCCESS);
  EXPECT_EQ(VisaLoadAttempts(), attempts + 1);
  EXPECT_EQ(fake->constructed, 1);
}

}  // namespace
}  // namespace zor
