// The paste key by window class: terminals by their X11 classes and Wayland
// app ids, whatever the case; everything else keeps the usual key.
#include "popup/PasteKeystroke.h"

#include <gtest/gtest.h>

namespace {

TEST(PasteKeystrokeTest, TerminalsPasteWithTheirOwnKeysAndOthersWithTheUsualOne) {
  using Key = PasteKeystroke::Key;
  constexpr std::uint64_t ctrlShift = 0x100000 | 0x20000;
  struct Case {
    std::optional<std::string> windowClass;
    Key key;
    std::uint64_t flags;
    bool primary;
    const char* name;
  };
  const Case cases[] = {
      {"XTerm", Key::insert, 0x20000, true, "Shift+Insert"},
      {"URxvt", Key::insert, 0x20000, true, "Shift+Insert"},
      {"Gnome-terminal", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"org.gnome.Terminal", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"konsole", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"org.kde.konsole", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"Xfce4-terminal", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"foot", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"footclient", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"Alacritty", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"kitty", Key::v, ctrlShift, false, "Ctrl+Shift+V"},
      {"Mousepad", Key::v, 0x100000, false, ""},
      {"xterm-like", Key::v, 0x100000, false, ""},
      {"", Key::v, 0x100000, false, ""},
      {std::nullopt, Key::v, 0x100000, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.windowClass.value_or("unknown"));
    const PasteKeystroke keystroke = PasteKeystroke::forWindowClass(c.windowClass);
    EXPECT_EQ(keystroke.key, c.key);
    EXPECT_EQ(keystroke.flags, c.flags);
    EXPECT_EQ(keystroke.pastesPrimary, c.primary);
    EXPECT_EQ(keystroke.name, c.name);
  }
}

}  // namespace
