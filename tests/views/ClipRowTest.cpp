// What one row shows by kind, position, pin, hover and selection.
#include "views/ClipRow.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "StoreFixture.h"
#include "views/ViewMetrics.h"

class ClipRowTest : public StoreFixture {
 protected:
  ClipRow rowFor(const ClipboardItem& entry, ClipRow::State state = {},
                 const ShortcutTexts& shortcuts = ShortcutTexts::macOS()) {
    return ClipRow::make(entry, state, *store, clock.now(), shortcuts);
  }

  static ClipboardItem entryOf(ClipboardItemKind kind) {
    ClipboardItem entry;
    entry.kind = kind;
    return entry;
  }
};

// Metadata label.

TEST_F(ClipRowTest, TextCountsUserPerceivedCharacters) {
  ClipboardItem entry = entryOf(ClipboardItemKind::text);
  entry.text = "cafe\u0301s";
  EXPECT_EQ(rowFor(entry).kindLabel, "5 chars");
  entry.text.reset();
  EXPECT_EQ(rowFor(entry).kindLabel, "0 chars");
}

TEST_F(ClipRowTest, FilesCountTheirPathsWithSingularForOne) {
  ClipboardItem entry = entryOf(ClipboardItemKind::files);
  EXPECT_EQ(rowFor(entry).kindLabel, "0 files");
  entry.filePaths = std::vector<std::string>{"/a"};
  EXPECT_EQ(rowFor(entry).kindLabel, "1 file");
  entry.filePaths = std::vector<std::string>{"/a", "/b", "/c"};
  EXPECT_EQ(rowFor(entry).kindLabel, "3 files");
}

TEST_F(ClipRowTest, RichTextAndImageHaveFixedLabels) {
  EXPECT_EQ(rowFor(entryOf(ClipboardItemKind::rtf)).kindLabel, "Rich text");
  EXPECT_EQ(rowFor(entryOf(ClipboardItemKind::image)).kindLabel, "Image");
}

TEST_F(ClipRowTest, TitleIsTheDisplayTextAndAgeIsRelative) {
  ClipboardItem entry = entryOf(ClipboardItemKind::text);
  entry.text = "  hello\n";
  entry.createdAt = clock.now() - std::chrono::seconds(90);
  const ClipRow row = rowFor(entry);
  EXPECT_EQ(row.title, "hello");
  EXPECT_EQ(row.age, "1m ago");
  EXPECT_EQ(row.separator, "·");
}

TEST_F(ClipRowTest, LongTitlesKeepOnlyTheirStartAndNeverSplitACharacter) {
  ClipboardItem entry = entryOf(ClipboardItemKind::text);
  // "é" is two bytes; after one leading "x" the limit falls inside one.
  std::string accents = "x";
  for (int i = 0; i < 3000; ++i)
    accents += "\xC3\xA9";
  entry.text = "\n" + accents + "\n";
  const std::string title = rowFor(entry).title;
  EXPECT_EQ(title.size(), ClipRow::maxTitleBytes - 1);
  EXPECT_EQ(title, accents.substr(0, ClipRow::maxTitleBytes - 1));

  entry.text = " \t ";
  EXPECT_EQ(rowFor(entry).title, "(empty)");
}

// Chip.

TEST_F(ClipRowTest, EachKindHasItsTile) {
  EXPECT_EQ(rowFor(entryOf(ClipboardItemKind::text)).chip.tile,
            (ChipTile{ViewColor::secondary, "text.alignleft"}));
  EXPECT_EQ(rowFor(entryOf(ClipboardItemKind::rtf)).chip.tile,
            (ChipTile{ViewColor::purple, "doc.richtext.fill"}));
  EXPECT_EQ(rowFor(entryOf(ClipboardItemKind::files)).chip.tile,
            (ChipTile{ViewColor::orange, "folder.fill"}));
  EXPECT_FALSE(rowFor(entryOf(ClipboardItemKind::text)).chip.thumbnailPath);
}

TEST_F(ClipRowTest, ImageShowsItsStoredFileWithThePhotoTileAsFallback) {
  const Uuid id = addImage(Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
  const ClipRow row = rowFor(item(id));
  ASSERT_TRUE(row.chip.thumbnailPath);
  EXPECT_TRUE(std::filesystem::exists(*row.chip.thumbnailPath));
  EXPECT_EQ(row.chip.tile, (ChipTile{ViewColor::green, "photo"}));
}

TEST_F(ClipRowTest, ImageWithoutAFileNameShowsTheGreenPhotoTile) {
  const ClipRow row = rowFor(entryOf(ClipboardItemKind::image));
  EXPECT_FALSE(row.chip.thumbnailPath);
  EXPECT_EQ(row.chip.tile, (ChipTile{ViewColor::green, "photo"}));
}

// Trailing controls.

TEST_F(ClipRowTest, FirstNineRowsShowTheirQuickPasteKey) {
  const ClipboardItem entry = entryOf(ClipboardItemKind::text);
  const ClipRow third = rowFor(entry, {2, false, false});
  EXPECT_EQ(third.quickPasteLabel, "⌘3");
  EXPECT_EQ(third.quickPasteDigit, 3);
  EXPECT_EQ(rowFor(entry, {8, false, false}).quickPasteLabel, "⌘9");
  EXPECT_EQ(rowFor(entry, {2, false, false}, ShortcutTexts::linuxX11()).quickPasteLabel, "Ctrl+3");
  EXPECT_FALSE(third.pinButton);
  EXPECT_FALSE(third.deleteButton);
}

TEST_F(ClipRowTest, TenthRowHasNoQuickPasteKey) {
  const ClipRow row = rowFor(entryOf(ClipboardItemKind::text), {9, false, false});
  EXPECT_FALSE(row.quickPasteLabel);
  EXPECT_FALSE(row.quickPasteDigit);
}

TEST_F(ClipRowTest, PinnedFirstRowShowsGreenPinButKeepsItsShortcut) {
  ClipboardItem entry = entryOf(ClipboardItemKind::text);
  entry.pinned = true;
  const ClipRow row = rowFor(entry, {0, false, false});
  EXPECT_FALSE(row.quickPasteLabel);
  EXPECT_EQ(row.quickPasteDigit, 1);
  EXPECT_EQ(row.pinButton, (RowButton{"pin.fill", ViewColor::green, "Unpin"}));
  EXPECT_FALSE(row.deleteButton);
}

TEST_F(ClipRowTest, HoverSwapsTheKeyLabelForPinAndDelete) {
  const ClipRow row = rowFor(entryOf(ClipboardItemKind::text), {1, false, true});
  EXPECT_FALSE(row.quickPasteLabel);
  EXPECT_EQ(row.quickPasteDigit, 2);
  EXPECT_EQ(row.pinButton, (RowButton{"pin", ViewColor::secondary, "Pin"}));
  EXPECT_EQ(row.deleteButton, (RowButton{"xmark.circle.fill", ViewColor::secondary, "Delete"}));
}

// Background.

TEST_F(ClipRowTest, SelectionOutweighsHover) {
  const ClipboardItem entry = entryOf(ClipboardItemKind::text);
  EXPECT_EQ(rowFor(entry, {0, true, true}).background,
            (RowBackground{ViewColor::green, ViewMetrics::rowSelectedOpacity}));
  EXPECT_EQ(rowFor(entry, {0, false, true}).background,
            (RowBackground{ViewColor::green, ViewMetrics::rowHoverOpacity}));
  EXPECT_EQ(rowFor(entry, {0, false, false}).background.opacity, 0);
}
