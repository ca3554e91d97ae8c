// One running instance per user: the first start holds an exclusive lock on
// a file in the history folder for the life of the process and answers later
// starts, which ask it to open its popup and then leave. Two instances would
// each rewrite the same history file from their own memory.
#pragma once

#include <functional>
#include <optional>

#include "platform/FileLock.h"

class FileSystem;
class InstanceChannel;
class SystemLog;

class SingleInstance {
 public:
  static constexpr const char* lockFileName = "instance.lock";

  /// All three must outlive this object.
  SingleInstance(FileSystem& fileSystem, InstanceChannel& channel, SystemLog& systemLog);

  /// Takes the lock. Nothing when this process is to run as the instance
  /// (also when the lock file cannot be used, which is logged); otherwise the
  /// exit status: 0 once the running instance was asked to open its popup, 1
  /// when it could not be reached, told on the system log and the debug log.
  std::optional<int> claim();
  /// Runs `onOpenRequest` for each later start; a failure to listen is logged.
  void serve(std::function<void()> onOpenRequest);

 private:
  FileSystem& fileSystem_;
  InstanceChannel& channel_;
  SystemLog& systemLog_;
  std::optional<FileLock> lock_;
};
