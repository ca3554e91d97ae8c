// Raw bytes of a pasteboard payload (RTF document, PNG or TIFF image).
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
