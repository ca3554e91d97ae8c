// The history list model: ordering, search, selection and actions.
#include "views/HistoryView.h"

#include <algorithm>
#include <unordered_set>

#include "history/ClipboardStore.h"
#include "views/UnicodeText.h"

namespace {

bool comesBefore(const ClipboardItem* a, const ClipboardItem* b) {
  if (a->pinned != b->pinned)
    return a->pinned;
  return a->createdAt > b->createdAt;
}

}  // namespace

HistoryView::HistoryView(ClipboardStore& store, std::function<void(const ClipboardItem&)> onPaste,
                         std::function<void()> onClose)
    : store_(store), onPaste_(std::move(onPaste)), onClose_(std::move(onClose)) {
  observerToken_ = store_.addObserver([this] {
    followSelection();
    changed();
  });
}

HistoryView::~HistoryView() {
  store_.removeObserver(observerToken_);
}

void HistoryView::refreshSorted() const {
  if (sortedRevision_ == store_.revision())
    return;
  const std::vector<ClipboardItem>& items = store_.items();
  sorted_.clear();
  sorted_.reserve(items.size());
  for (const ClipboardItem& item : items)
    sorted_.push_back(&item);
  std::stable_sort(sorted_.begin(), sorted_.end(), comesBefore);

  // An entry never changes its text under the same id, so cached texts stay
  // valid; only those of removed entries go.
  std::unordered_set<Uuid> present;
  for (const ClipboardItem& item : items)
    present.insert(item.id);
  std::erase_if(texts_, [&present](const auto& entry) { return !present.count(entry.first); });

  sortedRevision_ = store_.revision();
  filteredRevision_.reset();
}

void HistoryView::read(TextCache& cache, std::string_view text, std::size_t budget) {
  if (cache.indexed)
    return;
  if (cache.bytesRead == 0)
    cache.runs = ByteRunFilter(text.size());
  // Lower-casing maps each character alone, so a text read in pieces that
  // end between characters gives what reading it whole gives.
  const std::size_t end = text.size() - cache.bytesRead <= budget
                              ? text.size()
                              : UnicodeText::pieceEnd(text, cache.bytesRead + budget);
  const bool keptLength = UnicodeText::lowerCaseInPieces(
      text.substr(cache.bytesRead, end - cache.bytesRead), [&cache](std::string_view piece) {
        cache.runs.add(piece);
        return true;
      });
  cache.keepsLength = cache.keepsLength && keptLength;
  cache.bytesRead = end;
  cache.indexed = end == text.size();
}

HistoryView::TextCache& HistoryView::indexed(const ClipboardItem& item,
                                             std::string_view text) const {
  TextCache& cache = texts_[item.id];
  read(cache, text, text.size());
  return cache;
}

bool HistoryView::matches(const ClipboardItem& item, std::string_view query) const {
  std::string storage;
  const std::string_view text = item.displayText(storage);
  const TextCache& cache = indexed(item, text);
  return cache.runs.mayContain(query) &&
         UnicodeText::lowerCasedContains(text, query, cache.keepsLength);
}

bool HistoryView::readAheadForSearch() {
  refreshSorted();
  const auto unread = [this](const ClipboardItem* item) {
    const auto found = texts_.find(item->id);
    return found == texts_.end() || !found->second.indexed;
  };
  const auto next = std::find_if(sorted_.begin(), sorted_.end(), unread);
  if (next == sorted_.end())
    return false;
  std::string storage;
  TextCache& cache = texts_[(*next)->id];
  read(cache, (*next)->displayText(storage), readAheadBytes);
  return !cache.indexed || std::any_of(next + 1, sorted_.end(), unread);
}

std::size_t HistoryView::characterCount(const ClipboardItem& item) const {
  TextCache& cache = texts_[item.id];
  if (!cache.characters)
    cache.characters = item.text ? UnicodeText::characterCount(*item.text) : 0;
  return *cache.characters;
}

const std::vector<const ClipboardItem*>& HistoryView::filtered() const {
  refreshSorted();
  if (filteredRevision_ == sortedRevision_ && filteredSearch_ == search_)
    return filtered_;

  if (search_.empty()) {
    filtered_ = sorted_;
  } else {
    const std::string query = UnicodeText::lowerCased(search_);
    // Typing on narrows the previous matches: whatever contains the longer
    // query contains the shorter one.
    const bool narrowing =
        filteredRevision_ == sortedRevision_ &&
        query.find(UnicodeText::lowerCased(filteredSearch_)) != std::string::npos;
    const std::vector<const ClipboardItem*> candidates = narrowing ? filtered_ : sorted_;
    filtered_.clear();
    for (const ClipboardItem* item : candidates) {
      if (matches(*item, query))
        filtered_.push_back(item);
    }
  }
  filteredRevision_ = sortedRevision_;
  filteredSearch_ = search_;
  return filtered_;
}

std::optional<std::string_view> HistoryView::sectionTitle(std::size_t index) const {
  const std::vector<const ClipboardItem*>& list = filtered();
  if (index >= list.size())
    return std::nullopt;
  if (index == 0)
    return list[0]->pinned ? "Pinned" : "Recent";
  if (list[index]->pinned)
    return std::nullopt;
  if (list[index - 1]->pinned)
    return "Recent";
  return std::nullopt;
}

ClipRow HistoryView::row(std::size_t index, TimePoint now, const ShortcutTexts& shortcuts,
                         bool withKindLabel) const {
  const ClipboardItem& item = *filtered().at(index);
  ClipRow::State state;
  state.index = static_cast<int>(index);
  state.selected = state.index == selectedIndex_;
  state.hovering = hovered_ == item.id;
  std::optional<std::size_t> characters;
  if (ClipRow::shownKind(item) == ClipboardItemKind::text)
    characters = withKindLabel ? characterCount(item) : 0;
  ClipRow row = ClipRow::make(item, state, store_, now, shortcuts, characters);
  if (!withKindLabel)
    row.kindLabel.clear();
  return row;
}

AccessibleRow HistoryView::accessibleRow(std::size_t index, TimePoint now,
                                         const ShortcutTexts& shortcuts,
                                         std::optional<AccessibleRow::PixelSize> imageSize) const {
  const ClipboardItem& item = *filtered().at(index);
  std::optional<std::size_t> characters;
  if (ClipRow::shownKind(item) == ClipboardItemKind::text)
    characters = characterCount(item);
  return AccessibleRow::make(item, static_cast<int>(index), now, shortcuts, characters, imageSize);
}

std::string HistoryView::kindLabel(const Uuid& id) const {
  for (const ClipboardItem* item : filtered()) {
    if (item->id == id) {
      std::optional<std::size_t> characters;
      if (ClipRow::shownKind(*item) == ClipboardItemKind::text)
        characters = characterCount(*item);
      return ClipRow::labelForKind(*item, characters);
    }
  }
  return {};
}

void HistoryView::shown() {
  searchFocused_ = true;
  setSelectedIndex(0);
  changed();
}

void HistoryView::setSearch(std::string text) {
  if (text == search_)
    return;
  search_ = std::move(text);
  setSelectedIndex(0);
  changed();
}

void HistoryView::setSearchFocused(bool focused) {
  if (focused == searchFocused_)
    return;
  searchFocused_ = focused;
  changed();
}

void HistoryView::setHovered(const Uuid& id, bool inside) {
  if (inside) {
    hovered_ = id;
  } else if (hovered_ == id) {
    hovered_.reset();
  } else {
    return;
  }
  changed();
}

bool HistoryView::keyDown() {
  const auto count = static_cast<int>(filtered().size());
  if (count > 0)
    setSelectedIndex(std::max(std::min(selectedIndex_ + 1, count - 1), 0));
  return true;
}

bool HistoryView::keyUp() {
  const auto count = static_cast<int>(filtered().size());
  if (count > 0)
    setSelectedIndex(std::max(std::min(selectedIndex_ - 1, count - 1), 0));
  return true;
}

bool HistoryView::keyReturn() {
  pasteSelected();
  return true;
}

bool HistoryView::keyEscape() {
  if (onClose_)
    onClose_();
  return true;
}

bool HistoryView::quickPaste(int digit) {
  if (digit < 1 || digit > 9)
    return false;
  const std::vector<const ClipboardItem*>& list = filtered();
  const auto index = static_cast<std::size_t>(digit - 1);
  if (index >= list.size())
    return false;
  paste(*list[index]);
  return true;
}

const ClipboardItem* HistoryView::selectedItem() const {
  const std::vector<const ClipboardItem*>& list = filtered();
  if (selectedIndex_ < 0 || static_cast<std::size_t>(selectedIndex_) >= list.size())
    return nullptr;
  return list[static_cast<std::size_t>(selectedIndex_)];
}

void HistoryView::pasteSelected() {
  if (const ClipboardItem* item = selectedItem())
    paste(*item);
}

bool HistoryView::togglePinSelected() {
  // The selection follows the entry to its new place.
  if (const ClipboardItem* item = selectedItem())
    store_.togglePin(item->id);
  return true;
}

bool HistoryView::deleteSelected() {
  // The next row moves up into the selection; after the last row, the one
  // above it takes it (followSelection).
  if (const ClipboardItem* item = selectedItem())
    store_.deleteItem(item->id);
  return true;
}

void HistoryView::clickRow(const Uuid& id) {
  for (const ClipboardItem& item : store_.items()) {
    if (item.id == id) {
      paste(item);
      return;
    }
  }
}

void HistoryView::togglePin(const Uuid& id) {
  store_.togglePin(id);
}

void HistoryView::deleteItem(const Uuid& id) {
  store_.deleteItem(id);
}

void HistoryView::requestClear() {
  if (store_.items().empty())
    return;
  confirmingClear_ = true;
  changed();
}

void HistoryView::cancelClear() {
  confirmingClear_ = false;
  changed();
}

void HistoryView::confirmClear() {
  store_.clearAll();
  confirmingClear_ = false;
  setSelectedIndex(0);
  changed();
}

void HistoryView::setSelectedIndex(int index) {
  const std::optional<Uuid> before = selectedId_;
  const bool moved = index != selectedIndex_;
  selectedIndex_ = index;
  const ClipboardItem* item = selectedItem();
  selectedId_ = item ? std::optional<Uuid>(item->id) : std::nullopt;
  // Told also when the row at the same index now holds another entry, so a
  // screen reader says where the user is.
  if (item && (moved || before != selectedId_) && onScrollTo_)
    onScrollTo_(item->id);
}

void HistoryView::followSelection() {
  const std::vector<const ClipboardItem*>& list = filtered();
  const auto count = static_cast<int>(list.size());
  if (selectedId_) {
    const Uuid id = *selectedId_;
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&id](const ClipboardItem* entry) { return entry->id == id; });
    if (found != list.end()) {
      setSelectedIndex(static_cast<int>(found - list.begin()));
      return;
    }
  }
  setSelectedIndex(std::max(std::min(selectedIndex_, count - 1), 0));
}

void HistoryView::paste(const ClipboardItem& item) {
  // The host may change the store while pasting; hand it a copy, not a
  // reference into the history.
  const ClipboardItem copy = item;  // NOLINT(performance-unnecessary-copy-initialization)
  if (onPaste_)
    onPaste_(copy);
}

void HistoryView::changed() {
  if (onChange_)
    onChange_();
}
