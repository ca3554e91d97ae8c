// The backend choice at start: Wayland only where a data-control protocol is
// offered, newest protocol first, typing the paste only where a virtual
// keyboard or fake input is offered; X11 with its reason everywhere else.
#include "app/DisplayBackendChoice.h"

#include <gtest/gtest.h>

#include "FakeDisplaySession.h"

namespace {

using Backend = DisplayBackendChoice::Backend;
using Protocol = DisplayBackendChoice::ClipboardProtocol;
using Paste = DisplayBackendChoice::PasteProtocol;

struct ChoiceCase {
  const char* name;
  std::map<std::string, std::string> environment;
  std::optional<std::vector<std::string>> globals;
  Backend backend;
  Protocol clipboard;
  Paste paste;
  bool asksCompositor;
  std::vector<std::string> logLines;
};

TEST(DisplayBackendChoiceTest, ChoosesWaylandOnlyWhereTheClipboardCanBeControlled) {
  const std::vector<std::string> gnome = {"wl_compositor", "wl_seat", "xdg_wm_base"};
  const std::vector<std::string> sway = {"wl_seat", "zwlr_data_control_manager_v1",
                                         "zwp_virtual_keyboard_manager_v1"};
  const std::vector<std::string> both = {"zwlr_data_control_manager_v1", "wl_seat",
                                         "ext_data_control_manager_v1"};
  const std::vector<std::string> plasma = {"wl_seat", "ext_data_control_manager_v1",
                                           "org_kde_kwin_fake_input"};
  const std::string hotKey =
      "hot key: left to the compositor's binding, which runs pellimore-clip to open the popup";
  const std::string noKeyboard =
      "paste: the compositor offers us neither a virtual keyboard nor fake input; a chosen "
      "entry is left on the clipboard, press Ctrl+V to paste it";
  const ChoiceCase cases[] = {
      {"X11 session",
       {{"DISPLAY", ":0"}},
       std::nullopt,
       Backend::x11,
       Protocol::none,
       Paste::none,
       false,
       {"display backend: X11 (WAYLAND_DISPLAY is not set)"}},
      {"empty WAYLAND_DISPLAY",
       {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}},
       sway,
       Backend::x11,
       Protocol::none,
       Paste::none,
       false,
       {"display backend: X11 (WAYLAND_DISPLAY is not set)"}},
      {"unreachable compositor",
       {{"WAYLAND_DISPLAY", "wayland-9"}},
       std::nullopt,
       Backend::x11,
       Protocol::none,
       Paste::none,
       true,
       {"display backend: X11 (cannot connect to the Wayland display wayland-9)"}},
      {"GNOME",
       {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}},
       gnome,
       Backend::x11,
       Protocol::none,
       Paste::none,
       true,
       {"display backend: X11 through XWayland (the Wayland compositor offers no data-control "
        "protocol: capture goes through its X11 bridge, and the hot key and paste reach X11 "
        "windows only)"}},
      {"wlroots",
       {{"WAYLAND_DISPLAY", "wayland-1"}},
       sway,
       Backend::wayland,
       Protocol::wlrDataControl,
       Paste::virtualKeyboard,
       true,
       {"display backend: Wayland (the compositor offers zwlr_data_control_manager_v1)", hotKey,
        "paste: Ctrl+V through zwp_virtual_keyboard_manager_v1"}},
      {"both protocols",
       {{"WAYLAND_DISPLAY", "wayland-1"}},
       both,
       Backend::wayland,
       Protocol::extDataControl,
       Paste::none,
       true,
       {"display backend: Wayland (the compositor offers ext_data_control_manager_v1)", hotKey,
        noKeyboard}},
      {"KDE Plasma",
       {{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "wayland-0"}},
       plasma,
       Backend::wayland,
       Protocol::extDataControl,
       Paste::kdeFakeInput,
       true,
       {"display backend: Wayland (the compositor offers ext_data_control_manager_v1)", hotKey,
        "paste: Ctrl+V through org_kde_kwin_fake_input"}},
  };
  for (const ChoiceCase& test : cases) {
    SCOPED_TRACE(test.name);
    FakeDisplaySession session;
    session.environment = test.environment;
    session.globals = test.globals;
    const DisplayBackendChoice choice = DisplayBackendChoice::choose(session);
    EXPECT_EQ(choice.backend, test.backend);
    EXPECT_EQ(choice.clipboard, test.clipboard);
    EXPECT_EQ(choice.paste, test.paste);
    EXPECT_EQ(choice.x11Available, test.environment.count("DISPLAY") == 1);
    EXPECT_EQ(session.record->count("session.waylandGlobals"), test.asksCompositor ? 1 : 0);
    EXPECT_EQ(choice.logLines, test.logLines);
  }
}

}  // namespace
