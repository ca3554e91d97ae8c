// Formatting of an entry's age.
#include "views/RelativeTime.h"

#include <chrono>
#include <cstdint>

std::string relativeTime(TimePoint date, TimePoint now) {
  // duration_cast truncates toward zero, so 4.9 s is 4 and -10 s stays negative.
  const std::int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(now - date).count();
  if (seconds < 5)
    return "just now";
  if (seconds < 60)
    return std::to_string(seconds) + "s ago";
  if (seconds < 3600)
    return std::to_string(seconds / 60) + "m ago";
  if (seconds >= 86400)
    return std::to_string(seconds / 86400) + "d ago";
  return std::to_string(seconds / 3600) + "h ago";
}

std::string relativeTime(TimePoint date, const Clock& clock) {
  return relativeTime(date, clock.now());
}
