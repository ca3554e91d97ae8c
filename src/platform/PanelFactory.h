// Builds panels that host a history view; the one place a backend's window
// classes are created.
#pragma once

#include <memory>

#include "platform/Panel.h"
#include "platform/PanelConfig.h"

class HistoryView;

class PanelFactory {
 public:
  virtual ~PanelFactory() = default;
  /// A hidden panel with every property of `config`, hosting `rootView` in a
  /// content view of frame `config.contentRect`. `rootView` must outlive the
  /// panel.
  virtual std::unique_ptr<Panel> createPanel(const PanelConfig& config, HistoryView& rootView) = 0;
};
