// What the popup card shows around the rows, computed from a HistoryView so a
// front end only draws it: header, search bar, the list's section titles or
// the empty state, and the footer in its normal or confirming form. Measures
// are in ViewMetrics; rows come from HistoryView::row.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "views/ShortcutTexts.h"
#include "views/ViewColor.h"
#include "views/ViewMetrics.h"

class HistoryView;

struct HistoryLayout {
  struct Header {
    /// Brand image, left out when it does not load.
    std::string_view markAsset = "PellimoreMark";
    std::string_view name = "Pellimore";
    std::string_view product = "Clip";
    /// The number of all entries (not the filtered ones); absent when the
    /// history is empty.
    std::optional<std::string> badge;
  };

  struct SearchBar {
    std::string_view icon = "magnifyingglass";
    std::string_view placeholder = "Search clips";
    /// Shown while the search is non-empty; it calls HistoryView::clearSearch.
    bool showsClearButton = false;
    std::string_view clearSymbol = "xmark.circle.fill";
  };

  /// Drawn in place of the list when no row is listed.
  struct EmptyState {
    enum class Kind { noClips, noMatches };
    Kind kind = Kind::noClips;
    /// The brand mark (no clips at all); left out when it does not load.
    std::optional<std::string_view> markAsset;
    /// A symbol in tertiary style (nothing matches the search).
    std::optional<std::string_view> symbol;
    std::string title;
    FontSpec titleFont;
    /// Secondary style, lines centred; may hold a line feed.
    std::string message;
    /// Title and message as one sentence, said when the state appears.
    std::string announcement;
  };

  struct Footer {
    bool confirming = false;
    // Normal form.
    std::string hint;
    std::string_view clearSymbol = "trash";
    std::string_view clearTitle = "Clear all";
    /// Disabled and dimmed while the history is empty.
    bool clearEnabled = false;
    double clearOpacity = 1.0;  // of secondary
    // Confirming form.
    std::string question;
    std::string_view cancelTitle = "Cancel";
    std::string_view confirmTitle = "Clear all";
    ViewColor confirmColor = ViewColor::white;
    ViewColor confirmFill = ViewColor::red;
  };

  /// What a screen reader is told of the card's controls beyond their
  /// visible titles: the popup's and the list's names, and the keys each
  /// control answers to.
  struct Spoken {
    std::string_view popupName;
    std::string searchDescription;
    std::string_view clearSearchName = "Clear search";
    std::string_view listName = "Clips";
    std::string listDescription;
    std::string_view clearAllDescription = "Asks before removing every clip, pinned ones too.";
    std::string confirmDescription;
    std::string_view cancelDescription = "Keeps every clip.";
    /// Said when the pin key pins or unpins the selected row.
    std::string_view pinnedAnnouncement = "Pinned";
    std::string_view unpinnedAnnouncement = "Unpinned";
  };

  static HistoryLayout make(const HistoryView& view, const ShortcutTexts& shortcuts);

  Header header;
  SearchBar searchBar;
  std::optional<EmptyState> emptyState;
  /// One per row of the filtered list: the title to draw above it. None at all
  /// during a search.
  std::vector<std::optional<std::string_view>> sectionTitles;
  Footer footer;
  Spoken spoken;
};
