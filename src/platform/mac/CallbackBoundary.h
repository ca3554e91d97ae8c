// Where the system calls back into the core (timer, dispatch and event
// handler blocks, control actions, key and mouse events). The core throws
// nothing; should a C++ exception escape anyway, it must not unwind through
// AppKit's or the run loop's frames, which are not exception-safe. The
// noexcept boundary turns it into an immediate termination that the crash
// recorder sees.
#pragma once

#include <functional>

inline void callAtBoundary(const std::function<void()>& callback) noexcept {
  if (callback)
    callback();
}

/// The same boundary for a call whose answer AppKit needs, such as whether a
/// key was handled.
template <typename Callback>
auto answerAtBoundary(const Callback& callback) noexcept -> decltype(callback()) {
  return callback();
}
