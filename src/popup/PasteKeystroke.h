// Which keystroke pastes in the window in front. Terminals keep Ctrl+V for
// the shell ("insert the next key literally"), so each has its own paste key;
// everything else takes the platform's usual one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct PasteKeystroke {
  enum class Key { v, insert };

  Key key = Key::v;
  /// Core Graphics flags; Command stands for Control on Linux.
  std::uint64_t flags = 0;
  /// The key pastes the PRIMARY selection rather than the clipboard, so the
  /// entry's text has to be put there as well.
  bool pastesPrimary = false;
  /// How the log writes it; empty for the platform's usual paste key.
  std::string name;

  /// Shift+Insert on a PC keyboard; macOS calls that key Help.
  static constexpr std::uint16_t virtualKeyInsert = 114;
  static constexpr std::uint64_t shiftFlag = 0x20000;
  static constexpr std::uint64_t commandFlag = 0x100000;

  /// The platform's paste key: Command-V (Ctrl+V on Linux).
  static PasteKeystroke usual();
  /// For a window's class (WM_CLASS on X11) or app id (Wayland), compared
  /// without regard to case; the usual one for anything not known to be a
  /// terminal, or when the platform cannot tell.
  static PasteKeystroke forWindowClass(const std::optional<std::string>& windowClass);
};
