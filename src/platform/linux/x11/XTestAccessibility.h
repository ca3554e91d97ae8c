// "Trusted for Accessibility" on X11: the display offers XTest, so synthetic
// keystrokes can be posted. There is no permission to ask for.
#pragma once

#include "platform/Accessibility.h"

class XTestKeyEventPoster;

class XTestAccessibility : public Accessibility {
 public:
  /// `poster` must outlive this object.
  explicit XTestAccessibility(const XTestKeyEventPoster& poster) : poster_(poster) {}

  bool isProcessTrusted() override;
  /// No prompt exists on X11; the same answer as `isProcessTrusted`.
  bool isProcessTrustedWithPrompt() override;
  bool hasPrompt() const override { return false; }

 private:
  const XTestKeyEventPoster& poster_;
};
