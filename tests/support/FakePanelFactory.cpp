// Recording panel factory.
#include "FakePanelFactory.h"

std::unique_ptr<Panel> FakePanelFactory::createPanel(const PanelConfig& config,
                                                     HistoryView& rootView) {
  record->add("panelFactory.createPanel");
  auto panel = std::make_unique<FakePanel>(config, rootView, record);
  panels.push_back(panel.get());
  return panel;
}
