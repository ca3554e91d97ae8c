// Launch at login as an XDG autostart entry: a desktop file in
// $XDG_CONFIG_HOME/autostart, enabled while present and not Hidden=true.
#pragma once

#include <optional>
#include <string>

#include "platform/LoginItem.h"

class FileSystem;

class XdgLoginItem : public LoginItem {
 public:
  static constexpr const char* entryFileName = "pellimore-clip.desktop";

  /// `entryPath` is the desktop file to manage, `executablePath` what it
  /// starts. `fileSystem` must outlive this object.
  XdgLoginItem(FileSystem& fileSystem, std::string entryPath, std::string executablePath);

  /// `enabled` while the entry exists and does not say Hidden=true (the
  /// desktop's way of switching an entry off); `notRegistered` otherwise.
  Status status() override;
  /// Writes the entry (replacing a hidden one), creating the folder when
  /// needed. Fails for an executable path no desktop file can carry.
  std::optional<std::string> registerService() override;
  /// Removes the entry; a missing entry is an error, as for a service that
  /// was never registered.
  std::optional<std::string> unregisterService() override;
  /// Nothing to open: an autostart entry never waits for approval.
  void openSystemSettingsLoginItems() override {}

  /// "$XDG_CONFIG_HOME/autostart/pellimore-clip.desktop" when that variable
  /// is an absolute path, else under "$home/.config".
  static std::string entryPathFor(const char* xdgConfigHome, const std::string& home);
  /// The desktop file for `executablePath`; nothing when the path holds a
  /// line break or a NUL, which no Exec key can express.
  static std::optional<std::string> entryContents(const std::string& executablePath);

 private:
  FileSystem& fileSystem_;
  std::string entryPath_;
  std::string executablePath_;
};
