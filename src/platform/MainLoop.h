// The main thread's run loop: repeating timers and delayed or queued tasks.
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

  virtual ~MainLoop() = default;

  /// Fires `action` every `intervalSeconds`, also while menus are tracked.
  virtual std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                                   std::function<void()> action) = 0;
  /// Runs `task` once, `delaySeconds` from now.
  virtual void postDelayed(double delaySeconds, std::function<void()> task) = 0;
  /// Runs `task` on a later turn of the loop, never inside the caller.
  virtual void post(std::function<void()> task) = 0;
};
