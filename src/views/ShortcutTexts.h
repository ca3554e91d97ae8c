// The keyboard shortcuts as each platform writes them. Only these texts differ
// between the macOS and the Linux front end; every other text is shared.
#pragma once

#include <string>
#include <string_view>

struct ShortcutTexts {
  /// The global hot key, e.g. "⇧⌘V", as DesktopConventions spells it.
  std::string_view hotKey;
  /// The range of quick-paste keys, e.g. "⌘1–9".
  std::string_view quickPasteRange;
  /// Put before a row's digit, e.g. "⌘" for "⌘3".
  std::string_view quickPastePrefix;
  /// The same keys as a screen reader should say them, e.g. "Command-" for
  /// "Command-3".
  std::string_view spokenQuickPastePrefix;
  /// The keys that pin or unpin, and delete, the selected entry, as spoken.
  /// Neither is a key the search field would otherwise take for typing.
  std::string_view spokenPinKey;
  std::string_view spokenDeleteKey;

  /// The label of the quick-paste key for `digit` (1 to 9).
  std::string quickPasteLabel(int digit) const;
  /// The same, as a screen reader should say it.
  std::string spokenQuickPasteKey(int digit) const;

  static const ShortcutTexts& macOS();
  static const ShortcutTexts& linuxX11();
};
