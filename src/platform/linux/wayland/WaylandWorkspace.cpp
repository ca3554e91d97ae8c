// The compositor's word on the window in front, checked against XWayland's.
#include "platform/linux/wayland/WaylandWorkspace.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/linux/wayland/WaylandToplevels.h"

namespace {

class WaylandWindow : public RunningApplication {
 public:
  explicit WaylandWindow(std::string appId) : appId_(std::move(appId)) {}
  std::optional<std::string> localizedName() const override { return appId_; }
  std::optional<std::string> windowClass() const override { return appId_; }
  std::optional<int> processIdentifier() const override { return std::nullopt; }
  bool activate() override { return false; }

 private:
  std::string appId_;
};

}  // namespace

std::shared_ptr<RunningApplication> WaylandWorkspace::frontmostApplication() {
  std::shared_ptr<RunningApplication> xwayland = xwayland_.frontmostApplication();
  std::optional<std::string> appId = toplevels_.activeAppId();
  if (!appId || (xwayland && xwayland->windowClass() == appId)) {
    return xwayland;
  }
  return std::make_shared<WaylandWindow>(std::move(*appId));
}
