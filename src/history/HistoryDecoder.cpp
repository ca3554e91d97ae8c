// Decoding with simdjson's DOM parser, which checks the whole text (structure
// and UTF-8) before any entry is looked at.
#include "history/HistoryDecoder.h"

#include <simdjson.h>

#include <utility>

#include "history/Base64.h"
#include "history/UtcTimestamp.h"

namespace {

using simdjson::dom::element;

bool readString(element value, std::string& out) {
  std::string_view text;
  if (value.get_string().get(text))
    return false;
  out.assign(text.data(), text.size());
  return true;
}

// Optional keys: null leaves the field absent; any other non-string fails.
// A string already there is overwritten in place, keeping its capacity.
bool readOptionalString(element value, std::optional<std::string>& out) {
  if (value.is_null()) {
    out.reset();
    return true;
  }
  return readString(value, out ? *out : out.emplace());
}

bool readRtfData(element value, std::optional<Bytes>& out) {
  out.reset();
  if (value.is_null())
    return true;
  std::string_view text;
  if (value.get_string().get(text))
    return false;
  out = Base64::decode(text);
  return out.has_value();
}

bool readFilePaths(element value, std::optional<std::vector<std::string>>& out) {
  if (value.is_null()) {
    out.reset();
    return true;
  }
  simdjson::dom::array array;
  if (value.get_array().get(array))
    return false;
  std::vector<std::string>& paths = out ? *out : out.emplace();
  paths.clear();
  paths.reserve(array.size());
  for (element path : array) {
    if (!readString(path, paths.emplace_back()))
      return false;
  }
  return true;
}

// Fills `item` from one entry object; false on anything the format refuses.
// `item` may hold an earlier entry: every field is overwritten or reset.
bool readEntry(simdjson::dom::object object, ClipboardItem& item) {
  bool hasText = false;
  bool hasRtfData = false;
  bool hasImageFileName = false;
  bool hasFilePaths = false;
  bool hasId = false;
  bool hasKind = false;
  bool hasSignature = false;
  bool hasCreatedAt = false;
  bool hasPinned = false;
  for (simdjson::dom::key_value_pair field : object) {
    std::string_view key = field.key;
    element value = field.value;
    std::string_view text;
    if (key == "id") {
      if (value.get_string().get(text))
        return false;
      std::optional<Uuid> id = Uuid::parse(text);
      if (!id)
        return false;
      item.id = *id;
      hasId = true;
    } else if (key == "kind") {
      if (value.get_string().get(text))
        return false;
      std::optional<ClipboardItemKind> kind = parseKind(text);
      if (!kind)
        return false;
      item.kind = *kind;
      hasKind = true;
    } else if (key == "text") {
      if (!readOptionalString(value, item.text))
        return false;
      hasText = true;
    } else if (key == "rtfData") {
      if (!readRtfData(value, item.rtfData))
        return false;
      hasRtfData = true;
    } else if (key == "imageFileName") {
      if (!readOptionalString(value, item.imageFileName))
        return false;
      hasImageFileName = true;
    } else if (key == "filePaths") {
      if (!readFilePaths(value, item.filePaths))
        return false;
      hasFilePaths = true;
    } else if (key == "signature") {
      if (!readString(value, item.signature))
        return false;
      hasSignature = true;
    } else if (key == "createdAt") {
      if (value.get_string().get(text))
        return false;
      std::optional<TimePoint> createdAt = UtcTimestamp::parse(text);
      if (!createdAt)
        return false;
      item.createdAt = *createdAt;
      hasCreatedAt = true;
    } else if (key == "pinned") {
      if (value.get_bool().get(item.pinned))
        return false;
      hasPinned = true;
    }
  }
  if (!hasText)
    item.text.reset();
  if (!hasRtfData)
    item.rtfData.reset();
  if (!hasImageFileName)
    item.imageFileName.reset();
  if (!hasFilePaths)
    item.filePaths.reset();
  return hasId && hasKind && hasSignature && hasCreatedAt && hasPinned;
}

}  // namespace

struct HistoryDecoder::Parser {
  // Keeps its tape, string buffer and padded input copy between parses.
  simdjson::dom::parser dom;
};

HistoryDecoder::HistoryDecoder() : parser_(std::make_unique<Parser>()) {}

HistoryDecoder::~HistoryDecoder() = default;

std::optional<std::vector<ClipboardItem>> HistoryDecoder::decode(std::string_view json) {
  std::vector<ClipboardItem> items;
  if (!decode(json, items))
    return std::nullopt;
  return items;
}

bool HistoryDecoder::decode(std::string_view json, std::vector<ClipboardItem>& items) {
  element root;
  if (parser_->dom.parse(json.data(), json.size()).get(root))
    return false;
  simdjson::dom::array entries;
  if (root.get_array().get(entries))
    return false;

  // Every entry's id comes from the file, so one blank entry serves as the
  // start of all new ones instead of drawing a random id for each.
  items.resize(entries.size(), ClipboardItem());
  std::size_t index = 0;
  for (element entry : entries) {
    simdjson::dom::object object;
    if (entry.get_object().get(object))
      return false;
    if (!readEntry(object, items[index++]))
      return false;
  }
  return true;
}
