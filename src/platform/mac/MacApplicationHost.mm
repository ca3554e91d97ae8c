// NSApplication holds its delegate weakly; the host keeps the Objective-C
// delegate object alive, and that object reaches the core's delegate
// through a plain pointer the caller keeps valid for the whole run.
#include "platform/mac/MacApplicationHost.h"

#import <AppKit/AppKit.h>

#include <csignal>

#include "platform/ApplicationDelegate.h"
#include "platform/mac/CallbackBoundary.h"

@interface PellimoreApplicationDelegate : NSObject <NSApplicationDelegate>
@property(nonatomic) ApplicationDelegate* owner;
@end

@implementation PellimoreApplicationDelegate

- (void)applicationDidFinishLaunching:(NSNotification*)notification {
  ApplicationDelegate* owner = self.owner;
  if (owner == nullptr) return;
  callAtBoundary([owner] { owner->applicationDidFinishLaunching(); });
}

- (BOOL)applicationShouldHandleReopen:(NSApplication*)sender hasVisibleWindows:(BOOL)flag {
  ApplicationDelegate* owner = self.owner;
  if (owner != nullptr) callAtBoundary([owner] { owner->applicationShouldHandleReopen(); });
  // Handled here: AppKit has no window of ours to bring back.
  return NO;
}

- (void)applicationWillTerminate:(NSNotification*)notification {
  ApplicationDelegate* owner = self.owner;
  if (owner != nullptr) callAtBoundary([owner] { owner->applicationWillTerminate(); });
}

@end

struct MacApplicationHost::Native {
  __strong PellimoreApplicationDelegate* delegate = nil;
  /// Turns SIGTERM into an orderly terminate, so pending work can finish.
  dispatch_source_t terminationSignal = nil;
};

MacApplicationHost::MacApplicationHost() : native_(std::make_unique<Native>()) {}

MacApplicationHost::~MacApplicationHost() {
  if (native_->delegate != nil) native_->delegate.owner = nullptr;
}

void MacApplicationHost::createApplication() {
  if (NSApp != nil) return;
  // By default AppKit catches an Objective-C exception raised while it
  // dispatches an event, logs it and carries on with frameworks that are not
  // exception-safe; the uncaught-exception hook would never see it. Crashing
  // instead lets the crash recorder keep its last record. A value the user
  // set explicitly still wins over this registered default.
  [[NSUserDefaults standardUserDefaults] registerDefaults:@{
    @"NSApplicationCrashOnExceptions" : @YES
  }];
  [NSApplication sharedApplication];
}

void MacApplicationHost::setDelegate(ApplicationDelegate* delegate) {
  createApplication();
  if (native_->delegate == nil) native_->delegate = [[PellimoreApplicationDelegate alloc] init];
  native_->delegate.owner = delegate;
  NSApp.delegate = native_->delegate;
}

void MacApplicationHost::setActivationPolicy(ActivationPolicy policy) {
  createApplication();
  [NSApp setActivationPolicy:static_cast<NSApplicationActivationPolicy>(policy)];
}

int MacApplicationHost::run() {
  createApplication();
  if (native_->terminationSignal == nil) {
    signal(SIGTERM, SIG_IGN);
    native_->terminationSignal =
        dispatch_source_create(DISPATCH_SOURCE_TYPE_SIGNAL, SIGTERM, 0, dispatch_get_main_queue());
    dispatch_source_set_event_handler(native_->terminationSignal, ^{
      [NSApp terminate:nil];
    });
    dispatch_resume(native_->terminationSignal);
  }
  [NSApp run];
  return 0;
}
