// Recording workspace substitute.
#include "FakeWorkspace.h"

#include <utility>

std::shared_ptr<RunningApplication> FakeWorkspace::frontmostApplication() {
  record->add("workspace.frontmostApplication");
  return frontmost;
}

bool FakeWorkspace::openURL(const std::string& url) {
  record->add("workspace.openURL(" + url + ")");
  openedURLs.push_back(url);
  return openSucceeds;
}

std::shared_ptr<FakeRunningApplication> FakeWorkspace::bringToFront(
    std::optional<std::string> name) {
  frontmost = std::make_shared<FakeRunningApplication>(std::move(name), record);
  return frontmost;
}
