// A quick "cannot contain" test for long texts: remembers, in small bit sets,
// which bytes and which two-byte runs occur in a text, and which three-byte
// runs by a hash of them. A query with a run the text lacks cannot occur in
// it, so a search can skip a multi-megabyte scan; for a query of one or two
// bytes, as the first keys of a search are, the answer is exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class ByteRunFilter {
 public:
  /// Texts shorter than this are scanned directly; a filter would not pay.
  static constexpr std::size_t minimumTextSize = 4096;

  ByteRunFilter() = default;
  /// Empty (passing everything) for texts under `minimumTextSize`.
  explicit ByteRunFilter(std::string_view text);
  /// For a text of `textSize` bytes, read through `add` one piece after
  /// the other; empty as above.
  explicit ByteRunFilter(std::size_t textSize);

  /// The text's next bytes; runs that straddle two pieces count.
  void add(std::string_view piece);

  /// False only when `query` certainly does not occur in the text; true
  /// otherwise, including for the empty query.
  bool mayContain(std::string_view query) const;

 private:
  /// Where the three bytes of `run` (the first in bits 16 to 23) are noted.
  static std::uint32_t tripleSlot(std::uint32_t run);
  bool has(std::size_t bit) const;

  std::vector<std::uint64_t> bits_;
  // The last bytes read (the latest in bits 0 to 7), and how many of them,
  // up to two.
  std::uint32_t run_ = 0;
  int seen_ = 0;
};
