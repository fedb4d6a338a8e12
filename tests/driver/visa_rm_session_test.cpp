// ZOR_ATTR_VISA_RM_SESSION against the fake VISA library the loader finds first.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "../io/fake_visa.h"
#include "core/session.h"
#include "zor.h"

namespace zor {
namespace {

FakeVisaState* Fake() {
  void* library = dlopen("libvisa.so", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  auto state = reinterpret_cast<FakeVisaStateFunction>(dlsym(library, FAKE_VISA_STATE_SYMBOL));
  return state != nullptr ? state() : nullptr;
}

TEST(VisaResourceManagerAttribute, OpensTheDefaultResourceManagerOnFirstRead) {
  FakeVisaState* fake = Fake();
  ASSERT_NE(fake, nullptr) << "the fake VISA library is not on the loader's path";
  ViSession vi = 0;
  ASSERT_EQ(Zor_SpecificDriverNew("Dmm", "", &vi), VI_SUCCESS);
  SessionData* data = nullptr;
  ASSERT_EQ(LookupSession(vi, &data), VI_SUCCESS);

  // A failed open is reported and leaves nothing open.
  const int opensBefore = fake->calls[FAKE_VISA_OPEN_DEFAULT_RM];
  fake->result[FAKE_VISA_OPEN_DEFAULT_RM] = static_cast<int32_t>(0xBFFF003C);
  ViSession rm = 99;
  EXPECT_EQ(Zor_GetAttributeViSession(vi, nullptr, ZOR_ATTR_VISA_RM_SESSION, 0, &rm), VI_ERROR_ALLOC);
  EXPECT_EQ(rm, 99u);
  EXPECT_EQ(data->visaRMSession, 0u);
  EXPECT_EQ(fake->calls[FAKE_VISA_OPEN_DEFAULT_RM], opensBefore + 1);

  // The next read opens it; later reads hand out the same session without opening again.
  fake->result[FAKE_VISA_OPEN_DEFAULT_RM] = 0;
  fake->resourceManager = 0x4242;
  for (int read = 0; read < 2; ++read) {
    rm = 0;
    EXPECT_EQ(Zor_GetAttributeViSession(vi, nullptr, ZOR_ATTR_VISA_RM_SESSION, 0, &rm), VI_SUCCESS);
    EXPECT_EQ(rm, 0x4242u);
  }
  EXPECT_EQ(data->visaRMSession, 0x4242u);
  EXPECT_EQ(fake->calls[FAKE_VISA_OPEN_DEFAULT_RM], opensBefore + 2);
  EXPECT_EQ(Zor_Dispose(vi), VI_SUCCESS);
}

}  // namespace
}  // namespace zor
