// Signal-time writer of the "FATAL SIGNAL " line: stat, unlink, open, one
// write, fchmod, close; nothing that allocates or locks.
#include "diagnostics/FatalSignalRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>

#include "diagnostics/LogFile.h"
#include "diagnostics/LogTimestamp.h"

namespace {

constexpr std::size_t pathCapacity = 4096;
char preparedPath[pathCapacity];
volatile sig_atomic_t pathReady = 0;

/// Appends `text` (zero-terminated) at `out`; returns the new end.
char* putText(char* out, const char* text) {
  while (*text != '\0') {
    *out++ = *text++;
  }
  return out;
}

char* putNumber(char* out, int value) {
  char digits[12];
  int count = 0;
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) {
    *out++ = '-';
  }
  while (count > 0) {
    *out++ = digits[--count];
  }
  return out;
}

}  // namespace

bool FatalSignalRecord::prepare(const std::string& logPath) {
  pathReady = 0;
  if (logPath.empty() || logPath.size() >= pathCapacity) {
    return false;
  }
  logPath.copy(preparedPath, logPath.size());
  preparedPath[logPath.size()] = '\0';
  pathReady = 1;
  return true;
}

void FatalSignalRecord::write(int signal) {
  if (!pathReady) {
    return;
  }
  int savedErrno = errno;

  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  char line[64];
  char* end = line;
  *end++ = '[';
  formatLogTimestamp(static_cast<std::int64_t>(now.tv_sec), end);
  end += logTimestampLength;
  end = putText(end, "] FATAL SIGNAL ");
  end = putNumber(end, signal);
  *end++ = '\n';

  struct stat info {};
  if (stat(preparedPath, &info) == 0 &&
      static_cast<std::uint64_t>(info.st_size) > LogFile::sizeLimit) {
    unlink(preparedPath);
  }
  int fd = open(preparedPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, LogFile::fileMode);
  if (fd >= 0) {
    // One write call, so the line is never split around another writer's.
    while (::write(fd, line, static_cast<std::size_t>(end - line)) < 0 && errno == EINTR) {
    }
    fchmod(fd, LogFile::fileMode);
    close(fd);
  }
  errno = savedErrno;
}
