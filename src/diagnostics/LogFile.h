// One debug-log file: formats each line and appends it, keeping the file
// owner-only and under its size bound. Log uses one over the real file
// system; tests build their own over substitutes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

class LogFile {
 public:
  /// A file larger than this is deleted before the next line is written.
  static constexpr std::uint64_t sizeLimit = 262144;
  static constexpr unsigned fileMode = 0600;

  /// `files` and `clock` must outlive this object.
  LogFile(FileSystem& files, const Clock& clock, std::string path);

  /// Appends "[" timestamp "] " + message + "\n". Never fails towards the
  /// caller: a line that cannot be written is lost, and false says so.
  bool write(std::string_view message);

  const std::string& path() const { return path_; }

 private:
  std::string lineFor(std::string_view message) const;

  FileSystem& files_;
  const Clock& clock_;
  std::string path_;
};
