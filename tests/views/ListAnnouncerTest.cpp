// What a screen reader is told as the list empties and fills again.
#include "views/ListAnnouncer.h"

#include <gtest/gtest.h>

TEST(ListAnnouncerTest, EachChangeBetweenRowsAndEmptyStatesIsToldOnce) {
  using Kind = HistoryLayout::EmptyState::Kind;
  const auto state = [](Kind kind, const char* said) {
    HistoryLayout::EmptyState empty;
    empty.kind = kind;
    empty.announcement = said;
    return empty;
  };
  const auto noClips = state(Kind::noClips, "No clips yet.");
  const auto noMatch = [&state](const char* said) { return state(Kind::noMatches, said); };
  const struct {
    std::optional<HistoryLayout::EmptyState> empty;
    std::size_t rows;
    bool searching;
    std::optional<std::string> said;
  } steps[] = {
      {std::nullopt, 3, false, std::nullopt},  // as the popup opens
      {noMatch("No matches: z."), 0, true, "No matches: z."},
      {noMatch("No matches: zz."), 0, true, std::nullopt},
      {std::nullopt, 1, true, "1 match, gamma, selected"},
      {std::nullopt, 2, true, std::nullopt},
      {noMatch("No matches: q."), 0, true, "No matches: q."},
      {noClips, 0, true, "No clips yet."},  // cleared while nothing matched
      {std::nullopt, 2, false, "2 clips, gamma, selected"},
      {noClips, 0, false, "No clips yet."},
  };
  ListAnnouncer announcer;
  announcer.shown();
  for (const auto& step : steps) {
    EXPECT_EQ(announcer.afterChange(step.empty, step.rows, step.searching, [] { return "gamma"; }),
              step.said);
  }
  EXPECT_EQ(ListAnnouncer::opening(1, ""), "1 clip");
  EXPECT_EQ(ListAnnouncer::opening(0, "gamma"), "");
  announcer.shown();  // each opening tells an empty state again
  EXPECT_EQ(announcer.afterChange(noClips, 0, false, [] { return ""; }), "No clips yet.");
}
