#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "status_codes.h"
#include "zorbase.h"

namespace zor::test {
namespace {

TEST(ZorErrorMessage, GetFromTheStandardTable) {
  struct Case {
    ViStatus code;
    ViStatus result;
    const char* message;
  };
  const Case cases[] = {
      {Status(0xBFFA0058), 0, "Null pointer passed for parameter or property"},
      {Status(0xBFFA0000), 0, "Unrecoverable failure"},
      {Status(0xBFFA005D), 0, "instrument status is not available"},
      {Status(0x3FFA0069), 0, "Revision query not supported"},
      {0, 0, ""},
      {Status(0xBFFA0014), kInvalidValue, ""},  // not in the table
  };
  for (const auto& c : cases) {
    ViConstString message = nullptr;
    EXPECT_EQ(ZorErrorMessage_Get(c.code, nullptr, &message), c.result) << std::hex << c.code;
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message, c.message) << std::hex << c.code;
  }
}

TEST(ZorErrorMessage, CallersTableComesFirstAndFallsBackToTheStandardTable) {
  const ZorErrorMessageEntry table[] = {
      {Status(0xBFFA0058), "driver's own text"},
      {Status(0xBFFA0011), ""},  // empty: the standard text is used
      {Status(0xBFFA0014), "only here"},
      {0, nullptr},
  };
  struct Case {
    ViStatus code;
    ViStatus result;
    const char* message;
  };
  const Case cases[] = {
      {Status(0xBFFA0058), 0, "driver's own text"},
      {Status(0xBFFA0011), 0, "Function or method not supported"},
      {Status(0xBFFA0014), 0, "only here"},
      {Status(0xBFFA0002), 0, "File could not be opened"},
      {Status(0xBFFA0099), kInvalidValue, ""},
      {0, 0, ""},
  };
  for (const auto& c : cases) {
    ViConstString message = nullptr;
    EXPECT_EQ(ZorErrorMessage_Get(c.code, table, &message), c.result) << std::hex << c.code;
    EXPECT_STREQ(message, c.message) << std::hex << c.code;
  }
  EXPECT_EQ(ZorErrorMessage_Get(Status(0xBFFA0058), table, nullptr), kNullPointer);
}

TEST(ZorErrorMessage, FormatWithElaborationFollowsTheBufferRule) {
  const char* message = "Attribute is read-only";
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, "X", 0, nullptr), 27);
  char buffer[64];
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, "X", 27, buffer), 0);
  EXPECT_STREQ(buffer, "Attribute is read-only : X");
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, "X", 10, buffer), 27);
  EXPECT_STREQ(buffer, "Attribute");
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, "X", -1, buffer), 0);
  EXPECT_STREQ(buffer, "Attribute is read-only : X");
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, "X", 1, buffer), 27);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, "X", 27, nullptr), kNullPointer);
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(nullptr, "X", 27, buffer), kInvalidValue);
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, nullptr, 27, buffer), kInvalidValue);
  const std::string longElaboration(5000, 'e');
  EXPECT_EQ(ZorErrorMessage_FormatWithElaboration(message, longElaboration.c_str(), 0, nullptr),
            static_cast<ViStatus>(std::strlen(message) + 3 + 5000 + 1));
}

}  // namespace
}  // namespace zor::test
