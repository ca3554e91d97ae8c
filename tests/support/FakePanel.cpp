// Recording panel substitute.
#include "FakePanel.h"

#include <sstream>
#include <utility>

#include "platform/PanelDelegate.h"

FakePanel::FakePanel(const PanelConfig& config, HistoryView& rootView,
                     std::shared_ptr<CallRecord> record)
    : config_(config),
      rootView_(rootView),
      record_(std::move(record)),
      frame_(config.contentRect) {}

void FakePanel::setDelegate(PanelDelegate* delegate) {
  record_->add(delegate != nullptr ? "panel.setDelegate" : "panel.setDelegate(null)");
  delegate_ = delegate;
}

void FakePanel::setFrameOrigin(Point2D origin) {
  std::ostringstream call;
  call << "panel.setFrameOrigin(" << origin.x << "," << origin.y << ")";
  record_->add(call.str());
  frame_.origin = origin;
}

void FakePanel::makeKeyAndOrderFront() {
  record_->add("panel.makeKeyAndOrderFront");
  visible_ = true;
  key_ = true;
}

void FakePanel::orderOut() {
  if (onOrderOut) {
    onOrderOut();
  }
  record_->add("panel.orderOut");
  visible_ = false;
  key_ = false;
}

void FakePanel::resignKey() {
  if (!key_) {
    return;
  }
  key_ = false;
  if (delegate_ != nullptr) {
    delegate_->windowDidResignKey();
  }
}
