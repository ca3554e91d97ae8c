// The start-up order.
#include "app/AppMain.h"

#include <memory>

#include "app/AppDelegate.h"
#include "app/AppPlatform.h"
#include "platform/ApplicationHost.h"

int runApp(AppPlatform& platform) {
  platform.installCrashHandler();
  ApplicationHost& application = platform.sharedApplication();
  // The application object holds its delegate without owning it.
  auto delegate = std::make_shared<AppDelegate>(platform.environment());
  application.setDelegate(delegate.get());
  application.setActivationPolicy(ApplicationHost::ActivationPolicy::accessory);
  return application.run();
}
