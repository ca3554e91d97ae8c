// The debug log's timestamp, "2026-03-01 14:05:09 +0000", from epoch seconds.
// Shared by the ordinary log and the signal-time writer, so both render it
// the same way.
#pragma once

#include <cstddef>
#include <cstdint>

/// Characters in a rendered timestamp (no terminator).
inline constexpr std::size_t logTimestampLength = 25;

/// Writes exactly `logTimestampLength` characters to `out`, without a
/// terminating zero. Async-signal-safe: no allocation, no locale, no tz
/// database. Years outside 0000-9999 are clamped to that range.
void formatLogTimestamp(std::int64_t epochSeconds, char* out);
