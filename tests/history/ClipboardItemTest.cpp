// Kind names, equality and the display text of history entries.
#include "history/ClipboardItem.h"

#include <gtest/gtest.h>

namespace {

ClipboardItem textItem(std::optional<std::string> text,
                       ClipboardItemKind kind = ClipboardItemKind::text) {
  ClipboardItem item;
  item.kind = kind;
  item.text = std::move(text);
  return item;
}

ClipboardItem filesItem(std::optional<std::vector<std::string>> paths) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::files;
  item.filePaths = std::move(paths);
  return item;
}

TEST(ClipboardItemKindTest, NamesRoundTrip) {
  for (auto kind : {ClipboardItemKind::text, ClipboardItemKind::rtf, ClipboardItemKind::image,
                    ClipboardItemKind::files})
    EXPECT_EQ(parseKind(kindName(kind)), kind);
  EXPECT_EQ(kindName(ClipboardItemKind::text), "text");
  EXPECT_EQ(kindName(ClipboardItemKind::rtf), "rtf");
  EXPECT_EQ(kindName(ClipboardItemKind::image), "image");
  EXPECT_EQ(kindName(ClipboardItemKind::files), "files");
}

TEST(ClipboardItemKindTest, OtherNamesAreNoKind) {
  for (const char* name : {"html", "Text", "TEXT", "", "text ", " rtf", "file", "images"})
    EXPECT_FALSE(parseKind(name)) << name;
}

TEST(ClipboardItemTest, EqualityGoesByIdentifierAlone) {
  ClipboardItem a = textItem("one");
  ClipboardItem b = textItem("two");
  b.id = a.id;
  b.pinned = true;
  EXPECT_EQ(a, b);
  ClipboardItem c = textItem("one");
  EXPECT_NE(a, c);
}

TEST(ClipboardItemTest, FreshEntriesGetDistinctIdentifiers) {
  EXPECT_NE(ClipboardItem().id, ClipboardItem().id);
}

class DisplayTextTest : public ::testing::Test {};

TEST_F(DisplayTextTest, TextIsTrimmedAtBothEndsOnly) {
  EXPECT_EQ(textItem("  hello\n").displayText(), "hello");
  EXPECT_EQ(textItem("\t a \n\n b \r\n").displayText(), "a \n\n b");
}

TEST_F(DisplayTextTest, BlankOrAbsentTextShowsEmpty) {
  EXPECT_EQ(textItem("  \t\n \n\t").displayText(), "(empty)");
  EXPECT_EQ(textItem("").displayText(), "(empty)");
  EXPECT_EQ(textItem(std::nullopt).displayText(), "(empty)");
}

TEST_F(DisplayTextTest, RichTextShowsItsPlainTextNeverItsDocument) {
  ClipboardItem item = textItem("  hello\n", ClipboardItemKind::rtf);
  item.rtfData = Bytes{'{', '\\', 'r', 't', 'f', '1', '}'};
  EXPECT_EQ(item.displayText(), "hello");
  item.text.reset();
  EXPECT_EQ(item.displayText(), "(empty)");
}

TEST_F(DisplayTextTest, ImageShowsImageWhateverItsFile) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::image;
  EXPECT_EQ(item.displayText(), "Image");
  item.imageFileName = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F.png";
  item.text = "ignored";
  EXPECT_EQ(item.displayText(), "Image");
}

TEST_F(DisplayTextTest, FilesShowLastComponentsJoined) {
  EXPECT_EQ(
      filesItem(std::vector<std::string>{"/Users/a/Report.pdf", "/Users/a/Photos/"}).displayText(),
      "Report.pdf, Photos");
  EXPECT_EQ(filesItem(std::vector<std::string>{"/Users/a/b.txt"}).displayText(), "b.txt");
}

TEST_F(DisplayTextTest, RootAndOddPathsKeepSensibleComponents) {
  EXPECT_EQ(filesItem(std::vector<std::string>{"/"}).displayText(), "/");
  EXPECT_EQ(filesItem(std::vector<std::string>{"///"}).displayText(), "/");
  EXPECT_EQ(filesItem(std::vector<std::string>{"/a//"}).displayText(), "a");
  EXPECT_EQ(filesItem(std::vector<std::string>{"plain"}).displayText(), "plain");
  EXPECT_EQ(filesItem(std::vector<std::string>{"/", "/tmp/x y/", ""}).displayText(), "/, x y, ");
}

TEST_F(DisplayTextTest, NoPathsShowNothing) {
  EXPECT_EQ(filesItem(std::vector<std::string>{}).displayText(), "");
  EXPECT_EQ(filesItem(std::nullopt).displayText(), "");
}

// Each member of the trimmed set, as UTF-8, with a name for failure messages.
struct SpaceCase {
  const char* name;
  const char* utf8;
};

class DisplayTextSpaceTest : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(DisplayTextSpaceTest, IsTrimmedFromBothEnds) {
  std::string space = GetParam().utf8;
  EXPECT_EQ(textItem(space + "hi" + space + space).displayText(), "hi");
  EXPECT_EQ(textItem(space).displayText(), "(empty)");
  EXPECT_EQ(textItem("a" + space + "b").displayText(), "a" + space + "b");
}

INSTANTIATE_TEST_SUITE_P(
    EveryMember, DisplayTextSpaceTest,
    ::testing::Values(
        SpaceCase{"Tab", "\t"}, SpaceCase{"LineFeed", "\n"}, SpaceCase{"VerticalTab", "\v"},
        SpaceCase{"FormFeed", "\f"}, SpaceCase{"CarriageReturn", "\r"}, SpaceCase{"Space", " "},
        SpaceCase{"NextLine", "\u0085"}, SpaceCase{"NoBreakSpace", "\u00A0"},
        SpaceCase{"OghamSpaceMark", "\u1680"}, SpaceCase{"EnQuad", "\u2000"},
        SpaceCase{"EmQuad", "\u2001"}, SpaceCase{"EnSpace", "\u2002"},
        SpaceCase{"EmSpace", "\u2003"}, SpaceCase{"ThreePerEmSpace", "\u2004"},
        SpaceCase{"FourPerEmSpace", "\u2005"}, SpaceCase{"SixPerEmSpace", "\u2006"},
        SpaceCase{"FigureSpace", "\u2007"}, SpaceCase{"PunctuationSpace", "\u2008"},
        SpaceCase{"ThinSpace", "\u2009"}, SpaceCase{"HairSpace", "\u200A"},
        SpaceCase{"LineSeparator", "\u2028"}, SpaceCase{"ParagraphSeparator", "\u2029"},
        SpaceCase{"NarrowNoBreakSpace", "\u202F"}, SpaceCase{"MediumMathematicalSpace", "\u205F"},
        SpaceCase{"IdeographicSpace", "\u3000"}),
    [](const auto& param) { return std::string(param.param.name); });

class DisplayTextNonSpaceTest : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(DisplayTextNonSpaceTest, IsKept) {
  std::string other = GetParam().utf8;
  EXPECT_EQ(textItem(other + "hi" + other).displayText(), other + "hi" + other);
  EXPECT_EQ(textItem(" " + other + " ").displayText(), other);
}

INSTANTIATE_TEST_SUITE_P(LookAlikes, DisplayTextNonSpaceTest,
                         ::testing::Values(SpaceCase{"ZeroWidthSpace", "\u200B"},
                                           SpaceCase{"MongolianVowelSeparator", "\u180E"},
                                           SpaceCase{"ByteOrderMark", "\uFEFF"},
                                           SpaceCase{"WordJoiner", "\u2060"},
                                           SpaceCase{"FileSeparator", "\x1C"},
                                           SpaceCase{"Null", "\x01"}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
