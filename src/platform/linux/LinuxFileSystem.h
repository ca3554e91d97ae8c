// The Linux file system: per-user data lives in the XDG data home.
#pragma once

#include "platform/posix/PosixFileSystem.h"

class LinuxFileSystem : public PosixFileSystem {
 public:
  /// $XDG_DATA_HOME when it is an absolute path (relative values are invalid
  /// by the base-directory rules and ignored), else ~/.local/share; nothing
  /// when the home folder is unknown too.
  std::optional<std::string> applicationSupportDirectory() const override;
  /// Linux has no backup mark; always succeeds.
  FileResult excludeFromBackup(const std::string& path) override;
};
