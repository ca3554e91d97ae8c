// Builds the macOS backends in one place.
#include "platform/mac/MacAppPlatform.h"

#include "app/Brand.h"
#include "platform/Clock.h"
#include "platform/DesktopConventions.h"

// The later start's socket sits in the history folder, which only this user
// can enter.
MacAppPlatform::MacAppPlatform()
    : panelFactory_(Clock::system(), resourceBundle_),
      instanceChannel_(mainLoop_, fileSystem_.applicationFolder() + "/pellimore-clip.socket") {}

ApplicationHost& MacAppPlatform::sharedApplication() {
  host_.createApplication();
  return host_;
}

AppEnvironment MacAppPlatform::environment() {
  return AppEnvironment{
      fileSystem_,      Clock::system(),
      pasteboard_,      imageConverter_,
      rtfConverter_,    mainLoop_,
      processActivity_, workspace_,
      application_,     screens_,
      panelFactory_,    accessibility_,
      keyEventPoster_,  hotKeyRegistrar_,
      keyboardLayout_,  statusBar_,
      resourceBundle_,  loginItem_,
      alertPresenter_,  systemLog_,
      windowFactory_,   DesktopConventions::macOS(Brand::appName),
  };
}
