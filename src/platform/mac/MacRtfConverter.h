// RTF to plain text through Foundation's NSAttributedString.
#pragma once

#include "platform/RtfConverter.h"

class MacRtfConverter : public RtfConverter {
 public:
  std::optional<std::string> plainText(const Bytes& rtf) override;
};
