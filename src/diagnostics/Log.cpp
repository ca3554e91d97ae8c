// The process-wide debug log over the real file system and clock.
#include "diagnostics/Log.h"

#include <atomic>
#include <memory>

#include "diagnostics/LogFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace {

std::atomic<LogFile*> fileForTesting{nullptr};
std::atomic<bool> writeFailed{false};

/// Built on first use (thread-safe static initialisation) and never
/// destroyed, so a crash record written during exit still finds it.
LogFile& realFile() {
  static LogFile* file = [] {
    FileSystem* files = FileSystem::createReal().release();
    std::string folder = files->applicationFolder();
    files->createDirectories(folder, 0700);
    return new LogFile(*files, Clock::system(), folder + "/debug.log");
  }();
  return *file;
}

LogFile& activeFile() {
  if (LogFile* file = fileForTesting.load()) {
    return *file;
  }
  return realFile();
}

}  // namespace

void Log::write(std::string_view message) {
  try {
    writeFailed = !activeFile().write(message);
  } catch (...) {
    // Out of memory while building the line: the line is lost, as any other
    // failure of the log would be.
    writeFailed = true;
  }
}

bool Log::lastWriteFailed() {
  return writeFailed;
}

const std::string& Log::path() {
  return activeFile().path();
}

LogFile* Log::setFileForTesting(LogFile* file) {
  return fileForTesting.exchange(file);
}
