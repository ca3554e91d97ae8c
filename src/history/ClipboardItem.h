// One history entry: a plain value, copied, never shared; equal by `id` alone.
#pragma once

#include <optional>
#include <string>
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
  /// The deduplication key: "T:" + text, "I:" + image SHA-256, "F:" + paths.
  std::string signature;
  TimePoint createdAt;
  bool pinned = false;

  /// The one-line text by which the entry is shown and searched.
  std::string displayText() const;

  friend bool operator==(const ClipboardItem& a, const ClipboardItem& b) { return a.id == b.id; }
};
