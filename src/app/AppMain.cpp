// The start-up order.
#include "app/AppMain.h"

#include <memory>

#include "app/AppDelegate.h"
#include "app/AppPlatform.h"
#include "app/SingleInstance.h"
#include "diagnostics/Log.h"
#include "platform/ApplicationHost.h"
#include "popup/PopupController.h"

int runApp(AppPlatform& platform) {
  platform.installCrashHandler();
  ApplicationHost& application = platform.sharedApplication();
  const AppEnvironment environment = platform.environment();
  // Held until the process ends, before the store reads the history.
  SingleInstance instance(environment.fileSystem, platform.instanceChannel(),
                          environment.systemLog);
  if (auto exitStatus = instance.claim()) {
    return *exitStatus;
  }
  for (const std::string& line : platform.launchLog()) {
    Log::write(line);
  }
  // The application object holds its delegate without owning it.
  auto delegate = std::make_shared<AppDelegate>(environment);
  instance.serve([weakDelegate = std::weak_ptr<AppDelegate>(delegate)] {
    auto self = weakDelegate.lock();
    if (self && self->popup() != nullptr) {
      self->popup()->show();
    }
  });
  application.setDelegate(delegate.get());
  application.setActivationPolicy(ApplicationHost::ActivationPolicy::accessory);
  return application.run();
}
