// The debug log, "debug.log" in the history folder: one line per call,
// "[" + UTC timestamp + "] " + message, never failing towards the caller.
#pragma once

#include <string>
#include <string_view>

class LogFile;

namespace Log {

/// Appends one line. Every failure is swallowed.
void write(std::string_view message);
/// Whether the last line could not be written, so the caller can tell the
/// user through another channel that the log is not being kept.
bool lastWriteFailed();

/// The log file's location, computed once on first use. The history folder
/// is created (0700) at that moment if it is missing.
const std::string& path();

/// Sends `write` and `path` to `file` instead of the real log while it is
/// set; nullptr restores the real log. Returns the previous redirection.
LogFile* setFileForTesting(LogFile* file);

}  // namespace Log
