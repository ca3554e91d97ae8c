// A quick "cannot contain" test for long texts: remembers, in a small bit set,
// which three-byte runs occur in a text. A query with a run the text lacks
// cannot occur in it, so a search can skip a multi-megabyte scan.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class TrigramFilter {
 public:
  /// Texts shorter than this are scanned directly; a filter would not pay.
  static constexpr std::size_t minimumTextSize = 4096;

  TrigramFilter() = default;
  /// Empty (passing everything) for texts under `minimumTextSize`.
  explicit TrigramFilter(std::string_view text);

  /// False only when `query` certainly does not occur in the text; true
  /// otherwise, including for queries shorter than three bytes.
  bool mayContain(std::string_view query) const;

 private:
  static std::uint32_t slot(unsigned char a, unsigned char b, unsigned char c);

  std::vector<std::uint64_t> bits_;
};
