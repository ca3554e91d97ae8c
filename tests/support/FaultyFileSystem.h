// A file system that passes every call to a real one but fails the calls a
// test picks, so that failures root cannot provoke with permission bits (a
// full disk, a read-only folder) can be exercised. Every call is recorded.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

class FaultyFileSystem : public FileSystem {
 public:
  enum class Operation {
    createDirectories,
    setPermissions,
    excludeFromBackup,
    readFile,
    writeFileAtomically,
    appendToFile,
    fileSize,
    moveFile,
    removeFile,
  };

  struct Call {
    Operation operation;
    std::string path;
    /// The destination of a move; empty otherwise.
    std::string destination;
    /// The mode of a folder creation, permission change or atomic write; 0 otherwise.
    unsigned mode = 0;
    /// What was written or appended; empty otherwise.
    std::string contents;
    /// Whether the call was made to fail.
    bool failed = false;
  };

  using PathPredicate = std::function<bool(const std::string& path)>;

  /// Over this platform's real file system.
  FaultyFileSystem();
  /// Over `inner`, which must outlive this object.
  explicit FaultyFileSystem(FileSystem& inner);

  /// From now on `operation` fails, without reaching the real file system,
  /// for every path (for a move: source path) that `matches`. Failing calls
  /// report `description`; reads and size queries report nothing.
  void failWhen(Operation operation, PathPredicate matches, std::string description);
  /// `operation` fails for every path.
  void fail(Operation operation, std::string description);
  void clearFailures() { failures_.clear(); }

  /// Pins where the per-user folders appear to be (usually a TempDir).
  void setApplicationSupportDirectory(std::optional<std::string> path);
  void setHomeDirectory(std::string path);

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> callsOf(Operation operation) const;
  void clearCalls() { calls_.clear(); }

  std::optional<std::string> applicationSupportDirectory() const override;
  std::string homeDirectory() const override;
  FileResult createDirectories(const std::string& path, unsigned mode) override;
  FileResult setPermissions(const std::string& path, unsigned mode) override;
  FileResult excludeFromBackup(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path) override;
  FileResult writeFileAtomically(const std::string& path, std::string_view contents,
                                 unsigned mode) override;
  FileResult appendToFile(const std::string& path, std::string_view contents) override;
  std::optional<std::uint64_t> fileSize(const std::string& path) override;
  FileResult moveFile(const std::string& from, const std::string& to) override;
  FileResult removeFile(const std::string& path) override;

 private:
  struct Failure {
    Operation operation;
    PathPredicate matches;
    std::string description;
  };

  /// The description of the failure that applies, if any.
  std::optional<std::string> failureFor(Operation operation, const std::string& path) const;
  /// Records the call; returns the failure that applies to it.
  std::optional<std::string> record(Call call);

  std::unique_ptr<FileSystem> owned_;
  FileSystem& inner_;
  std::vector<Failure> failures_;
  std::vector<Call> calls_;
  bool supportDirectorySet_ = false;
  std::optional<std::string> supportDirectory_;
  std::optional<std::string> homeDirectory_;
};
