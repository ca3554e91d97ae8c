// Borderless panels refuse key status by default; this one accepts it.
#import "platform/mac/MacKeyablePanel.h"

@implementation PellimoreKeyablePanel

- (BOOL)canBecomeKeyWindow {
  return YES;
}

- (BOOL)canBecomeMainWindow {
  return YES;
}

@end
