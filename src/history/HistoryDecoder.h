// Reads history files, from memory or from the disk a piece at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/ClipboardItem.h"
#include "history/JsonReader.h"

class FileReader;

/// Strict decoding of the history file in one pass: each string is decoded
/// once and copied into its entry at its exact size, and a file is read
/// through a small window, so memory beyond the entries stays bounded by the
/// longest string. Keeps its buffers between reads. Main thread only.
class HistoryDecoder {
 public:
  /// Nothing when the text is not a JSON array of valid entries (a single
  /// bad entry fails the whole file), or not valid UTF-8.
  std::optional<std::vector<ClipboardItem>> decode(std::string_view json);
  /// The same into `items`, whose entries are overwritten in place so their
  /// strings keep their capacity. False on failure, when `items` holds no
  /// meaningful entries.
  bool decode(std::string_view json, std::vector<ClipboardItem>& items);

  enum class FileOutcome { decoded, empty, unreadable, malformed };
  /// Reads the whole file into `items` as above; a file of no bytes is
  /// `empty` and one whose read failed `unreadable`, whatever it held.
  FileOutcome decode(FileReader& file, std::vector<ClipboardItem>& items);

 private:
  bool decodeAll(JsonReader& json, std::vector<ClipboardItem>& items);
  bool readEntry(JsonReader& json, ClipboardItem& item);

  std::string window_;
  /// Keys, values, and texts on their way to an entry.
  JsonReader::Text scratch_;
  /// The text read last, as in its entry and as written in the file.
  JsonReader::Text text_;
  JsonReader::Text textJson_;
  /// The signature read last: kept only where it is not "T:" + text.
  JsonReader::Text signature_;
};
