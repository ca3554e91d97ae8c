// Alerts that are dismissed at once. Records "alert.runModal(MESSAGE)".
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CallRecord.h"
#include "platform/AlertPresenter.h"

class FakeAlertPresenter : public AlertPresenter {
 public:
  struct Alert {
    std::string messageText;
    std::string informativeText;
  };

  void runModal(const std::string& messageText, const std::string& informativeText) override {
    record->add("alert.runModal(" + messageText + ")");
    alerts.push_back({messageText, informativeText});
  }

  std::vector<Alert> alerts;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
