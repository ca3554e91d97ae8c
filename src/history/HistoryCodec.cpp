// Encoding with a small writer of our own, which copies long runs of text in
// bulk into a buffer of bounded size and hands it on whenever it fills;
// decoding through HistoryDecoder.
#include "history/HistoryCodec.h"

#include <algorithm>

#include "history/Base64.h"
#include "history/HistoryDecoder.h"
#include "history/JsonString.h"
#include "history/UtcTimestamp.h"
#include "history/Utf8.h"

namespace HistoryCodec {

namespace {

// The buffer is handed on once it holds this much, checked after every
// string and slice. A slice of text grows by at most six times when escaped
// (a control character becomes "\u00XX"), so no piece exceeds maxPieceSize.
constexpr std::size_t flushSize = 1 << 20;
constexpr std::size_t sliceSize = 1 << 16;
// Room for the keys, id, kind, time and punctuation of one entry.
constexpr std::size_t entryOverhead = 192;
static_assert(flushSize + 6 * sliceSize + entryOverhead <= maxPieceSize);

class Writer {
 public:
  explicit Writer(const PieceSink& sink) : sink_(sink) { buffer_.reserve(maxPieceSize); }

  bool entries(const std::vector<ClipboardItem>& items) {
    buffer_ += '[';
    for (std::size_t i = 0; i < items.size() && ok_; ++i) {
      if (i > 0)
        buffer_ += ',';
      entry(items[i]);
    }
    buffer_ += ']';
    handOn();
    return ok_;
  }

 private:
  void entry(const ClipboardItem& item) {
    buffer_ += R"({"id":")";
    buffer_ += item.id.toString();
    buffer_ += R"(","kind":")";
    buffer_ += kindName(item.kind);
    buffer_ += '"';
    if (item.text) {
      buffer_ += R"(,"text":)";
      string({}, *item.text);
    }
    if (item.rtfData) {
      buffer_ += R"(,"rtfData":")";
      base64(*item.rtfData);
      buffer_ += '"';
    }
    if (item.htmlData) {
      buffer_ += R"(,"htmlData":")";
      base64(*item.htmlData);
      buffer_ += '"';
    }
    if (item.imageFileName) {
      buffer_ += R"(,"imageFileName":)";
      string({}, *item.imageFileName);
    }
    if (item.filePaths) {
      buffer_ += R"(,"filePaths":[)";
      for (std::size_t i = 0; i < item.filePaths->size(); ++i) {
        if (i > 0)
          buffer_ += ',';
        string({}, (*item.filePaths)[i]);
      }
      buffer_ += ']';
    }
    buffer_ += R"(,"signature":)";
    const auto [prefix, rest] = item.signatureParts();
    string(prefix, rest);
    buffer_ += R"(,"createdAt":")";
    UtcTimestamp::append(buffer_, item.createdAt);
    buffer_ += R"(","pinned":)";
    buffer_ += item.pinned ? "true}" : "false}";
    handOnIfFull();
  }

  // `prefix` + `text` as one JSON string. The prefix is ASCII, so repairing
  // the text alone repairs the whole.
  void string(std::string_view prefix, std::string_view text) {
    buffer_ += '"';
    JsonString::appendEscaped(buffer_, prefix);
    if (Utf8::isValid(text)) {
      escapedInSlices(text);
    } else {
      std::string repaired;
      repaired.reserve(text.size() + 16);
      Utf8::appendRepaired(repaired, text);
      escapedInSlices(repaired);
    }
    buffer_ += '"';
    handOnIfFull();
  }

  void escapedInSlices(std::string_view text) {
    for (std::size_t at = 0; at < text.size() && ok_; at += sliceSize) {
      JsonString::appendEscaped(buffer_, text.substr(at, sliceSize));
      handOnIfFull();
    }
  }

  void base64(std::span<const std::uint8_t> bytes) {
    // Whole groups of three per slice, so the slices join seamlessly.
    constexpr std::size_t slice = sliceSize / 3 * 3;
    for (std::size_t at = 0; at < bytes.size() && ok_; at += slice) {
      Base64::append(buffer_, bytes.subspan(at, std::min(slice, bytes.size() - at)));
      handOnIfFull();
    }
  }

  void handOnIfFull() {
    if (buffer_.size() >= flushSize)
      handOn();
  }

  void handOn() {
    if (ok_ && !buffer_.empty())
      ok_ = sink_(buffer_);
    buffer_.clear();
  }

  const PieceSink& sink_;
  std::string buffer_;
  bool ok_ = true;
};

}  // namespace

bool encode(const std::vector<ClipboardItem>& items, const PieceSink& sink) {
  return Writer(sink).entries(items);
}

std::string encode(const std::vector<ClipboardItem>& items) {
  std::string out;
  encode(items, [&](std::string_view piece) {
    out += piece;
    return true;
  });
  return out;
}

std::optional<std::vector<ClipboardItem>> decode(std::string_view json) {
  HistoryDecoder decoder;
  return decoder.decode(json);
}

}  // namespace HistoryCodec
