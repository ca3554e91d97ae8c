// Builds the Linux backends in one place.
#include "platform/linux/LinuxAppPlatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include "platform/Clock.h"
#include "platform/ThreadPriority.h"
#include "platform/linux/wayland/DBusGlobalShortcutsPortal.h"
#include "platform/linux/wayland/DBusRemoteDesktopPortal.h"
#include "platform/linux/wayland/PortalKeyEventPoster.h"
#include "platform/linux/wayland/WaylandAccessibility.h"
#include "platform/linux/wayland/WaylandClipboard.h"
#include "platform/linux/wayland/WaylandKeyEventPoster.h"
#include "platform/linux/x11/X11HotKeyRegistrar.h"
#include "platform/linux/x11/XTestAccessibility.h"
#include "platform/linux/x11/XTestKeyEventPoster.h"
#include "popup/PortalHotKeyRegistrar.h"
#include "popup/RemoteDesktopKeyboard.h"

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

std::unique_ptr<WaylandClipboard> waylandClipboardFor(const DisplayBackendChoice& choice) {
  if (choice.backend != DisplayBackendChoice::Backend::wayland) {
    return nullptr;
  }
  return std::make_unique<WaylandClipboard>(
      choice.clipboard == DisplayBackendChoice::ClipboardProtocol::extDataControl
          ? WaylandClipboard::Protocol::extDataControl
          : WaylandClipboard::Protocol::wlrDataControl);
}

DesktopConventions conventionsFor(const DisplayBackendChoice& choice) {
  if (choice.paste == DisplayBackendChoice::PasteProtocol::remoteDesktopPortal) {
    return DesktopConventions::remoteDesktopPortal();
  }
  return choice.backend == DisplayBackendChoice::Backend::wayland ? DesktopConventions::wayland()
                                                                  : DesktopConventions::x11();
}

}  // namespace

LinuxAppPlatform::LinuxAppPlatform(PanelFactory& panelFactory, WindowFactory& windowFactory,
                                   const std::string& executablePath,
                                   const DisplayBackendChoice& choice)
    : launchLog_(choice.logLines),
      panelFactory_(panelFactory),
      windowFactory_(windowFactory),
      waylandClipboard_(waylandClipboardFor(choice)),
      conventions_(conventionsFor(choice)),
      resourceBundle_(PELLIMORE_VERSION),
      loginItem_(
          fileSystem_,
          XdgLoginItem::entryPathFor(std::getenv("XDG_CONFIG_HOME"), fileSystem_.homeDirectory()),
          executablePath),
      instanceChannel_(mainLoop_, instanceSocketPath(fileSystem_)) {
  QClipboard& clipboard = *QGuiApplication::clipboard();
  if (!waylandClipboard_) {
    pasteboard_ = std::make_unique<QtPasteboard>(clipboard, mainLoop_);
    auto poster = std::make_unique<XTestKeyEventPoster>();
    accessibility_ = std::make_unique<XTestAccessibility>(*poster);
    keyEventPoster_ = std::move(poster);
    hotKeyRegistrar_ = std::make_unique<X11HotKeyRegistrar>();
    if (choice.paste == DisplayBackendChoice::PasteProtocol::remoteDesktopPortal) {
      pasteThroughPortal();
    }
    return;
  }
  // A compositor that took the protocol back after the choice leaves the
  // pasteboard with nothing to report, like the X11 one without XFixes.
  WaylandClipboard& wayland = *waylandClipboard_;
  pasteboard_ = std::make_unique<QtPasteboard>(
      clipboard, mainLoop_, [&wayland] { return wayland.selectionOwner(); },
      [&wayland](const ClipboardSnapshot& contents) { wayland.publish(contents); },
      [&wayland](const std::string& text) { wayland.publishPrimary(text); });
  if (wayland.isRunning()) {
    waylandWatch_ = mainLoop_.watchReadable(wayland.readyDescriptor(), [this] {
      pasteboard_->handOver(waylandClipboard_->takeSnapshots());
    });
  }
  toplevels_ = std::make_unique<WaylandToplevels>(mainLoop_);
  waylandWorkspace_ = std::make_unique<WaylandWorkspace>(workspace_, *toplevels_);
  if (choice.paste == DisplayBackendChoice::PasteProtocol::remoteDesktopPortal) {
    pasteThroughPortal();
  } else {
    auto poster = std::make_unique<WaylandKeyEventPoster>(
        choice.paste == DisplayBackendChoice::PasteProtocol::kdeFakeInput
            ? WaylandKeyEventPoster::Protocol::kdeFakeInput
            : WaylandKeyEventPoster::Protocol::virtualKeyboard);
    accessibility_ = std::make_unique<WaylandAccessibility>(*poster);
    keyEventPoster_ = std::move(poster);
  }
  // No Wayland client may grab keys, and an X11 grab through XWayland would
  // see only X11 windows' keys, if there is an X display at all.
  hotKeyRegistrar_ = std::make_unique<PortalHotKeyRegistrar>(
      std::make_unique<DBusGlobalShortcutsPortal>(), PortalHotKeyRegistrar::openHistoryShortcut());
}

LinuxAppPlatform::~LinuxAppPlatform() = default;

Workspace& LinuxAppPlatform::workspace() {
  if (waylandWorkspace_) {
    return *waylandWorkspace_;
  }
  return workspace_;
}

void LinuxAppPlatform::pasteThroughPortal() {
  fallbackPoster_ = std::move(keyEventPoster_);
  fallbackAccessibility_ = std::move(accessibility_);
  // Beside the history, owner-only like everything there.
  auto keyboard = std::make_unique<RemoteDesktopKeyboard>(
      std::make_unique<DBusRemoteDesktopPortal>(), fileSystem_,
      fileSystem_.applicationFolder() + "/remote-desktop.token", fallbackAccessibility_.get());
  keyEventPoster_ = std::make_unique<PortalKeyEventPoster>(*keyboard, fallbackPoster_.get());
  accessibility_ = std::move(keyboard);
}

AppEnvironment LinuxAppPlatform::environment() {
  return AppEnvironment{
      fileSystem_,     Clock::system(),  *pasteboard_,      ThreadPriority::system(),
      imageConverter_, rtfConverter_,    mainLoop_,         processActivity_,
      workspace(),     application_,     screens_,          panelFactory_,
      *accessibility_, *keyEventPoster_, *hotKeyRegistrar_, keyboardLayout_,
      statusBar_,      resourceBundle_,  loginItem_,        alertPresenter_,
      systemLog_,      windowFactory_,   conventions_,
  };
}
