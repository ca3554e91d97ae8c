// Encoding with a small writer of our own; decoding with simdjson's DOM
// parser, which checks the whole text (structure and UTF-8) before any entry
// is looked at.
#include "history/HistoryCodec.h"

#include <simdjson.h>

#include "history/Base64.h"
#include "history/JsonString.h"
#include "history/UtcTimestamp.h"

namespace HistoryCodec {

namespace {

// Room for the keys, the id, the kind, the time and the punctuation of one
// entry, so that typical histories are written without reallocating.
constexpr std::size_t entryOverhead = 192;

std::size_t estimatedSize(const std::vector<ClipboardItem>& items) {
  std::size_t size = 2;
  for (const ClipboardItem& item : items) {
    size += entryOverhead + item.signature.size();
    if (item.text)
      size += item.text->size();
    if (item.rtfData)
      size += item.rtfData->size() / 3 * 4 + 4;
    if (item.imageFileName)
      size += item.imageFileName->size();
    if (item.filePaths) {
      for (const std::string& path : *item.filePaths)
        size += path.size() + 3;
    }
  }
  // Escapes (every solidus of a path, line feeds, quotes) add a little more.
  return size + size / 16;
}

void appendEntry(std::string& out, const ClipboardItem& item) {
  out += R"({"id":")";
  out += item.id.toString();
  out += R"(","kind":")";
  out += kindName(item.kind);
  out += '"';
  if (item.text) {
    out += R"(,"text":)";
    JsonString::append(out, *item.text);
  }
  if (item.rtfData) {
    out += R"(,"rtfData":")";
    Base64::append(out, *item.rtfData);
    out += '"';
  }
  if (item.imageFileName) {
    out += R"(,"imageFileName":)";
    JsonString::append(out, *item.imageFileName);
  }
  if (item.filePaths) {
    out += R"(,"filePaths":[)";
    for (std::size_t i = 0; i < item.filePaths->size(); ++i) {
      if (i > 0)
        out += ',';
      JsonString::append(out, (*item.filePaths)[i]);
    }
    out += ']';
  }
  out += R"(,"signature":)";
  JsonString::append(out, item.signature);
  out += R"(,"createdAt":")";
  UtcTimestamp::append(out, item.createdAt);
  out += R"(","pinned":)";
  out += item.pinned ? "true}" : "false}";
}

using simdjson::dom::element;
using simdjson::dom::element_type;

bool readString(element value, std::string& out) {
  std::string_view text;
  if (value.get_string().get(text))
    return false;
  out.assign(text.data(), text.size());
  return true;
}

// Optional keys: null leaves the field absent; any other non-string fails.
bool readOptionalString(element value, std::optional<std::string>& out) {
  out.reset();
  if (value.is_null())
    return true;
  return readString(value, out.emplace());
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
  out.reset();
  if (value.is_null())
    return true;
  simdjson::dom::array array;
  if (value.get_array().get(array))
    return false;
  std::vector<std::string>& paths = out.emplace();
  paths.reserve(array.size());
  for (element path : array) {
    if (!readString(path, paths.emplace_back()))
      return false;
  }
  return true;
}

// Fills `item` from one entry object; false on anything the format refuses.
bool readEntry(simdjson::dom::object object, ClipboardItem& item) {
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
    } else if (key == "rtfData") {
      if (!readRtfData(value, item.rtfData))
        return false;
    } else if (key == "imageFileName") {
      if (!readOptionalString(value, item.imageFileName))
        return false;
    } else if (key == "filePaths") {
      if (!readFilePaths(value, item.filePaths))
        return false;
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
  return hasId && hasKind && hasSignature && hasCreatedAt && hasPinned;
}

}  // namespace

std::string encode(const std::vector<ClipboardItem>& items) {
  std::string out;
  out.reserve(estimatedSize(items));
  out += '[';
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      out += ',';
    appendEntry(out, items[i]);
  }
  out += ']';
  return out;
}

std::optional<std::vector<ClipboardItem>> decode(std::string_view json) {
  simdjson::dom::parser parser;
  element root;
  if (parser.parse(json.data(), json.size()).get(root))
    return std::nullopt;
  simdjson::dom::array entries;
  if (root.get_array().get(entries))
    return std::nullopt;

  std::vector<ClipboardItem> items;
  items.reserve(entries.size());
  for (element entry : entries) {
    simdjson::dom::object object;
    if (entry.get_object().get(object))
      return std::nullopt;
    ClipboardItem& item = items.emplace_back();
    if (!readEntry(object, item))
      return std::nullopt;
  }
  return items;
}

}  // namespace HistoryCodec
