// Another application as one of its top-level X windows.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "platform/RunningApplication.h"

struct _XDisplay;

class X11RunningApplication : public RunningApplication {
 public:
  /// `display` belongs to the workspace and must outlive this object.
  X11RunningApplication(_XDisplay* display, unsigned long window, std::optional<std::string> name,
                        std::optional<std::string> windowClass, std::optional<int> pid)
      : display_(display),
        window_(window),
        name_(std::move(name)),
        windowClass_(std::move(windowClass)),
        pid_(pid) {}

  std::optional<std::string> localizedName() const override { return name_; }
  /// WM_CLASS's class part, such as "XTerm".
  std::optional<std::string> windowClass() const override { return windowClass_; }
  /// From _NET_WM_PID, which not every client sets.
  std::optional<int> processIdentifier() const override { return pid_; }
  /// Asks the window manager through _NET_ACTIVE_WINDOW; without a window
  /// manager raises the window and gives it the input focus directly. A
  /// window that is gone meanwhile is ignored.
  bool activate() override;
  /// Whether the window manager names its window as _NET_ACTIVE_WINDOW.
  bool isActive() const override;

  unsigned long window() const { return window_; }

 private:
  _XDisplay* display_;
  unsigned long window_;
  std::optional<std::string> name_;
  std::optional<std::string> windowClass_;
  std::optional<int> pid_;
};
