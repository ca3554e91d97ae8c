// The system log through Foundation's NSLog.
#pragma once

#include "platform/SystemLog.h"

class MacSystemLog : public SystemLog {
 public:
  void write(const std::string& message) override;
};
