// The popup's content as plain logic: which entries are listed and in which
// order, their section titles, the keyboard selection and what each key, click
// and button does. Front ends draw it (see HistoryLayout and ClipRow) and feed
// user actions back in; they decide nothing themselves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "history/ClipboardItem.h"
#include "platform/Clock.h"
#include "views/AccessibleRow.h"
#include "views/ByteRunFilter.h"
#include "views/ClipRow.h"
#include "views/ShortcutTexts.h"

class ClipboardStore;

class HistoryView {
 public:
  /// `store` must outlive the view. `onPaste` asks the host to paste the entry
  /// and close; `onClose` asks it to close.
  HistoryView(ClipboardStore& store, std::function<void(const ClipboardItem&)> onPaste,
              std::function<void()> onClose);
  ~HistoryView();
  HistoryView(const HistoryView&) = delete;
  HistoryView& operator=(const HistoryView&) = delete;

  /// Called after any change of view state or of the store, to redraw.
  void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
  /// Called when the selection moves onto an existing row, or its entry moves
  /// in the list: centre the row of this entry.
  void setOnScrollTo(std::function<void(const Uuid&)> onScrollTo) {
    onScrollTo_ = std::move(onScrollTo);
  }

  const ClipboardStore& store() const { return store_; }
  const std::string& search() const { return search_; }
  /// Follows the selected entry when the list changes around it; points past
  /// the list's end only when nothing is listed.
  int selectedIndex() const { return selectedIndex_; }
  bool confirmingClear() const { return confirmingClear_; }
  bool searchFocused() const { return searchFocused_; }
  /// The entry under the pointer, if any.
  const std::optional<Uuid>& hovered() const { return hovered_; }

  /// Pinned entries first, then newest first (equal times keep the store's
  /// order), narrowed to entries whose lower-cased display text contains the
  /// lower-cased search. Points into the store's entries: valid until the
  /// store next changes. Cached, so reading it per row costs nothing.
  const std::vector<const ClipboardItem*>& filtered() const;
  /// "Pinned" above the first pinned row, "Recent" above the first unpinned
  /// one; `index` must be a row of `filtered`.
  std::optional<std::string_view> sectionTitle(std::size_t index) const;
  /// The row at `index` of `filtered`, as drawn at `now`. Without
  /// `withKindLabel` its kind label is left empty, so that a list can lay out
  /// every row and count the characters of long texts only for the rows it
  /// draws (kindLabel).
  ClipRow row(std::size_t index, TimePoint now, const ShortcutTexts& shortcuts,
              bool withKindLabel = true) const;
  /// What a screen reader says of the row at `index` of `filtered`;
  /// `imageSize` is the stored image's size, for an image entry.
  AccessibleRow accessibleRow(std::size_t index, TimePoint now, const ShortcutTexts& shortcuts,
                              std::optional<AccessibleRow::PixelSize> imageSize) const;
  /// The kind label of the listed entry `id` ("n chars", counted once per
  /// entry); empty when it is not listed.
  std::string kindLabel(const Uuid& id) const;

  /// How much text readAheadForSearch reads at most: what a key pressed
  /// meanwhile may have to wait for.
  static constexpr std::size_t readAheadBytes = std::size_t{256} << 10;
  /// Reads up to `readAheadBytes` more of the entries' texts the way a
  /// search does, ahead of the first search, so that it only scans; call it
  /// while the user is idle. Returns whether text remains unread.
  bool readAheadForSearch();

  // Triggers from the front end.
  /// The view came on screen: focus the search field, select row 0.
  void shown();
  /// Any edit of the search field; resets the selection to row 0.
  void setSearch(std::string text);
  /// The search field's clear button.
  void clearSearch() { setSearch(""); }
  void setSearchFocused(bool focused);
  /// The pointer entered or left the row of `id`.
  void setHovered(const Uuid& id, bool inside);

  // Keys. Each returns whether the key was handled (not passed on).
  /// Handled even when the list is empty.
  bool keyDown();
  bool keyUp();
  /// Pastes the selected row, if it exists.
  bool keyReturn();
  bool keyEscape();
  /// Command-digit: pastes the row `digit` - 1 of `filtered`. Not handled when
  /// that row does not exist or `digit` is outside 1 to 9.
  bool quickPaste(int digit);

  /// Pastes `filtered[selectedIndex]` when it exists; otherwise nothing.
  void pasteSelected();
  /// The keyboard's pin key: pins or unpins the selected entry, and the
  /// selection follows it to its new place. Handled even without a selection.
  bool togglePinSelected();
  /// The keyboard's delete key: deletes the selected entry; the selection
  /// stays at its place, or on the new last row, as it does whenever the
  /// selected entry goes. Handled even without one.
  bool deleteSelected();

  // Row actions, by entry; an entry that is gone is ignored.
  void clickRow(const Uuid& id);
  void togglePin(const Uuid& id);
  void deleteItem(const Uuid& id);

  // Clearing the history from the footer.
  /// Ignored while the history is empty (the button is disabled then).
  void requestClear();
  void cancelClear();
  /// Removes every entry, pinned ones too.
  void confirmClear();

 private:
  // What search and the rows keep of an entry's text, which itself is never
  // copied: a long text is scanned where it stands.
  struct TextCache {
    /// How much of the text went into `runs` so far, and whether all of it.
    std::size_t bytesRead = 0;
    bool indexed = false;
    /// Lower-casing keeps every character's encoded length.
    bool keepsLength = true;
    ByteRunFilter runs;
    std::optional<std::size_t> characters;
  };

  void refreshSorted() const;
  /// The entry's cache, with what search needs of its text read.
  TextCache& indexed(const ClipboardItem& item, std::string_view text) const;
  /// Reads up to `budget` more bytes of `text` into `cache`.
  static void read(TextCache& cache, std::string_view text, std::size_t budget);
  /// Whether the entry's display text, lower-cased, contains `query`.
  bool matches(const ClipboardItem& item, std::string_view query) const;
  std::size_t characterCount(const ClipboardItem& item) const;
  void setSelectedIndex(int index);
  /// After the store changed: keeps the selection on its entry, wherever
  /// that went; when it went away, on the row now at its place.
  void followSelection();
  /// The selected entry, when the selection is on a row.
  const ClipboardItem* selectedItem() const;
  void paste(const ClipboardItem& item);
  void changed();

  ClipboardStore& store_;
  std::function<void(const ClipboardItem&)> onPaste_;
  std::function<void()> onClose_;
  std::string search_;
  int selectedIndex_ = 0;
  /// The entry at `selectedIndex_`, if any.
  std::optional<Uuid> selectedId_;
  bool confirmingClear_ = false;
  bool searchFocused_ = false;
  std::optional<Uuid> hovered_;
  std::function<void()> onChange_;
  std::function<void(const Uuid&)> onScrollTo_;
  int observerToken_ = 0;

  // Rebuilt when the store's revision moves; what search knows of each text
  // is kept per entry, so a keystroke only scans them.
  mutable std::optional<std::uint64_t> sortedRevision_;
  mutable std::vector<const ClipboardItem*> sorted_;
  mutable std::unordered_map<Uuid, TextCache> texts_;
  mutable std::optional<std::uint64_t> filteredRevision_;
  mutable std::string filteredSearch_;
  mutable std::vector<const ClipboardItem*> filtered_;
};
