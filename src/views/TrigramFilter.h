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
  /// For a text of `textSize` bytes, read through `add` one piece after
  /// the other; empty as above.
  explicit TrigramFilter(std::size_t textSize);

  /// The text's next bytes; runs that straddle two pieces count.
  void add(std::string_view piece);

  /// False only when `query` certainly does not occur in the text; true
  /// otherwise, including for queries shorter than three bytes.
  bool mayContain(std::string_view query) const;

 private:
  /// Where the three bytes of `run` (the first in bits 16 to 23) are noted.
  static std::uint32_t slot(std::uint32_t run);

  std::vector<std::uint64_t> bits_;
  // The last bytes read, and how many more are needed before they form a run.
  std::uint32_t run_ = 0;
  int missing_ = 2;
};
