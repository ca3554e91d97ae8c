// Whether the Wayland backend may type the paste keystroke: where the
// compositor lends us a virtual keyboard or fake input. Elsewhere a chosen
// entry is left on the clipboard and the paste flow says to press Ctrl+V, as
// it does on a system without the permission.
#pragma once

#include "platform/Accessibility.h"
#include "platform/linux/wayland/WaylandKeyEventPoster.h"

class WaylandAccessibility : public Accessibility {
 public:
  explicit WaylandAccessibility(const WaylandKeyEventPoster& poster) : poster_(poster) {}

  bool isProcessTrusted() override { return poster_.available(); }
  /// There is no permission to ask for: the compositor offers the protocol
  /// or it does not.
  bool isProcessTrustedWithPrompt() override { return poster_.available(); }
  bool hasPrompt() const override { return false; }

 private:
  const WaylandKeyEventPoster& poster_;
};
