// The debug log's write steps: size check, append or create, permissions.
#include "diagnostics/LogFile.h"

#include <chrono>
#include <utility>

#include "diagnostics/LogTimestamp.h"

LogFile::LogFile(FileSystem& files, const Clock& clock, std::string path)
    : files_(files), clock_(clock), path_(std::move(path)) {}

std::string LogFile::lineFor(std::string_view message) const {
  auto seconds = std::chrono::floor<std::chrono::seconds>(clock_.now().time_since_epoch());
  char timestamp[logTimestampLength];
  formatLogTimestamp(seconds.count(), timestamp);
  std::string line;
  line.reserve(message.size() + logTimestampLength + 4);
  line += '[';
  line.append(timestamp, logTimestampLength);
  line += "] ";
  line += message;
  line += '\n';
  return line;
}

bool LogFile::write(std::string_view message) {
  std::string line = lineFor(message);

  std::optional<std::uint64_t> size = files_.fileSize(path_);
  if (size && *size > sizeLimit) {
    files_.removeFile(path_);
  }

  bool written = files_.appendToFile(path_, line).ok();
  // Only a missing file is created afresh. A file that exists but took no
  // append (a full disk, say) is left alone: replacing it would throw away
  // the lines before a crash for the sake of one more.
  if (!written && !files_.fileSize(path_)) {
    written = files_.writeFileAtomically(path_, line, fileMode).ok();
  }

  files_.setPermissions(path_, fileMode);
  return written;
}
