// The main thread's run loop: repeating timers, delayed or queued tasks, and
// descriptors to read from.
// Everything the core does runs from here, one task after another.
#pragma once

#include <functional>
#include <memory>

class MainLoop {
 public:
  /// Cancels its timer when destroyed, so an owner that keeps the handle is
  /// never called after it is gone.
  class Timer {
   public:
    virtual ~Timer() = default;
  };

  /// Stops watching its descriptor when destroyed; the descriptor stays open.
  class Watch {
   public:
    virtual ~Watch() = default;
  };

  virtual ~MainLoop() = default;

  /// Fires `action` every `intervalSeconds`, also while menus are tracked.
  virtual std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                                   std::function<void()> action) = 0;
  /// Runs `task` once, `delaySeconds` from now.
  virtual void postDelayed(double delaySeconds, std::function<void()> task) = 0;
  /// Runs `task` on a later turn of the loop, never inside the caller.
  virtual void post(std::function<void()> task) = 0;
  /// Runs `action` whenever `fd` has something to read (a listening socket:
  /// a connection to accept), for as long as the handle lives.
  virtual std::unique_ptr<Watch> watchReadable(int fd, std::function<void()> action) = 0;
};
