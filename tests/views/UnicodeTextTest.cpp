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

TEST(UnicodeTextTest, LettersWhoseLowerCaseChangesLengthKeepTheRestAligned) {
  // U+0130 shrinks from two bytes to one; U+023A grows from two to three.
  EXPECT_EQ(UnicodeText::lowerCased("ABCDEFGH\u0130JKLMNOPQ\u023ARSTUVWXYZ@[`{"),
            "abcdefghijklmnopq\u2C65rstuvwxyz@[`{");
}

TEST(UnicodeTextTest, InPlaceMatchesACopyAtEveryAlignment) {
  const std::string base = "Entry 7: Meeting NOTES for Z\u00DCRICH \u00C5LESUND @[`{ZAza";
  for (std::size_t shift = 0; shift < 9; ++shift) {
    std::string text = std::string(shift, 'Q') + base;
    const std::string expected =
        std::string(shift, 'q') + "entry 7: meeting notes for z\u00FCrich \u00E5lesund @[`{zaza";
    UnicodeText::lowerCaseInPlace(text);
    EXPECT_EQ(text, expected) << shift;
  }
}
