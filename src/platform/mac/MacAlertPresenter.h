// Modal alerts through AppKit's NSAlert.
#pragma once

#include "platform/AlertPresenter.h"

class MacAlertPresenter : public AlertPresenter {
 public:
  void runModal(const std::string& messageText, const std::string& informativeText) override;
};
