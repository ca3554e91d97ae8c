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

 private:
  __strong NSRunningApplication* application_;
};

}  // namespace

std::shared_ptr<RunningApplication> MacWorkspace::frontmostApplication() {
  NSRunningApplication* front = [NSWorkspace sharedWorkspace].frontmostApplication;
  if (front == nil) return nullptr;
  return std::make_shared<MacRunningApplication>(front);
}

bool MacWorkspace::openURL(const std::string& url) {
  NSString* string = MacStrings::toNSString(url);
  if (string == nil) return false;
  NSURL* target = [NSURL URLWithString:string];
  if (target == nil) return false;
  return [[NSWorkspace sharedWorkspace] openURL:target];
}
