// A window that only remembers what it was asked. Records "window.center" and
// "window.makeKeyAndOrderFront".
#pragma once

#include <memory>

#include "CallRecord.h"
#include "platform/Window.h"
#include "platform/WindowConfig.h"

class AboutView;

class FakeWindow : public Window {
 public:
  FakeWindow(const WindowConfig& config, AboutView& rootView, std::shared_ptr<CallRecord> record);

  void center() override;
  void makeKeyAndOrderFront() override;
  /// The user clicks the close button: the window hides.
  void close() { visible_ = false; }

  const WindowConfig& config() const { return config_; }
  AboutView& rootView() const { return rootView_; }
  bool isVisible() const { return visible_; }

 private:
  WindowConfig config_;
  AboutView& rootView_;
  std::shared_ptr<CallRecord> record_;
  bool visible_ = false;
};
