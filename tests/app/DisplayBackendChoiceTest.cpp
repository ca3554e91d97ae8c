// The backend choice at start, Wayland protocols and paste paths against X11.
#include "app/DisplayBackendChoice.h"

#include <gtest/gtest.h>

#include <tuple>

#include "FakeDisplaySession.h"

namespace {

using Backend = DisplayBackendChoice::Backend;
using Protocol = DisplayBackendChoice::ClipboardProtocol;
using Paste = DisplayBackendChoice::PasteProtocol;

struct ChoiceCase {
  const char* name;
  std::map<std::string, std::string> environment;
  std::optional<std::vector<std::string>> globals;
  std::tuple<Backend, Protocol, Paste> chosen;
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
  const std::tuple x11{Backend::x11, Protocol::none, Paste::none};
  const std::string unset = "display backend: X11 (WAYLAND_DISPLAY is not set)";
  const std::string ext =
      "display backend: Wayland (the compositor offers ext_data_control_manager_v1)";
  const std::string portal =
      "paste: Ctrl+V through the desktop portal's RemoteDesktop, if it offers one (";
  const ChoiceCase cases[] = {
      {"X11 session", {{"DISPLAY", ":0"}}, std::nullopt, x11, {unset}},
      {"empty WAYLAND_DISPLAY", {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", ""}}, sway, x11, {unset}},
      {"unreachable compositor",
       {{"WAYLAND_DISPLAY", "wayland-9"}},
       std::nullopt,
       x11,
       {"display backend: X11 (cannot connect to the Wayland display wayland-9)"}},
      {"GNOME",
       {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}},
       gnome,
       {Backend::x11, Protocol::none, Paste::remoteDesktopPortal},
       {"display backend: X11 through XWayland (the Wayland compositor offers no data-control "
        "protocol: capture goes through its X11 bridge, and the hot key reaches X11 windows "
        "only)",
        portal + "XTest reaches X11 windows only)"}},
      {"wlroots",
       {{"WAYLAND_DISPLAY", "wayland-1"}},
       sway,
       {Backend::wayland, Protocol::wlrDataControl, Paste::virtualKeyboard},
       {"display backend: Wayland (the compositor offers zwlr_data_control_manager_v1)",
        "paste: Ctrl+V through zwp_virtual_keyboard_manager_v1"}},
      {"both protocols",
       {{"WAYLAND_DISPLAY", "wayland-1"}},
       both,
       {Backend::wayland, Protocol::extDataControl, Paste::remoteDesktopPortal},
       {ext, portal + "the compositor offers us neither a virtual keyboard nor fake input)"}},
      {"KDE Plasma",
       {{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "wayland-0"}},
       plasma,
       {Backend::wayland, Protocol::extDataControl, Paste::kdeFakeInput},
       {ext, "paste: Ctrl+V through org_kde_kwin_fake_input"}},
  };
  for (const ChoiceCase& test : cases) {
    SCOPED_TRACE(test.name);
    FakeDisplaySession session;
    session.environment = test.environment;
    session.globals = test.globals;
    const DisplayBackendChoice choice = DisplayBackendChoice::choose(session);
    EXPECT_EQ(std::tuple(choice.backend, choice.clipboard, choice.paste), test.chosen);
    EXPECT_EQ(choice.x11Available, test.environment.count("DISPLAY") == 1);
    // The compositor is asked only when a Wayland display is named.
    const auto named = test.environment.find("WAYLAND_DISPLAY");
    const bool asks = named != test.environment.end() && !named->second.empty();
    EXPECT_EQ(session.record->count("session.waylandGlobals"), asks ? 1 : 0);
    EXPECT_EQ(choice.logLines, test.logLines);
  }
}

}  // namespace
