// Modal alerts as a Qt message box with one OK button.
#pragma once

#include "platform/AlertPresenter.h"

class QtAlertPresenter : public AlertPresenter {
 public:
  void runModal(const std::string& messageText, const std::string& informativeText) override;
};
