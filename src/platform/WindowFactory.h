// Builds the About window; the one place a backend's window classes for it
// are created.
#pragma once

#include <memory>

#include "platform/Window.h"
#include "platform/WindowConfig.h"

class AboutView;

class WindowFactory {
 public:
  virtual ~WindowFactory() = default;
  /// A hidden window with every property of `config`, hosting `rootView` in
  /// a content view of frame `config.contentRect`. `rootView` must outlive
  /// the window.
  virtual std::unique_ptr<Window> createWindow(const WindowConfig& config, AboutView& rootView) = 0;
};
