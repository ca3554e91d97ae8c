// What the card shows around the rows: header, search bar, empty states,
// section titles and footer.
#include "views/HistoryLayout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "views/HistoryView.h"

using ::testing::Each;
using ::testing::Eq;

class HistoryLayoutTest : public StoreFixture {
 protected:
  HistoryLayout layout(const ShortcutTexts& shortcuts = ShortcutTexts::macOS()) {
    return HistoryLayout::make(view, shortcuts);
  }
  std::vector<Uuid> pasted;
  HistoryView view{*store, [this](const ClipboardItem& entry) { pasted.push_back(entry.id); },
                   [] {}};
};

TEST_F(HistoryLayoutTest, EmptyHistoryInvitesTheFirstCopy) {
  const HistoryLayout shown = layout();
  EXPECT_FALSE(shown.header.badge);
  ASSERT_TRUE(shown.emptyState);
  EXPECT_EQ(shown.emptyState->kind, HistoryLayout::EmptyState::Kind::noClips);
  EXPECT_EQ(shown.emptyState->markAsset, "PellimoreMark");
  EXPECT_EQ(shown.emptyState->title, "No clips yet");
  EXPECT_EQ(shown.emptyState->message,
            "Copy anything and it appears here.\nPress ⇧⌘V any time to open this.");
  EXPECT_FALSE(shown.footer.clearEnabled);
  EXPECT_DOUBLE_EQ(shown.footer.clearOpacity, 0.4);
}

TEST_F(HistoryLayoutTest, LinuxNamesItsOwnKeys) {
  const HistoryLayout shown = layout(ShortcutTexts::linuxX11());
  EXPECT_EQ(shown.emptyState->message,
            "Copy anything and it appears here.\nPress Shift+Super+V any time to open this.");
  EXPECT_EQ(shown.footer.hint, "⏎ paste   ·   Ctrl+1–9 quick   ·   esc close");
  EXPECT_EQ(layout().footer.hint, "⏎ paste   ·   ⌘1–9 quick   ·   esc close");
}

TEST_F(HistoryLayoutTest, NoMatchesQuotesTheQueryAndTheBadgeCountsEverything) {
  addText("one");
  addText("two");
  addText("three");
  view.setSearch("xyz");
  const HistoryLayout shown = layout();
  ASSERT_TRUE(shown.emptyState);
  EXPECT_EQ(shown.emptyState->kind, HistoryLayout::EmptyState::Kind::noMatches);
  EXPECT_EQ(shown.emptyState->symbol, "magnifyingglass");
  EXPECT_EQ(shown.emptyState->title, "No matches");
  EXPECT_EQ(shown.emptyState->message, "Nothing matches \u201Cxyz\u201D.");
  EXPECT_EQ(shown.header.badge, "3");
  EXPECT_TRUE(shown.footer.clearEnabled);
}

TEST_F(HistoryLayoutTest, SectionTitlesOnlyWithoutASearch) {
  addPinned("pinned text");
  addText("recent text");
  EXPECT_THAT(layout().sectionTitles,
              testing::ElementsAre(std::optional<std::string_view>("Pinned"),
                                   std::optional<std::string_view>("Recent")));
  view.setSearch("text");
  const HistoryLayout searching = layout();
  EXPECT_EQ(searching.sectionTitles.size(), 2u);
  EXPECT_THAT(searching.sectionTitles, Each(Eq(std::nullopt)));
  EXPECT_FALSE(searching.emptyState);
}

TEST_F(HistoryLayoutTest, SearchClearButtonFollowsTheText) {
  addText("abc");
  EXPECT_FALSE(layout().searchBar.showsClearButton);
  view.setSearch("a");
  EXPECT_TRUE(layout().searchBar.showsClearButton);
  view.clearSearch();
  EXPECT_FALSE(layout().searchBar.showsClearButton);
  EXPECT_EQ(layout().searchBar.placeholder, "Search clips");
}

TEST_F(HistoryLayoutTest, ConfirmationStaysPluralForOneEntry) {
  addText("only");
  view.requestClear();
  const HistoryLayout shown = layout();
  EXPECT_TRUE(shown.footer.confirming);
  EXPECT_EQ(shown.footer.question, "Clear all 1 clips?");
}

TEST_F(HistoryLayoutTest, ConfirmationCountsPinnedEntriesDespiteTheSearch) {
  addPinned("a");
  addText("b");
  addText("c");
  view.setSearch("c");
  view.requestClear();
  EXPECT_EQ(layout().footer.question, "Clear all 3 clips?");
}
