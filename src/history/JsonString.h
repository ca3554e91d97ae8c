// Writes JSON string literals fast enough for multi-megabyte texts.
#pragma once

#include <string>
#include <string_view>

namespace JsonString {

/// Appends `text` as a quoted JSON string: quotation mark, reverse solidus,
/// solidus and control characters escaped, everything else as raw UTF-8.
/// Ill-formed UTF-8 (possible in strings from the platform) is written as
/// U+FFFD, so the result is always valid JSON.
void append(std::string& out, std::string_view text);

}  // namespace JsonString
