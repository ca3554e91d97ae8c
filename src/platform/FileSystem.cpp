#include "platform/FileSystem.h"

#include <algorithm>

std::string FileSystem::applicationFolder() const {
  std::optional<std::string> support = applicationSupportDirectory();
  std::string base = support ? *support : homeDirectory() + "/Library/Application Support";
  return base + "/Copperwell";
}

std::string FileSystem::temporaryFileName(std::string_view name, std::string_view suffix) {
  std::string result = ".";
  result += name;
  result += ".tmp-";
  result += suffix;
  return result;
}

bool FileSystem::isTemporaryFileOf(std::string_view entry, std::string_view name) {
  const std::string prefix = temporaryFileName(name, "");
  if (entry.size() != prefix.size() + temporarySuffixLength || !entry.starts_with(prefix))
    return false;
  return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}
