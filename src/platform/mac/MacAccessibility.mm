// Whether this process may post events, and the system's permission prompt.
#include "platform/mac/MacAccessibility.h"

#import <ApplicationServices/ApplicationServices.h>
#import <Foundation/Foundation.h>

bool MacAccessibility::isProcessTrusted() { return AXIsProcessTrusted(); }

bool MacAccessibility::isProcessTrustedWithPrompt() {
  // The system shows its prompt only while the process is not trusted; the
  // answer is the current state either way.
  NSDictionary* options = @{(__bridge id)kAXTrustedCheckOptionPrompt : @YES};
  return AXIsProcessTrustedWithOptions((__bridge CFDictionaryRef)options);
}
