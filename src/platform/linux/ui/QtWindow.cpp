// The About window as a Qt top-level widget.
#include "platform/linux/ui/QtWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "platform/linux/ui/AboutWidget.h"
#include "platform/linux/ui/AccessibleFactory.h"

namespace {

Qt::WindowFlags flagsFor(const WindowConfig& config) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if (config.styleMask & WindowConfig::titled)
    flags |= Qt::WindowTitleHint;
  if (config.styleMask & WindowConfig::closable)
    flags |= Qt::WindowCloseButtonHint;
  if (config.styleMask & WindowConfig::miniaturizable)
    flags |= Qt::WindowMinimizeButtonHint;
  if (config.styleMask & WindowConfig::resizable)
    flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

}  // namespace

QtWindow::QtWindow(const WindowConfig& config, AboutView& view)
    : movableByBackground_(config.movableByWindowBackground) {
  setWindowFlags(flagsFor(config));
  AccessibleFactory::setRole(*this, QAccessible::Window);
  // The window manager draws its own title bar; the title still names the
  // window in task lists.
  setWindowTitle(QString::fromStdString(config.title));
  const QSize size(static_cast<int>(std::lround(config.contentRect.size.width)),
                   static_cast<int>(std::lround(config.contentRect.size.height)));
  if (config.styleMask & WindowConfig::resizable)
    resize(size);
  else
    setFixedSize(size);
  content_ = new AboutWidget(view, this);
  content_->move(0, 0);
}

void QtWindow::center() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    return;
  const QRect available = screen->availableGeometry();
  // Centred across, a little above the middle, as is usual for such windows.
  const int x = available.x() + (available.width() - width()) / 2;
  const int y = available.y() + (available.height() - height()) * 2 / 5;
  move(x, y);
}

void QtWindow::makeKeyAndOrderFront() {
  content_->refresh();
  show();
  raise();
  activateWindow();
}

void QtWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (onClose_) {
    onClose_();
  }
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Close)) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void QtWindow::mousePressEvent(QMouseEvent* event) {
  if (!movableByBackground_ || event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  // Let the window manager move it; without one, follow the pointer by hand.
  if (windowHandle() && windowHandle()->startSystemMove())
    return;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void QtWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragOffset_) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  move(event->globalPosition().toPoint() - *dragOffset_);
}

void QtWindow::mouseReleaseEvent(QMouseEvent* event) {
  dragOffset_.reset();
  QWidget::mouseReleaseEvent(event);
}
