// The file operations every POSIX system shares (Linux and macOS alike). The
// platform subclasses add where the per-user folders are and the backup mark.
#pragma once

#include "platform/FileSystem.h"

class PosixFileSystem : public FileSystem {
 public:
  /// $HOME when set and not empty, else the password database's entry for
  /// this user; empty when neither is known.
  std::string homeDirectory() const override;

  /// Created folders get exactly `mode`, whatever the umask; a path that
  /// exists but is not a folder is a failure.
  FileResult createDirectories(const std::string& path, unsigned mode) override;
  FileResult setPermissions(const std::string& path, unsigned mode) override;

  std::optional<std::string> readFile(const std::string& path) override;
  /// The temporary file is created beside `path` with exactly `mode`, written
  /// in full, flushed to disk, renamed over `path`, and the folder is flushed
  /// so the rename survives a power loss. On any failure the temporary file
  /// is removed and `path` is left as it was.
  FileResult writeFileAtomically(const std::string& path, std::string_view contents,
                                 unsigned mode) override;
  /// The same, with each piece written to the temporary file as it comes.
  FileResult writeFileAtomicallyInPieces(const std::string& path,
                                         const ContentsWriter& writeContents,
                                         unsigned mode) override;
  std::unique_ptr<FileReader> openForReading(const std::string& path) override;
  FileResult appendToFile(const std::string& path, std::string_view contents) override;
  std::optional<std::uint64_t> fileSize(const std::string& path) override;
  FileResult moveFile(const std::string& from, const std::string& to) override;
  FileResult removeFile(const std::string& path) override;
  std::optional<std::vector<std::string>> listFolder(const std::string& path) override;
  bool canWriteInFolder(const std::string& path) override;
  /// flock(2) on a descriptor of its own, so a second call conflicts even in
  /// the same process; the file gets exactly `mode`.
  FileLock lockExclusively(const std::string& path, unsigned mode) override;
};
