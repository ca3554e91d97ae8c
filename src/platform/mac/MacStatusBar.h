// The system status bar through AppKit's NSStatusBar, and SF Symbols as
// status-bar images.
#pragma once

#include "platform/StatusBar.h"

class MacStatusBar : public StatusBar {
 public:
  std::unique_ptr<StatusItem> statusItemWithLength(double length) override;
  std::shared_ptr<Image> imageWithSystemSymbolName(
      const std::string& name, const std::string& accessibilityDescription) override;
};
