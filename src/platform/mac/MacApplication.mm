// Activation and termination of this process through NSApp.
#include "platform/mac/MacApplication.h"

#import <AppKit/AppKit.h>

void MacApplication::activateIgnoringOtherApps() {
  // An accessory application is never frontmost on its own; the popup needs
  // key focus even though another application was active.
  [NSApp activateIgnoringOtherApps:YES];
}

void MacApplication::terminate() { [NSApp terminate:nil]; }
