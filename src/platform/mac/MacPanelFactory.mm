// MacPanel instances for the popup controller.
#include "platform/mac/MacPanelFactory.h"

#include "platform/mac/MacPanel.h"

MacPanelFactory::MacPanelFactory(const Clock& clock, const ResourceBundle& bundle)
    : clock_(clock), bundle_(bundle) {}

std::unique_ptr<Panel> MacPanelFactory::createPanel(const PanelConfig& config,
                                                    HistoryView& rootView) {
  return std::make_unique<MacPanel>(config, rootView, clock_, bundle_);
}
