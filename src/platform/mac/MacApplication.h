// This application through AppKit's shared NSApplication.
#pragma once

#include "platform/Application.h"

class MacApplication : public Application {
 public:
  void activateIgnoringOtherApps() override;
  void unhideWithoutActivation() override;
  void hide() override;
  int processIdentifier() const override;
  void terminate() override;
};
