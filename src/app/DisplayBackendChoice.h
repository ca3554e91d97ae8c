// Which of the Linux backends runs, decided once at start from what the
// session offers: Wayland where a data-control protocol lets us watch and set
// the clipboard without the focus, X11 (directly or through XWayland)
// everywhere else. The reasons go to the debug log, once each.
#pragma once

#include <string>
#include <vector>

class DisplaySession;

struct DisplayBackendChoice {
  enum class Backend { x11, wayland };
  /// The data-control protocols, newest first; both carry the same requests
  /// and events under different names.
  enum class ClipboardProtocol { none, extDataControl, wlrDataControl };
  /// How the paste keystroke is typed where XTest would not do: the Wayland
  /// backend's protocols, preferred first, else the desktop portal's remote
  /// desktop, which a Wayland session's X11 backend uses too (XTest reaches
  /// X11 windows only). With none, XTest types it on X11.
  enum class PasteProtocol { none, virtualKeyboard, kdeFakeInput, remoteDesktopPortal };

  static constexpr const char* extDataControlManager = "ext_data_control_manager_v1";
  static constexpr const char* wlrDataControlManager = "zwlr_data_control_manager_v1";
  static constexpr const char* virtualKeyboardManager = "zwp_virtual_keyboard_manager_v1";
  /// KWin offers it only to programs whose desktop entry asks for it.
  static constexpr const char* kdeFakeInput = "org_kde_kwin_fake_input";

  Backend backend = Backend::x11;
  ClipboardProtocol clipboard = ClipboardProtocol::none;
  PasteProtocol paste = PasteProtocol::none;
  /// Whether the X11 backend can start at all: DISPLAY names a server.
  bool x11Available = false;
  /// Debug-log lines that explain the choice, in order.
  std::vector<std::string> logLines;

  /// Asks `session` for the compositor's globals only when WAYLAND_DISPLAY
  /// is set.
  static DisplayBackendChoice choose(DisplaySession& session);
};
