// Encoding with a small writer of our own, which copies long runs of text in
// bulk; decoding through HistoryDecoder.
#include "history/HistoryCodec.h"

#include "history/Base64.h"
#include "history/HistoryDecoder.h"
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

}  // namespace

void encode(const std::vector<ClipboardItem>& items, std::string& out) {
  out.clear();
  out.reserve(estimatedSize(items));
  out += '[';
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0)
      out += ',';
    appendEntry(out, items[i]);
  }
  out += ']';
}

std::string encode(const std::vector<ClipboardItem>& items) {
  std::string out;
  encode(items, out);
  return out;
}

std::optional<std::vector<ClipboardItem>> decode(std::string_view json) {
  HistoryDecoder decoder;
  return decoder.decode(json);
}

}  // namespace HistoryCodec
