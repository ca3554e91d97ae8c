// Builds the popup's panel on Linux around the history card.
#pragma once

#include "platform/Clock.h"
#include "platform/PanelFactory.h"

class QtPanelFactory : public PanelFactory {
 public:
  /// Rows show their age against `clock`, which must outlive the panels.
  explicit QtPanelFactory(const Clock& clock = Clock::system()) : clock_(clock) {}

  std::unique_ptr<Panel> createPanel(const PanelConfig& config, HistoryView& rootView) override;

 private:
  const Clock& clock_;
};
