// A connection of its own, read whenever the compositor writes to it, so its
// announcements (titles change often) never pile up unread.
#include "platform/linux/wayland/WaylandToplevels.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace {

/// The first version with everything we read.
constexpr std::uint32_t wantedVersion = 2;

struct Globals {
  std::uint32_t manager = 0;
  std::uint32_t version = 0;
};

void onGlobal(void* data, wl_registry* /*registry*/, std::uint32_t name, const char* interface,
              std::uint32_t version) {
  if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
    *static_cast<Globals*>(data) = {name, version};
  }
}

void onGlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

using Handle = zwlr_foreign_toplevel_handle_v1;

}  // namespace

WaylandToplevels::WaylandToplevels(MainLoop& mainLoop) : display_(wl_display_connect(nullptr)) {
  if (display_ == nullptr) {
    return;
  }
  Globals globals;
  wl_registry* registry = wl_display_get_registry(display_);
  wl_registry_add_listener(registry, &registryListener, &globals);
  if (wl_display_roundtrip(display_) >= 0 && globals.manager != 0) {
    manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        wl_registry_bind(registry, globals.manager, &zwlr_foreign_toplevel_manager_v1_interface,
                         std::min(globals.version, wantedVersion)));
    static const zwlr_foreign_toplevel_manager_v1_listener listener = {onToplevel, onFinished};
    zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &listener, this);
  }
  wl_registry_destroy(registry);
  if (manager_ == nullptr || wl_display_roundtrip(display_) < 0) {
    return;
  }
  watch_ = mainLoop.watchReadable(wl_display_get_fd(display_), [this] { readEvents(); });
}

WaylandToplevels::~WaylandToplevels() {
  watch_.reset();
  if (display_ == nullptr) {
    return;
  }
  for (auto& [handle, toplevel] : toplevels_) {
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
  }
  if (manager_ != nullptr) {
    zwlr_foreign_toplevel_manager_v1_destroy(manager_);
  }
  wl_display_flush(display_);
  wl_display_disconnect(display_);
}

void WaylandToplevels::readEvents() {
  // A compositor that went away leaves nothing to read ever again.
  if (wl_display_dispatch(display_) < 0) {
    watch_.reset();
    toplevels_.clear();
  }
}

std::optional<std::string> WaylandToplevels::activeAppId() {
  if (!watch_ || wl_display_roundtrip(display_) < 0) {
    return std::nullopt;
  }
  for (const auto& [handle, toplevel] : toplevels_) {
    if (toplevel.activated && !toplevel.appId.empty()) {
      return toplevel.appId;
    }
  }
  return std::nullopt;
}

void WaylandToplevels::onToplevel(void* data, zwlr_foreign_toplevel_manager_v1* /*manager*/,
                                  Handle* handle) {
  auto* self = static_cast<WaylandToplevels*>(data);
  self->toplevels_[handle] = {};
  static const zwlr_foreign_toplevel_handle_v1_listener listener = {
      .title = [](void*, Handle*, const char*) {},
      .app_id =
          [](void* owner, Handle* toplevel, const char* appId) {
            static_cast<WaylandToplevels*>(owner)->toplevels_[toplevel].appId = appId;
          },
      .output_enter = [](void*, Handle*, wl_output*) {},
      .output_leave = [](void*, Handle*, wl_output*) {},
      .state =
          [](void* owner, Handle* toplevel, wl_array* states) {
            bool activated = false;
            const auto* state = static_cast<const std::uint32_t*>(states->data);
            for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i) {
              activated = activated || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
            }
            static_cast<WaylandToplevels*>(owner)->toplevels_[toplevel].activated = activated;
          },
      .done = [](void*, Handle*) {},
      .closed =
          [](void* owner, Handle* toplevel) {
            static_cast<WaylandToplevels*>(owner)->toplevels_.erase(toplevel);
            zwlr_foreign_toplevel_handle_v1_destroy(toplevel);
          },
  };
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, self);
}

void WaylandToplevels::onFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager) {
  auto* self = static_cast<WaylandToplevels*>(data);
  zwlr_foreign_toplevel_manager_v1_destroy(manager);
  self->manager_ = nullptr;
}
