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
  // Without added buttons NSAlert shows one default "OK" button.
  [alert runModal];
}
