// An ordinary titled window on macOS (the About window), built from a
// WindowConfig and hosting the About content.
#pragma once

#include <memory>

#include "platform/Window.h"
#include "platform/WindowConfig.h"

class AboutView;

class MacWindow : public Window {
 public:
  /// Applies every property of `config`; `view` must outlive the window.
  MacWindow(const WindowConfig& config, AboutView& view);
  /// Closes the window.
  ~MacWindow() override;
  MacWindow(const MacWindow&) = delete;
  MacWindow& operator=(const MacWindow&) = delete;

  void center() override;
  void makeKeyAndOrderFront() override;
  void setOnClose(std::function<void()> onClose) override;

  /// The Objective-C side; defined in MacWindow.mm.
  struct Native;

 private:
  std::unique_ptr<Native> native_;
};
