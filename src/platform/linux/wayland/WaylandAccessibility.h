// Whether the Wayland backend may type the paste keystroke: never yet, since
// it uses no virtual-keyboard protocol. A chosen entry is then left on the
// clipboard and the paste flow says to press Ctrl+V, as it does on a system
// without the permission.
#pragma once

#include "platform/Accessibility.h"

class WaylandAccessibility : public Accessibility {
 public:
  bool isProcessTrusted() override { return false; }
  /// There is no permission to ask for: the compositor offers a protocol or
  /// it does not.
  bool isProcessTrustedWithPrompt() override { return false; }
};
