// Wall-clock time, behind a seam so tests can set the time by hand.
#pragma once

#include <chrono>
#include <memory>

using TimePoint = std::chrono::system_clock::time_point;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimePoint now() const = 0;

  /// The system clock.
  static Clock& system();
};
