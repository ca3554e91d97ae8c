// A 128-bit identifier, written as 36-character canonical text in upper case.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class Uuid {
 public:
  /// The nil UUID; use random() for a fresh one.
  Uuid() = default;
  explicit Uuid(const std::array<std::uint8_t, 16>& bytes) : bytes_(bytes) {}

  /// A version 4 (random) UUID from the platform's secure random source.
  static Uuid random();
  /// Accepts the 8-4-4-4-12 hexadecimal form in either case; nothing else.
  static std::optional<Uuid> parse(std::string_view text);

  /// Canonical upper-case text, e.g. "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
  std::string toString() const;
  const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

  friend bool operator==(const Uuid&, const Uuid&) = default;

 private:
  std::array<std::uint8_t, 16> bytes_{};
};

template <>
struct std::hash<Uuid> {
  std::size_t operator()(const Uuid& uuid) const noexcept;
};
