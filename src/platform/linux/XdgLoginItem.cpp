// The autostart entry, read and written through the file-system seam.
#include "platform/linux/XdgLoginItem.h"

#include <sstream>
#include <utility>

#include "platform/FileSystem.h"

namespace {

constexpr unsigned folderMode = 0700;
constexpr unsigned entryMode = 0600;

std::string trimmed(const std::string& line) {
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) {
    return {};
  }
  const auto last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

// Hidden=true in the [Desktop Entry] group; keys of other groups (actions)
// do not count.
bool isHidden(const std::string& contents) {
  std::istringstream lines(contents);
  std::string line;
  bool inMainGroup = false;
  while (std::getline(lines, line)) {
    const std::string text = trimmed(line);
    if (!text.empty() && text.front() == '[') {
      inMainGroup = text == "[Desktop Entry]";
      continue;
    }
    const auto equals = text.find('=');
    if (!inMainGroup || equals == std::string::npos) {
      continue;
    }
    if (trimmed(text.substr(0, equals)) == "Hidden" && trimmed(text.substr(equals + 1)) == "true") {
      return true;
    }
  }
  return false;
}

std::string parentOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos || slash == 0) {
    return "/";
  }
  return path.substr(0, slash);
}

// One quoted Exec argument: inside the quotes, the characters " ` $ and the
// backslash get a backslash; the desktop file's string rules then double
// every backslash again, and a literal % is written %%.
std::string execArgument(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$') {
      quoted += "\\\\";
      quoted += c;
    } else if (c == '\\') {
      quoted += "\\\\\\\\";
    } else if (c == '%') {
      quoted += "%%";
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

}  // namespace

XdgLoginItem::XdgLoginItem(FileSystem& fileSystem, std::string entryPath,
                           std::string executablePath)
    : fileSystem_(fileSystem),
      entryPath_(std::move(entryPath)),
      executablePath_(std::move(executablePath)) {}

std::string XdgLoginItem::entryPathFor(const char* xdgConfigHome, const std::string& home) {
  std::string base;
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
    base = xdgConfigHome;
  } else {
    base = home + "/.config";
  }
  return base + "/autostart/" + entryFileName;
}

std::optional<std::string> XdgLoginItem::entryContents(const std::string& executablePath) {
  if (executablePath.empty() ||
      executablePath.find_first_of(std::string("\n\r\0", 3)) != std::string::npos) {
    return std::nullopt;
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Pellimore Clip\n"
         "Comment=Clipboard history\n"
         "Exec=" +
         execArgument(executablePath) +
         "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

LoginItem::Status XdgLoginItem::status() {
  const std::optional<std::string> contents = fileSystem_.readFile(entryPath_);
  if (!contents || isHidden(*contents)) {
    return Status::notRegistered;
  }
  return Status::enabled;
}

std::optional<std::string> XdgLoginItem::registerService() {
  const std::optional<std::string> contents = entryContents(executablePath_);
  if (!contents) {
    return "The program's path cannot be written in an autostart entry: " + executablePath_;
  }
  const FileResult folder = fileSystem_.createDirectories(parentOf(entryPath_), folderMode);
  if (!folder.ok()) {
    return folder.error();
  }
  const FileResult written = fileSystem_.writeFileAtomically(entryPath_, *contents, entryMode);
  if (!written.ok()) {
    return written.error();
  }
  return std::nullopt;
}

std::optional<std::string> XdgLoginItem::unregisterService() {
  if (!fileSystem_.readFile(entryPath_)) {
    return "No autostart entry at " + entryPath_;
  }
  const FileResult removed = fileSystem_.removeFile(entryPath_);
  if (!removed.ok()) {
    return removed.error();
  }
  return std::nullopt;
}
