// Activation, hiding and termination of this process through NSApp.
#include "platform/mac/MacApplication.h"

#import <AppKit/AppKit.h>

void MacApplication::activateIgnoringOtherApps() {
  // An accessory application is never frontmost on its own; the popup needs
  // key focus even though another application was active. From macOS 14 on
  // activation is cooperative and the old call is on its way out.
  if (@available(macOS 14.0, *)) {
    [NSApp activate];
    return;
  }
  [NSApp activateIgnoringOtherApps:YES];
}

void MacApplication::hide() { [NSApp hide:nil]; }

void MacApplication::unhideWithoutActivation() { [NSApp unhideWithoutActivation]; }

int MacApplication::processIdentifier() const {
  return NSProcessInfo.processInfo.processIdentifier;
}

void MacApplication::terminate() { [NSApp terminate:nil]; }
