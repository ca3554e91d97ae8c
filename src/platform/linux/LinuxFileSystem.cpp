// XDG base-directory lookup for the Linux build, and its createReal().
#include "platform/linux/LinuxFileSystem.h"

#include <cstdlib>

std::optional<std::string> LinuxFileSystem::applicationSupportDirectory() const {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') {
    return std::string(dataHome);
  }
  std::string home = homeDirectory();
  if (home.empty()) {
    return std::nullopt;
  }
  return home + "/.local/share";
}

FileResult LinuxFileSystem::excludeFromBackup(const std::string& /*path*/) {
  return FileResult::success();
}

std::unique_ptr<FileSystem> FileSystem::createReal() {
  return std::make_unique<LinuxFileSystem>();
}
