// What an entry is made of, and the text forms its fields go through.
#include "history/ClipboardItem.h"

#include <gtest/gtest.h>
#include <utf8proc.h>

#include <algorithm>
#include <cctype>

#include "history/Base64.h"
#include "history/Utf8.h"
#include "history/WhiteSpace.h"

namespace {

TEST(UuidTest, IdsReadBackInEitherCaseAndHashApart) {
  const Uuid id = Uuid::random();
  std::string text = id.toString();
  EXPECT_EQ(Uuid::parse(text), id);
  EXPECT_NE(std::hash<Uuid>()(id), std::hash<Uuid>()(Uuid::random()));
  std::transform(text.begin(), text.end(), text.begin(), ::tolower);
  EXPECT_EQ(Uuid::parse(text), id);
  for (const char* bad :
       {"", "E621E1F8-C36C-495A-93FC-0C247A3E6E5F0", "E621E1F8-C36C-495A-93FC0-C247A3E6E5F",
        "E621E1F8-C36C-495A-93FC-0C247A3E6E5G", "E621E1F8-C36C-495A-93FC-0C247A3E6E\xC3\xA9"})
    EXPECT_FALSE(Uuid::parse(bad)) << bad;
}

TEST(ClipboardItemTest, DisplayTextByKind) {
  using Kind = ClipboardItemKind;
  using Paths = PathList;
  struct Case {
    const char* name;
    Kind kind;
    std::optional<std::string> text;
    std::optional<Paths> paths;
    std::string shown;
  };
  const Case cases[] = {
      {"text trimmed at both ends only", Kind::text, "\t a \n b \r\n", {}, "a \n b"},
      {"blank text", Kind::text, " \t\n", {}, "(empty)"},
      {"no text", Kind::text, {}, {}, "(empty)"},
      {"rich text by its plain text", Kind::rtf, "  hello\n", {}, "hello"},
      {"image whatever its text", Kind::image, "ignored", {}, "Image"},
      {"file names", Kind::files, {}, Paths{"/a/Report.pdf", "/Photos/"}, "Report.pdf, Photos"},
      {"odd paths", Kind::files, {}, Paths{"/", "///", "/a//", "plain", ""}, "/, /, a, plain, "},
      {"no paths", Kind::files, {}, {}, ""},
  };
  for (const Case& c : cases) {
    ClipboardItem item;
    item.kind = c.kind;
    item.text = c.text;
    item.filePaths = c.paths;
    EXPECT_EQ(item.displayText(), c.shown) << c.name;
  }
}

TEST(PathListTest, EachPathComesBackAsGivenWhateverItHolds) {
  const std::vector<std::vector<std::string>> lists = {
      {}, {""}, {"", ""}, {"/a/one.txt", "/b/two.txt"}, {"a|b"}, {"a", "b"}, {"|", "", "|"}};
  for (const std::vector<std::string>& paths : lists) {
    const PathList list(paths);
    EXPECT_EQ(list.size(), paths.size());
    EXPECT_EQ(list.toVector(), paths);
    std::string joined;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      EXPECT_EQ(list[i], paths[i]);
      joined += (i > 0 ? "|" : "") + paths[i];
    }
    EXPECT_EQ(list.joined(), joined);
  }
  EXPECT_NE((PathList{"a|b"}), (PathList{"a", "b"})) << "same joined text, other paths";
  EXPECT_NE(PathList{}, (PathList{""}));
}

const std::string fffd = "\xEF\xBF\xBD";

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::string base64(const Bytes& bytes) {
  std::string out;
  Base64::append(out, bytes);
  return out;
}

TEST(Base64Test, StandardVectorsAndEveryLengthRoundTrip) {
  // The standard's vectors: the encodings of "", "f", "fo" and on to "foobar".
  const std::string foobar = "foobar";
  const char* encoded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
  for (std::size_t i = 0; i < std::size(encoded); ++i) {
    EXPECT_EQ(base64(bytesOf(foobar.substr(0, i))), encoded[i]);
    EXPECT_EQ(Base64::decode(encoded[i]), bytesOf(foobar.substr(0, i)));
  }
  Bytes bytes;
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(Base64::decode(base64(bytes)), bytes) << i;
    bytes.push_back(static_cast<std::uint8_t>(i * 7));
  }
}

TEST(Base64Test, RefusesAnythingButCanonicalStandardText) {
  for (const char* text :
       {"Zg", "Zg=", "Zm9",                                   // no padding
        "Zg===", "=Zg=", "Z===", "====", "Zm=v", "Zg==Zg==",  // misplaced padding
        "Zm9v\n", " Zm9v", "Zm-_", "Zm9v*A==",                // other characters
        "Zh==", "Zm9="})                                      // pad bits not zero
    EXPECT_FALSE(Base64::decode(text)) << text;
}

TEST(Utf8Test, IllFormedSequencesAreRefusedAndEachMaximalPartRepaired) {
  struct Case {
    const char* name;
    std::string text;
    std::string repaired;
  };
  const Case cases[] = {
      {"well-formed", "caf\u00e9 \u65e5 \U0001F600 \U0010FFFF",
       "caf\u00e9 \u65e5 \U0001F600 \U0010FFFF"},
      {"stray continuation", "a\x80", "a" + fffd},
      {"overlong NUL", "\xC0\x80", fffd + fffd},
      {"overlong solidus", "\xE0\x80\xAF", fffd + fffd + fffd},
      {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
      {"past U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
      {"truncated, replaced once", "a\xE2\x82-", "a" + fffd + "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8::isValid(c.text), c.text == c.repaired);
    std::string out;
    Utf8::appendRepaired(out, c.text);
    EXPECT_EQ(out, c.repaired);
  }
  std::string everyByte;
  for (int i = 0; i < 512; ++i)
    everyByte += static_cast<char>(i);
  std::string out;
  Utf8::appendRepaired(out, everyByte);
  EXPECT_TRUE(Utf8::isValid(out));
}

TEST(WhiteSpaceTest, MembersAreExactlyTheSpaceSeparatorsAndLineControls) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    bool expected = utf8proc_category(static_cast<utf8proc_int32_t>(c)) == UTF8PROC_CATEGORY_ZS ||
                    (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
    ASSERT_EQ(WhiteSpace::isMember(c), expected) << std::hex << static_cast<unsigned>(c);
  }
}

TEST(WhiteSpaceTest, TrimTakesMembersFromBothEndsOnly) {
  const std::pair<std::string, std::string> cases[] = {
      {"\u3000\u65e5\u672c\u3000", "\u65e5\u672c"},
      {"\u2029caf\u00e9\u2028\u0085", "caf\u00e9"},
      {"\u200Bhi\u200B", "\u200Bhi\u200B"},  // zero-width is no white space
      {" \xFF ", "\xFF"},                    // nor are ill-formed bytes
      {"\u3000\x80\u3000", "\x80"},          // nor part of the space before them
      {"x \xE3\x80", "x \xE3\x80"},          // a truncated space is no space
  };
  for (const auto& [text, trimmed] : cases)
    EXPECT_EQ(WhiteSpace::trim(text), trimmed) << text;
}

}  // namespace
