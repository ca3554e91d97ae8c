// Synthetic key events through the desktop portal's remote desktop, which
// reach whichever window has the focus, Wayland-native or X11. Any key and
// modifier flags the core asks for are translated to X keysyms; once the
// portal has failed or is missing, `fallback` (XTest) posts instead.
#pragma once

#include "platform/KeyEventPoster.h"

class RemoteDesktopKeyboard;

class PortalKeyEventPoster : public KeyEventPoster {
 public:
  /// Both must outlive this object; `fallback` may be null.
  PortalKeyEventPoster(RemoteDesktopKeyboard& keyboard, KeyEventPoster* fallback)
      : keyboard_(keyboard), fallback_(fallback) {}

  std::unique_ptr<Source> createSource(std::int32_t stateID) override;
  /// Nothing for a key code without an X keysym.
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                             bool keyDown) override;
  void post(std::uint32_t tap, Event& event) override;

 private:
  /// Whether the fallback posts, now that the portal will not.
  bool fallenBack() const;

  RemoteDesktopKeyboard& keyboard_;
  KeyEventPoster* fallback_;
};
