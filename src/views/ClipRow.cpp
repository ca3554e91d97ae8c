// Presentation of one history row.
#include "views/ClipRow.h"

#include "history/ClipboardStore.h"
#include "views/RelativeTime.h"
#include "views/UnicodeText.h"
#include "views/ViewMetrics.h"

namespace {

constexpr int quickPasteRows = 9;

// The title's leading part: only the start of a long text fits in two lines,
// and copying megabytes on every redraw would stall the list. Cut where a
// UTF-8 sequence begins, so no code point is split.
std::string titleFor(const ClipboardItem& item) {
  std::string storage;
  std::string_view title = item.displayText(storage);
  if (title.size() > ClipRow::maxTitleBytes) {
    std::size_t end = ClipRow::maxTitleBytes;
    while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80)
      --end;
    title = title.substr(0, end);
  }
  return std::string(title);
}

ChipTile tileFor(ClipboardItemKind kind) {
  switch (kind) {
    case ClipboardItemKind::text:
      return {ViewColor::secondary, "text.alignleft"};
    case ClipboardItemKind::rtf:
      return {ViewColor::purple, "doc.richtext.fill"};
    case ClipboardItemKind::image:
      return {ViewColor::green, "photo"};
    case ClipboardItemKind::files:
      return {ViewColor::orange, "folder.fill"};
  }
  return {ViewColor::secondary, "text.alignleft"};
}

RowButton pinButtonFor(bool pinned) {
  if (pinned)
    return {"pin.fill", ViewColor::green, "Unpin"};
  return {"pin", ViewColor::secondary, "Pin"};
}

RowBackground backgroundFor(const ClipRow::State& state) {
  if (state.selected)
    return {ViewColor::green, ViewMetrics::rowSelectedOpacity};
  if (state.hovering)
    return {ViewColor::green, ViewMetrics::rowHoverOpacity};
  return {ViewColor::clear, 0};
}

}  // namespace

ClipboardItemKind ClipRow::shownKind(const ClipboardItem& item) {
  if (item.kind == ClipboardItemKind::text && item.htmlData)
    return ClipboardItemKind::rtf;
  return item.kind;
}

std::string ClipRow::labelForKind(const ClipboardItem& item,
                                  std::optional<std::size_t> characterCount) {
  switch (shownKind(item)) {
    case ClipboardItemKind::text: {
      const std::size_t count = characterCount ? *characterCount
                                : item.text    ? UnicodeText::characterCount(*item.text)
                                               : 0;
      return std::to_string(count) + " chars";
    }
    case ClipboardItemKind::rtf:
      return "Rich text";
    case ClipboardItemKind::image:
      return "Image";
    case ClipboardItemKind::files: {
      const std::size_t count = item.filePaths ? item.filePaths->size() : 0;
      return std::to_string(count) + (count == 1 ? " file" : " files");
    }
  }
  return {};
}

ClipRow ClipRow::make(const ClipboardItem& item, State state, const ClipboardStore& store,
                      TimePoint now, const ShortcutTexts& shortcuts,
                      std::optional<std::size_t> characterCount) {
  ClipRow row;
  row.id = item.id;
  row.state = state;
  row.chip.tile = tileFor(shownKind(item));
  if (item.kind == ClipboardItemKind::image)
    row.chip.thumbnailPath = store.imageURL(item);
  row.title = titleFor(item);
  row.kindLabel = labelForKind(item, characterCount);
  row.age = relativeTime(item.createdAt, now);

  const bool hasQuickPaste = state.index >= 0 && state.index < quickPasteRows;
  if (hasQuickPaste)
    row.quickPasteDigit = state.index + 1;
  if (hasQuickPaste && !state.hovering && !item.pinned)
    row.quickPasteLabel = shortcuts.quickPasteLabel(state.index + 1);
  if (item.pinned || state.hovering)
    row.pinButton = pinButtonFor(item.pinned);
  if (state.hovering)
    row.deleteButton = RowButton{"xmark.circle.fill", ViewColor::secondary, "Delete"};
  row.background = backgroundFor(state);
  return row;
}
