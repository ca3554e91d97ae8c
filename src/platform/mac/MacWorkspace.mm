// The frontmost application and URL opening through NSWorkspace.
#include "platform/mac/MacWorkspace.h"

#import <AppKit/AppKit.h>

#import "platform/mac/MacStrings.h"

namespace {

class MacRunningApplication : public RunningApplication {
 public:
  explicit MacRunningApplication(NSRunningApplication* application) : application_(application) {}

  std::optional<std::string> localizedName() const override {
    NSString* name = application_.localizedName;
    if (name == nil) return std::nullopt;
    return MacStrings::toStdString(name);
  }

  std::optional<int> processIdentifier() const override {
    const pid_t pid = application_.processIdentifier;
    if (pid <= 0) return std::nullopt;
    return static_cast<int>(pid);
  }

  bool activate() override {
    // No options: the application's windows come forward as the user left
    // them. An application that quit in the meantime is simply not activated.
    if (@available(macOS 14.0, *)) {
      // Activation is cooperative from macOS 14 on: the active application
      // (this one) yields, and the request names who yields.
      [NSApp yieldActivationToApplication:application_];
      return [application_ activateFromApplication:NSRunningApplication.currentApplication
                                           options:0];
    }
    return [application_ activateWithOptions:0];
  }

  bool isActive() const override { return application_.active; }

 private:
  __strong NSRunningApplication* application_;
};

std::shared_ptr<RunningApplication> wrapped(NSRunningApplication* application) {
  if (application == nil) return nullptr;
  return std::make_shared<MacRunningApplication>(application);
}

bool isThisProcess(NSRunningApplication* application) {
  return application.processIdentifier == NSProcessInfo.processInfo.processIdentifier;
}

}  // namespace

struct MacWorkspace::Native {
  __strong id observer = nil;
  __strong NSRunningApplication* lastActiveOther = nil;
};

MacWorkspace::MacWorkspace() : native_(std::make_unique<Native>()) {}

MacWorkspace::~MacWorkspace() {
  if (native_->observer != nil)
    [[NSWorkspace sharedWorkspace].notificationCenter removeObserver:native_->observer];
}

void MacWorkspace::watchActivations() {
  if (native_->observer != nil) return;
  NSWorkspace* workspace = [NSWorkspace sharedWorkspace];
  Native* native = native_.get();
  NSRunningApplication* front = workspace.frontmostApplication;
  if (front != nil && !isThisProcess(front)) native->lastActiveOther = front;
  // Only this notification center carries workspace notifications. The
  // block runs on the main queue, where everything else reads the value.
  native->observer = [workspace.notificationCenter
      addObserverForName:NSWorkspaceDidActivateApplicationNotification
                  object:workspace
                   queue:NSOperationQueue.mainQueue
              usingBlock:^(NSNotification* notification) {
                id application = notification.userInfo[NSWorkspaceApplicationKey];
                if (![application isKindOfClass:[NSRunningApplication class]]) return;
                if (isThisProcess(application)) return;
                native->lastActiveOther = application;
              }];
}

std::shared_ptr<RunningApplication> MacWorkspace::frontmostApplication() {
  return wrapped([NSWorkspace sharedWorkspace].frontmostApplication);
}

std::shared_ptr<RunningApplication> MacWorkspace::lastActiveOtherApplication() {
  NSRunningApplication* application = native_->lastActiveOther;
  // One that quit since can take no focus.
  if (application.terminated) return nullptr;
  return wrapped(application);
}

bool MacWorkspace::isVoiceOverEnabled() { return [NSWorkspace sharedWorkspace].voiceOverEnabled; }

bool MacWorkspace::openURL(const std::string& url) {
  NSString* string = MacStrings::toNSString(url);
  if (string == nil) return false;
  NSURL* target = [NSURL URLWithString:string];
  if (target == nil) return false;
  return [[NSWorkspace sharedWorkspace] openURL:target];
}
