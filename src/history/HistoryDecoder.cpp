// Decoding walks the file once with JsonReader, which checks the structure
// and UTF-8 as it goes; an entry's strings are copied from the reader's
// scratch buffer at their exact size, and a text's signature is kept only
// when it is not the one the text gives, found out without copying it.
#include "history/HistoryDecoder.h"

#include <utility>

#include "history/Base64.h"
#include "history/JsonReader.h"
#include "history/UtcTimestamp.h"
#include "platform/FileReader.h"

namespace {

enum class Key {
  id,
  kind,
  text,
  rtfData,
  htmlData,
  imageFileName,
  filePaths,
  signature,
  createdAt,
  pinned,
  other
};

Key keyOf(std::string_view name) {
  constexpr std::pair<std::string_view, Key> keys[] = {
      {"id", Key::id},
      {"kind", Key::kind},
      {"text", Key::text},
      {"rtfData", Key::rtfData},
      {"htmlData", Key::htmlData},
      {"imageFileName", Key::imageFileName},
      {"filePaths", Key::filePaths},
      {"signature", Key::signature},
      {"createdAt", Key::createdAt},
      {"pinned", Key::pinned},
  };
  for (const auto& [text, key] : keys) {
    if (name == text)
      return key;
  }
  return Key::other;
}

// A fresh body for every entry: bodies are shared, never written over.
void store(SharedValue<std::string>& out, std::string_view text) {
  out.emplace(text);
}

}  // namespace

std::optional<std::vector<ClipboardItem>> HistoryDecoder::decode(std::string_view json) {
  std::vector<ClipboardItem> items;
  if (!decode(json, items))
    return std::nullopt;
  return items;
}

bool HistoryDecoder::decode(std::string_view json, std::vector<ClipboardItem>& items) {
  JsonReader reader(json);
  return decodeAll(reader, items);
}

HistoryDecoder::FileOutcome HistoryDecoder::decode(FileReader& file,
                                                   std::vector<ClipboardItem>& items) {
  JsonReader reader(file, window_);
  if (reader.empty())
    return FileOutcome::empty;
  const bool decoded = decodeAll(reader, items);
  if (reader.readFailed())
    return FileOutcome::unreadable;
  return decoded ? FileOutcome::decoded : FileOutcome::malformed;
}

bool HistoryDecoder::decodeAll(JsonReader& json, std::vector<ClipboardItem>& items) {
  if (!json.take('['))
    return false;
  // Every entry's id comes from the file, so one blank entry serves as the
  // start of all new ones instead of drawing a random id for each.
  const ClipboardItem blank;
  std::size_t count = 0;
  if (!json.take(']')) {
    do {
      if (count == items.size())
        items.push_back(blank);
      if (!readEntry(json, items[count++]))
        return false;
    } while (json.take(','));
    if (!json.take(']'))
      return false;
  }
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(count), items.end());
  return json.atEnd();
}

// Fills `item` from one entry object; false on anything the format refuses.
// `item` may hold an earlier entry: every field is overwritten or reset.
bool HistoryDecoder::readEntry(JsonReader& json, ClipboardItem& item) {
  bool hasText = false;
  bool hasRtfData = false;
  bool hasHtmlData = false;
  bool hasImageFileName = false;
  bool hasFilePaths = false;
  bool hasId = false;
  bool hasKind = false;
  bool hasSignature = false;
  bool hasCreatedAt = false;
  bool hasPinned = false;
  // The text the signature was found to be "T:" + of, when it was.
  SharedValue<std::string> signedText;
  // A string value that `parse` turns into `field`; nothing from it fails.
  const auto parsed = [&](auto parse, auto& field) {
    if (!json.readString(scratch_))
      return false;
    auto value = parse(scratch_.view());
    if (!value)
      return false;
    field = std::move(*value);
    return true;
  };
  if (!json.take('{'))
    return false;
  if (!json.take('}')) {
    do {
      if (!json.readString(scratch_) || !json.take(':'))
        return false;
      const Key key = keyOf(scratch_.view());
      switch (key) {
        case Key::id:
          hasId = true;
          if (!parsed(Uuid::parse, item.id))
            return false;
          break;
        case Key::kind:
          hasKind = true;
          if (!parsed(parseKind, item.kind))
            return false;
          break;
        case Key::text:
        case Key::imageFileName: {
          SharedValue<std::string>& field = key == Key::text ? item.text : item.imageFileName;
          (key == Key::text ? hasText : hasImageFileName) = true;
          // A text stays in its own buffer, still in the cache when its
          // signature is compared with it.
          JsonReader::Text& buffer = key == Key::text ? text_ : scratch_;
          if (json.takeNull()) {
            field.reset();
          } else if (json.readString(buffer, key == Key::text ? &textJson_ : nullptr)) {
            store(field, buffer.view());
          } else {
            return false;
          }
          break;
        }
        case Key::rtfData:
        case Key::htmlData: {
          SharedValue<Bytes>& field = key == Key::rtfData ? item.rtfData : item.htmlData;
          (key == Key::rtfData ? hasRtfData : hasHtmlData) = true;
          field.reset();
          if (!json.takeNull() && !parsed(Base64::decode, field))
            return false;
          break;
        }
        case Key::filePaths:
          hasFilePaths = true;
          if (json.takeNull()) {
            item.filePaths.reset();
            break;
          }
          if (!json.take('['))
            return false;
          {
            PathList paths;
            if (!json.take(']')) {
              do {
                if (!json.readString(scratch_))
                  return false;
                paths.append(scratch_.view());
              } while (json.take(','));
              if (!json.take(']'))
                return false;
            }
            item.filePaths = std::move(paths);
          }
          break;
        case Key::signature: {
          // Mostly "T:" + the text that came before it: then only compared,
          // never copied, which halves the work on long texts.
          bool derived = false;
          if (hasText && item.text) {
            if (!json.readStringComparing("T:", text_.view(), textJson_.view(), signature_,
                                          derived))
              return false;
          } else if (!json.readString(signature_)) {
            return false;
          }
          signedText = derived ? item.text : SharedValue<std::string>();
          hasSignature = true;
          break;
        }
        case Key::createdAt:
          hasCreatedAt = true;
          if (!parsed(UtcTimestamp::parse, item.createdAt))
            return false;
          break;
        case Key::pinned:
          if (!json.readBool(item.pinned))
            return false;
          hasPinned = true;
          break;
        case Key::other:
          if (!json.skipValue())
            return false;
          break;
      }
    } while (json.take(','));
    if (!json.take('}'))
      return false;
  }
  if (!hasText)
    item.text.reset();
  if (!hasRtfData)
    item.rtfData.reset();
  if (!hasHtmlData)
    item.htmlData.reset();
  if (!hasImageFileName)
    item.imageFileName.reset();
  if (!hasFilePaths)
    item.filePaths.reset();
  // Keys may come in any order, and come again, so the signature is settled
  // once the final text is known.
  if (!signedText) {
    item.setSignature(signature_.view());
  } else if (!item.text.sharesWith(signedText)) {
    item.setSignature("T:" + *signedText);
  } else {
    item.storedSignature.reset();
  }
  return hasId && hasKind && hasSignature && hasCreatedAt && hasPinned;
}
