// Where the system calls back into the core (timer, dispatch and event
// handler blocks). The core throws nothing; should a C++ exception escape
// anyway, it must not unwind through AppKit's or the run loop's frames, which
// are not exception-safe. The noexcept boundary turns it into an immediate
// termination that the crash recorder sees.
#pragma once

#include <functional>

inline void callAtBoundary(const std::function<void()>& callback) noexcept {
  if (callback)
    callback();
}
