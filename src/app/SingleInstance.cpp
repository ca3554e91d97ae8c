// The lock decides who runs; the channel carries the later start's request.
#include "app/SingleInstance.h"

#include <string>
#include <utility>

#include "app/Brand.h"
#include "diagnostics/Log.h"
#include "platform/FileSystem.h"
#include "platform/InstanceChannel.h"
#include "platform/SystemLog.h"

SingleInstance::SingleInstance(FileSystem& fileSystem, InstanceChannel& channel,
                               SystemLog& systemLog)
    : fileSystem_(fileSystem), channel_(channel), systemLog_(systemLog) {}

std::optional<int> SingleInstance::claim() {
  const std::string folder = fileSystem_.applicationFolder();
  fileSystem_.createDirectories(folder, 0700);
  lock_.emplace(fileSystem_.lockExclusively(folder + "/" + lockFileName, 0600));
  switch (lock_->state()) {
    case FileLock::State::held:
      return std::nullopt;
    case FileLock::State::failed:
      // A read-only folder, or a file system without locks: a history that
      // may be kept twice beats none at all.
      Log::write("launch: running without the instance lock: " + lock_->error());
      return std::nullopt;
    case FileLock::State::heldElsewhere:
      break;
  }
  auto error = channel_.requestOpen();
  if (!error) {
    return 0;
  }
  const std::string line = "launch: " + std::string(Brand::appName) +
                           " is already running but did not answer: " + *error;
  systemLog_.write(line);
  Log::write(line);
  return 1;
}

void SingleInstance::serve(std::function<void()> onOpenRequest) {
  if (auto error = channel_.listen(std::move(onOpenRequest))) {
    Log::write("launch: later starts cannot reach this one: " + *error);
  } else if (auto fallback = channel_.fallbackLocation()) {
    Log::write(
        "launch: the history folder's path is too long for a socket; later starts reach "
        "this one at " +
        *fallback);
  }
}
