// The few texts and addresses that differ between the desktops we run on,
// as values a front end picks once and hands to the shell.
#pragma once

#include <string>

struct DesktopConventions {
  /// How the popup's global shortcut is written in menus.
  std::string hotKeyText;
  /// The system settings page where the user grants posting keystrokes.
  std::string accessibilitySettingsURL;

  static DesktopConventions macOS() {
    return {"⇧⌘V", "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"};
  }
  /// The same settings address as on macOS: the Linux workspace maps it to
  /// whatever the desktop offers, or opens nothing.
  static DesktopConventions x11() {
    return {"Shift+Super+V",
            "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"};
  }
};
