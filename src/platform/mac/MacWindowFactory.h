// Builds the About window on macOS.
#pragma once

#include "platform/WindowFactory.h"

class MacWindowFactory : public WindowFactory {
 public:
  std::unique_ptr<Window> createWindow(const WindowConfig& config, AboutView& rootView) override;
};
