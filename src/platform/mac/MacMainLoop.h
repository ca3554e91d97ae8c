// The main run loop and the main dispatch queue behind the main-loop seam.
#pragma once

#include "platform/MainLoop.h"

class MacMainLoop : public MainLoop {
 public:
  /// The timer runs in the common run-loop modes, so it keeps firing while a
  /// menu is open or a control is tracked.
  std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                           std::function<void()> action) override;
  void postDelayed(double delaySeconds, std::function<void()> task) override;
  void post(std::function<void()> task) override;
  /// A read source on the main dispatch queue.
  std::unique_ptr<Watch> watchReadable(int fd, std::function<void()> action) override;
};
