// Platform spellings of the popup's keyboard shortcuts.
#include "views/ShortcutTexts.h"

#include "app/Brand.h"
#include "platform/DesktopConventions.h"

std::string ShortcutTexts::quickPasteLabel(int digit) const {
  return std::string(quickPastePrefix) + std::to_string(digit);
}

// The hot key is spelled once, in DesktopConventions, for the status menu and
// the popup alike.
const ShortcutTexts& ShortcutTexts::macOS() {
  static const std::string hotKey = DesktopConventions::macOS(Brand::appName).hotKeyText;
  static const ShortcutTexts texts{hotKey, "⌘1–9", "⌘"};
  return texts;
}

const ShortcutTexts& ShortcutTexts::linuxX11() {
  static const std::string hotKey = DesktopConventions::x11().hotKeyText;
  static const ShortcutTexts texts{hotKey, "Ctrl+1–9", "Ctrl+"};
  return texts;
}
