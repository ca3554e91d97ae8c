// The system status bar (the menu bar's right side on macOS, the system tray
// on Linux) and the stock images shown in it.
#pragma once

#include <memory>
#include <string>

#include "platform/Image.h"
#include "platform/StatusItem.h"

class StatusBar {
 public:
  /// NSVariableStatusItemLength: as wide as its content.
  static constexpr double variableLength = -1;

  virtual ~StatusBar() = default;
  /// A new, visible item; it leaves the status bar when destroyed.
  virtual std::unique_ptr<StatusItem> statusItemWithLength(double length) = 0;
  /// A system symbol by name, or null when the system has no such symbol.
  virtual std::shared_ptr<Image> imageWithSystemSymbolName(
      const std::string& name, const std::string& accessibilityDescription) = 0;
};
