// An NSAlert with the system's single default button.
#include "platform/mac/MacAlertPresenter.h"

#import <AppKit/AppKit.h>

#import "platform/mac/MacStrings.h"

void MacAlertPresenter::runModal(const std::string& messageText,
                                 const std::string& informativeText) {
  NSAlert* alert = [[NSAlert alloc] init];
  NSString* message = MacStrings::toNSString(messageText);
  NSString* informative = MacStrings::toNSString(informativeText);
  alert.messageText = message != nil ? message : @"";
  alert.informativeText = informative != nil ? informative : @"";
  // An accessory application is not active when its status menu is used;
  // without activation the alert would open behind the frontmost
  // application's windows and without keyboard focus. From macOS 14 on this
  // is a request the system may decline, and the old call is deprecated.
  if (@available(macOS 14.0, *)) {
    [NSApp activate];
  } else {
    [NSApp activateIgnoringOtherApps:YES];
  }
  // Without added buttons NSAlert shows one default "OK" button.
  [alert runModal];
}
