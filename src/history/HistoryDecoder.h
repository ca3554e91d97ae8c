// Reads history files, keeping the JSON parser's buffers between files.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "history/ClipboardItem.h"

/// Strict decoding of the history file. One decoder keeps the parser and its
/// padded copy of the input, sized for the largest file read so far, so that
/// repeated reads stop asking the system for fresh memory. Main thread only;
/// keep one only as long as files keep coming, since it holds several times
/// the size of the largest file.
class HistoryDecoder {
 public:
  HistoryDecoder();
  ~HistoryDecoder();
  HistoryDecoder(const HistoryDecoder&) = delete;
  HistoryDecoder& operator=(const HistoryDecoder&) = delete;

  /// Nothing when the text is not a JSON array of valid entries (a single
  /// bad entry fails the whole file), or not valid UTF-8.
  std::optional<std::vector<ClipboardItem>> decode(std::string_view json);
  /// The same into `items`, whose entries are overwritten in place so their
  /// strings keep their capacity. False on failure, when `items` holds no
  /// meaningful entries.
  bool decode(std::string_view json, std::vector<ClipboardItem>& items);

 private:
  struct Parser;
  std::unique_ptr<Parser> parser_;
};
