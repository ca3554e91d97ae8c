// The other clients' windows as a wlroots compositor lists them through its
// foreign-toplevel protocol: which one has the focus, and its app id. Other
// compositors do not list them, and then nothing is known.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/MainLoop.h"

struct wl_display;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

class WaylandToplevels {
 public:
  /// Connects to the compositor named by WAYLAND_DISPLAY and reads its
  /// announcements on `mainLoop`, which must outlive this object.
  explicit WaylandToplevels(MainLoop& mainLoop);
  ~WaylandToplevels();
  WaylandToplevels(const WaylandToplevels&) = delete;
  WaylandToplevels& operator=(const WaylandToplevels&) = delete;

  bool available() const { return manager_ != nullptr; }
  /// The app id of the window with the focus, after a round trip so that a
  /// change of focus just made is known; nothing when no window has it,
  /// its app id is empty, or the compositor lists no windows.
  std::optional<std::string> activeAppId();

 private:
  struct Toplevel {
    std::string appId;
    bool activated = false;
  };

  static void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1* manager,
                         zwlr_foreign_toplevel_handle_v1* handle);
  static void onFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager);
  void readEvents();

  wl_display* display_ = nullptr;
  zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
  std::map<zwlr_foreign_toplevel_handle_v1*, Toplevel> toplevels_;
  std::unique_ptr<MainLoop::Watch> watch_;
};
