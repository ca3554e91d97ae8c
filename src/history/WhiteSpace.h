// The white space that display texts are trimmed of: the Unicode space
// separators plus the line-breaking and tabulating controls.
#pragma once

#include <string_view>

namespace WhiteSpace {

/// Category Zs, tab, line feed, vertical tab, form feed, carriage return,
/// next line (U+0085), line separator (U+2028) and paragraph separator
/// (U+2029). Nothing else: zero-width characters are not white space here.
bool isMember(char32_t codePoint);

/// `text` without leading and trailing members. Ill-formed UTF-8 is never
/// white space, so trimming stops at it.
std::string_view trim(std::string_view text);

}  // namespace WhiteSpace
