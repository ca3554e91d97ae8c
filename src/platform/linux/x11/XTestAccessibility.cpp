// Trust as the presence of XTest.
#include "platform/linux/x11/XTestAccessibility.h"

#include "platform/linux/x11/XTestKeyEventPoster.h"

bool XTestAccessibility::isProcessTrusted() {
  return poster_.available();
}

bool XTestAccessibility::isProcessTrustedWithPrompt() {
  return poster_.available();
}
