// An RTF-to-text conversion with a scripted result; it records every
// document it was handed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/RtfConverter.h"

class FakeRtfConverter : public RtfConverter {
 public:
  std::optional<std::string> plainText(const Bytes& rtf) override;

  /// Returned for every call; nothing means the document is unreadable.
  std::optional<std::string> result;
  /// The inputs, in call order.
  std::vector<Bytes> calls;
};
