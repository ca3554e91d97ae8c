// A panel that only remembers its state and what it was asked. Records
// "panel.setDelegate", "panel.setFrameOrigin(X,Y)", "panel.makeKeyAndOrderFront"
// and "panel.orderOut".
#pragma once

#include <functional>
#include <memory>

#include "CallRecord.h"
#include "platform/Panel.h"
#include "platform/PanelConfig.h"

class HistoryView;

class FakePanel : public Panel {
 public:
  FakePanel(const PanelConfig& config, HistoryView& rootView, std::shared_ptr<CallRecord> record);

  void setDelegate(PanelDelegate* delegate) override;
  Rect2D frame() const override { return frame_; }
  void setFrameOrigin(Point2D origin) override;
  void makeKeyAndOrderFront() override;
  void orderOut() override;
  bool isVisible() const override { return visible_; }

  /// What the window system does when focus moves elsewhere: the panel is
  /// no longer key and tells its delegate.
  void resignKey();

  const PanelConfig& config() const { return config_; }
  HistoryView& rootView() const { return rootView_; }
  PanelDelegate* delegate() const { return delegate_; }
  bool isKey() const { return key_; }
  /// Runs at the start of orderOut, before it is recorded, so a test can
  /// look at the world as it was when the panel went away.
  std::function<void()> onOrderOut;

 private:
  PanelConfig config_;
  HistoryView& rootView_;
  std::shared_ptr<CallRecord> record_;
  PanelDelegate* delegate_ = nullptr;
  Rect2D frame_;
  bool visible_ = false;
  bool key_ = false;
};
