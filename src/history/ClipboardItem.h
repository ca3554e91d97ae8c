// One history entry: a plain value, copied, never shared; equal by `id` alone.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "history/ClipboardItemKind.h"
#include "history/Uuid.h"
#include "platform/Bytes.h"
#include "platform/Clock.h"

struct ClipboardItem {
  Uuid id = Uuid::random();
  ClipboardItemKind kind = ClipboardItemKind::text;
  /// Exactly as captured, not trimmed.
  std::optional<std::string> text;
  std::optional<Bytes> rtfData;
  /// A bare file name in the store's images folder. Read from a file, so it
  /// may be anything; the store checks it before touching the disk.
  std::optional<std::string> imageFileName;
  std::optional<std::vector<std::string>> filePaths;
  /// The deduplication key when it is not "T:" + `text`: "I:" + image
  /// SHA-256, "F:" + paths, or whatever a file written elsewhere holds.
  /// Absent for texts, whose key follows the text, so that a long text is
  /// held once; read the key through the members below.
  std::optional<std::string> storedSignature;
  TimePoint createdAt;
  bool pinned = false;

  /// The deduplication key, built afresh: `storedSignature`, else "T:" +
  /// `text`, else empty.
  std::string signature() const;
  /// The key as a prefix and the rest, without a copy.
  std::pair<std::string_view, std::string_view> signatureParts() const;
  /// Sets the key, storing it only when it is not "T:" + `text`; so set the
  /// text first.
  void setSignature(std::string_view signature);
  bool hasSameSignature(const ClipboardItem& other) const;

  /// The one-line text by which the entry is shown and searched.
  std::string displayText() const;
  /// The same without copying a text entry's text: a view into it, or into
  /// `storage` for what has to be made.
  std::string_view displayText(std::string& storage) const;

  friend bool operator==(const ClipboardItem& a, const ClipboardItem& b) { return a.id == b.id; }
};
