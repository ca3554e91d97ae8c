// Launch at login through Service Management's main application service.
#pragma once

#include "platform/LoginItem.h"

class MacLoginItem : public LoginItem {
 public:
  Status status() override;
  std::optional<std::string> registerService() override;
  std::optional<std::string> unregisterService() override;
  void openSystemSettingsLoginItems() override;
};
