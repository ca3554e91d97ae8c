// Builds the Linux backends in one place.
#include "platform/linux/LinuxAppPlatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "platform/Clock.h"

#ifndef PELLIMORE_VERSION
#define PELLIMORE_VERSION ""
#endif

namespace {

/// In the session's runtime folder, which only this user can enter and which
/// ends with the session; the history folder (also owner-only) when the
/// session names none.
std::string instanceSocketPath(const FileSystem& fileSystem) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime != nullptr && runtime[0] == '/' ? std::string(runtime)
                                                               : fileSystem.applicationFolder();
  return folder + "/pellimore-clip.socket";
}

}  // namespace

LinuxAppPlatform::LinuxAppPlatform(PanelFactory& panelFactory, WindowFactory& windowFactory,
                                   const std::string& executablePath)
    : panelFactory_(panelFactory),
      windowFactory_(windowFactory),
      pasteboard_(*QGuiApplication::clipboard(), mainLoop_),
      accessibility_(keyEventPoster_),
      resourceBundle_(PELLIMORE_VERSION),
      loginItem_(
          fileSystem_,
          XdgLoginItem::entryPathFor(std::getenv("XDG_CONFIG_HOME"), fileSystem_.homeDirectory()),
          executablePath),
      instanceChannel_(mainLoop_, instanceSocketPath(fileSystem_)) {}

AppEnvironment LinuxAppPlatform::environment() {
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
      windowFactory_,   DesktopConventions::x11(),
  };
}
