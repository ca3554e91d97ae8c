// The list's comings and goings, as a screen reader hears them.
#include "views/ListAnnouncer.h"

std::optional<std::string> ListAnnouncer::afterChange(
    const std::optional<HistoryLayout::EmptyState>& emptyState, std::size_t rows, bool searching,
    const std::function<std::string()>& selectedRow) {
  using Kind = HistoryLayout::EmptyState::Kind;
  Listed now = Listed::rows;
  if (emptyState)
    now = emptyState->kind == Kind::noClips ? Listed::noClips : Listed::noMatches;
  const Listed before = last_;
  last_ = now;
  // A search that still matches nothing says so once, whatever is typed.
  if (now == before)
    return std::nullopt;
  if (emptyState)
    return emptyState->announcement;
  // Rows listed as the popup opens are told by the popup itself.
  if (before == Listed::unknown)
    return std::nullopt;
  const char* noun = rows == 1 ? " clip" : " clips";
  if (searching)
    noun = rows == 1 ? " match" : " matches";
  std::string said = std::to_string(rows) + noun;
  if (const std::string selected = selectedRow(); !selected.empty())
    said += ", " + selected + ", selected";
  return said;
}
