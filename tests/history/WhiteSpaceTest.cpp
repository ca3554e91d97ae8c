// The trimmed white-space set and trimming on UTF-8 bytes.
#include "history/WhiteSpace.h"

#include <gtest/gtest.h>
#include <utf8proc.h>

namespace {

bool isLineOrTabControl(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

TEST(WhiteSpaceTest, SetIsExactlySpaceSeparatorsAndLineControls) {
  int members = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    bool spaceSeparator =
        utf8proc_category(static_cast<utf8proc_int32_t>(c)) == UTF8PROC_CATEGORY_ZS;
    bool expected = spaceSeparator || isLineOrTabControl(c);
    ASSERT_EQ(WhiteSpace::isMember(c), expected) << std::hex << static_cast<unsigned>(c);
    members += expected ? 1 : 0;
  }
  EXPECT_EQ(members, 25);
}

TEST(WhiteSpaceTest, TrimStopsAtIllFormedBytes) {
  EXPECT_EQ(WhiteSpace::trim(" \xFF "), "\xFF");
  // A lone continuation byte after a three-byte space must not be taken for
  // part of it.
  EXPECT_EQ(WhiteSpace::trim("\u3000\x80\u3000"), "\x80");
  // A truncated ideographic space is not a space.
  EXPECT_EQ(WhiteSpace::trim("x \xE3\x80"), "x \xE3\x80");
}

TEST(WhiteSpaceTest, TrimKeepsMultiByteTextNextToSpaces) {
  EXPECT_EQ(WhiteSpace::trim("\u3000\u65E5\u672C\u3000"), "\u65E5\u672C");
  EXPECT_EQ(WhiteSpace::trim("\u2029caf\u00E9\u2028"), "caf\u00E9");
  EXPECT_EQ(WhiteSpace::trim("\U0001F600 "), "\U0001F600");
}

}  // namespace
