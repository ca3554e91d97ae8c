// The popup's NSPanel subclass: borderless, yet it can become the key and the
// main window, so the search field and the list keys receive typing. Named
// with the project prefix because Objective-C classes share one global
// namespace with every framework in the process.
#pragma once

#import <AppKit/AppKit.h>

@interface PellimoreKeyablePanel : NSPanel
@end
