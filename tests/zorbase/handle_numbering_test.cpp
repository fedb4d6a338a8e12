// Runs in a process of its own: the numbering starts when the library is loaded.
#include <gtest/gtest.h>

#include "zorbase.h"

TEST(ZorSessionNumbering, HandlesStartAtOneAndAreNeverReused) {
  ViSession first = 0;
  ViSession second = 0;
  ViSession third = 0;
  ASSERT_EQ(ZorSession_New(&first), 0);
  ASSERT_EQ(ZorSession_New(&second), 0);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(second, 2u);
  ASSERT_EQ(ZorSession_Dispose(first), 0);
  ASSERT_EQ(ZorSession_New(&third), 0);
  EXPECT_EQ(third, 3u);
  EXPECT_EQ(ZorSession_Dispose(second), 0);
  EXPECT_EQ(ZorSession_Dispose(third), 0);
}
