// Platform spellings of the popup's keyboard shortcuts.
#include "views/ShortcutTexts.h"

#include "app/Brand.h"
#include "platform/DesktopConventions.h"

std::string ShortcutTexts::quickPasteLabel(int digit) const {
  return std::string(quickPastePrefix) + std::to_string(digit);
}

std::string ShortcutTexts::spokenQuickPasteKey(int digit) const {
  return std::string(spokenQuickPastePrefix) + std::to_string(digit);
}

// The hot key is spelled once, in DesktopConventions, for the status menu and
// the popup alike. On a Mac, Command-Delete deletes the selected item (Finder,
// Mail, Photos); on Linux, Shift+Delete removes an entry from the suggestions
// under a text field (the browsers' address bars), which is what the popup is.
const ShortcutTexts& ShortcutTexts::macOS() {
  static const std::string hotKey = DesktopConventions::macOS(Brand::appName).hotKeyText;
  static const ShortcutTexts texts{hotKey, "⌘1–9", "⌘", "Command-", "Command-P", "Command-Delete"};
  return texts;
}

const ShortcutTexts& ShortcutTexts::linuxX11() {
  static const std::string hotKey = DesktopConventions::x11().hotKeyText;
  static const ShortcutTexts texts{hotKey, "Ctrl+1–9", "Ctrl+", "Ctrl+", "Ctrl+P", "Shift+Delete"};
  return texts;
}
