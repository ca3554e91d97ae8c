// Everything the Linux application runs on: one instance of each X11, Wayland
// and Qt backend that the chosen display backend needs, handed to the shared
// start-up as the delegate's environment.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/AppPlatform.h"
#include "app/DisplayBackendChoice.h"
#include "platform/Accessibility.h"
#include "platform/DesktopConventions.h"
#include "platform/HotKeyRegistrar.h"
#include "platform/KeyEventPoster.h"
#include "platform/linux/LinuxFileSystem.h"
#include "platform/linux/LinuxProcessActivity.h"
#include "platform/linux/SyslogSystemLog.h"
#include "platform/linux/XdgLoginItem.h"
#include "platform/linux/clipboard/PlainRtfConverter.h"
#include "platform/linux/qt/QtAlertPresenter.h"
#include "platform/linux/qt/QtApplication.h"
#include "platform/linux/qt/QtApplicationHost.h"
#include "platform/linux/qt/QtImageConverter.h"
#include "platform/linux/qt/QtMainLoop.h"
#include "platform/linux/qt/QtPasteboard.h"
#include "platform/linux/qt/QtResourceBundle.h"
#include "platform/linux/qt/QtScreens.h"
#include "platform/linux/qt/QtStatusBar.h"
#include "platform/linux/wayland/WaylandToplevels.h"
#include "platform/linux/wayland/WaylandWorkspace.h"
#include "platform/linux/x11/X11KeyboardLayout.h"
#include "platform/linux/x11/X11Workspace.h"
#include "platform/posix/LocalSocketChannel.h"

class PanelFactory;
class WaylandClipboard;
class WindowFactory;

class LinuxAppPlatform : public AppPlatform {
 public:
  /// Needs the QApplication to exist. The factories draw the popup and the
  /// About window and must outlive this object; `executablePath` is what
  /// the autostart entry starts. With the Wayland backend the clipboard goes
  /// through `choice`'s data-control protocol, keystrokes through its
  /// virtual keyboard or fake input, and the hot key through the desktop
  /// portal, never through X11.
  LinuxAppPlatform(PanelFactory& panelFactory, WindowFactory& windowFactory,
                   const std::string& executablePath, const DisplayBackendChoice& choice);
  ~LinuxAppPlatform() override;

  ApplicationHost& sharedApplication() override { return host_; }
  AppEnvironment environment() override;
  InstanceChannel& instanceChannel() override { return instanceChannel_; }
  std::vector<std::string> launchLog() const override { return launchLog_; }

  QtStatusBar& statusBar() { return statusBar_; }

 private:
  Workspace& workspace();
  /// The keystroke through the desktop portal, with what there was as its
  /// fallback.
  void pasteThroughPortal();

  std::vector<std::string> launchLog_;

  PanelFactory& panelFactory_;
  WindowFactory& windowFactory_;
  QtApplicationHost host_;
  LinuxFileSystem fileSystem_;
  // Before the pasteboard, which watches the clipboard reader through it.
  QtMainLoop mainLoop_;
  std::unique_ptr<WaylandClipboard> waylandClipboard_;
  std::unique_ptr<QtPasteboard> pasteboard_;
  std::unique_ptr<MainLoop::Watch> waylandWatch_;
  QtImageConverter imageConverter_;
  PlainRtfConverter rtfConverter_;
  LinuxProcessActivity processActivity_;
  X11Workspace workspace_;
  // Wayland only: the window in front as the compositor tells it.
  std::unique_ptr<WaylandToplevels> toplevels_;
  std::unique_ptr<WaylandWorkspace> waylandWorkspace_;
  QtApplication application_;
  QtScreens screens_;
  // XTest, where the desktop portal types the keystroke and XTest stands in
  // for it when the portal cannot.
  std::unique_ptr<KeyEventPoster> fallbackPoster_;
  std::unique_ptr<Accessibility> fallbackAccessibility_;
  std::unique_ptr<KeyEventPoster> keyEventPoster_;
  std::unique_ptr<Accessibility> accessibility_;
  DesktopConventions conventions_;
  std::unique_ptr<HotKeyRegistrar> hotKeyRegistrar_;
  X11KeyboardLayout keyboardLayout_;
  QtStatusBar statusBar_;
  QtResourceBundle resourceBundle_;
  XdgLoginItem loginItem_;
  QtAlertPresenter alertPresenter_;
  SyslogSystemLog systemLog_;
  LocalSocketChannel instanceChannel_;
};
