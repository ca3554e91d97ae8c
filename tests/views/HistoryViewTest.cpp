// The popup's content over a store taken as given, and the texts it shows.
#include "views/HistoryView.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "StoreFixture.h"
#include "views/HistoryLayout.h"
#include "views/RelativeTime.h"
#include "views/UnicodeText.h"
#include "views/ViewMetrics.h"

using ::testing::ElementsAre;
using namespace std::chrono_literals;

static const ShortcutTexts& mac = ShortcutTexts::macOS();
static const ShortcutTexts& x11 = ShortcutTexts::linuxX11();

class HistoryViewTest : public StoreFixture {
 protected:
  std::vector<Uuid> listed() const {
    std::vector<Uuid> ids;
    for (const ClipboardItem* entry : view_.filtered())
      ids.push_back(entry->id);
    return ids;
  }

  /// Five entries "e1" to "e5"; their ids newest first, as listed.
  std::vector<Uuid> addFive() {
    std::vector<Uuid> ids;
    for (const char* text : {"e1", "e2", "e3", "e4", "e5"})
      ids.insert(ids.begin(), addText(text));
    return ids;
  }

  ClipRow rowFor(const ClipboardItem& entry, ClipRow::State state = {},
                 const ShortcutTexts& shortcuts = mac) const {
    return ClipRow::make(entry, state, *store, clock.now(), shortcuts);
  }

  HistoryLayout layout(const ShortcutTexts& shortcuts = mac) const {
    return HistoryLayout::make(view_, shortcuts);
  }

  void paste(const ClipboardItem& entry) {
    // The host may change the store while pasting, so it must get a copy,
    // never a reference into the history.
    for (const ClipboardItem& stored : store->items())
      EXPECT_NE(&stored, &entry);
    pasted_.push_back(entry.id);
  }

  std::vector<Uuid> pasted_;
  int closes_ = 0;
  HistoryView view_{*store, [this](const ClipboardItem& entry) { paste(entry); },
                    [this] { ++closes_; }};
};

TEST_F(HistoryViewTest, PinnedFirstThenRecentEachNewestFirstUnderTheirTitles) {
  const Uuid r1 = addText("r1");
  const Uuid p1 = addPinned("p1");
  const Uuid r2 = addText("r2");
  const Uuid p2 = addPinned("p2");
  const Uuid r3 = addText("r3");
  EXPECT_THAT(listed(), ElementsAre(p2, p1, r3, r2, r1));
  const auto none = std::nullopt;
  EXPECT_THAT(layout().sectionTitles, ElementsAre("Pinned", none, "Recent", none, none));
  view_.setSearch("r");  // a search lists matches without sections
  EXPECT_THAT(layout().sectionTitles, ElementsAre(none, none, none));
}

TEST_F(HistoryViewTest, EqualTimesKeepTheStoreOrder) {
  for (int i = 0; i < 40; ++i)  // within one second, as a loaded file may hold them
    store->add(CapturedText{std::to_string(i), std::nullopt});
  for (std::size_t i = 0; i < 40; ++i)
    EXPECT_EQ(view_.filtered()[i], &store->items()[i]) << i;
}

// Search

TEST_F(HistoryViewTest, SearchMatchesTheLowerCasedDisplayTextAsTypedOnAndBack) {
  const Uuid lower = addText("äbc");
  const Uuid upper = addText("ÄBC");
  const Uuid cafe = addText("xx cafe");
  const Uuid paths = add(CapturedFiles{{"/Users/a/Report.pdf", "/Users/a/Photos/"}});
  addText("  padded  ");
  const Uuid apricot = addText("apricot");
  const Uuid apple = addText("apple");
  // Each query is typed after the one before it.
  const std::pair<const char*, std::vector<Uuid>> typed[] = {
      {"ÄB", {upper, lower}},    // case ignored on both sides
      {"CAFE", {cafe}},          // ASCII too
      {"café", {}},              // but not accents
      {"pdf, photos", {paths}},  // file names
      {"  padded", {}},          // the trimmed text
      {"ap", {apple, apricot}},
      {"apr", {apricot}},        // narrowing
      {"ap", {apple, apricot}},  // and back
  };
  for (const auto& [query, matches] : typed) {
    view_.setSearch(query);
    EXPECT_EQ(listed(), matches) << query;
  }
  view_.setSearch("apr");
  const Uuid apron = addText("apron");  // a capture during a search is filtered too
  EXPECT_THAT(listed(), ElementsAre(apron, apricot));
  view_.clearSearch();
  EXPECT_EQ(listed().size(), 8u);
}

TEST_F(HistoryViewTest, SearchFindsTheQueryAnywhereInALongText) {
  // Near misses everywhere: same first and last letters, wrong middle.
  std::string filler;
  while (filler.size() < 20000)
    filler += "nexdle neeeee ";
  const Uuid atStart = addText("Needle" + filler);
  const Uuid inside = addText(filler + "NEEDLE" + filler);
  const Uuid atEnd = addText(filler + "needle");
  addText(filler + "needl");
  view_.setSearch("needle");
  EXPECT_THAT(listed(), ElementsAre(atEnd, inside, atStart));
}

TEST_F(HistoryViewTest, ReadingAheadTakesABoundedPieceATurnAndSearchStillFindsItsText) {
  // Read in three pieces; only the last one holds the needle.
  const Uuid longOne = addText(std::string(2 * HistoryView::readAheadBytes, 'q') + "NEEDLE");
  const Uuid shortOne = addText("needle");
  addText("other");
  for (const bool more : {true, true, true, true, false, false})
    EXPECT_EQ(view_.readAheadForSearch(), more);
  view_.setSearch("needle");
  EXPECT_THAT(listed(), ElementsAre(shortOne, longOne));
  addText("needles");
  EXPECT_FALSE(view_.readAheadForSearch()) << "the new entry was the only one unread";
  EXPECT_EQ(listed().size(), 3u);
}

// Keys

TEST_F(HistoryViewTest, ArrowsMoveTheSelectionWithinTheRowsAndReturnPastesIt) {
  const std::vector<Uuid> ids = addFive();
  view_.shown();
  std::vector<Uuid> scrolledTo;
  view_.setOnScrollTo([&](const Uuid& id) { scrolledTo.push_back(id); });
  EXPECT_TRUE(view_.keyUp());
  EXPECT_EQ(view_.selectedIndex(), 0);
  for (int i = 0; i < 7; ++i)
    EXPECT_TRUE(view_.keyDown());
  EXPECT_EQ(view_.selectedIndex(), 4);
  view_.keyUp();
  EXPECT_THAT(scrolledTo, ElementsAre(ids[1], ids[2], ids[3], ids[4], ids[3]));
  EXPECT_TRUE(view_.keyReturn());
  EXPECT_THAT(pasted_, ElementsAre(ids[3]));
  view_.setSearch("e");  // any edit of the search starts at the top again
  EXPECT_EQ(view_.selectedIndex(), 0);
}

TEST_F(HistoryViewTest, SelectionStaysOnItsEntryAndWhenThatGoesOnTheRowAtItsPlace) {
  // From row `from` of five, a change; then the entry selected (of the five
  // as listed before; -1 none), its row, and whether the move was told.
  struct Case {
    const char* name;
    int from;
    std::function<void(const std::vector<Uuid>&)> change;
    int entry, row;
    bool told;
  };
  const Case cases[] = {
      {"copy lands above", 2, [this](auto&) { addText("new"); }, 2, 3, true},
      {"row above deleted", 2, [this](auto& ids) { view_.deleteItem(ids[0]); }, 2, 1, true},
      {"row below pinned", 2, [this](auto& ids) { view_.togglePin(ids[4]); }, 2, 3, true},
      {"row below deleted", 2, [this](auto& ids) { view_.deleteItem(ids[3]); }, 2, 2, false},
      {"own pin button", 3, [this](auto& ids) { view_.togglePin(ids[3]); }, 3, 0, true},
      {"own delete button", 2, [this](auto& ids) { view_.deleteItem(ids[2]); }, 3, 2, true},
      {"last row deleted", 4, [this](auto& ids) { view_.deleteItem(ids[4]); }, 3, 3, true},
      {"all cleared", 1, [this](auto&) { store->clearAll(); }, -1, 0, false},
  };
  std::vector<Uuid> told;
  view_.setOnScrollTo([&told](const Uuid& id) { told.push_back(id); });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store->clearAll();
    const std::vector<Uuid> ids = addFive();
    view_.shown();
    for (int i = 0; i < c.from; ++i)
      view_.keyDown();
    told.clear();
    c.change(ids);
    EXPECT_EQ(view_.selectedIndex(), c.row);
    pasted_.clear();
    view_.keyReturn();
    const std::vector<Uuid> expected(c.entry < 0 ? 0 : 1, ids[std::max(c.entry, 0)]);
    EXPECT_EQ(pasted_, expected);
    EXPECT_EQ(told, c.told ? expected : std::vector<Uuid>{});
  }
  view_.setOnScrollTo(nullptr);
}

TEST_F(HistoryViewTest, CommandDigitPastesThatListedRowAndBeyondTheRowsIsNotHandled) {
  const std::vector<Uuid> ids = addFive();
  view_.togglePin(ids[4]);  // now listed first
  EXPECT_TRUE(view_.quickPaste(1));
  EXPECT_TRUE(view_.quickPaste(5));
  for (int digit : {0, 6, 10})
    EXPECT_FALSE(view_.quickPaste(digit)) << digit;
  view_.setSearch("e2");  // digits count the matches
  EXPECT_FALSE(view_.quickPaste(2));
  EXPECT_TRUE(view_.quickPaste(1));
  EXPECT_THAT(pasted_, ElementsAre(ids[4], ids[3], ids[3]));
}

TEST_F(HistoryViewTest, PinAndDeleteKeysActOnTheSelectedRowAndAreHandledWithoutOne) {
  const std::vector<Uuid> ids = addFive();  // e5 to e1
  view_.shown();
  view_.keyDown();
  view_.keyDown();
  EXPECT_TRUE(view_.togglePinSelected());  // e3 goes to the top, selected
  EXPECT_TRUE(item(ids[2]).pinned);
  EXPECT_EQ(view_.selectedIndex(), 0);
  EXPECT_TRUE(view_.deleteSelected());  // e5 moves up into the selection
  EXPECT_EQ(listed(), (std::vector<Uuid>{ids[0], ids[1], ids[3], ids[4]}));
  EXPECT_EQ(view_.selectedIndex(), 0);
  view_.setSearch("nothing");
  EXPECT_TRUE(view_.deleteSelected());  // handled, so the field never sees it
  EXPECT_TRUE(view_.togglePinSelected());
  EXPECT_EQ(store->items().size(), 4u);
}

// Row actions

TEST_F(HistoryViewTest, ClickPastesItsEntryWithoutMovingTheSelection) {
  const Uuid first = addText("first");
  const Uuid second = addText("second");
  view_.shown();
  view_.clickRow(first);
  view_.keyReturn();
  EXPECT_THAT(pasted_, ElementsAre(first, second));
}

TEST_F(HistoryViewTest, HoverFollowsThePointerEvenWhenTheOldRowLeavesLate) {
  const Uuid older = addText("older");
  const Uuid newer = addText("newer");
  view_.setHovered(older, true);
  view_.setHovered(newer, true);
  view_.setHovered(older, false);
  EXPECT_TRUE(view_.row(0, clock.now(), mac).state.hovering);
  view_.setHovered(newer, false);
  EXPECT_FALSE(view_.hovered());
}

TEST_F(HistoryViewTest, EscapeAsksToCloseAndClearAsksFirstThenTakesPinnedEntriesToo) {
  EXPECT_TRUE(view_.keyEscape());
  EXPECT_EQ(closes_, 1);
  view_.requestClear();
  EXPECT_FALSE(view_.confirmingClear());  // nothing to clear
  addPinned("p");
  addText("r");
  view_.requestClear();
  view_.cancelClear();
  EXPECT_EQ(store->items().size(), 2u);
  view_.requestClear();
  ASSERT_TRUE(view_.confirmingClear());
  view_.confirmClear();
  EXPECT_TRUE(store->items().empty());
  EXPECT_FALSE(view_.confirmingClear());
}

// Rows

TEST(ClipRowTest, TextCountsCharactersAndFilesTheirPaths) {
  ClipboardItem entry;
  entry.text = "cafe\u0301s";
  EXPECT_EQ(ClipRow::labelForKind(entry), "5 chars");
  // Text copied with HTML shows as rich text, its kind unchanged.
  entry.htmlData = Bytes{'<'};
  EXPECT_EQ(ClipRow::labelForKind(entry), "Rich text");
  entry.kind = ClipboardItemKind::files;
  for (const auto& [count, label] :
       {std::pair<std::size_t, const char*>{0, "0 files"}, {1, "1 file"}, {3, "3 files"}}) {
    entry.filePaths = PathList(std::vector<std::string>(count, "/a"));
    EXPECT_EQ(ClipRow::labelForKind(entry), label);
  }
}

TEST_F(HistoryViewTest, RowTitleIsTheStartOfTheDisplayTextCutAtACharacterBoundary) {
  // "é" is two bytes; after one leading "x" the limit falls inside one.
  std::string accents = "x";
  for (int i = 0; i < 3000; ++i)
    accents += "\xC3\xA9";
  ClipboardItem entry;
  entry.text = "\n" + accents + "\n";
  entry.createdAt = clock.now() - 90s;
  const ClipRow row = rowFor(entry);
  EXPECT_EQ(row.title, accents.substr(0, ClipRow::maxTitleBytes - 1));
  EXPECT_EQ(row.age, "1m ago");
}

TEST_F(HistoryViewTest, RowQuickPasteKeyOnTheFirstNineRowsHiddenWhileHoveredOrPinned) {
  ClipboardItem entry;
  EXPECT_EQ(rowFor(entry, {2}).quickPasteLabel, "⌘3");
  EXPECT_EQ(rowFor(entry, {8}).quickPasteLabel, "⌘9");
  EXPECT_EQ(rowFor(entry, {2}, x11).quickPasteLabel, "Ctrl+3");
  EXPECT_FALSE(rowFor(entry, {9}).quickPasteLabel);
  EXPECT_FALSE(rowFor(entry, {1}).pinButton);
  // Hovered: pin and delete take the key's place, the key still works.
  const ClipRow hovered = rowFor(entry, {1, false, true});
  EXPECT_FALSE(hovered.quickPasteLabel);
  EXPECT_EQ(hovered.quickPasteDigit, 2);
  EXPECT_EQ(hovered.pinButton, (RowButton{"pin", ViewColor::secondary, "Pin"}));
  EXPECT_TRUE(hovered.deleteButton);
  entry.pinned = true;
  const ClipRow pinned = rowFor(entry, {0});
  EXPECT_FALSE(pinned.quickPasteLabel);
  EXPECT_EQ(pinned.quickPasteDigit, 1);
  EXPECT_EQ(pinned.pinButton, (RowButton{"pin.fill", ViewColor::green, "Unpin"}));
  EXPECT_FALSE(pinned.deleteButton);
}

TEST_F(HistoryViewTest, RowShowsTheStoredImageAndSelectionOutweighsHover) {
  EXPECT_TRUE(rowFor(item(add(CapturedImage{Bytes{0x89, 'P', 'N', 'G'}}))).chip.thumbnailPath);
  EXPECT_EQ(rowFor({}, {0, true, true}).background.opacity, ViewMetrics::rowSelectedOpacity);
}

TEST_F(HistoryViewTest, AccessibleNameSaysWhatTheRowShowsInWords) {
  ClipboardItem text;
  text.text = "ssh deploy@build-07 -p 2222\n";
  text.createdAt = clock.now() - 7s;
  ClipboardItem pinned = text;
  pinned.pinned = true;
  pinned.createdAt = clock.now() - 61s;
  ClipboardItem rich = text;
  rich.kind = ClipboardItemKind::rtf;
  rich.text = "a\r\nb\tc";
  rich.createdAt = clock.now();
  ClipboardItem html = text;
  html.text = "link";
  html.htmlData = Bytes{'<'};
  ClipboardItem image;
  image.kind = ClipboardItemKind::image;
  image.createdAt = clock.now() - 2h;
  ClipboardItem fileList;
  fileList.kind = ClipboardItemKind::files;
  fileList.filePaths = PathList({"/home/u/a.txt"});
  fileList.createdAt = clock.now() - 48h;
  ClipboardItem blank;
  blank.createdAt = clock.now();
  ClipboardItem noPaths = blank;
  noPaths.kind = ClipboardItemKind::files;
  const AccessibleRow::PixelSize size{640, 480};
  const struct {
    const ClipboardItem& entry;
    int index;
    std::optional<AccessibleRow::PixelSize> size;
    const ShortcutTexts& shortcuts;
    const char* name;
  } cases[] = {
      {text, 1, {}, x11, "ssh deploy@build-07 -p 2222, 28 characters, 7 seconds ago, Ctrl+2"},
      {pinned,
       0,
       {},
       mac,
       "ssh deploy@build-07 -p 2222, 28 characters, 1 minute ago, pinned, Command-1"},
      {rich, 9, {}, mac, "a  b c, Rich text, just now"},
      {html, 9, {}, mac, "link, Rich text, 7 seconds ago"},
      {blank, 9, {}, mac, "(empty), 0 characters, just now"},
      {noPaths, 9, {}, mac, ", 0 files, just now"},
      {image, 2, size, x11, "Image, 640 by 480 pixels, 2 hours ago, Ctrl+3"},
      {image, 12, {}, x11, "Image, 2 hours ago"},
      {fileList, 8, {}, x11, "a.txt, 1 file, 2 days ago, Ctrl+9"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(
        AccessibleRow::make(c.entry, c.index, clock.now(), c.shortcuts, std::nullopt, c.size).name,
        c.name);
  }
  const AccessibleRow onLinux = AccessibleRow::make(pinned, 0, clock.now(), x11);
  EXPECT_EQ(onLinux.description, "Return pastes it, Ctrl+P unpins it, Shift+Delete deletes it.");
  EXPECT_EQ(onLinux.pinOrUnpinAction, AccessibleRow::unpinAction);
  const AccessibleRow onMac = AccessibleRow::make(text, 0, clock.now(), mac);
  EXPECT_EQ(onMac.description, "Return pastes it, Command-P pins it, Command-Delete deletes it.");
  EXPECT_EQ(onMac.pinOrUnpinLabel, "Pin");
}

TEST_F(HistoryViewTest, AccessibleNameCutsALongTitleAtACharacter) {
  std::string accents;
  for (std::size_t i = 0; i < AccessibleRow::spokenTitleLength + 1; ++i)
    accents += "\xC3\xA9";
  const Uuid id = addText(accents);
  const std::string name = view_.accessibleRow(0, clock.now(), mac, std::nullopt).name;
  EXPECT_EQ(name, accents.substr(0, accents.size() - 2) + "…, " +
                      std::to_string(AccessibleRow::spokenTitleLength + 1) +
                      " characters, just now, Command-1");
  EXPECT_EQ(item(id).text, accents);
}

// The card

TEST_F(HistoryViewTest, CardSaysWhyNothingIsListedAndCountsEveryEntry) {
  const HistoryLayout empty = layout(x11);
  ASSERT_TRUE(empty.emptyState);
  EXPECT_EQ(empty.emptyState->message,
            "Copy anything and it appears here.\nPress Shift+Super+V any time to open this.");
  EXPECT_FALSE(empty.header.badge);
  EXPECT_FALSE(empty.footer.clearEnabled);
  addPinned("a");
  addText("b");
  view_.setSearch("xyz");
  view_.requestClear();
  const HistoryLayout shown = layout();
  ASSERT_TRUE(shown.emptyState);
  EXPECT_EQ(shown.emptyState->message, "Nothing matches \u201Cxyz\u201D.");
  EXPECT_EQ(shown.header.badge, "2");
  EXPECT_TRUE(shown.footer.clearEnabled);
  EXPECT_EQ(shown.footer.question, "Clear all 2 clips?");
  EXPECT_EQ(shown.emptyState->announcement, "No matches. Nothing matches \u201Cxyz\u201D.");
  EXPECT_EQ(empty.emptyState->announcement,
            "No clips yet. Copy anything and it appears here. Press Shift+Super+V any time to "
            "open this.");
  EXPECT_EQ(shown.spoken.confirmDescription, "Removes all 2 clips, pinned ones too.");
  EXPECT_EQ(layout(x11).spoken.searchDescription,
            "Type to search. Up and Down choose a clip, Return pastes it, Ctrl+P pins or unpins "
            "it, Shift+Delete deletes it, Ctrl+1 to 9 paste the first nine, Escape closes. Tab "
            "moves to the list and to Clear all.");
}

// Texts

TEST(RelativeTimeTest, EachUnitFromItsBoundary) {
  const TimePoint now = TimePoint() + 1000h;
  const std::pair<std::chrono::duration<double>, const char*> cases[] = {
      {-10s, "just now"}, {0s, "just now"},    {4.9s, "just now"}, {5s, "5s ago"},
      {42.7s, "42s ago"}, {59s, "59s ago"},    {60s, "1m ago"},    {3599s, "59m ago"},
      {3600s, "1h ago"},  {86399s, "23h ago"}, {86400s, "1d ago"}, {400h, "16d ago"}};
  for (const auto& [age, shown] : cases) {
    const auto date = now - std::chrono::duration_cast<TimePoint::duration>(age);
    EXPECT_EQ(relativeTime(date, now), shown) << age.count();
  }
  for (const auto& [age, spoken] :
       {std::pair{4s, "just now"}, std::pair{5s, "5 seconds ago"}, std::pair{60s, "1 minute ago"},
        std::pair{7200s, "2 hours ago"}, std::pair{86400s, "1 day ago"}})
    EXPECT_EQ(spokenRelativeTime(now - age, now), spoken) << age.count();
}

TEST(UnicodeTextTest, LowerCasesEveryScriptAndKeepsInvalidBytes) {
  EXPECT_EQ(UnicodeText::lowerCased("ÄBC Éte ΣΟΦΙΑ"), "äbc éte σοφια");
  EXPECT_EQ(UnicodeText::lowerCased("A\xff-B\xc3"), "a\xff-b\xc3");
  // U+0130 shrinks from two bytes to one; U+023A grows from two to three.
  EXPECT_EQ(UnicodeText::lowerCased("ABCDEFGH\u0130JKLMNOPQ\u023ARSTUVWXYZ@[`{"),
            "abcdefghijklmnopq\u2C65rstuvwxyz@[`{");
  // In place, ASCII goes a word at a time: every alignment of the words.
  const std::string base = "Entry 7: Meeting NOTES for Z\u00DCRICH \u00C5LESUND @[`{ZAza";
  for (std::size_t shift = 0; shift < 9; ++shift) {
    std::string text = std::string(shift, 'Q') + base;
    UnicodeText::lowerCaseInPlace(text);
    EXPECT_EQ(text, std::string(shift, 'q') +
                        "entry 7: meeting notes for z\u00FCrich \u00E5lesund @[`{zaza");
  }
}

TEST(UnicodeTextTest, CharactersAreWhatAReaderCounts) {
  const std::pair<const char*, std::size_t> cases[] = {
      {"", 0},
      {"cafe\u0301!", 5},  // a base letter and its combining mark are one
      {"a\r\nb", 3},
      {"\U0001F1EB\U0001F1F7\U0001F1E9\U0001F1EA", 2},
      {"日本語", 3},
      // ASCII goes eight bytes a step, unless what came before may join it.
      {"abcdefg\r\nxyz", 11},
      {"abcdefgh\u0301ijklmnop\U0001F469\u200D\U0001F4BB", 17},
      {"\u06001234567812345678", 16}};
  for (const auto& [text, count] : cases)
    EXPECT_EQ(UnicodeText::characterCount(text), count) << text;
}

TEST(UnicodeTextTest, FindsInPlaceWhatALowerCasedCopyHolds) {
  std::string longText(70000, 'x');
  longText.replace(65534, 6, "\u023A\u00C9COLE");  // across the first piece's end
  const std::string texts[] = {"Stra\u00DFe \u1E9E",
                               "\u00C9COLE caf\u00E9",
                               "\u0130stanbul \u212Aelvin",
                               "cafe\u0301 \u041F\u0420\u0418",
                               "A\xff-B\xc3-Q",
                               longText};
  const char* queries[] = {"\u00DF", "STRASSE", "\u00C9cole",     "e\u0301",
                           "i",      "kelvin",  "stanbul",        "\u043F\u0440",
                           "\xc3-q", "\xa9",    "\u2C65\u00E9co", "xxz"};
  for (const std::string& base : texts) {
    // Long enough for the vector scan too.
    const std::string text = std::string(100, ' ') + base + std::string(100, ' ');
    const bool keepsLength = UnicodeText::lowerCaseInPieces(text, [](auto) { return true; });
    for (const std::string query : queries) {
      const std::string lowered = UnicodeText::lowerCased(query);
      const bool expected = UnicodeText::lowerCased(text).find(lowered) != std::string::npos;
      EXPECT_EQ(UnicodeText::lowerCasedContains(text, lowered, keepsLength), expected) << query;
      EXPECT_EQ(UnicodeText::lowerCasedContains(text, lowered, false), expected) << query;
    }
  }
}

TEST(ByteRunFilterTest, NeverTurnsAwayARunOfTheTextReadInAnyPiecesAndKnowsShortOnes) {
  std::string text = "Xy";  // a pair only at the start
  while (text.size() < ByteRunFilter::minimumTextSize * 4)
    text += "meeting notes and report for the quarter, caf\u00E9 d\u00E9j\u00E0 vu. ";
  text += 'Q';  // a byte only at the end
  for (const std::size_t piece : {text.size(), std::size_t{1}, std::size_t{7}}) {
    SCOPED_TRACE(piece);
    ByteRunFilter filter(text.size());
    for (std::size_t at = 0; at < text.size(); at += piece)
      filter.add(std::string_view(text).substr(at, piece));
    for (std::size_t start = 0; start < 200; ++start) {
      for (std::size_t length = 1; length < 40; ++length)
        ASSERT_TRUE(filter.mayContain(text.substr(start, length))) << start << "+" << length;
    }
    EXPECT_TRUE(filter.mayContain("Q"));
    for (const char* absent : {"z", "Z", "yX", "ee ", "qz", "meeting notes zzz"})
      EXPECT_FALSE(filter.mayContain(absent)) << absent;
  }
}
