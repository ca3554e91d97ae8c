#include "platform/FileSystem.h"

std::string FileSystem::applicationFolder() const {
  std::optional<std::string> support = applicationSupportDirectory();
  std::string base =
      support ? *support : homeDirectory() + "/Library/Application Support";
  return base + "/Copperwell";
}
