// Extracts the plain characters of an RTF document (NSAttributedString on
// macOS, a small converter of our own on Linux).
#pragma once

#include <optional>
#include <string>

#include "platform/Bytes.h"

class RtfConverter {
 public:
  virtual ~RtfConverter() = default;
  /// UTF-8 text, or nothing when the bytes are not a readable RTF document.
  virtual std::optional<std::string> plainText(const Bytes& rtf) = 0;
};
