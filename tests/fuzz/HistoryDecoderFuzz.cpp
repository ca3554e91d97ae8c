// Fuzz target for the history decoder: any bytes may come from disk. Whatever
// the decoder accepts must encode and decode again to the very same entries,
// compared through their encoding, which writes every field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "history/HistoryCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view json(reinterpret_cast<const char*>(data), size);
  std::optional<std::vector<ClipboardItem>> decoded = HistoryCodec::decode(json);
  if (!decoded)
    return 0;
  const std::string encoded = HistoryCodec::encode(*decoded);
  std::optional<std::vector<ClipboardItem>> again = HistoryCodec::decode(encoded);
  if (!again || again->size() != decoded->size() || HistoryCodec::encode(*again) != encoded)
    std::abort();
  return 0;
}
