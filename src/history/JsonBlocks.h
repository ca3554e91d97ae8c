// Copies the plain runs of JSON string content in blocks: the bulk of a
// history file is long texts, read and written at memory speed.
#pragma once

#include <cstddef>

namespace JsonBlocks {

/// Copies from `from` to `to` up to the first byte that a JSON string cannot
/// hold as it is (quotation mark, reverse solidus, control character, and
/// with `solidusToo` the solidus), or up to `end`; returns how many bytes
/// were copied. Blocks are stored before they are checked, so up to
/// `overrun` bytes beyond the copied ones may be written.
template <bool solidusToo>
std::size_t copyPlain(const char* from, const char* end, char* to);

inline constexpr std::size_t overrun = 16;

extern template std::size_t copyPlain<false>(const char*, const char*, char*);
extern template std::size_t copyPlain<true>(const char*, const char*, char*);

}  // namespace JsonBlocks
