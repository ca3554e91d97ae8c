// An entry's age as the rows show it: "just now", "42s ago", "3m ago",
// "5h ago", "2d ago".
#pragma once

#include <string>

#include "platform/Clock.h"

/// Whole seconds from `date` to `now`, truncated toward zero; under 5 seconds
/// (dates in the future included) reads "just now".
std::string relativeTime(TimePoint date, TimePoint now);
std::string relativeTime(TimePoint date, const Clock& clock);
/// The same age in words, as a screen reader should say it: "just now",
/// "1 second ago", "42 seconds ago", "3 minutes ago", "2 days ago".
std::string spokenRelativeTime(TimePoint date, TimePoint now);
