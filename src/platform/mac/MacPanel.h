// The popup's panel on macOS: a PellimoreKeyablePanel built from a
// PanelConfig, hosting the history card, and reporting loss of key status to
// its PanelDelegate.
#pragma once

#include <memory>

#include "platform/Panel.h"
#include "platform/PanelConfig.h"

class Clock;
class HistoryView;
class ResourceBundle;

class MacPanel : public Panel {
 public:
  /// Applies every property of `config`; `view`, `clock` and `bundle` must
  /// outlive the panel. The panel starts hidden.
  MacPanel(const PanelConfig& config, HistoryView& view, const Clock& clock,
           const ResourceBundle& bundle);
  /// Stops the card listening to the view and closes the panel.
  ~MacPanel() override;
  MacPanel(const MacPanel&) = delete;
  MacPanel& operator=(const MacPanel&) = delete;

  void setDelegate(PanelDelegate* delegate) override;
  Rect2D frame() const override;
  void setFrameOrigin(Point2D origin) override;
  /// Also tells the card it is on screen: the search field takes the focus.
  void makeKeyAndOrderFront() override;
  void orderOut() override;
  bool isVisible() const override;

  /// The Objective-C side; defined in MacPanel.mm.
  struct Native;

 private:
  std::unique_ptr<Native> native_;
};
