// The macOS file system: the per-user folders come from Foundation, and
// folders can carry the backup-exclusion mark.
#pragma once

#include "platform/posix/PosixFileSystem.h"

class MacFileSystem : public PosixFileSystem {
 public:
  /// The first per-user Application Support folder Foundation names, or
  /// nothing when it names none.
  std::optional<std::string> applicationSupportDirectory() const override;
  std::string homeDirectory() const override;
  /// Sets the resource value that keeps the folder out of backups; the
  /// failure carries Foundation's description.
  FileResult excludeFromBackup(const std::string& path) override;
};
