// Platform spellings of the popup's keyboard shortcuts.
#include "views/ShortcutTexts.h"

std::string ShortcutTexts::quickPasteLabel(int digit) const {
  return std::string(quickPastePrefix) + std::to_string(digit);
}

const ShortcutTexts& ShortcutTexts::macOS() {
  static const ShortcutTexts texts{"⇧⌘V", "⌘1–9", "⌘"};
  return texts;
}

const ShortcutTexts& ShortcutTexts::linuxX11() {
  static const ShortcutTexts texts{"Shift+Super+V", "Ctrl+1–9", "Ctrl+"};
  return texts;
}
