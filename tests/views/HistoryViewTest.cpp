// The list model: order, sections, search, selection, keys and actions, over
// a real store.
#include "views/HistoryView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "StoreFixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HistoryViewTest : public StoreFixture {
 protected:
  HistoryView& view() {
    if (!view_) {
      view_ = std::make_unique<HistoryView>(
          *store, [this](const ClipboardItem& item) { pasted.push_back(item.id); },
          [this] { ++closes; });
      view_->setOnScrollTo([this](const Uuid& id) { scrolledTo.push_back(id); });
      view_->setOnChange([this] { ++changes; });
    }
    return *view_;
  }

  std::vector<Uuid> filteredIds() {
    std::vector<Uuid> ids;
    for (const ClipboardItem* entry : view().filtered())
      ids.push_back(entry->id);
    return ids;
  }

  std::vector<std::string> titles() {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < view().filtered().size(); ++i)
      result.push_back(std::string(view().sectionTitle(i).value_or("-")));
    return result;
  }

  std::vector<Uuid> pasted;
  std::vector<Uuid> scrolledTo;
  int closes = 0;
  int changes = 0;

 private:
  std::unique_ptr<HistoryView> view_;
};

// Ordering and section titles.

TEST_F(HistoryViewTest, PinnedComeFirstThenRecentEachNewestFirst) {
  const Uuid r1 = addText("r1");
  const Uuid p1 = addPinned("p1");
  const Uuid r2 = addText("r2");
  const Uuid p2 = addPinned("p2");
  const Uuid r3 = addText("r3");
  EXPECT_THAT(filteredIds(), ElementsAre(p2, p1, r3, r2, r1));
  EXPECT_THAT(titles(), ElementsAre("Pinned", "-", "Recent", "-", "-"));
}

TEST_F(HistoryViewTest, WithoutPinnedEntriesOnlyTheFirstRowIsTitledRecent) {
  addText("a");
  addText("b");
  addText("c");
  EXPECT_THAT(titles(), ElementsAre("Recent", "-", "-"));
}

TEST_F(HistoryViewTest, OnlyPinnedEntriesAreTitledPinnedOnce) {
  addPinned("a");
  addPinned("b");
  EXPECT_THAT(titles(), ElementsAre("Pinned", "-"));
}

TEST_F(HistoryViewTest, EqualTimesKeepTheStoreOrder) {
  for (int i = 0; i < 40; ++i)
    store->add(CapturedText{"same second " + std::to_string(i), std::nullopt});
  std::vector<Uuid> storeOrder;
  for (const ClipboardItem& entry : store->items())
    storeOrder.push_back(entry.id);
  clock.advance(std::chrono::seconds(1));
  const Uuid newest = addText("newest");
  std::vector<Uuid> expected{newest};
  expected.insert(expected.end(), storeOrder.begin(), storeOrder.end());
  EXPECT_EQ(filteredIds(), expected);
}

TEST_F(HistoryViewTest, NewCaptureShowsAtOnceAndNotifies) {
  addText("old");
  ASSERT_EQ(view().filtered().size(), 1u);
  const int before = changes;
  const Uuid fresh = addText("fresh");
  EXPECT_GT(changes, before);
  EXPECT_EQ(filteredIds().front(), fresh);
}

// Search.

class HistoryViewSearchTest : public HistoryViewTest {};

TEST_F(HistoryViewSearchTest, MatchesIgnoringAsciiCase) {
  const Uuid hit = addText("xxABCyy");
  addText("nothing here");
  view().setSearch("abc");
  EXPECT_THAT(filteredIds(), ElementsAre(hit));
}

TEST_F(HistoryViewSearchTest, MatchesIgnoringUnicodeCaseOnBothSides) {
  const Uuid lower = addText("äbc");
  const Uuid upper = addText("ÄBC");
  view().setSearch("ÄBC");
  EXPECT_THAT(filteredIds(), ElementsAre(upper, lower));
  view().setSearch("äb");
  EXPECT_THAT(filteredIds(), ElementsAre(upper, lower));
}

TEST_F(HistoryViewSearchTest, AccentedQueryDoesNotMatchPlainLetters) {
  addText("cafe");
  view().setSearch("café");
  EXPECT_THAT(view().filtered(), IsEmpty());
}

TEST_F(HistoryViewSearchTest, LeadingSpaceIsPartOfTheQuery) {
  addText("abcdef");
  const Uuid spaced = addText("x abc");
  view().setSearch(" abc");
  EXPECT_THAT(filteredIds(), ElementsAre(spaced));
}

TEST_F(HistoryViewSearchTest, SearchesTheDisplayTextOfEveryKind) {
  const Uuid fileEntry = addFiles({"/Users/a/Report.pdf", "/Users/a/Photos/"});
  addText("  padded  ");
  view().setSearch("pdf, photos");
  EXPECT_THAT(filteredIds(), ElementsAre(fileEntry));
  // Stripped ends are not searched.
  view().setSearch("  padded");
  EXPECT_THAT(view().filtered(), IsEmpty());
}

TEST_F(HistoryViewSearchTest, TypingOnAndBackGivesTheSameResultsAsAFreshSearch) {
  const Uuid apple = addText("apple");
  const Uuid apricot = addText("apricot");
  const Uuid banana = addText("banana");
  view().setSearch("a");
  view().setSearch("ap");
  view().setSearch("apr");
  EXPECT_THAT(filteredIds(), ElementsAre(apricot));
  view().setSearch("ap");
  EXPECT_THAT(filteredIds(), ElementsAre(apricot, apple));
  view().setSearch("an");
  EXPECT_THAT(filteredIds(), ElementsAre(banana));
  view().setSearch("");
  EXPECT_THAT(filteredIds(), ElementsAre(banana, apricot, apple));
}

TEST_F(HistoryViewSearchTest, FindsTheQueryAnywhereInALongText) {
  // Near misses everywhere: same first and last letters, wrong middle.
  std::string filler;
  while (filler.size() < 20000)
    filler += "nexdle neeeee ";
  const Uuid atStart = addText("Needle" + filler);
  const Uuid inside = addText(filler.substr(0, 7777) + "NEEDLE" + filler.substr(7777));
  const Uuid atEnd = addText(filler + "needle");
  const Uuid inTail = addText(filler + "needl" + "e!");
  addText(filler + "needl");
  view().setSearch("needle");
  EXPECT_THAT(filteredIds(), ElementsAre(inTail, atEnd, inside, atStart));
  view().setSearch("e");
  EXPECT_EQ(view().filtered().size(), 5u);
}

TEST_F(HistoryViewSearchTest, CaptureDuringASearchIsFilteredToo) {
  addText("alpha");
  view().setSearch("beta");
  ASSERT_THAT(view().filtered(), IsEmpty());
  const Uuid beta = addText("the beta");
  addText("gamma");
  EXPECT_THAT(filteredIds(), ElementsAre(beta));
}

TEST_F(HistoryViewSearchTest, AnyEditResetsTheSelection) {
  addText("one");
  addText("two");
  addText("three");
  view().keyDown();
  view().keyDown();
  ASSERT_EQ(view().selectedIndex(), 2);
  view().setSearch("t");
  EXPECT_EQ(view().selectedIndex(), 0);
  view().keyDown();
  view().clearSearch();
  EXPECT_EQ(view().selectedIndex(), 0);
  EXPECT_EQ(view().search(), "");
}

// Keys and selection.

class HistoryViewKeysTest : public HistoryViewTest {
 protected:
  void addFive() {
    for (const char* text : {"e1", "e2", "e3", "e4", "e5"})
      ids.insert(ids.begin(), addText(text));
  }
  std::vector<Uuid> ids;  // newest first, as listed
};

TEST_F(HistoryViewKeysTest, SelectionClampsAtBothEnds) {
  addFive();
  EXPECT_TRUE(view().keyUp());
  EXPECT_EQ(view().selectedIndex(), 0);
  for (int i = 0; i < 7; ++i)
    view().keyDown();
  EXPECT_EQ(view().selectedIndex(), 4);
}

TEST_F(HistoryViewKeysTest, ArrowsOnAnEmptyListAreHandledAndChangeNothing) {
  EXPECT_TRUE(view().keyDown());
  EXPECT_TRUE(view().keyUp());
  EXPECT_TRUE(view().keyReturn());
  EXPECT_EQ(view().selectedIndex(), 0);
  EXPECT_THAT(pasted, IsEmpty());
}

TEST_F(HistoryViewKeysTest, MovingTheSelectionAsksToCentreThatRow) {
  addFive();
  view().keyDown();
  view().keyDown();
  view().keyDown();
  view().keyUp();
  EXPECT_THAT(scrolledTo, ElementsAre(ids[1], ids[2], ids[3], ids[2]));
}

TEST_F(HistoryViewKeysTest, ReturnPastesTheSelectedRow) {
  addFive();
  view().keyDown();
  EXPECT_TRUE(view().keyReturn());
  EXPECT_THAT(pasted, ElementsAre(ids[1]));
}

TEST_F(HistoryViewKeysTest, AfterTheLastRowIsDeletedNothingIsSelectedUntilDown) {
  addFive();
  for (int i = 0; i < 4; ++i)
    view().keyDown();
  view().deleteItem(ids[4]);
  ASSERT_EQ(view().filtered().size(), 4u);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_FALSE(view().row(i, clock.now(), ShortcutTexts::macOS()).state.selected);
  view().keyReturn();
  EXPECT_THAT(pasted, IsEmpty());
  scrolledTo.clear();
  view().keyDown();
  EXPECT_EQ(view().selectedIndex(), 3);
  EXPECT_THAT(scrolledTo, ElementsAre(ids[3]));
}

TEST_F(HistoryViewKeysTest, CommandDigitPastesThatVisibleRowPinnedIncluded) {
  addFive();
  store->togglePin(ids[4]);  // now listed first
  EXPECT_TRUE(view().quickPaste(1));
  EXPECT_TRUE(view().quickPaste(5));
  EXPECT_THAT(pasted, ElementsAre(ids[4], ids[3]));
}

TEST_F(HistoryViewKeysTest, CommandDigitBeyondTheRowsDoesNothing) {
  addFive();
  EXPECT_FALSE(view().quickPaste(6));
  EXPECT_FALSE(view().quickPaste(0));
  EXPECT_FALSE(view().quickPaste(10));
  EXPECT_THAT(pasted, IsEmpty());
}

TEST_F(HistoryViewKeysTest, DigitsDuringASearchCountTheMatches) {
  addText("match one");
  addText("other");
  const Uuid best = addText("match two");
  view().setSearch("match");
  EXPECT_FALSE(view().quickPaste(3));
  EXPECT_TRUE(view().quickPaste(1));
  EXPECT_THAT(pasted, ElementsAre(best));
}

TEST_F(HistoryViewKeysTest, EscapeAsksToClose) {
  EXPECT_TRUE(view().keyEscape());
  EXPECT_EQ(closes, 1);
}

TEST_F(HistoryViewKeysTest, ShowingFocusesTheSearchAndSelectsTheFirstRow) {
  addFive();
  view().keyDown();
  view().setSearchFocused(false);
  view().shown();
  EXPECT_TRUE(view().searchFocused());
  EXPECT_EQ(view().selectedIndex(), 0);
}

// Row actions.

TEST_F(HistoryViewTest, ClickPastesThatRowWithoutMovingTheSelection) {
  const Uuid first = addText("first");
  addText("second");
  view().clickRow(first);
  EXPECT_THAT(pasted, ElementsAre(first));
  EXPECT_EQ(view().selectedIndex(), 0);
}

TEST_F(HistoryViewTest, HoverFollowsThePointerEvenWhenTheOldRowLeavesLate) {
  const Uuid older = addText("older");
  const Uuid newer = addText("newer");  // row 0
  view().setHovered(older, true);
  view().setHovered(newer, true);
  view().setHovered(older, false);
  EXPECT_TRUE(view().row(0, clock.now(), ShortcutTexts::macOS()).state.hovering);
  EXPECT_FALSE(view().row(1, clock.now(), ShortcutTexts::macOS()).state.hovering);
  view().setHovered(newer, false);
  EXPECT_FALSE(view().row(0, clock.now(), ShortcutTexts::macOS()).state.hovering);
  EXPECT_EQ(view().selectedIndex(), 0);
}

TEST_F(HistoryViewTest, PinButtonTogglesThePinInTheStore) {
  const Uuid older = addText("older");
  addText("newer");
  view().togglePin(older);
  EXPECT_TRUE(item(older).pinned);
  EXPECT_EQ(filteredIds().front(), older);
  view().togglePin(older);
  EXPECT_FALSE(item(older).pinned);
}

// Clearing.

TEST_F(HistoryViewTest, ConfirmedClearRemovesPinnedEntriesToo) {
  addPinned("p1");
  addPinned("p2");
  addPinned("p3");
  addText("r1");
  addText("r2");
  view().keyDown();
  view().requestClear();
  ASSERT_TRUE(view().confirmingClear());
  view().confirmClear();
  EXPECT_THAT(store->items(), IsEmpty());
  EXPECT_FALSE(view().confirmingClear());
  EXPECT_EQ(view().selectedIndex(), 0);
}

TEST_F(HistoryViewTest, CancelKeepsTheHistory) {
  addText("keep");
  view().requestClear();
  view().cancelClear();
  EXPECT_FALSE(view().confirmingClear());
  EXPECT_EQ(store->items().size(), 1u);
}

TEST_F(HistoryViewTest, ClearRequestOnAnEmptyHistoryIsIgnored) {
  view().requestClear();
  EXPECT_FALSE(view().confirmingClear());
}
