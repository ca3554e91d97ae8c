// RTF to plain text without a platform toolkit: a small reader for the
// subset that matters for text (groups, control words, escapes, Unicode and
// code-page characters), skipping tables, pictures and other destinations.
#pragma once

#include <optional>
#include <string>

#include "platform/RtfConverter.h"

class PlainRtfConverter : public RtfConverter {
 public:
  /// Deeper nesting than this is taken as hostile and the document refused.
  static constexpr int maxGroupDepth = 256;

  /// Nothing when the bytes do not start with "{\rtf", when the outer group
  /// never closes, or when nesting goes deeper than `maxGroupDepth`. Bytes
  /// after the outer group are ignored. `\'hh` is read in the document's
  /// code page: Windows-1252 (the default) or Latin-1; other code pages give
  /// U+FFFD for bytes above 0x7F.
  std::optional<std::string> plainText(const Bytes& rtf) override;
};
