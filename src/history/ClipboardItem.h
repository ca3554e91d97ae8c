// One history entry: a plain value to everyone who uses it, equal by `id`
// alone. Its bodies are immutable and shared between copies, so a copy of
// the whole history costs a few pointers per entry.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "history/ClipboardItemKind.h"
#include "history/PathList.h"
#include "history/SharedValue.h"
#include "history/Uuid.h"
#include "platform/Bytes.h"
#include "platform/Clock.h"

struct ClipboardItem {
  Uuid id = Uuid::random();
  ClipboardItemKind kind = ClipboardItemKind::text;
  /// Exactly as captured, not trimmed.
  SharedValue<std::string> text;
  SharedValue<Bytes> rtfData;
  /// The HTML the text was copied with, beside or instead of RTF; it leaves
  /// the kind as it is.
  SharedValue<Bytes> htmlData;
  /// A bare file name in the store's images folder. Read from a file, so it
  /// may be anything; the store checks it before touching the disk.
  SharedValue<std::string> imageFileName;
  SharedValue<PathList> filePaths;
  /// The deduplication key when it does not follow from the content: "I:" +
  /// image SHA-256, or whatever a file written elsewhere holds. Absent when
  /// it is "T:" + `text`, or for an entry without text "F:" + the paths
  /// joined with "|", so that a long text or file list is held once; read
  /// the key through the members below.
  SharedValue<std::string> storedSignature;
  TimePoint createdAt;
  bool pinned = false;

  /// The deduplication key, built afresh: `storedSignature`, else "T:" +
  /// `text`, else "F:" + the joined paths, else empty.
  std::string signature() const;
  /// The key as a prefix and the rest, without a copy.
  std::pair<std::string_view, std::string_view> signatureParts() const;
  /// Sets the key, storing it only when it does not follow from the text or
  /// the paths; so set those first.
  void setSignature(std::string_view signature);
  bool hasSameSignature(const ClipboardItem& other) const;

  /// The one-line text by which the entry is shown and searched.
  std::string displayText() const;
  /// The same without copying a text entry's text: a view into it, or into
  /// `storage` for what has to be made.
  std::string_view displayText(std::string& storage) const;

  friend bool operator==(const ClipboardItem& a, const ClipboardItem& b) { return a.id == b.id; }

 private:
  /// The key that the text or the paths give, if any.
  std::optional<std::pair<std::string_view, std::string_view>> derivedSignatureParts() const;
};
