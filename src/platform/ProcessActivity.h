// Telling the system that this process is doing work the user relies on, so
// it is not throttled while in the background (App Nap on macOS; Linux has
// no such throttling).
#pragma once

#include <memory>
#include <string>

class ProcessActivity {
 public:
  /// The activity lasts until this is destroyed.
  class Activity {
   public:
    virtual ~Activity() = default;
  };

  virtual ~ProcessActivity() = default;
  /// `reason` says why, for the system's diagnostics.
  virtual std::unique_ptr<Activity> begin(const std::string& reason) = 0;
};
