// The few texts and addresses that differ between the desktops we run on,
// as values a front end picks once and hands to the shell.
#pragma once

#include <string>
#include <string_view>

struct DesktopConventions {
  /// How the popup's global shortcut is written in menus.
  std::string hotKeyText;
  /// The system settings page where the user grants posting keystrokes;
  /// empty where there is none, and an alert explains instead.
  std::string accessibilitySettingsURL;
  /// How the paste keystroke is written in the paste flow's log lines.
  std::string pasteKeyText;
  /// Why no keystroke is posted when auto-paste is not allowed, for the log.
  std::string pasteBlockedReason;
  /// The status menu's item for auto-paste, when allowed and when not.
  std::string pasteAllowedTitle;
  std::string pasteBlockedTitle;
  /// The alert that item shows when auto-paste is allowed: message, details.
  std::string pasteAllowedAlert;
  std::string pasteAllowedAdvice;
  /// The alert it shows when auto-paste is not allowed and there is no
  /// settings page to open.
  std::string pasteBlockedAlert;
  std::string pasteBlockedAdvice;

  /// `appName` as System Settings lists it.
  static DesktopConventions macOS(std::string_view appName) {
    return {.hotKeyText = "⇧⌘V",
            .accessibilitySettingsURL =
                "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility",
            .pasteKeyText = "⌘V",
            .pasteBlockedReason = "Accessibility not granted",
            .pasteAllowedTitle = "Accessibility: granted ✓",
            .pasteBlockedTitle = "Enable Accessibility (for auto-paste)…",
            .pasteAllowedAlert = "Accessibility is already enabled ✓",
            .pasteAllowedAdvice = "Auto-paste should work. If it doesn't, toggle " +
                                  std::string(appName) +
                                  " off and on in System Settings → Privacy & Security → "
                                  "Accessibility.",
            .pasteBlockedAlert = {},
            .pasteBlockedAdvice = {}};
  }
  /// X11 has no permission to grant: the X server offers XTest or it does not.
  static DesktopConventions x11() {
    return {.hotKeyText = "Shift+Super+V",
            .accessibilitySettingsURL = {},
            .pasteKeyText = "Ctrl+V",
            .pasteBlockedReason = "the X server has no XTest extension",
            .pasteAllowedTitle = "Auto-paste: XTest available ✓",
            .pasteBlockedTitle = "Auto-paste unavailable (needs XTest)…",
            .pasteAllowedAlert = "Auto-paste is available ✓",
            .pasteAllowedAdvice =
                "Auto-paste sends Ctrl+V through the X server's XTest extension. If nothing "
                "is pasted, the window in front may ignore synthetic keystrokes; press Ctrl+V "
                "there yourself.",
            .pasteBlockedAlert = "Auto-paste is unavailable",
            .pasteBlockedAdvice =
                "Auto-paste needs the X server's XTest extension, which this display does not "
                "offer. A chosen entry is still put on the clipboard; press Ctrl+V to paste "
                "it."};
  }
  /// Wayland has no permission to grant: the compositor offers a virtual
  /// keyboard or fake input, or neither.
  static DesktopConventions wayland() {
    return {.hotKeyText = "Shift+Super+V",
            .accessibilitySettingsURL = {},
            .pasteKeyText = "Ctrl+V",
            .pasteBlockedReason = "the Wayland compositor offers no way to type keys",
            .pasteAllowedTitle = "Auto-paste: the compositor types Ctrl+V ✓",
            .pasteBlockedTitle = "Auto-paste unavailable (needs a virtual keyboard)…",
            .pasteAllowedAlert = "Auto-paste is available ✓",
            .pasteAllowedAdvice =
                "Auto-paste sends Ctrl+V through the compositor's virtual keyboard or fake "
                "input. If nothing is pasted, press Ctrl+V in the window yourself.",
            .pasteBlockedAlert = "Auto-paste is unavailable",
            .pasteBlockedAdvice =
                "Auto-paste needs a virtual keyboard (wlroots) or fake input (KDE), which this "
                "Wayland compositor does not offer. A chosen entry is still put on the "
                "clipboard; press Ctrl+V to paste it."};
  }
  /// A Wayland session's desktop portal types the keystroke once the user
  /// allows remote interaction in the desktop's dialog.
  static DesktopConventions remoteDesktopPortal() {
    DesktopConventions texts = x11();
    texts.pasteBlockedReason = "the desktop has not allowed remote interaction";
    texts.pasteAllowedTitle = "Auto-paste: remote interaction allowed ✓";
    texts.pasteBlockedTitle = "Auto-paste: allow remote interaction…";
    texts.pasteAllowedAdvice =
        "Auto-paste types Ctrl+V through the desktop portal's remote desktop. If nothing is "
        "pasted, press Ctrl+V in the window yourself.";
    texts.pasteBlockedAlert = "Auto-paste waits for your consent";
    texts.pasteBlockedAdvice =
        "Auto-paste types Ctrl+V through the desktop portal's remote desktop, which the desktop "
        "lets us use only once you allow remote interaction in its \"Remote desktop\" dialog. "
        "Until then a chosen entry is still put on the clipboard; press Ctrl+V to paste it.";
    return texts;
  }
};
