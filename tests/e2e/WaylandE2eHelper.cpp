// The Wayland client the end-to-end test drives next to the app, with no
// window and no keyboard focus:
//   copy [--hint] TEXT  offers TEXT as plain text through wlroots' data-control
//                       protocol, with KDE's password hint when asked, until
//                       another client takes the clipboard over;
//   silent TEXT         offers TEXT as plain text and never writes a pipe;
//   keyboard            one virtual keyboard for the whole test, as a user has
//                       one: presses the key of each "NAME [MODIFIER...]" line
//                       read (XKB names), answering each with "done".
// Prints "serving" (copy, silent) or "ready" (keyboard) once set up.
#include <unistd.h>
#include <wayland-client.h>

#include <sys/mman.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace {

struct Owner {
  std::string text;
  bool silent = false;
  bool done = false;
  wl_seat* seat = nullptr;
  zwlr_data_control_manager_v1* manager = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
  std::vector<int> heldPipes;
};

void onGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t /*version*/) {
  auto& owner = *static_cast<Owner*>(data);
  if (std::strcmp(interface, wl_seat_interface.name) == 0 && owner.seat == nullptr) {
    owner.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
    owner.manager = static_cast<zwlr_data_control_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
  } else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0) {
    owner.keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  }
}

void onGlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

void onSend(void* data, zwlr_data_control_source_v1* /*source*/, const char* /*type*/,
            std::int32_t fd) {
  auto& owner = *static_cast<Owner*>(data);
  if (owner.silent) {
    // Held open and never written: the reader must give up on its own.
    owner.heldPipes.push_back(fd);
    return;
  }
  (void)!write(fd, owner.text.data(), owner.text.size());
  close(fd);
}

void onCancelled(void* data, zwlr_data_control_source_v1* /*source*/) {
  static_cast<Owner*>(data)->done = true;
}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};
const zwlr_data_control_source_v1_listener sourceListener = {onSend, onCancelled};

/// A US keyboard typing what stdin asks for, key by key.
class Keyboard {
 public:
  Keyboard(wl_display* display, zwp_virtual_keyboard_v1* keyboard)
      : display_(display), keyboard_(keyboard) {}
  ~Keyboard() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
  }
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  bool sendKeymap() {
    context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    keymap_ = context_ != nullptr
                  ? xkb_keymap_new_from_names(context_, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS)
                  : nullptr;
    char* text =
        keymap_ != nullptr ? xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
    if (text == nullptr) {
      return false;
    }
    const std::size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("e2e-keymap", MFD_CLOEXEC);
    const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
    std::free(text);  // NOLINT: xkbcommon allocates with malloc
    if (written) {
      zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                     static_cast<std::uint32_t>(size));
    }
    if (fd >= 0) {
      close(fd);
    }
    return written && wl_display_roundtrip(display_) >= 0;
  }

  /// Presses and releases the key that types `name` (an XKB keysym name)
  /// unshifted while `modifiers` (XKB modifier names) are held.
  bool press(const std::string& name, const std::vector<std::string>& modifiers) {
    const xkb_keysym_t keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    std::uint32_t mask = 0;
    for (const std::string& modifier : modifiers) {
      const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap_, modifier.c_str());
      if (index == XKB_MOD_INVALID) {
        return false;
      }
      mask |= 1U << index;
    }
    for (xkb_keycode_t code = xkb_keymap_min_keycode(keymap_);
         code <= xkb_keymap_max_keycode(keymap_); ++code) {
      const xkb_keysym_t* syms = nullptr;
      const int count = xkb_keymap_key_get_syms_by_level(keymap_, code, 0, 0, &syms);
      if (keysym == XKB_KEY_NoSymbol || count != 1 || syms[0] != keysym) {
        continue;
      }
      // Evdev codes sit 8 below XKB's keycodes.
      zwp_virtual_keyboard_v1_modifiers(keyboard_, mask, 0, 0, 0);
      zwp_virtual_keyboard_v1_key(keyboard_, ++time_, code - 8, 1);
      zwp_virtual_keyboard_v1_key(keyboard_, ++time_, code - 8, 0);
      zwp_virtual_keyboard_v1_modifiers(keyboard_, 0, 0, 0, 0);
      return wl_display_roundtrip(display_) >= 0;
    }
    return false;
  }

 private:
  wl_display* display_;
  zwp_virtual_keyboard_v1* keyboard_;
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  /// Milliseconds, which only have to grow.
  std::uint32_t time_ = 0;
};

int runKeyboard(wl_display* display, Owner& globals) {
  if (globals.keyboards == nullptr) {
    return 1;
  }
  Keyboard keyboard(display, zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
                                 globals.keyboards, globals.seat));
  if (!keyboard.sendKeymap()) {
    return 1;
  }
  (void)std::puts("ready");
  (void)std::fflush(stdout);
  for (std::string line; std::getline(std::cin, line);) {
    std::istringstream words(line);
    const std::vector<std::string> names{std::istream_iterator<std::string>(words), {}};
    const bool pressed =
        !names.empty() && keyboard.press(names[0], {names.begin() + 1, names.end()});
    (void)std::puts(pressed ? "done" : "failed");
    (void)std::fflush(stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  Owner owner;
  bool hint = false;
  if (args.size() == 1 && args[0] == "keyboard") {
    // Set up below, once the globals are known.
  } else if (args.size() == 2 && (args[0] == "copy" || args[0] == "silent")) {
    owner.silent = args[0] == "silent";
  } else if (args.size() == 3 && args[0] == "copy" && args[1] == "--hint") {
    hint = true;
  } else {
    (void)std::fputs(
        "usage: pellimore_wayland_e2e_helper copy [--hint] TEXT | silent TEXT | keyboard\n",
        stderr);
    return 2;
  }
  owner.text = args.empty() ? std::string() : args.back();
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    return 1;
  }
  wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &owner);
  if (wl_display_roundtrip(display) < 0 || owner.seat == nullptr) {
    return 1;
  }
  if (args[0] == "keyboard") {
    const int status = runKeyboard(display, owner);
    wl_display_disconnect(display);
    return status;
  }
  if (owner.manager == nullptr) {
    return 1;
  }
  zwlr_data_control_device_v1* device =
      zwlr_data_control_manager_v1_get_data_device(owner.manager, owner.seat);
  zwlr_data_control_source_v1* source =
      zwlr_data_control_manager_v1_create_data_source(owner.manager);
  zwlr_data_control_source_v1_add_listener(source, &sourceListener, &owner);
  for (const char* type : {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING"}) {
    zwlr_data_control_source_v1_offer(source, type);
  }
  if (hint) {
    zwlr_data_control_source_v1_offer(source, "x-kde-passwordManagerHint");
  }
  zwlr_data_control_device_v1_set_selection(device, source);
  if (wl_display_roundtrip(display) < 0) {
    return 1;
  }
  (void)std::puts("serving");
  (void)std::fflush(stdout);
  while (!owner.done && wl_display_dispatch(display) >= 0) {
  }
  for (int fd : owner.heldPipes) {
    close(fd);
  }
  wl_display_disconnect(display);
  return 0;
}
