// The terminals of a Debian desktop by the names their windows carry on X11
// and on Wayland.
#include "popup/PasteKeystroke.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

enum class Paste { clipboardKeys, primaryKeys };

// xterm binds no key to the clipboard by default, and Shift+Insert is the
// one key that pastes at all there (PRIMARY, then the cut buffer); rxvt-unicode
// is alike. The others paste the clipboard on Ctrl+Shift+V.
constexpr std::array<std::pair<std::string_view, Paste>, 16> terminals{{
    {"xterm", Paste::primaryKeys},
    {"uxterm", Paste::primaryKeys},
    {"urxvt", Paste::primaryKeys},
    {"gnome-terminal", Paste::clipboardKeys},
    {"gnome-terminal-server", Paste::clipboardKeys},
    {"org.gnome.terminal", Paste::clipboardKeys},
    {"org.gnome.console", Paste::clipboardKeys},
    {"konsole", Paste::clipboardKeys},
    {"org.kde.konsole", Paste::clipboardKeys},
    {"xfce4-terminal", Paste::clipboardKeys},
    {"org.xfce.terminal", Paste::clipboardKeys},
    {"foot", Paste::clipboardKeys},
    {"footclient", Paste::clipboardKeys},
    {"alacritty", Paste::clipboardKeys},
    {"kitty", Paste::clipboardKeys},
    {"terminator", Paste::clipboardKeys},
}};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

PasteKeystroke PasteKeystroke::usual() {
  return {.key = Key::v, .flags = commandFlag, .pastesPrimary = false, .name = {}};
}

PasteKeystroke PasteKeystroke::forWindowClass(const std::optional<std::string>& windowClass) {
  if (!windowClass) {
    return usual();
  }
  const std::string wanted = lowerCase(*windowClass);
  const auto* terminal =
      std::find_if(terminals.begin(), terminals.end(),
                   [&wanted](const auto& entry) { return entry.first == wanted; });
  if (terminal == terminals.end()) {
    return usual();
  }
  if (terminal->second == Paste::primaryKeys) {
    return {.key = Key::insert, .flags = shiftFlag, .pastesPrimary = true, .name = "Shift+Insert"};
  }
  return {.key = Key::v,
          .flags = commandFlag | shiftFlag,
          .pastesPrimary = false,
          .name = "Ctrl+Shift+V"};
}
