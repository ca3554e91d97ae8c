// The system's own log (NSLog on macOS, standard error on Linux), for the
// few messages meant for the system rather than the debug log.
#pragma once

#include <string>

class SystemLog {
 public:
  virtual ~SystemLog() = default;
  /// Never fails towards the caller.
  virtual void write(const std::string& message) = 0;
};
