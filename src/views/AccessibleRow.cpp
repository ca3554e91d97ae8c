// Spoken names of history rows.
#include "views/AccessibleRow.h"

#include "views/ClipRow.h"
#include "views/RelativeTime.h"
#include "views/UnicodeText.h"

namespace {

constexpr int quickPasteRows = 9;

bool startsCodePoint(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// Line breaks and tabs read as pauses at best; a title is spoken as one line.
std::string spokenTitle(std::string_view title) {
  std::string spoken;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < title.size(); ++i) {
    if (startsCodePoint(title[i]) && characters++ == AccessibleRow::spokenTitleLength)
      return spoken + "…";
    const char byte = title[i];
    spoken += byte == '\n' || byte == '\r' || byte == '\t' ? ' ' : byte;
  }
  return spoken;
}

std::string counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace

AccessibleRow AccessibleRow::make(const ClipboardItem& item, int index, TimePoint now,
                                  const ShortcutTexts& shortcuts,
                                  std::optional<std::size_t> characterCount,
                                  std::optional<PixelSize> imageSize) {
  std::string storage;
  const std::string_view title = item.displayText(storage);
  std::string name;
  switch (ClipRow::shownKind(item)) {
    case ClipboardItemKind::text: {
      const std::size_t count = characterCount ? *characterCount
                                : item.text    ? UnicodeText::characterCount(*item.text)
                                               : 0;
      name = spokenTitle(title) + ", " + counted(count, "character");
      break;
    }
    case ClipboardItemKind::rtf:
      name = spokenTitle(title) + ", Rich text";
      break;
    case ClipboardItemKind::image:
      // The title of an image is the word the kind would add.
      name = "Image";
      if (imageSize) {
        name += ", " + std::to_string(imageSize->width) + " by " +
                std::to_string(imageSize->height) + " pixels";
      }
      break;
    case ClipboardItemKind::files:
      name =
          spokenTitle(title) + ", " + counted(item.filePaths ? item.filePaths->size() : 0, "file");
      break;
  }
  name += ", " + spokenRelativeTime(item.createdAt, now);
  if (item.pinned)
    name += ", pinned";
  if (index >= 0 && index < quickPasteRows)
    name += ", " + shortcuts.spokenQuickPasteKey(index + 1);

  AccessibleRow row;
  row.name = std::move(name);
  row.pinOrUnpinAction = item.pinned ? unpinAction : pinAction;
  row.pinOrUnpinLabel = item.pinned ? "Unpin" : "Pin";
  row.description = "Return pastes it, " + std::string(shortcuts.spokenPinKey) +
                    (item.pinned ? " unpins it, " : " pins it, ") +
                    std::string(shortcuts.spokenDeleteKey) + " deletes it.";
  return row;
}
