// The popup's floating panel on Linux: a frameless, always-on-top tool window
// that hosts the history card, takes keyboard focus when shown and tells its
// delegate when it loses it. Frames are in the core's y-up coordinates.
#pragma once

#include <QWidget>

#include "platform/Clock.h"
#include "platform/Panel.h"
#include "platform/PanelConfig.h"

class HistoryCardWidget;
class HistoryView;

class QtPanel : public QWidget, public Panel {
 public:
  /// Hidden until makeKeyAndOrderFront. `view` and `clock` must outlive it.
  QtPanel(const PanelConfig& config, HistoryView& view, const Clock& clock);

  void setDelegate(PanelDelegate* delegate) override { delegate_ = delegate; }
  Rect2D frame() const override;
  void setFrameOrigin(Point2D origin) override;
  void prepare() override;
  void makeKeyAndOrderFront() override;
  void orderOut() override;
  bool isVisible() const override;

  HistoryCardWidget& card() { return *card_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  HistoryCardWidget* card_;
  PanelDelegate* delegate_ = nullptr;
};
