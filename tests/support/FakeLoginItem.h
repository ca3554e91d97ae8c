// A login item whose status the test sets and whose calls can fail. Success
// moves the status as the system does. Records "loginItem.status",
// "loginItem.registerService" and "loginItem.unregisterService".
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "CallRecord.h"
#include "platform/LoginItem.h"

class FakeLoginItem : public LoginItem {
 public:
  Status status() override;
  std::optional<std::string> registerService() override;
  std::optional<std::string> unregisterService() override;

  Status currentStatus = Status::notRegistered;
  /// When set, the call fails with this description and changes nothing.
  std::optional<std::string> registerError;
  std::optional<std::string> unregisterError;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
