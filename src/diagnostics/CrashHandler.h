// The last record of a dying process: an uncaught exception or a fatal
// signal, written to the debug log. Installed once, first thing at start.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace CrashHandler {

/// Installs, in this order: the object runtime's uncaught-exception hook
/// (macOS), a terminate handler for uncaught C++ exceptions, and one handler
/// for SIGABRT, SIGILL, SIGSEGV, SIGFPE, SIGBUS and SIGTRAP running on an
/// alternate stack, so a stack overflow is recorded too. After recording a
/// signal the handler restores the default action and raises the signal
/// again, so the process dies as it would have. The terminate handler that
/// was in place before runs after the record. The log's location is fixed
/// at this moment. Calling it again changes nothing.
void install();

/// "UNCAUGHT EXCEPTION: " + name + " — " + (reason or "no reason") + "\n" +
/// the first 20 symbols joined by line feeds.
std::string exceptionRecord(const std::string& name, const std::optional<std::string>& reason,
                            const std::vector<std::string>& callStackSymbols);

/// Writes `exceptionRecord` with one Log::write call.
void recordUncaughtException(const std::string& name, const std::optional<std::string>& reason,
                             const std::vector<std::string>& callStackSymbols);

}  // namespace CrashHandler
