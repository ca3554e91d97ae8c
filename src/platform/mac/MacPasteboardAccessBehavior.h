// NSPasteboard's access behaviour (macOS 15.4 and later) for SDKs that
// predate it: only what the pasteboard backend reads, with the system's own
// names and values, so a newer SDK's declaration takes over unchanged.
#pragma once

#import <AppKit/AppKit.h>

#if __MAC_OS_X_VERSION_MAX_ALLOWED < 150400

typedef NS_ENUM(NSInteger, NSPasteboardAccessBehavior) {
  NSPasteboardAccessBehaviorDefault = 0,
  NSPasteboardAccessBehaviorAsk = 1,
  NSPasteboardAccessBehaviorAlwaysAllow = 2,
  NSPasteboardAccessBehaviorAlwaysDeny = 3,
} API_AVAILABLE(macos(15.4));

@interface NSPasteboard (PellimoreAccessBehavior)
@property(readonly) NSPasteboardAccessBehavior accessBehavior API_AVAILABLE(macos(15.4));
@end

#endif
