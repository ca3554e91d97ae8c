// Block-based control actions; the block is guarded like every other call
// from AppKit into the core.
#import "platform/mac/MacActionTarget.h"

#include "platform/mac/CallbackBoundary.h"

@implementation PellimoreActionTarget {
  void (^_action)(void);
}

- (instancetype)initWithAction:(void (^)(void))action {
  self = [super init];
  if (self != nil) _action = [action copy];
  return self;
}

- (void)attachTo:(NSControl*)control {
  control.target = self;
  control.action = @selector(perform:);
}

- (void)perform:(id)sender {
  void (^action)(void) = _action;
  callAtBoundary([action] { action(); });
}

@end
