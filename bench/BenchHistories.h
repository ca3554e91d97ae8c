// Histories of known shape for the benchmarks: typical, heavy and worst case,
// filled with prose-like text that exercises escaping and non-ASCII letters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "history/ClipboardItem.h"

namespace BenchHistories {

/// Entries per history: the store's bound on unpinned entries.
inline constexpr std::size_t entryCount = 200;
/// The capture limit for text, in UTF-8 bytes.
inline constexpr std::size_t largestText = 2'000'000;

/// Well-formed UTF-8 prose of exactly `bytes` bytes, with some "/", quotes,
/// line feeds and non-ASCII letters; a different text for every `seed`.
std::string realisticText(std::size_t bytes, std::uint64_t seed);

/// A text entry as the store makes it: signature "T:" + text, unpinned,
/// `minutesAgo` minutes before a fixed time.
ClipboardItem textEntry(std::string text, int minutesAgo);

/// 200 entries of about 200 bytes of text.
std::vector<ClipboardItem> typical();
/// 200 entries, 10 of them (spread through the list) 2,000,000-byte texts.
std::vector<ClipboardItem> heavy();
/// 200 entries of 2,000,000-byte texts: about 800 MB of JSON.
std::vector<ClipboardItem> worst();

}  // namespace BenchHistories
