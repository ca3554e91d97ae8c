// Builds the macOS backends in one place.
#include "platform/mac/MacAppPlatform.h"

#include "app/Brand.h"
#include "platform/Clock.h"
#include "platform/DesktopConventions.h"
#include "platform/ThreadPriority.h"

#include <unistd.h>

#include <climits>
#include <string>

namespace {

/// The per-user temporary folder (under /var/folders), which only this user
/// can enter; empty when the system names none.
std::string userTemporaryFolder() {
  char folder[PATH_MAX] = {};
  const std::size_t length = confstr(_CS_DARWIN_USER_TEMP_DIR, folder, sizeof folder);
  return length > 0 && length <= sizeof folder ? std::string(folder) : std::string();
}

}  // namespace

// The later start's socket sits in the history folder, which only this user
// can enter, unless a long user name makes that path too long for a socket.
MacAppPlatform::MacAppPlatform()
    : panelFactory_(Clock::system(), resourceBundle_),
      instanceChannel_(mainLoop_, fileSystem_.applicationFolder() + "/pellimore-clip.socket",
                       userTemporaryFolder()) {}

ApplicationHost& MacAppPlatform::sharedApplication() {
  host_.createApplication();
  return host_;
}

AppEnvironment MacAppPlatform::environment() {
  // From here on, so that a reopen knows which application was in front.
  workspace_.watchActivations();
  return AppEnvironment{
      fileSystem_,
      Clock::system(),
      pasteboard_,
      ThreadPriority::system(),
      imageConverter_,
      rtfConverter_,
      mainLoop_,
      processActivity_,
      workspace_,
      application_,
      screens_,
      panelFactory_,
      accessibility_,
      keyEventPoster_,
      hotKeyRegistrar_,
      keyboardLayout_,
      statusBar_,
      resourceBundle_,
      loginItem_,
      alertPresenter_,
      systemLog_,
      windowFactory_,
      DesktopConventions::macOS(Brand::appName),
  };
}
