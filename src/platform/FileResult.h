// The outcome of a file operation that can fail: success, or a human-readable
// description of what went wrong (the platform's own wording).
#pragma once

#include <string>
#include <utility>

class FileResult {
 public:
  static FileResult success() { return FileResult(true, {}); }
  static FileResult failure(std::string description) {
    return FileResult(false, std::move(description));
  }

  bool ok() const { return ok_; }
  /// Empty on success.
  const std::string& error() const { return error_; }

 private:
  FileResult(bool ok, std::string error) : ok_(ok), error_(std::move(error)) {}

  bool ok_;
  std::string error_;
};
