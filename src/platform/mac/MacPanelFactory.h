// Builds the popup's panels on macOS.
#pragma once

#include "platform/PanelFactory.h"

class Clock;
class ResourceBundle;

class MacPanelFactory : public PanelFactory {
 public:
  /// Rows show ages against `clock`; the card loads the brand mark from
  /// `bundle`. Both must outlive every panel made.
  MacPanelFactory(const Clock& clock, const ResourceBundle& bundle);

  std::unique_ptr<Panel> createPanel(const PanelConfig& config, HistoryView& rootView) override;

 private:
  const Clock& clock_;
  const ResourceBundle& bundle_;
};
