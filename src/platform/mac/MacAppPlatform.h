// Everything the macOS application runs on: one instance of each AppKit,
// Carbon, Core Graphics and Foundation backend, handed to the shared
// start-up as the delegate's environment.
#pragma once

#include "app/AppPlatform.h"
#include "platform/mac/MacAccessibility.h"
#include "platform/mac/MacAlertPresenter.h"
#include "platform/mac/MacApplication.h"
#include "platform/mac/MacApplicationHost.h"
#include "platform/mac/MacFileSystem.h"
#include "platform/mac/MacHotKeyRegistrar.h"
#include "platform/mac/MacImageConverter.h"
#include "platform/mac/MacKeyEventPoster.h"
#include "platform/mac/MacKeyboardLayout.h"
#include "platform/mac/MacLoginItem.h"
#include "platform/mac/MacMainLoop.h"
#include "platform/mac/MacPanelFactory.h"
#include "platform/mac/MacPasteboard.h"
#include "platform/mac/MacProcessActivity.h"
#include "platform/mac/MacResourceBundle.h"
#include "platform/mac/MacRtfConverter.h"
#include "platform/mac/MacScreens.h"
#include "platform/mac/MacStatusBar.h"
#include "platform/mac/MacSystemLog.h"
#include "platform/mac/MacWindowFactory.h"
#include "platform/mac/MacWorkspace.h"
#include "platform/posix/LocalSocketChannel.h"

class MacAppPlatform : public AppPlatform {
 public:
  /// Creates no AppKit object: the shared application comes into being in
  /// sharedApplication, after the crash recorder is installed.
  MacAppPlatform();

  ApplicationHost& sharedApplication() override;
  AppEnvironment environment() override;
  InstanceChannel& instanceChannel() override { return instanceChannel_; }

 private:
  MacApplicationHost host_;
  MacFileSystem fileSystem_;
  MacPasteboard pasteboard_;
  MacImageConverter imageConverter_;
  MacRtfConverter rtfConverter_;
  MacMainLoop mainLoop_;
  MacProcessActivity processActivity_;
  MacWorkspace workspace_;
  MacApplication application_;
  MacScreens screens_;
  MacAccessibility accessibility_;
  MacKeyEventPoster keyEventPoster_;
  MacHotKeyRegistrar hotKeyRegistrar_;
  MacKeyboardLayout keyboardLayout_;
  MacStatusBar statusBar_;
  MacResourceBundle resourceBundle_;
  MacLoginItem loginItem_;
  MacAlertPresenter alertPresenter_;
  MacSystemLog systemLog_;
  MacPanelFactory panelFactory_;
  MacWindowFactory windowFactory_;
  LocalSocketChannel instanceChannel_;
};
