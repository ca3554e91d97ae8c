// This application through QApplication: activation is per window on X11,
// so there is nothing to do for the application as a whole.
#pragma once

#include "platform/Application.h"

class QtApplication : public Application {
 public:
  /// A no-op: the panel and windows activate themselves when shown.
  void activateIgnoringOtherApps() override {}
  /// A no-op: the window manager focuses the window below when ours hides.
  void hide() override {}
  void unhideWithoutActivation() override {}
  int processIdentifier() const override;
  /// Ends the event loop on its next turn.
  void terminate() override;
};
