// Recording Accessibility substitute.
#include "FakeAccessibility.h"

bool FakeAccessibility::isProcessTrusted() {
  record->add("accessibility.isProcessTrusted");
  return trusted;
}

bool FakeAccessibility::isProcessTrustedWithPrompt() {
  record->add("accessibility.isProcessTrustedWithPrompt");
  return trusted;
}
