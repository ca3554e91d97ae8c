// A Wayland clipboard owner the end-to-end test drives next to the app,
// taking the selection through wlroots' data-control protocol so that it
// needs no window and no keyboard focus:
//   copy [--hint] TEXT  offers TEXT as plain text, with KDE's password hint
//                       when asked, and serves it until another client
//                       takes the clipboard over;
//   silent TEXT         offers TEXT as plain text and never writes a pipe.
// Prints "serving" once the compositor has the selection.
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace {

struct Owner {
  std::string text;
  bool silent = false;
  bool done = false;
  wl_seat* seat = nullptr;
  zwlr_data_control_manager_v1* manager = nullptr;
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

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  Owner owner;
  bool hint = false;
  if (args.size() == 2 && (args[0] == "copy" || args[0] == "silent")) {
    owner.silent = args[0] == "silent";
  } else if (args.size() == 3 && args[0] == "copy" && args[1] == "--hint") {
    hint = true;
  } else {
    (void)std::fputs("usage: pellimore_wayland_copy_helper copy [--hint] TEXT | silent TEXT\n",
                     stderr);
    return 2;
  }
  owner.text = args.back();
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    return 1;
  }
  wl_registry_add_listener(wl_display_get_registry(display), &registryListener, &owner);
  if (wl_display_roundtrip(display) < 0 || owner.seat == nullptr || owner.manager == nullptr) {
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
