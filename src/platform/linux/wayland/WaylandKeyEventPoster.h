// Synthetic key events through the virtual-keyboard protocol of wlroots'
// compositors: a keyboard of our own on the seat, with a US keymap that
// xkbcommon writes, whose events go to whichever window has the focus. A
// flag on a macOS event is a state, and so is the protocol's modifier mask,
// so no modifier key is pressed.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/KeyEventPoster.h"

struct wl_display;
struct wl_proxy;
struct xkb_context;
struct xkb_keymap;

class WaylandKeyEventPoster : public KeyEventPoster {
 public:
  static constexpr const char* managerInterface = "zwp_virtual_keyboard_manager_v1";

  /// Connects to the compositor named by WAYLAND_DISPLAY; unavailable when
  /// it offers no virtual keyboard.
  WaylandKeyEventPoster();
  ~WaylandKeyEventPoster() override;
  WaylandKeyEventPoster(const WaylandKeyEventPoster&) = delete;
  WaylandKeyEventPoster& operator=(const WaylandKeyEventPoster&) = delete;

  bool available() const { return keyboard_ != nullptr; }

  std::unique_ptr<Source> createSource(std::int32_t stateID) override;
  /// Nothing for a key the keymap cannot type, or when unavailable.
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                             bool keyDown) override;
  void post(std::uint32_t tap, Event& event) override;

 private:
  bool connect();
  bool sendKeymap();
  /// The evdev code of the key that types `keysym` unshifted; 0 when none.
  std::uint32_t keyFor(std::uint32_t keysym) const;
  /// The keymap's modifier mask for Core Graphics `flags`.
  std::uint32_t modifierMask(std::uint64_t flags) const;

  wl_display* display_ = nullptr;
  wl_proxy* seat_ = nullptr;
  wl_proxy* manager_ = nullptr;
  wl_proxy* keyboard_ = nullptr;
  std::uint32_t seatName_ = 0;
  std::uint32_t managerName_ = 0;
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
};
