// The popup panel's properties in one place.
#include "popup/KeyablePanel.h"

namespace KeyablePanel {

PanelConfig config() {
  PanelConfig config;
  config.contentRect = Rect2D{Point2D{0, 0}, Size2D{width, height}};
  // Borderless, and key without activating this application: the user's
  // application stays active, which no activation request of ours could
  // guarantee from macOS 14 on.
  config.styleMask = PanelConfig::nonactivatingPanel;
  config.backing = 2;
  config.defer = false;
  config.opaque = false;
  config.clearBackground = true;
  config.hasShadow = true;
  config.level = 3;
  config.movableByWindowBackground = false;
  config.hidesOnDeactivate = false;
  config.releasedWhenClosed = false;
  config.collectionBehavior = collectionBehavior;
  config.canBecomeKey = true;
  config.canBecomeMain = true;
  return config;
}

}  // namespace KeyablePanel
