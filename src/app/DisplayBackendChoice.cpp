// The backend choice, kept apart from the connection so that every branch is
// tested against a substitute session.
#include "app/DisplayBackendChoice.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/DisplaySession.h"

namespace {

bool offers(const std::vector<std::string>& globals, const char* interface) {
  return std::find(globals.begin(), globals.end(), interface) != globals.end();
}

bool isSet(const std::optional<std::string>& value) {
  return value.has_value() && !value->empty();
}

void choosePortal(DisplayBackendChoice& choice, const std::string& reason) {
  choice.paste = DisplayBackendChoice::PasteProtocol::remoteDesktopPortal;
  choice.logLines.push_back(
      "paste: Ctrl+V through the desktop portal's RemoteDesktop, if it "
      "offers one (" +
      reason + ")");
}

}  // namespace

DisplayBackendChoice DisplayBackendChoice::choose(DisplaySession& session) {
  DisplayBackendChoice choice;
  choice.x11Available = isSet(session.environmentVariable("DISPLAY"));
  const std::optional<std::string> waylandDisplay = session.environmentVariable("WAYLAND_DISPLAY");
  if (!isSet(waylandDisplay)) {
    choice.logLines.emplace_back("display backend: X11 (WAYLAND_DISPLAY is not set)");
    if (session.environmentVariable("XDG_SESSION_TYPE") == "wayland") {
      choosePortal(choice, "the session is Wayland");
    }
    return choice;
  }
  const std::optional<std::vector<std::string>> globals = session.waylandGlobals();
  if (!globals) {
    choice.logLines.push_back("display backend: X11 (cannot connect to the Wayland display " +
                              *waylandDisplay + ")");
    return choice;
  }
  if (offers(*globals, extDataControlManager)) {
    choice.clipboard = ClipboardProtocol::extDataControl;
  } else if (offers(*globals, wlrDataControlManager)) {
    choice.clipboard = ClipboardProtocol::wlrDataControl;
  } else {
    // GNOME's case: no clipboard protocol for managers, so XWayland's bridge
    // is the only way to see other programs' copies.
    choice.logLines.emplace_back(
        "display backend: X11 through XWayland (the Wayland compositor offers no data-control "
        "protocol: capture goes through its X11 bridge, and the hot key reaches X11 windows "
        "only)");
    choosePortal(choice, "XTest reaches X11 windows only");
    return choice;
  }
  choice.backend = Backend::wayland;
  const char* manager = choice.clipboard == ClipboardProtocol::extDataControl
                            ? extDataControlManager
                            : wlrDataControlManager;
  choice.logLines.push_back(std::string("display backend: Wayland (the compositor offers ") +
                            manager + ")");
  if (offers(*globals, virtualKeyboardManager)) {
    choice.paste = PasteProtocol::virtualKeyboard;
    choice.logLines.push_back(std::string("paste: Ctrl+V through ") + virtualKeyboardManager);
  } else if (offers(*globals, kdeFakeInput)) {
    choice.paste = PasteProtocol::kdeFakeInput;
    choice.logLines.push_back(std::string("paste: Ctrl+V through ") + kdeFakeInput);
  } else {
    choosePortal(choice, "the compositor offers us neither a virtual keyboard nor fake input");
  }
  return choice;
}
