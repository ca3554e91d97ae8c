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

/// Appends the inside of such a string, unquoted, for text that is known to
/// be well-formed UTF-8. Every byte is escaped on its own, so a long text
/// may be written in slices cut anywhere.
void appendEscaped(std::string& out, std::string_view wellFormed);

}  // namespace JsonString
