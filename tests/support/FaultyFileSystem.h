// A file system that passes every call to the real one but fails the calls a
// test picks, so that failures root cannot provoke with permission bits (a
// full disk, a read-only folder) can be exercised. Every call is recorded.
// Calls are recorded from any thread; set-up and inspection only while no
// write is under way.
#pragma once

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
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
    listFolder,
    canWriteInFolder,
    lockExclusively,
  };

  struct Call {
    Operation operation;
    std::string path;      // for a move, the source
    unsigned mode = 0;     // of a folder creation, permission change, atomic write or lock
    std::string contents;  // what was written or appended
    bool failed = false;   // whether the call was made to fail
  };

  using PathPredicate = std::function<bool(const std::string& path)>;

  FaultyFileSystem() : inner_(FileSystem::createReal()) {}

  /// From now on `operation` fails, without reaching the real file system,
  /// for every path (for a move: source path) that `matches`. Failing calls
  /// report `description`; reads and size queries report nothing.
  void failWhen(Operation operation, PathPredicate matches, std::string description) {
    failures_.push_back({operation, std::move(matches), std::move(description)});
  }
  /// `operation` fails for every path.
  void fail(Operation operation, std::string description) {
    failWhen(
        operation, [](const std::string&) { return true; }, std::move(description));
  }
  void clearFailures() { failures_.clear(); }

  /// Runs on the writing thread at the start of each write in pieces, once recorded.
  std::function<void()> beforeWrite;

  /// Pins where the per-user folders appear to be (usually a TempDir).
  void setApplicationSupportDirectory(std::optional<std::string> path) {
    supportDirectory_.emplace(std::move(path));
  }
  void setHomeDirectory(std::string path) { homeDirectory_ = std::move(path); }

  const std::vector<Call>& calls() const { return calls_; }
  std::vector<Call> callsOf(Operation operation) const {
    std::vector<Call> matching;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(matching),
                 [&](const Call& call) { return call.operation == operation; });
    return matching;
  }
  void clearCalls() { calls_.clear(); }

  std::optional<std::string> applicationSupportDirectory() const override {
    return supportDirectory_ ? *supportDirectory_ : inner_->applicationSupportDirectory();
  }
  std::string homeDirectory() const override {
    return homeDirectory_ ? *homeDirectory_ : inner_->homeDirectory();
  }
  FileResult createDirectories(const std::string& path, unsigned mode) override;
  FileResult setPermissions(const std::string& path, unsigned mode) override;
  FileResult excludeFromBackup(const std::string& path) override;
  std::optional<std::string> readFile(const std::string& path) override;
  FileResult writeFileAtomically(const std::string& path, std::string_view contents,
                                 unsigned mode) override;
  /// Recorded as writeFileAtomically, with the pieces joined.
  FileResult writeFileAtomicallyInPieces(const std::string& path,
                                         const ContentsWriter& writeContents,
                                         unsigned mode) override;
  /// Recorded, and failed, as readFile.
  std::unique_ptr<FileReader> openForReading(const std::string& path) override;
  FileResult appendToFile(const std::string& path, std::string_view contents) override;
  std::optional<std::uint64_t> fileSize(const std::string& path) override;
  FileResult moveFile(const std::string& from, const std::string& to) override;
  FileResult removeFile(const std::string& path) override;
  std::optional<std::vector<std::string>> listFolder(const std::string& path) override;
  bool canWriteInFolder(const std::string& path) override;
  FileLock lockExclusively(const std::string& path, unsigned mode) override;

 private:
  struct Failure {
    Operation operation;
    PathPredicate matches;
    std::string description;
  };

  /// Records the call (its place in `index`); returns the failure that applies.
  std::optional<std::string> record(Call call, std::size_t* index = nullptr);

  std::unique_ptr<FileSystem> inner_;
  std::mutex mutex_;
  std::vector<Failure> failures_;
  std::vector<Call> calls_;
  /// Set once pinned, possibly to no folder at all.
  std::optional<std::optional<std::string>> supportDirectory_;
  std::optional<std::string> homeDirectory_;
};
