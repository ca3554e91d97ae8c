// Internet date-times (RFC 3339) in UTC with whole seconds, the one form the
// history file uses: 2025-03-01T09:30:05Z.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace UtcTimestamp {

/// Appends `time` floored to its whole second (earlier, also before 1970).
void append(std::string& out, TimePoint time);
std::string format(TimePoint time);

/// Exactly "YYYY-MM-DDTHH:MM:SSZ" with a real calendar date and time of day
/// (no leap second); fractions, offsets and lower-case letters are refused.
/// A date that the clock cannot represent is clamped to its range.
std::optional<TimePoint> parse(std::string_view text);

}  // namespace UtcTimestamp
