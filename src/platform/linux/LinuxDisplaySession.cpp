// The registry's announcements all arrive before the first round trip ends,
// so one round trip lists every global.
#include "platform/linux/LinuxDisplaySession.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstdlib>

namespace {

void onGlobal(void* data, wl_registry* /*registry*/, std::uint32_t /*name*/, const char* interface,
              std::uint32_t /*version*/) {
  static_cast<std::vector<std::string>*>(data)->emplace_back(interface);
}

void onGlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

constexpr wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

}  // namespace

std::optional<std::string> LinuxDisplaySession::environmentVariable(const std::string& name) const {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) {
    return std::nullopt;
  }
  return std::string(value);
}

std::optional<std::vector<std::string>> LinuxDisplaySession::waylandGlobals() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) {
    return std::nullopt;
  }
  std::vector<std::string> globals;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registryListener, &globals);
  const bool answered = wl_display_roundtrip(display) >= 0;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  if (!answered) {
    return std::nullopt;
  }
  return globals;
}
