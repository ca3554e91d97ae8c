// A main loop whose time moves only when the test says so. Due timers and
// tasks run in time order, posted tasks on the next runPending() or advance().
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/MainLoop.h"

class ManualMainLoop : public MainLoop {
 public:
  ~ManualMainLoop() override;

  std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                           std::function<void()> action) override;
  void postDelayed(double delaySeconds, std::function<void()> task) override;
  void post(std::function<void()> task) override;

  /// Moves the clock forward, running everything that falls due on the way,
  /// each at its own time.
  void advance(double seconds);
  /// Runs the tasks that are due now, including ones they post.
  void runPending();

  double now() const { return now_; }
  /// Timers that are scheduled and not cancelled.
  int activeTimers() const;
  /// Tasks still waiting, delayed ones included.
  int pendingTasks() const { return static_cast<int>(tasks_.size()); }
  /// Delays passed to postDelayed, in order.
  std::vector<double> requestedDelays;

 private:
  struct TimerState {
    double interval;
    double next;
    std::function<void()> action;
    bool cancelled = false;
  };
  class Handle;

  bool runNextDue(double until);

  double now_ = 0;
  std::uint64_t sequence_ = 0;
  std::multimap<std::pair<double, std::uint64_t>, std::function<void()>> tasks_;
  std::vector<std::shared_ptr<TimerState>> timers_;
};
