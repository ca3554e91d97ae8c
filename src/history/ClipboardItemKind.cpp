// The kind names as written to the history file and to log lines.
#include "history/ClipboardItemKind.h"

std::string_view kindName(ClipboardItemKind kind) {
  switch (kind) {
    case ClipboardItemKind::text:
      return "text";
    case ClipboardItemKind::rtf:
      return "rtf";
    case ClipboardItemKind::image:
      return "image";
    case ClipboardItemKind::files:
      return "files";
  }
  return "text";
}

std::optional<ClipboardItemKind> parseKind(std::string_view name) {
  if (name == "text")
    return ClipboardItemKind::text;
  if (name == "rtf")
    return ClipboardItemKind::rtf;
  if (name == "image")
    return ClipboardItemKind::image;
  if (name == "files")
    return ClipboardItemKind::files;
  return std::nullopt;
}
