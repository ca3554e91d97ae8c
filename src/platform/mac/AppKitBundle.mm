// Information values and resource locations of the main bundle.
#include "platform/mac/AppKitBundle.h"

#import <Foundation/Foundation.h>

#import "platform/mac/MacStrings.h"

namespace AppKitBundle {

std::optional<InfoValue> infoValue(const std::string& key) {
  NSString* nsKey = MacStrings::toNSString(key);
  NSDictionary<NSString*, id>* info = [NSBundle mainBundle].infoDictionary;
  if (nsKey == nil || info == nil) return std::nullopt;
  id value = info[nsKey];
  if ([value isKindOfClass:NSString.class])
    return InfoValue(MacStrings::toStdString(static_cast<NSString*>(value)));
  if (![value isKindOfClass:NSNumber.class]) return std::nullopt;
  NSNumber* number = value;
  // Property-list booleans are NSNumbers too; only the type ID tells them
  // apart from the integers 0 and 1.
  if (CFGetTypeID((__bridge CFTypeRef)number) == CFBooleanGetTypeID())
    return InfoValue(static_cast<bool>(number.boolValue));
  if (CFNumberIsFloatType((__bridge CFNumberRef)number)) return InfoValue(number.doubleValue);
  return InfoValue(static_cast<std::int64_t>(number.longLongValue));
}

std::optional<std::string> resourcePath(const std::string& name, const std::string& extension) {
  NSString* nsName = MacStrings::toNSString(name);
  NSString* nsExtension = MacStrings::toNSString(extension);
  if (nsName == nil || nsExtension == nil) return std::nullopt;
  NSURL* url = [[NSBundle mainBundle] URLForResource:nsName withExtension:nsExtension];
  NSString* path = url.path;
  if (path == nil) return std::nullopt;
  return MacStrings::toStdString(path);
}

}  // namespace AppKitBundle
