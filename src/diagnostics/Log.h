// The debug log, "debug.log" in the history folder: one line per call,
// "[" + UTC timestamp + "] " + message, never failing towards the caller.
#pragma once

#include <string>
#include <string_view>

namespace Log {

/// Appends one line. Every failure is swallowed.
void write(std::string_view message);

/// The log file's location, computed once on first use.
const std::string& path();

}  // namespace Log
