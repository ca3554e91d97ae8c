// What a screen reader is told when the list empties or fills again, which
// nothing focused would say: the empty state once as it appears, not again
// on each key that keeps it, and the rows as they come back.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "views/HistoryLayout.h"

class ListAnnouncer {
 public:
  /// The popup came on screen: what it lists is new to the listener, and an
  /// empty state is said again.
  void shown() { last_ = Listed::unknown; }

  /// Said as the popup opens with rows: how many clips the history holds
  /// and which row is selected (`selectedRow`, its spoken name); empty
  /// without clips.
  static std::string opening(std::size_t clips, const std::string& selectedRow);

  /// What to say now that the list reads `emptyState` (or `rows` rows, the
  /// search `searching` or not); nothing when that did not change.
  /// `selectedRow` is the selected row's spoken name, asked only when rows
  /// come back.
  std::optional<std::string> afterChange(const std::optional<HistoryLayout::EmptyState>& emptyState,
                                         std::size_t rows, bool searching,
                                         const std::function<std::string()>& selectedRow);

 private:
  enum class Listed { unknown, rows, noClips, noMatches };
  Listed last_ = Listed::unknown;
};
