// An RTF-to-text conversion with a scripted result.
#pragma once

#include <optional>
#include <string>

#include "platform/RtfConverter.h"

class FakeRtfConverter : public RtfConverter {
 public:
  std::optional<std::string> plainText(const Bytes& /*rtf*/) override { return result; }

  /// Returned for every call; nothing means the document is unreadable.
  std::optional<std::string> result;
};
