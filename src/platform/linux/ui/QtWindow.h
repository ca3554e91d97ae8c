// The About window on Linux: a fixed-size top-level window hosting the About
// content. Closing it only hides it; it can be dragged by its background.
#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

#include "platform/Window.h"
#include "platform/WindowConfig.h"

class AboutView;
class AboutWidget;

class QtWindow : public QWidget, public Window {
 public:
  /// Hidden until makeKeyAndOrderFront. `view` must outlive the window.
  QtWindow(const WindowConfig& config, AboutView& view);

  void center() override;
  void makeKeyAndOrderFront() override;
  void setOnClose(std::function<void()> onClose) override { onClose_ = std::move(onClose); }

  AboutWidget& content() { return *content_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  /// Escape and the platform's Close shortcut close it, as on macOS.
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  AboutWidget* content_;
  bool movableByBackground_;
  std::function<void()> onClose_;
  /// Where the drag started, relative to the window, while dragging by hand.
  std::optional<QPoint> dragOffset_;
};
