// Starting this application when the user logs in (SMAppService's main
// application service on macOS, an XDG autostart entry on Linux).
#pragma once

#include <optional>
#include <string>

class LoginItem {
 public:
  /// SMAppServiceStatus's values.
  enum class Status { notRegistered = 0, enabled = 1, requiresApproval = 2, notFound = 3 };

  virtual ~LoginItem() = default;
  virtual Status status() = 0;
  /// Nothing on success; the error's description when it fails.
  virtual std::optional<std::string> registerService() = 0;
  /// Nothing on success; the error's description when it fails.
  virtual std::optional<std::string> unregisterService() = 0;
  /// Shows the system's list of login items, where the user approves one
  /// that `requiresApproval`.
  virtual void openSystemSettingsLoginItems() = 0;
};
