// Recording window substitute.
#include "FakeWindow.h"

#include <utility>

FakeWindow::FakeWindow(const WindowConfig& config, AboutView& rootView,
                       std::shared_ptr<CallRecord> record)
    : config_(config), rootView_(rootView), record_(std::move(record)) {}

void FakeWindow::center() {
  record_->add("window.center");
}

void FakeWindow::makeKeyAndOrderFront() {
  record_->add("window.makeKeyAndOrderFront");
  visible_ = true;
}
