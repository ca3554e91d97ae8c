// The display text by which an entry is shown and searched.
#include "history/ClipboardItem.h"

#include "history/WhiteSpace.h"

namespace {

// The part after the last "/", ignoring trailing slashes; a path of slashes
// only is the root, "/".
std::string_view lastPathComponent(std::string_view path) {
  std::size_t end = path.find_last_not_of('/');
  if (end == std::string_view::npos)
    return path.empty() ? std::string_view() : std::string_view("/");
  std::string_view trimmed = path.substr(0, end + 1);
  std::size_t slash = trimmed.find_last_of('/');
  return slash == std::string_view::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string joinedFileNames(const std::optional<std::vector<std::string>>& paths) {
  std::string joined;
  if (!paths)
    return joined;
  for (std::size_t i = 0; i < paths->size(); ++i) {
    if (i > 0)
      joined += ", ";
    joined += lastPathComponent((*paths)[i]);
  }
  return joined;
}

}  // namespace

std::string ClipboardItem::displayText() const {
  switch (kind) {
    case ClipboardItemKind::image:
      return "Image";
    case ClipboardItemKind::files:
      return joinedFileNames(filePaths);
    case ClipboardItemKind::text:
    case ClipboardItemKind::rtf:
      break;
  }
  std::string_view trimmed = WhiteSpace::trim(text ? std::string_view(*text) : std::string_view());
  if (trimmed.empty())
    return "(empty)";
  return std::string(trimmed);
}
