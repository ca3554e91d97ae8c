// A workspace whose frontmost application the test sets; records queries.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CallRecord.h"
#include "FakeRunningApplication.h"
#include "platform/Workspace.h"

class FakeWorkspace : public Workspace {
 public:
  std::shared_ptr<RunningApplication> frontmostApplication() override;
  bool openURL(const std::string& url) override;

  /// Makes a new application with `name` frontmost, sharing this record.
  std::shared_ptr<FakeRunningApplication> bringToFront(std::optional<std::string> name);

  std::shared_ptr<FakeRunningApplication> frontmost;
  /// What openURL answers.
  bool openSucceeds = true;
  std::vector<std::string> openedURLs;
  /// Records "workspace.frontmostApplication" and "workspace.openURL(URL)".
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
