// Sends Log::write to a debug.log in a scratch folder for the object's
// lifetime, so tests can check log lines word for word without touching the
// user's real log. Survives fork: a child process logs to the same file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "diagnostics/LogFile.h"
#include "platform/FileSystem.h"

class ScopedTestLog {
 public:
  ScopedTestLog();
  ~ScopedTestLog();
  ScopedTestLog(const ScopedTestLog&) = delete;
  ScopedTestLog& operator=(const ScopedTestLog&) = delete;

  const std::string& path() const { return file_->path(); }
  /// The raw file, empty when nothing was written.
  std::string contents() const { return files_->readFile(path()).value_or(""); }
  /// The messages so far, without the "[timestamp] " prefix and the final line
  /// feed; a message of several lines (a crash record) is one element.
  std::vector<std::string> messages() const;

 private:
  TempDir dir_;
  std::unique_ptr<FileSystem> files_;
  std::unique_ptr<LogFile> file_;
  LogFile* previous_;
};
