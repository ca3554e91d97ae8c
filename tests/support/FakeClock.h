// A clock that stands still until the test moves it.
#pragma once

#include "platform/Clock.h"

class FakeClock : public Clock {
 public:
  TimePoint now() const override { return now_; }
  void advance(std::chrono::duration<double> by) {
    now_ += std::chrono::duration_cast<TimePoint::duration>(by);
  }

 private:
  // 2025-03-01T09:30:05Z and a quarter second, so whole-second rounding shows.
  TimePoint now_ =
      std::chrono::sys_seconds(std::chrono::seconds(1740821405)) + std::chrono::milliseconds(250);
};
