// The desktop through AppKit's NSWorkspace.
#pragma once

#include "platform/Workspace.h"

class MacWorkspace : public Workspace {
 public:
  std::shared_ptr<RunningApplication> frontmostApplication() override;
  bool openURL(const std::string& url) override;
};
