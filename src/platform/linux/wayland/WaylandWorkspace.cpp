// The compositor's word on the window in front, checked against XWayland's.
#include "platform/linux/wayland/WaylandWorkspace.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/linux/wayland/WaylandToplevels.h"

namespace {

class WaylandWindow : public RunningApplication {
 public:
  WaylandWindow(std::string appId, WaylandToplevels& toplevels)
      : appId_(std::move(appId)), toplevels_(toplevels) {}
  std::optional<std::string> localizedName() const override { return appId_; }
  std::optional<std::string> windowClass() const override { return appId_; }
  std::optional<int> processIdentifier() const override { return std::nullopt; }
  bool isActive() const override { return toplevels_.activeAppId() == appId_; }
  bool activate() override { return false; }

 private:
  std::string appId_;
  WaylandToplevels& toplevels_;
};

}  // namespace

std::shared_ptr<RunningApplication> WaylandWorkspace::frontmostApplication() {
  std::shared_ptr<RunningApplication> xwayland = xwayland_.frontmostApplication();
  std::optional<std::string> appId = toplevels_.activeAppId();
  if (!appId || (xwayland && xwayland->windowClass() == appId)) {
    return xwayland;
  }
  return std::make_shared<WaylandWindow>(std::move(*appId), toplevels_);
}
