// Linux does not nap background processes: an activity changes nothing.
#pragma once

#include "platform/ProcessActivity.h"

class LinuxProcessActivity : public ProcessActivity {
 public:
  std::unique_ptr<Activity> begin(const std::string& /*reason*/) override {
    return std::make_unique<Activity>();
  }
};
