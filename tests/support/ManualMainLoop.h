// A main loop whose time moves only when the test says so. Due timers and
// tasks run in time order, posted tasks on the next runPending() or advance(),
// the latest watched descriptor's action on runReadable(). Posts may come
// from any thread.
#pragma once

#include <poll.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/MainLoop.h"

class ManualMainLoop : public MainLoop {
 public:
  std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                           std::function<void()> action) override {
    timers_.push_back(std::make_shared<TimerState>(
        TimerState{intervalSeconds, now_ + intervalSeconds, std::move(action)}));
    return std::make_unique<Handle>(timers_.back());
  }
  void postDelayed(double delaySeconds, std::function<void()> task) override {
    requestedDelays.push_back(delaySeconds);
    tasks_.emplace(now_ + delaySeconds, std::move(task));
  }
  void post(std::function<void()> task) override {
    std::lock_guard<std::mutex> lock(inboxMutex_);
    inbox_.push_back(std::move(task));
  }
  /// Keeps only the latest watch; its handle cancels nothing.
  std::unique_ptr<Watch> watchReadable(int fd, std::function<void()> action) override {
    watched_ = {fd, std::move(action)};
    return std::make_unique<Watch>();
  }
  /// Waits up to `timeoutMs` for the watched descriptor; runs its action if readable.
  void runReadable(int timeoutMs) {
    pollfd ready{watched_.first, POLLIN, 0};
    if (watched_.second && poll(&ready, 1, timeoutMs) > 0) {
      watched_.second();
    }
  }

  /// Moves the clock forward, running everything that falls due on the way,
  /// each at its own time.
  void advance(double seconds) {
    constexpr double never = std::numeric_limits<double>::infinity();
    const double until = now_ + seconds;
    while (true) {
      {
        std::lock_guard<std::mutex> lock(inboxMutex_);
        for (auto& task : std::exchange(inbox_, {}))
          tasks_.emplace(now_, std::move(task));
      }
      std::erase_if(timers_, [](const auto& timer) { return timer->cancelled; });
      auto timer = std::min_element(timers_.begin(), timers_.end(),
                                    [](const auto& a, const auto& b) { return a->next < b->next; });
      const double timerDue = timer == timers_.end() ? never : (*timer)->next;
      const double taskDue = tasks_.empty() ? never : tasks_.begin()->first;
      if (std::min(timerDue, taskDue) > until) {
        break;
      }
      now_ = std::max(now_, std::min(timerDue, taskDue));
      if (taskDue <= timerDue) {
        tasks_.extract(tasks_.begin()).mapped()();
      } else {
        (*timer)->next += (*timer)->interval;
        // Copied so the timer may be cancelled (and its state released) inside.
        auto action = (*timer)->action;
        action();
      }
    }
    now_ = until;
  }
  /// Runs the tasks that are due now, including ones they post.
  void runPending() { advance(0); }

  /// Timers that are scheduled and not cancelled.
  int activeTimers() const {
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](const auto& t) { return !t->cancelled; }));
  }
  /// Tasks still waiting, delayed ones and ones from other threads included.
  int pendingTasks() {
    std::lock_guard<std::mutex> lock(inboxMutex_);
    return static_cast<int>(tasks_.size() + inbox_.size());
  }
  /// Delays passed to postDelayed, in order.
  std::vector<double> requestedDelays;

 private:
  struct TimerState {
    double interval;
    double next;
    std::function<void()> action;
    bool cancelled = false;
  };
  /// Cancels its timer when the owner lets go of it.
  struct Handle : Timer {
    explicit Handle(std::shared_ptr<TimerState> timer) : state(std::move(timer)) {}
    ~Handle() override { state->cancelled = true; }
    std::shared_ptr<TimerState> state;
  };

  double now_ = 0;
  /// Tasks of the same time keep the order they were posted in.
  std::multimap<double, std::function<void()>> tasks_;
  std::vector<std::shared_ptr<TimerState>> timers_;
  std::pair<int, std::function<void()>> watched_{-1, nullptr};
  std::mutex inboxMutex_;
  std::vector<std::function<void()>> inbox_;
};
