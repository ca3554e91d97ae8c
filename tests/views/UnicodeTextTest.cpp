// Lower-casing for search and counting user-perceived characters.
#include "views/UnicodeText.h"

#include <gtest/gtest.h>

TEST(UnicodeTextTest, LowerCasesBeyondAscii) {
  EXPECT_EQ(UnicodeText::lowerCased("ÄBC Éte ΣΟΦΙΑ"), "äbc éte σοφια");
}

TEST(UnicodeTextTest, KeepsInvalidBytesAsTheyAre) {
  const std::string text =
      "A\xff"
      "B\xc3";
  EXPECT_EQ(UnicodeText::lowerCased(text),
            "a\xff"
            "b\xc3");
}

TEST(UnicodeTextTest, CombiningMarkJoinsItsBaseLetter) {
  EXPECT_EQ(UnicodeText::characterCount("cafe\u0301!"), 5u);
}

TEST(UnicodeTextTest, CountsClustersNotCodePointsOrBytes) {
  EXPECT_EQ(UnicodeText::characterCount(""), 0u);
  EXPECT_EQ(UnicodeText::characterCount("a\r\nb"), 3u);
  EXPECT_EQ(UnicodeText::characterCount("\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA"), 2u);
  EXPECT_EQ(UnicodeText::characterCount("日本語"), 3u);
}
