// The history file format: a compact JSON array of entry objects.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/ClipboardItem.h"

namespace HistoryCodec {

/// Compact JSON with every solidus escaped and absent optional fields left
/// out; `createdAt` in whole seconds.
std::string encode(const std::vector<ClipboardItem>& items);
/// The same, written into `out`, whose contents are replaced but whose
/// capacity is kept: a caller that saves often reuses one buffer instead of
/// asking the system for fresh memory every time.
void encode(const std::vector<ClipboardItem>& items, std::string& out);

/// Strict: nothing when the text is not a JSON array of valid entries (a
/// single bad entry fails the whole file), or not valid UTF-8. Uses a fresh
/// HistoryDecoder; keep one for repeated reads.
std::optional<std::vector<ClipboardItem>> decode(std::string_view json);

}  // namespace HistoryCodec
