// Keeps the system-log lines. Records "systemLog.write(MESSAGE)".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CallRecord.h"
#include "platform/SystemLog.h"

class FakeSystemLog : public SystemLog {
 public:
  void write(const std::string& message) override {
    record->add("systemLog.write(" + message + ")");
    lines.push_back(message);
  }

  std::vector<std::string> lines;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
