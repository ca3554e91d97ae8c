// What a front end supplies to start the application: the crash recorder,
// the application object, the services the delegate works through and the
// channel between instances.
#pragma once

#include <string>
#include <vector>

#include "app/AppEnvironment.h"

class ApplicationHost;
class InstanceChannel;

class AppPlatform {
 public:
  virtual ~AppPlatform() = default;

  /// Installs the crash recorder (CrashHandler::install); overridable so
  /// tests can watch the start-up order without touching signal handlers.
  virtual void installCrashHandler();
  /// The one application object; it lives for the whole process.
  virtual ApplicationHost& sharedApplication() = 0;
  /// Asked for once, after the application object exists.
  virtual AppEnvironment environment() = 0;
  /// How a later start reaches this one; lives as long as this object.
  virtual InstanceChannel& instanceChannel() = 0;
  /// What the front end chose at start, for the debug log; written only once
  /// this process is the one that runs, so a later start that hands over to
  /// it leaves the log alone.
  virtual std::vector<std::string> launchLog() const { return {}; }
};
