// The Accessibility permission through the ApplicationServices trust API.
#pragma once

#include "platform/Accessibility.h"

class MacAccessibility : public Accessibility {
 public:
  bool isProcessTrusted() override;
  bool isProcessTrustedWithPrompt() override;
  bool hasPrompt() const override { return true; }
};
