// The debug-log line for a fatal signal, written from inside a signal
// handler. The ordinary log allocates and goes through the file seam, either
// of which may hold a lock the faulting thread already has; this writer uses
// only async-signal-safe calls on a path copied in advance.
#pragma once

#include <string>

namespace FatalSignalRecord {

/// Copies the log's path into static storage. Returns false (and later
/// writes do nothing) when the path is too long to keep. Not signal-safe:
/// call at install time.
bool prepare(const std::string& logPath);

/// Appends "[" timestamp "] FATAL SIGNAL " + `signal` + "\n" with a single
/// write, deleting the file first when it is larger than the log's size
/// limit, and leaves the file at 0600. Failures are silent. Async-signal-safe.
void write(int signal);

}  // namespace FatalSignalRecord
