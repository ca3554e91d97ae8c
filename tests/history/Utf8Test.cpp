// Well-formedness and the repair of ill-formed UTF-8.
#include "history/Utf8.h"

#include <gtest/gtest.h>

namespace {

const std::string fffd = "\xEF\xBF\xBD";

std::string repaired(std::string_view text) {
  std::string out;
  Utf8::appendRepaired(out, text);
  return out;
}

TEST(Utf8Test, AcceptsWellFormedText) {
  EXPECT_TRUE(Utf8::isValid(""));
  EXPECT_TRUE(Utf8::isValid("plain / \"quoted\""));
  EXPECT_TRUE(Utf8::isValid("caf\u00E9 \u65E5\u672C \U0001F600 \U0010FFFF"));
}

TEST(Utf8Test, RejectsIllFormedSequences) {
  const char* bad[] = {
      "\x80",              // stray continuation
      "\xC0\x80",          // overlong NUL
      "\xE0\x80\xAF",      // overlong solidus
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // past U+10FFFF
      "\xE2\x82",          // truncated
      "\xFF",
  };
  for (const char* text : bad) {
    EXPECT_FALSE(Utf8::isValid(text));
    Utf8::Decoded decoded = Utf8::decode(text, 0);
    EXPECT_EQ(decoded.codePoint, Utf8::invalid);
  }
}

TEST(Utf8Test, DecodesEachLength) {
  std::string text = "a\u00E9\u65E5\U0001F600";
  EXPECT_EQ(Utf8::decode(text, 0).codePoint, U'a');
  EXPECT_EQ(Utf8::decode(text, 1).codePoint, U'\u00E9');
  EXPECT_EQ(Utf8::decode(text, 3).codePoint, U'\u65E5');
  EXPECT_EQ(Utf8::decode(text, 6).codePoint, U'\U0001F600');
  EXPECT_EQ(Utf8::decode(text, 6).length, 4u);
}

TEST(Utf8Test, RepairLeavesWellFormedTextAlone) {
  std::string text = "caf\u00E9 / \U0001F600";
  EXPECT_EQ(repaired(text), text);
}

TEST(Utf8Test, RepairReplacesEachMaximalIllFormedPart) {
  EXPECT_EQ(repaired("a\xFF"
                     "b"),
            "a" + fffd + "b");
  // A truncated sequence is one replacement, not one per byte.
  EXPECT_EQ(repaired("a\xE2\x82"
                     "b"),
            "a" + fffd + "b");
  EXPECT_EQ(repaired("\xF0\x9F\x98"), fffd);
  // A surrogate's lead byte never starts a valid prefix: three replacements.
  EXPECT_EQ(repaired("\xED\xA0\x80"), fffd + fffd + fffd);
  EXPECT_EQ(repaired("\xC0\xAF"), fffd + fffd);
}

TEST(Utf8Test, RepairedTextIsAlwaysWellFormed) {
  std::string allBytes;
  for (int i = 0; i < 256; ++i)
    allBytes += static_cast<char>(i);
  std::string out = repaired(allBytes + allBytes);
  EXPECT_TRUE(Utf8::isValid(out));
}

}  // namespace
