// One recorded pasteboard change, as the monitor hands it to the store.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/Bytes.h"

struct CapturedText {
  std::string text;
  std::optional<Bytes> rtf;
  /// The HTML form (browsers offer no RTF); kept only within the text limit.
  std::optional<Bytes> html = std::nullopt;
};

struct CapturedImage {
  Bytes png;
};

struct CapturedFiles {
  std::vector<std::string> paths;
};

using Captured = std::variant<CapturedText, CapturedImage, CapturedFiles>;
