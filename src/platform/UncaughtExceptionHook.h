// Where the platform's object runtime reports an exception nobody caught
// (NSSetUncaughtExceptionHandler on macOS). Plain C++ exceptions are not its
// business: the crash handler catches those through std::set_terminate.
#pragma once

#include <optional>
#include <string>
#include <vector>

/// Receives the exception's name, its reason (nothing when it has none) and
/// its call-stack symbols, as the runtime renders them.
using UncaughtExceptionRecorder = void (*)(const std::string& name,
                                           const std::optional<std::string>& reason,
                                           const std::vector<std::string>& callStackSymbols);

/// Has the runtime call `recorder` for every uncaught exception, before its
/// ordinary handling goes on. A no-op where there is no such runtime.
void installUncaughtExceptionHook(UncaughtExceptionRecorder recorder);
