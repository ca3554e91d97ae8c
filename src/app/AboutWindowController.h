// Owns the About window: built on the first show, then kept and brought back
// by every later show, wherever the user left it.
#pragma once

#include <memory>

#include "app/AboutView.h"
#include "platform/Window.h"
#include "platform/WindowConfig.h"
#include "popup/PreviousApplication.h"

class Application;
class ResourceBundle;
class WindowFactory;
class Workspace;

class AboutWindowController {
 public:
  /// Creates no window yet.
  AboutWindowController(WindowFactory& windowFactory, Application& application,
                        const ResourceBundle& bundle, Workspace& workspace);
  AboutWindowController(const AboutWindowController&) = delete;
  AboutWindowController& operator=(const AboutWindowController&) = delete;

  /// Creates and centres the window on first use, then activates the
  /// application and brings the window to the front. Closing the window
  /// gives the focus back to the application that was in front.
  void show();

  /// The window's fixed properties: 400 by 390, titled, closable, full-size
  /// content, title hidden over a transparent title bar, movable by its
  /// background and kept when closed.
  static WindowConfig windowConfig();

  AboutView& view() { return view_; }
  bool hasWindow() const { return window_ != nullptr; }

 private:
  WindowFactory& windowFactory_;
  Application& application_;
  AboutView view_;
  PreviousApplication previousApp_;
  std::unique_ptr<Window> window_;
};
