// The paste key by window class: terminals by their X11 classes and Wayland
// app ids, whatever the case; everything else keeps the usual key.
#include "popup/PasteKeystroke.h"

#include <gtest/gtest.h>

namespace {

TEST(PasteKeystrokeTest, TerminalsPasteWithTheirOwnKeysAndOthersWithTheUsualOne) {
  const std::pair<std::vector<std::optional<std::string>>, std::string> cases[] = {
      {{"XTerm", "URxvt"}, "Shift+Insert 1 20000 primary"},
      {{"Gnome-terminal", "org.gnome.Terminal", "konsole", "org.kde.konsole", "Xfce4-terminal",
        "foot", "footclient", "Alacritty", "kitty"},
       "Ctrl+Shift+V 0 120000 clipboard"},
      {{"Mousepad", "xterm-like", "", std::nullopt}, " 0 100000 clipboard"},
  };
  for (const auto& [classes, expected] : cases) {
    for (const std::optional<std::string>& windowClass : classes) {
      const PasteKeystroke keys = PasteKeystroke::forWindowClass(windowClass);
      std::ostringstream described;
      described << keys.name << ' ' << static_cast<int>(keys.key) << ' ' << std::hex << keys.flags
                << (keys.pastesPrimary ? " primary" : " clipboard");
      EXPECT_EQ(described.str(), expected) << windowClass.value_or("unknown");
    }
  }
}

}  // namespace
