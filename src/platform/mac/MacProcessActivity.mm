// NSProcessInfo's beginActivityWithOptions:reason:, ended when the handle
// goes.
#include "platform/mac/MacProcessActivity.h"

#import <Foundation/Foundation.h>

#import "platform/mac/MacStrings.h"

namespace {

class MacActivity : public ProcessActivity::Activity {
 public:
  explicit MacActivity(id<NSObject> token) : token_(token) {}
  ~MacActivity() override { [NSProcessInfo.processInfo endActivity:token_]; }
  MacActivity(const MacActivity&) = delete;
  MacActivity& operator=(const MacActivity&) = delete;

 private:
  __strong id<NSObject> token_;
};

}  // namespace

std::unique_ptr<ProcessActivity::Activity> MacProcessActivity::begin(const std::string& reason) {
  NSString* text = MacStrings::toNSString(reason);
  // User-initiated keeps timers on time while the process is in the
  // background; idle sleep stays allowed, as nothing runs while asleep.
  id<NSObject> token = [NSProcessInfo.processInfo
      beginActivityWithOptions:NSActivityUserInitiatedAllowingIdleSystemSleep
                        reason:text != nil ? text : @"clipboard history"];
  return std::make_unique<MacActivity>(token);
}
