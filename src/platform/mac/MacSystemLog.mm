// One NSLog line per message.
#include "platform/mac/MacSystemLog.h"

#import <Foundation/Foundation.h>

#import "platform/mac/MacStrings.h"

void MacSystemLog::write(const std::string& message) {
  // The message goes in as an argument, never as the format, so a "%" in it
  // is printed as it is.
  NSString* text = MacStrings::toNSString(message);
  NSLog(@"%@", text != nil ? text : @"(message not valid UTF-8)");
}
