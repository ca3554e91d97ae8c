// Qt panels for the popup.
#include "platform/linux/ui/QtPanelFactory.h"

#include "platform/linux/ui/QtPanel.h"

std::unique_ptr<Panel> QtPanelFactory::createPanel(const PanelConfig& config,
                                                   HistoryView& rootView) {
  return std::make_unique<QtPanel>(config, rootView, clock_);
}
