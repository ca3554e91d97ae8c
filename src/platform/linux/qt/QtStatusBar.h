// The system tray as the status bar; symbols come from the SVG icons
// compiled into the application under ":/symbols".
#pragma once

#include <string>

#include "platform/StatusBar.h"

class QtStatusItem;

class QtStatusBar : public StatusBar {
 public:
  std::unique_ptr<StatusItem> statusItemWithLength(double length) override;
  /// Null when no icon of that name is compiled in.
  std::shared_ptr<Image> imageWithSystemSymbolName(
      const std::string& name, const std::string& accessibilityDescription) override;

  /// Chooses the item titled `title` in the menu of the newest status item
  /// still alive; false when there is none.
  bool triggerMenuItem(const std::string& title);

 private:
  std::weak_ptr<QtStatusItem> newest_;
};
