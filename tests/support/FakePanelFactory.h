// Builds FakePanels and keeps every one it built. Records
// "panelFactory.createPanel".
#pragma once

#include <memory>
#include <vector>

#include "CallRecord.h"
#include "FakePanel.h"
#include "platform/PanelFactory.h"

class FakePanelFactory : public PanelFactory {
 public:
  std::unique_ptr<Panel> createPanel(const PanelConfig& config, HistoryView& rootView) override;

  /// Panels built so far, in order; valid while their owner keeps them.
  std::vector<FakePanel*> panels;
  /// Shared with the panels built after it is set.
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
