#include "ManualMainLoop.h"

#include <algorithm>
#include <limits>

class ManualMainLoop::Handle : public MainLoop::Timer {
 public:
  explicit Handle(std::shared_ptr<TimerState> state) : state_(std::move(state)) {}
  ~Handle() override { state_->cancelled = true; }

 private:
  std::shared_ptr<TimerState> state_;
};

ManualMainLoop::~ManualMainLoop() = default;

std::unique_ptr<MainLoop::Timer> ManualMainLoop::scheduleRepeating(double intervalSeconds,
                                                                   std::function<void()> action) {
  auto state = std::make_shared<TimerState>(
      TimerState{intervalSeconds, now_ + intervalSeconds, std::move(action)});
  timers_.push_back(state);
  return std::make_unique<Handle>(state);
}

void ManualMainLoop::postDelayed(double delaySeconds, std::function<void()> task) {
  requestedDelays.push_back(delaySeconds);
  tasks_.emplace(std::make_pair(now_ + delaySeconds, sequence_++), std::move(task));
}

void ManualMainLoop::post(std::function<void()> task) {
  tasks_.emplace(std::make_pair(now_, sequence_++), std::move(task));
}

int ManualMainLoop::activeTimers() const {
  return static_cast<int>(std::count_if(timers_.begin(), timers_.end(),
                                        [](const auto& timer) { return !timer->cancelled; }));
}

bool ManualMainLoop::runNextDue(double until) {
  std::erase_if(timers_, [](const auto& timer) { return timer->cancelled; });
  double nextTask = tasks_.empty() ? std::numeric_limits<double>::infinity()
                                   : tasks_.begin()->first.first;
  std::shared_ptr<TimerState> nextTimer;
  for (const auto& timer : timers_) {
    if (!nextTimer || timer->next < nextTimer->next)
      nextTimer = timer;
  }
  double nextTimerTime = nextTimer ? nextTimer->next : std::numeric_limits<double>::infinity();
  double next = std::min(nextTask, nextTimerTime);
  if (next > until)
    return false;
  now_ = std::max(now_, next);
  if (nextTask <= nextTimerTime) {
    auto node = tasks_.extract(tasks_.begin());
    node.mapped()();
  } else {
    nextTimer->next += nextTimer->interval;
    // Copied so the timer may be cancelled (and its state released) inside.
    auto action = nextTimer->action;
    action();
  }
  return true;
}

void ManualMainLoop::advance(double seconds) {
  double until = now_ + seconds;
  while (runNextDue(until)) {
  }
  now_ = until;
}

void ManualMainLoop::runPending() {
  while (runNextDue(now_)) {
  }
}
