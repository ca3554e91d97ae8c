// SMAppService.mainAppService: registers this application bundle itself as
// the login item.
#include "platform/mac/MacLoginItem.h"

#import <Foundation/Foundation.h>
#import <ServiceManagement/ServiceManagement.h>

#import "platform/mac/MacStrings.h"

namespace {

std::optional<std::string> describe(BOOL succeeded, NSError* error) {
  if (succeeded) return std::nullopt;
  if (error == nil) return std::string("unknown error");
  return MacStrings::toStdString(error.localizedDescription);
}

}  // namespace

LoginItem::Status MacLoginItem::status() {
  switch (SMAppService.mainAppService.status) {
    case SMAppServiceStatusNotRegistered:
      return Status::notRegistered;
    case SMAppServiceStatusEnabled:
      return Status::enabled;
    case SMAppServiceStatusRequiresApproval:
      return Status::requiresApproval;
    case SMAppServiceStatusNotFound:
      return Status::notFound;
  }
  return Status::notFound;
}

std::optional<std::string> MacLoginItem::registerService() {
  NSError* error = nil;
  BOOL succeeded = [SMAppService.mainAppService registerAndReturnError:&error];
  return describe(succeeded, error);
}

void MacLoginItem::openSystemSettingsLoginItems() { [SMAppService openSystemSettingsLoginItems]; }

std::optional<std::string> MacLoginItem::unregisterService() {
  NSError* error = nil;
  BOOL succeeded = [SMAppService.mainAppService unregisterAndReturnError:&error];
  return describe(succeeded, error);
}
