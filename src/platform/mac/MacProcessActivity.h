// Keeping this process out of App Nap through NSProcessInfo activities.
#pragma once

#include "platform/ProcessActivity.h"

class MacProcessActivity : public ProcessActivity {
 public:
  std::unique_ptr<Activity> begin(const std::string& reason) override;
};
