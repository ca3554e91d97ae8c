// What a panel tells its owner about focus changes.
#pragma once

class PanelDelegate {
 public:
  virtual ~PanelDelegate() = default;
  /// The panel lost keyboard focus (a click elsewhere, an application switch).
  virtual void windowDidResignKey() = 0;
};
