// The macOS application's entry point: builds the AppKit backends and runs
// the shared start-up, which installs the crash recorder before anything
// else and then runs the event loop for the life of the process.
#import <Foundation/Foundation.h>

#include "app/AppMain.h"
#include "platform/mac/MacAppPlatform.h"

int main() {
  @autoreleasepool {
    MacAppPlatform platform;
    return runApp(platform);
  }
}
