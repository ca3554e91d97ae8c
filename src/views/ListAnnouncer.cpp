// The list's comings and goings, as a screen reader hears them.
#include "views/ListAnnouncer.h"

namespace {

std::string counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + (count == 1 ? one : many);
}

std::string selection(const std::string& row) {
  return row.empty() ? std::string() : ", " + row + ", selected";
}

}  // namespace

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
  if (!searching)
    return opening(rows, selectedRow());
  return counted(rows, " match", " matches") + selection(selectedRow());
}

std::string ListAnnouncer::opening(std::size_t clips, const std::string& selectedRow) {
  return clips == 0 ? std::string() : counted(clips, " clip", " clips") + selection(selectedRow);
}
