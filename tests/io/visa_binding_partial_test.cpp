// The VISA binding when the library found first lacks some entry points: it binds, and only
// the operations needing a missing entry point fail, without calling anything.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "io/visa_binding.h"
#include "loader_spy.h"
#include "zor.h"

namespace zor {
namespace {

TEST(VisaBindingPartialLibrary, MissingEntryPointsFailAndPresentOnesAreCalled) {
  ASSERT_EQ(visa::BindVisa(), VI_SUCCESS);  // a missing entry point is no load failure
  FakeVisaState* fake = test::LoadedFakeVisa();
  ASSERT_NE(fake, nullptr);
  const int attempts = test::VisaLoadAttempts();

  unsigned char bytes[8] = {1, 2, 3};
  ViUInt32 transferred = 0;
  ViUInt32 value = 99;
  ViSession rm = 99;
  ViChar description[256] = "untouched";
  constexpr FakeVisaEntryPoint kMissing = FAKE_VISA_ENTRY_POINTS;
  struct Case {
    const char* name;
    FakeVisaEntryPoint calledEntry;  // kMissing: the library lacks it
    std::function<ViStatus()> call;
  };
  const std::vector<Case> cases = {
      {"Read", FAKE_VISA_READ, [&] { return visa::Read(1, bytes, 8, &transferred); }},
      {"Write", FAKE_VISA_WRITE, [&] { return visa::Write(1, bytes, 3, &transferred); }},
      {"SetAttribute", FAKE_VISA_SET_ATTRIBUTE,
       [] { return visa::SetAttribute(1, VI_ATTR_SEND_END_EN, VI_FALSE); }},
      {"Close", FAKE_VISA_CLOSE, [] { return visa::Close(1); }},
      {"GetAttribute", kMissing, [&] { return visa::GetAttribute(1, VI_ATTR_TMO_VALUE, &value); }},
      {"Printf", kMissing, [] { return visa::Printf(1, "%s", "text"); }},
      {"OpenDefaultRM", kMissing, [&] { return visa::OpenDefaultRM(&rm); }},
      {"StatusDesc", kMissing,
       [&] { return visa::StatusDesc(VI_NULL, VI_ERROR_SYSTEM_ERROR, description); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> before(std::begin(fake->calls), std::end(fake->calls));
    EXPECT_EQ(c.call(), c.calledEntry == kMissing ? VI_ERROR_SYSTEM_ERROR : VI_SUCCESS);
    for (int entry = 0; entry < FAKE_VISA_ENTRY_POINTS; ++entry) {
      EXPECT_EQ(fake->calls[entry], before[static_cast<size_t>(entry)] + (entry == c.calledEntry))
          << "entry point " << entry;
    }
  }
  EXPECT_EQ(value, 99u);
  EXPECT_EQ(rm, 99u);
  EXPECT_STREQ(description, "untouched");
  EXPECT_EQ(test::VisaLoadAttempts(), attempts);  // bound once; the gaps are not retried
}

}  // namespace
}  // namespace zor
