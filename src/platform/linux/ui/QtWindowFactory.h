// Builds the About window on Linux.
#pragma once

#include "platform/WindowFactory.h"

class QtWindowFactory : public WindowFactory {
 public:
  std::unique_ptr<Window> createWindow(const WindowConfig& config, AboutView& rootView) override;
};
