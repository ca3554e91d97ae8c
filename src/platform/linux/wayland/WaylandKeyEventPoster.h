// Synthetic key events through the compositor: wlroots' virtual-keyboard
// protocol (a keyboard of our own on the seat, with a US keymap that
// xkbcommon writes, whose modifier state travels with its keys), or KWin's
// fake-input protocol (keys pressed as on KWin's own keyboard, modifiers
// included). Either way the events go to whichever window has the focus.
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
  enum class Protocol { virtualKeyboard, kdeFakeInput };

  static constexpr const char* virtualKeyboardInterface = "zwp_virtual_keyboard_manager_v1";
  static constexpr const char* kdeFakeInputInterface = "org_kde_kwin_fake_input";

  /// Connects to the compositor named by WAYLAND_DISPLAY; unavailable when
  /// it does not offer `protocol` to us.
  explicit WaylandKeyEventPoster(Protocol protocol);
  ~WaylandKeyEventPoster() override;
  WaylandKeyEventPoster(const WaylandKeyEventPoster&) = delete;
  WaylandKeyEventPoster& operator=(const WaylandKeyEventPoster&) = delete;

  bool available() const { return ready_; }

  std::unique_ptr<Source> createSource(std::int32_t stateID) override;
  /// Nothing for a key the keymap cannot type, or when unavailable.
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                             bool keyDown) override;
  void post(std::uint32_t tap, Event& event) override;

 private:
  bool connect();
  bool loadKeymap();
  bool sendKeymap();
  /// The evdev code of the key that types `keysym` unshifted; 0 when none.
  std::uint32_t keyFor(unsigned long keysym) const;
  /// The keymap's modifier mask for Core Graphics `flags`.
  std::uint32_t modifierMask(std::uint64_t flags) const;
  void postFakeInput(std::uint32_t key, bool keyDown, std::uint64_t flags);

  const Protocol protocol_;
  bool ready_ = false;
  wl_display* display_ = nullptr;
  wl_proxy* seat_ = nullptr;
  /// The virtual-keyboard manager, or the fake-input object itself.
  wl_proxy* manager_ = nullptr;
  wl_proxy* keyboard_ = nullptr;
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
};
