// What a screen reader says of one history row: its name, in the order a
// sighted user reads the row, how to act on it, and its actions. Built here
// so that every front end says the same.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "history/ClipboardItem.h"
#include "platform/Clock.h"
#include "views/ShortcutTexts.h"

struct AccessibleRow {
  struct PixelSize {
    int width = 0;
    int height = 0;
  };

  /// `index` is the row's place in the filtered list; `characterCount` the
  /// text's length in grapheme clusters (text entries; counted here when
  /// absent); `imageSize` the stored image's size when it could be read.
  static AccessibleRow make(const ClipboardItem& item, int index, TimePoint now,
                            const ShortcutTexts& shortcuts,
                            std::optional<std::size_t> characterCount = std::nullopt,
                            std::optional<PixelSize> imageSize = std::nullopt);

  /// A long title is cut to this many characters (code points) for speech:
  /// a sighted user sees two lines of it.
  static constexpr std::size_t spokenTitleLength = 160;

  // Action names, the first being the default; the labels are the buttons'
  // tooltips.
  static constexpr std::string_view pasteAction = "paste";
  static constexpr std::string_view pinAction = "pin";
  static constexpr std::string_view unpinAction = "unpin";
  static constexpr std::string_view deleteAction = "delete";

  /// For example "ssh deploy@build-07, 19 characters, 7 seconds ago, Ctrl+2";
  /// an image reads "Image, 640 by 480 pixels, just now".
  std::string name;
  /// The keys that act on the row when it is selected.
  std::string description;
  /// pinAction or unpinAction, as the entry is pinned or not.
  std::string_view pinOrUnpinAction;
  /// "Pin" or "Unpin", the pin button's tooltip.
  std::string_view pinOrUnpinLabel;
};
