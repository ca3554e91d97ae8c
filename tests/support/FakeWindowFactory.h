// Builds FakeWindows and keeps every one it built. Records
// "windowFactory.createWindow(TITLE)".
#pragma once

#include <memory>
#include <vector>

#include "CallRecord.h"
#include "FakeWindow.h"
#include "platform/WindowFactory.h"

class FakeWindowFactory : public WindowFactory {
 public:
  std::unique_ptr<Window> createWindow(const WindowConfig& config, AboutView& rootView) override;

  /// Windows built so far, in order; valid while their owner keeps them.
  std::vector<FakeWindow*> windows;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
