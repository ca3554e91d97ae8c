// The popup's panel as a Qt tool window.
#include "platform/linux/ui/QtPanel.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <cmath>

#include "platform/PanelDelegate.h"
#include "platform/linux/ui/AccessibleFactory.h"
#include "platform/linux/ui/HistoryCardWidget.h"
#include "platform/linux/ui/QtFont.h"
#include "platform/linux/ui/ScreenCoordinates.h"
#include "views/ViewMetrics.h"

namespace {

/// The flip line: the bottom of the primary screen in Qt's coordinates.
double primaryHeight() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    return 0;
  const QRect frame = screen->geometry();
  return static_cast<double>(frame.y()) + frame.height();
}

/// The card's rounded outline as a window shape, so that without a
/// compositor the corners outside it show the desktop, not black.
QRegion roundedShape(QSize size) {
  QPainterPath path;
  path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), ViewMetrics::cardCornerRadius,
                      ViewMetrics::cardCornerRadius);
  return QRegion(path.toFillPolygon().toPolygon());
}

}  // namespace

QtPanel::QtPanel(const PanelConfig& config, HistoryView& view, const Clock& clock) {
  Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint;
  // Above the floating level's neighbours: normal windows.
  if (config.level > 0)
    flags |= Qt::WindowStaysOnTopHint;
  if (!config.hasShadow)
    flags |= Qt::NoDropShadowWindowHint;
  setWindowFlags(flags);
  AccessibleFactory::setRole(*this, QAccessible::Dialog);
  if (!config.opaque && config.clearBackground)
    setAttribute(Qt::WA_TranslucentBackground);
  setFocusPolicy(Qt::StrongFocus);

  const QSize size(static_cast<int>(std::lround(config.contentRect.size.width)),
                   static_cast<int>(std::lround(config.contentRect.size.height)));
  setFixedSize(size);
  card_ = new HistoryCardWidget(view, clock, this);
  card_->move(0, 0);
  setFocusProxy(&card_->searchField());
  setAccessibleName(QtFont::toQString(card_->presentation().spoken.popupName));
  setMask(roundedShape(size));
  const Rect2D qtFrame = ScreenCoordinates::flipped(config.contentRect, primaryHeight());
  move(static_cast<int>(std::lround(qtFrame.origin.x)),
       static_cast<int>(std::lround(qtFrame.origin.y)));
}

Rect2D QtPanel::frame() const {
  const QRect geometry = QWidget::geometry();
  const Rect2D qtFrame{
      {static_cast<double>(geometry.x()), static_cast<double>(geometry.y())},
      {static_cast<double>(geometry.width()), static_cast<double>(geometry.height())}};
  return ScreenCoordinates::flipped(qtFrame, primaryHeight());
}

void QtPanel::setFrameOrigin(Point2D origin) {
  const Rect2D macFrame{origin, frame().size};
  const Rect2D qtFrame = ScreenCoordinates::flipped(macFrame, primaryHeight());
  move(static_cast<int>(std::lround(qtFrame.origin.x)),
       static_cast<int>(std::lround(qtFrame.origin.y)));
}

void QtPanel::prepare() {
  // The card laid out at its size, the native window made (unmapped), and
  // one paint off screen, which loads fonts, glyphs and icons and counts the
  // first rows' characters.
  card_->ensurePolished();
  card_->layout()->activate();
  winId();
  QImage scratch(size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
  scratch.setDevicePixelRatio(devicePixelRatioF());
  scratch.fill(Qt::transparent);
  render(&scratch);
}

void QtPanel::makeKeyAndOrderFront() {
  // After the panel hides, Qt keeps it as its focus window for a moment in
  // case the X focus comes straight back. When it does, for a panel shown
  // again that soon, Qt sees no change and never activates its widgets, so
  // no key reaches them: they are activated here as Qt would have.
  const bool stillQtsFocus = windowHandle() && QGuiApplication::focusWindow() == windowHandle();
  show();
  raise();
  activateWindow();
  card_->shown();
  if (stillQtsFocus && !isActiveWindow())
    QApplication::setActiveWindow(this);
}

void QtPanel::orderOut() {
  hide();
}

bool QtPanel::isVisible() const {
  return QWidget::isVisible();
}

void QtPanel::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange)
    return;
  if (QWidget::isVisible() && !isActiveWindow() && delegate_)
    delegate_->windowDidResignKey();
}
