// The desktop through AppKit's NSWorkspace.
#pragma once

#include <memory>

#include "platform/Workspace.h"

class MacWorkspace : public Workspace {
 public:
  /// Touches no AppKit object; see watchActivations.
  MacWorkspace();
  /// Stops watching.
  ~MacWorkspace() override;
  MacWorkspace(const MacWorkspace&) = delete;
  MacWorkspace& operator=(const MacWorkspace&) = delete;

  /// Starts following the workspace's activation notifications, so that the
  /// application in front before one of ours is known. Once the shared
  /// application exists; a second call does nothing.
  void watchActivations();

  std::shared_ptr<RunningApplication> frontmostApplication() override;
  std::shared_ptr<RunningApplication> lastActiveOtherApplication() override;
  bool isVoiceOverEnabled() override;
  bool openURL(const std::string& url) override;

  /// The Objective-C side; defined in MacWorkspace.mm.
  struct Native;

 private:
  std::unique_ptr<Native> native_;
};
