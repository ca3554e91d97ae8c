// Formatting of an entry's age.
#include "views/RelativeTime.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

struct Unit {
  std::string_view suffix;
  std::string_view spoken;
};
constexpr std::array<Unit, 4> units{{
    {"s ago", "second"},
    {"m ago", "minute"},
    {"h ago", "hour"},
    {"d ago", "day"},
}};

struct Age {
  std::int64_t count;
  const Unit* unit;
};

/// The age in its largest whole unit; none under 5 seconds ("just now").
std::optional<Age> ageOf(TimePoint date, TimePoint now) {
  // duration_cast truncates toward zero, so 4.9 s is 4 and -10 s stays negative.
  const std::int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(now - date).count();
  if (seconds < 5)
    return std::nullopt;
  if (seconds < 60)
    return Age{seconds, &units[0]};
  if (seconds < 3600)
    return Age{seconds / 60, &units[1]};
  if (seconds >= 86400)
    return Age{seconds / 86400, &units[3]};
  return Age{seconds / 3600, &units[2]};
}

}  // namespace

std::string relativeTime(TimePoint date, TimePoint now) {
  const std::optional<Age> age = ageOf(date, now);
  if (!age)
    return "just now";
  return std::to_string(age->count) + std::string(age->unit->suffix);
}

std::string relativeTime(TimePoint date, const Clock& clock) {
  return relativeTime(date, clock.now());
}

std::string spokenRelativeTime(TimePoint date, TimePoint now) {
  const std::optional<Age> age = ageOf(date, now);
  if (!age)
    return "just now";
  return std::to_string(age->count) + " " + std::string(age->unit->spoken) +
         (age->count == 1 ? " ago" : "s ago");
}
