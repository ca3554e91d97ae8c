// Modal alerts with a single default button (NSAlert on macOS, a message box
// on Linux).
#pragma once

#include <string>

class AlertPresenter {
 public:
  virtual ~AlertPresenter() = default;
  /// Shows the alert and returns when the user has dismissed it.
  virtual void runModal(const std::string& messageText, const std::string& informativeText) = 0;
};
