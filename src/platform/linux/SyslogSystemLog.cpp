// syslog(3) under the program's name, plus one line on standard error.
#include "platform/linux/SyslogSystemLog.h"

#include <syslog.h>

#include <cstdio>

SyslogSystemLog::SyslogSystemLog() {
  openlog("pellimore-clip", LOG_PID, LOG_USER);
}

SyslogSystemLog::~SyslogSystemLog() {
  closelog();
}

void SyslogSystemLog::write(const std::string& message) {
  // "%s" keeps a message's own % signs from being read as a format.
  syslog(LOG_NOTICE, "%s", message.c_str());
  std::fprintf(stderr, "pellimore-clip: %s\n", message.c_str());
}
