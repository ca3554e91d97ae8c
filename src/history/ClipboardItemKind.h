// What a history entry holds. The names are written to the history file and
// to log lines as they stand.
#pragma once

#include <optional>
#include <string_view>

enum class ClipboardItemKind { text, rtf, image, files };

/// "text", "rtf", "image" or "files".
std::string_view kindName(ClipboardItemKind kind);
/// The kind written as `name`, or nothing for any other string.
std::optional<ClipboardItemKind> parseKind(std::string_view name);
