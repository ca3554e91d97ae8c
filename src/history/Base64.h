// Standard Base64 (the "+/" alphabet with "=" padding, no line breaks) for
// byte fields of the history file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/Bytes.h"

namespace Base64 {

/// Appends the padded encoding of `bytes` to `out`. Slices whose sizes are
/// multiples of three encode to consecutive parts of the whole encoding.
void append(std::string& out, std::span<const std::uint8_t> bytes);

/// The bytes of a canonical encoding; nothing for a length that is not a
/// multiple of four, any character outside the alphabet (white space and
/// line breaks included), misplaced padding, or padding bits that are not
/// zero.
std::optional<Bytes> decode(std::string_view text);

}  // namespace Base64
