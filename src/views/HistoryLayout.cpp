// Presentation of the popup card around its rows.
#include "views/HistoryLayout.h"

#include <algorithm>

#include "app/Brand.h"
#include "history/ClipboardStore.h"
#include "views/HistoryView.h"

namespace {

std::string announcementOf(const HistoryLayout::EmptyState& state) {
  std::string message = state.message;
  std::replace(message.begin(), message.end(), '\n', ' ');
  return state.title + ". " + message;
}

HistoryLayout::EmptyState noClips(const ShortcutTexts& shortcuts) {
  HistoryLayout::EmptyState state;
  state.kind = HistoryLayout::EmptyState::Kind::noClips;
  state.markAsset = "PellimoreMark";
  state.title = "No clips yet";
  state.titleFont = ViewMetrics::noClipsTitleFont;
  state.message = "Copy anything and it appears here.\nPress " + std::string(shortcuts.hotKey) +
                  " any time to open this.";
  state.announcement = announcementOf(state);
  return state;
}

HistoryLayout::EmptyState noMatches(const std::string& search) {
  HistoryLayout::EmptyState state;
  state.kind = HistoryLayout::EmptyState::Kind::noMatches;
  state.symbol = "magnifyingglass";
  state.title = "No matches";
  state.titleFont = ViewMetrics::noMatchesTitleFont;
  state.message = "Nothing matches \u201C" + search + "\u201D.";
  state.announcement = announcementOf(state);
  return state;
}

}  // namespace

HistoryLayout HistoryLayout::make(const HistoryView& view, const ShortcutTexts& shortcuts) {
  HistoryLayout layout;
  const std::size_t itemCount = view.store().items().size();
  const std::string count = std::to_string(itemCount);

  if (itemCount > 0)
    layout.header.badge = count;
  layout.searchBar.showsClearButton = !view.search().empty();

  const std::size_t rows = view.filtered().size();
  if (itemCount == 0) {
    layout.emptyState = noClips(shortcuts);
  } else if (rows == 0) {
    layout.emptyState = noMatches(view.search());
  }
  layout.sectionTitles.resize(rows);
  if (view.search().empty()) {
    for (std::size_t i = 0; i < rows; ++i)
      layout.sectionTitles[i] = view.sectionTitle(i);
  }

  Footer& footer = layout.footer;
  footer.confirming = view.confirmingClear();
  footer.hint =
      "⏎ paste   ·   " + std::string(shortcuts.quickPasteRange) + " quick   ·   esc close";
  footer.clearEnabled = itemCount > 0;
  footer.clearOpacity = footer.clearEnabled ? 1.0 : ViewMetrics::clearAllDisabledOpacity;
  // Always plural, also for a single entry.
  footer.question = "Clear all " + count + " clips?";

  Spoken& spoken = layout.spoken;
  const std::string rowKeys = "Up and Down choose a clip, Return pastes it, " +
                              std::string(shortcuts.spokenPinKey) + " pins or unpins it, " +
                              std::string(shortcuts.spokenDeleteKey) + " deletes it";
  spoken.popupName = Brand::appName;
  spoken.searchDescription = "Type to search. " + rowKeys + ", " +
                             std::string(shortcuts.spokenQuickPastePrefix) +
                             "1 to 9 paste the first nine, Escape closes. Tab moves to the list "
                             "and to Clear all.";
  spoken.listDescription = rowKeys + ".";
  spoken.confirmDescription = "Removes all " + count + " clips, pinned ones too.";
  return layout;
}
