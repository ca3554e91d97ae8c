// Random identifiers and their canonical text form.
#include "history/Uuid.h"

#include <cstring>

#include "platform/SecureRandom.h"
#include "platform/text/HexDigit.h"

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

bool isDashPosition(std::size_t i) {
  return i == 8 || i == 13 || i == 18 || i == 23;
}

}  // namespace

Uuid Uuid::random() {
  std::array<std::uint8_t, 16> bytes{};
  fillSecureRandom(bytes.data(), bytes.size());
  // Version 4 in the high nibble of byte 6, the RFC 4122 variant in byte 8.
  bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
  return Uuid(bytes);
}

std::optional<Uuid> Uuid::parse(std::string_view text) {
  if (text.size() != 36)
    return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  std::size_t byte = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (isDashPosition(i)) {
      if (text[i] != '-')
        return std::nullopt;
      ++i;
      continue;
    }
    int high = hexDigitValue(text[i]);
    int low = hexDigitValue(text[i + 1]);
    if (high < 0 || low < 0)
      return std::nullopt;
    bytes[byte++] = static_cast<std::uint8_t>((high << 4) | low);
    i += 2;
  }
  return Uuid(bytes);
}

std::string Uuid::toString() const {
  std::string text;
  text.reserve(36);
  for (std::size_t i = 0; i < bytes_.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10)
      text += '-';
    text += hexDigits[bytes_[i] >> 4];
    text += hexDigits[bytes_[i] & 0x0F];
  }
  return text;
}

std::size_t std::hash<Uuid>::operator()(const Uuid& uuid) const noexcept {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  std::memcpy(&high, uuid.bytes().data(), 8);
  std::memcpy(&low, uuid.bytes().data() + 8, 8);
  // Random UUIDs are already well mixed; the multiply spreads hand-made ones.
  return static_cast<std::size_t>(high ^ (low * 0x9E3779B97F4A7C15ULL));
}
