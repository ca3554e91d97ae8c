// Notes which threads lowered themselves, so a test can tell that only the
// store's writing thread did.
#pragma once

#include <mutex>
#include <thread>
#include <vector>

#include "platform/ThreadPriority.h"

class RecordingThreadPriority : public ThreadPriority {
 public:
  void lowerCurrentThread() override {
    std::lock_guard<std::mutex> lock(mutex_);
    lowered_.push_back(std::this_thread::get_id());
  }
  std::vector<std::thread::id> lowered() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lowered_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::thread::id> lowered_;
};
