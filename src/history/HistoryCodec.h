// The history file format: a compact JSON array of entry objects.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/ClipboardItem.h"

namespace HistoryCodec {

/// Takes the next piece of an encoding; false stops the encoding.
using PieceSink = std::function<bool(std::string_view piece)>;

/// No piece handed to a sink is larger, whatever the history holds: long
/// texts are written in slices, so an encoding never needs the memory of
/// the whole file.
inline constexpr std::size_t maxPieceSize = 3 << 19;

/// Compact JSON with every solidus escaped and absent optional fields left
/// out; `createdAt` in whole seconds. Handed to `sink` piece by piece, in
/// order; false when the sink stopped it.
bool encode(const std::vector<ClipboardItem>& items, const PieceSink& sink);
/// The same, whole.
std::string encode(const std::vector<ClipboardItem>& items);

/// Strict: nothing when the text is not a JSON array of valid entries (a
/// single bad entry fails the whole file), or not valid UTF-8. Uses a fresh
/// HistoryDecoder; keep one for repeated reads.
std::optional<std::vector<ClipboardItem>> decode(std::string_view json);

}  // namespace HistoryCodec
