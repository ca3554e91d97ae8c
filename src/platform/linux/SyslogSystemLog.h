// The system log on Linux: syslog(3), and standard error for whoever started
// the program from a terminal or a session log.
#pragma once

#include "platform/SystemLog.h"

class SyslogSystemLog : public SystemLog {
 public:
  SyslogSystemLog();
  ~SyslogSystemLog() override;
  SyslogSystemLog(const SyslogSystemLog&) = delete;
  SyslogSystemLog& operator=(const SyslogSystemLog&) = delete;

  void write(const std::string& message) override;
};
