#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/text.h"

namespace zor::text {
namespace {

TEST(Text, BlankAndTrim) {
  EXPECT_TRUE(IsBlank(nullptr));
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank(" \t\r\n"));
  EXPECT_FALSE(IsBlank(" x "));
  EXPECT_EQ(Trimmed("  a b \t"), "a b");
  EXPECT_EQ(Trimmed(nullptr), "");
  EXPECT_EQ(Trimmed("   "), "");
}

TEST(Text, CompareIgnoringCase) {
  EXPECT_EQ(CompareIgnoringCase("Channel", "cHANNEL"), 0);
  EXPECT_LT(CompareIgnoringCase("ch1", "CH2"), 0);
  EXPECT_GT(CompareIgnoringCase("ch10", "CH1"), 0);
  EXPECT_TRUE(EqualIgnoringCase("", ""));
}

TEST(Text, CopyBoundedCutsAndTerminates) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  CopyBounded("abcdefghij", buffer, 5);
  EXPECT_STREQ(buffer, "abcd");
  CopyBounded(nullptr, buffer, 5);
  EXPECT_STREQ(buffer, "");
  buffer[0] = 'z';
  CopyBounded("abc", buffer, 0);  // nothing at all
  EXPECT_EQ(buffer[0], 'z');
}

TEST(Text, CopyOutRule) {
  struct Case {
    std::int32_t size;
    std::int32_t result;
    const char* delivered;
  };
  const Case cases[] = {{0, 6, nullptr}, {3, 6, "ab"}, {6, 0, "abcde"}, {7, 0, "abcde"}, {-1, 0, "abcde"}};
  for (const auto& c : cases) {
    char buffer[16] = "untouched";
    EXPECT_EQ(CopyOut("abcde", 5, c.size, c.size == 0 ? nullptr : buffer, -99), c.result) << c.size;
    if (c.delivered != nullptr) {
      EXPECT_STREQ(buffer, c.delivered) << c.size;
    }
  }
  EXPECT_EQ(CopyOut("abcde", 5, 3, nullptr, -99), -99);
}

TEST(Text, ListItemsAreTrimmedAndEmptyOnesSkipped) {
  struct Case {
    const char* list;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {" 1 , 2,3 ,", {"1", "2", "3"}},
      {"1,,2", {"1", "2"}},
      {"", {}},
      {"  ", {}},
      {nullptr, {}},
      {",a b,", {"a b"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> seen;
    EXPECT_TRUE(ForEachListItem(c.list, [&](const std::string& item) {
      seen.push_back(item);
      return true;
    }));
    EXPECT_EQ(seen, c.items) << (c.list ? c.list : "(null)");
  }
  int visits = 0;
  EXPECT_FALSE(ForEachListItem("a,b,c", [&](const std::string&) { return ++visits < 2; }));
  EXPECT_EQ(visits, 2);
}

}  // namespace
}  // namespace zor::text
