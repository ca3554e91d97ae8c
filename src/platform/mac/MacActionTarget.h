// A control's target that runs a block. AppKit holds targets weakly, so the
// view that makes one keeps it alive for as long as its control exists.
#pragma once

#import <AppKit/AppKit.h>

@interface PellimoreActionTarget : NSObject

- (nonnull instancetype)initWithAction:(nonnull void (^)(void))action;
- (nonnull instancetype)init NS_UNAVAILABLE;

/// Wires `control` to this target's `perform:`.
- (void)attachTo:(nonnull NSControl*)control;
- (void)perform:(nullable id)sender;

@end
