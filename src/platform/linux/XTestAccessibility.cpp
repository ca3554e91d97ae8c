// Trust as the presence of XTest.
#include "platform/linux/XTestAccessibility.h"

#include "platform/linux/XTestKeyEventPoster.h"

bool XTestAccessibility::isProcessTrusted() {
  return poster_.available();
}

bool XTestAccessibility::isProcessTrustedWithPrompt() {
  return poster_.available();
}
