// A main loop that never runs anything, for benchmarks whose store must have
// one: what the history writer hands back is of no interest there.
#pragma once

#include <functional>
#include <memory>

#include "platform/MainLoop.h"

class InertMainLoop : public MainLoop {
 public:
  std::unique_ptr<Timer> scheduleRepeating(double, std::function<void()>) override {
    return std::make_unique<Timer>();
  }
  void postDelayed(double, std::function<void()>) override {}
  void post(std::function<void()>) override {}
  std::unique_ptr<Watch> watchReadable(int, std::function<void()>) override {
    return std::make_unique<Watch>();
  }
};
