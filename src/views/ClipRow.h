// What one row of the history list shows, computed from the entry and the
// row's state so that a front end only draws it: chip, title, metadata line,
// trailing controls and background.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "history/ClipboardItem.h"
#include "platform/Clock.h"
#include "views/ShortcutTexts.h"
#include "views/ViewColor.h"

class ClipboardStore;

/// A rounded square in the kind's colour (filled at the chip opacity) with
/// the kind's symbol on it.
struct ChipTile {
  ViewColor color;
  std::string_view symbol;

  friend bool operator==(const ChipTile&, const ChipTile&) = default;
};

struct RowChip {
  /// The stored image of an image entry, drawn scaled to fill the chip. Not
  /// checked: when it is absent or does not load, `tile` is drawn instead.
  std::optional<std::string> thumbnailPath;
  ChipTile tile;
};

struct RowButton {
  std::string_view symbol;
  ViewColor color;
  std::string_view tooltip;

  friend bool operator==(const RowButton&, const RowButton&) = default;
};

/// A rounded rectangle behind the row; `opacity` 0 means nothing is drawn.
struct RowBackground {
  ViewColor color;
  double opacity;

  friend bool operator==(const RowBackground&, const RowBackground&) = default;
};

struct ClipRow {
  struct State {
    /// Position in the filtered list, from 0.
    int index = 0;
    bool selected = false;
    /// The pointer is inside the row.
    bool hovering = false;
  };

  /// `characterCount` is the entry's text length in grapheme clusters when
  /// the caller keeps it; it is counted here otherwise.
  static ClipRow make(const ClipboardItem& item, State state, const ClipboardStore& store,
                      TimePoint now, const ShortcutTexts& shortcuts,
                      std::optional<std::size_t> characterCount = std::nullopt);

  /// The kind the entry is shown as: a text copied with HTML is rich text
  /// too, though its kind stays `text`.
  static ClipboardItemKind shownKind(const ClipboardItem& item);
  /// "n chars", "Rich text", "Image", "1 file" or "n files".
  static std::string labelForKind(const ClipboardItem& item,
                                  std::optional<std::size_t> characterCount = std::nullopt);

  Uuid id;
  State state;
  RowChip chip;
  /// Titles show at most two lines, so a longer display text is cut here.
  static constexpr std::size_t maxTitleBytes = 2048;

  /// The entry's display text, at most `maxTitleBytes` of its start; the
  /// front end truncates it at the tail.
  std::string title;
  /// The metadata line: kind label, separator, age.
  std::string kindLabel;
  std::string_view separator = "·";
  std::string age;
  /// The digit of this row's quick-paste key (rows 0 to 8), shown or not.
  std::optional<int> quickPasteDigit;
  /// Shown only while the row is neither hovered nor pinned.
  std::optional<std::string> quickPasteLabel;
  std::optional<RowButton> pinButton;
  std::optional<RowButton> deleteButton;
  RowBackground background{ViewColor::clear, 0};
};
