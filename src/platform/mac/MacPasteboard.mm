// NSPasteboard behind the pasteboard seam: one AppKit call per operation and
// the conversions to and from the core's types.
#include "platform/mac/MacPasteboard.h"

#import <AppKit/AppKit.h>

#import "platform/mac/MacPasteboardAccessBehavior.h"
#import "platform/mac/MacStrings.h"

namespace {

NSPasteboard* general() { return [NSPasteboard generalPasteboard]; }

NSPasteboardType nativeType(PasteboardDataType type) {
  switch (type) {
    case PasteboardDataType::png:
      return NSPasteboardTypePNG;
    case PasteboardDataType::tiff:
      return NSPasteboardTypeTIFF;
    case PasteboardDataType::rtf:
      return NSPasteboardTypeRTF;
    case PasteboardDataType::html:
      return NSPasteboardTypeHTML;
  }
  return NSPasteboardTypePNG;
}

}  // namespace

Pasteboard::AccessBehavior MacPasteboard::accessBehavior() const {
  if (@available(macOS 15.4, *)) {
    NSPasteboard* pasteboard = general();
    // Declared by us for older SDKs; asked only where the system has it.
    if (![pasteboard respondsToSelector:@selector(accessBehavior)]) {
      return AccessBehavior::defaultBehavior;
    }
    switch (pasteboard.accessBehavior) {
      case NSPasteboardAccessBehaviorAsk:
        return AccessBehavior::ask;
      case NSPasteboardAccessBehaviorAlwaysAllow:
        return AccessBehavior::alwaysAllow;
      case NSPasteboardAccessBehaviorAlwaysDeny:
        return AccessBehavior::alwaysDeny;
      default:
        return AccessBehavior::defaultBehavior;
    }
  }
  return AccessBehavior::defaultBehavior;
}

std::int64_t MacPasteboard::changeCount() const { return general().changeCount; }

std::vector<std::string> MacPasteboard::types() const {
  std::vector<std::string> result;
  for (NSPasteboardType type in general().types) result.push_back(MacStrings::toStdString(type));
  return result;
}

std::optional<std::vector<std::string>> MacPasteboard::fileURLPaths() const {
  NSArray* urls = [general() readObjectsForClasses:@[ NSURL.class ]
                                           options:@{
                                             NSPasteboardURLReadingFileURLsOnlyKey : @YES
                                           }];
  if (urls.count == 0) return std::nullopt;
  std::vector<std::string> paths;
  paths.reserve(urls.count);
  for (id object in urls) {
    if (![object isKindOfClass:NSURL.class]) continue;
    NSString* path = static_cast<NSURL*>(object).path;
    if (path != nil) paths.push_back(MacStrings::toStdString(path));
  }
  if (paths.empty()) return std::nullopt;
  return paths;
}

std::optional<Bytes> MacPasteboard::data(PasteboardDataType type) const {
  NSData* bytes = [general() dataForType:nativeType(type)];
  if (bytes == nil) return std::nullopt;
  return MacStrings::toBytes(bytes);
}

std::optional<std::string> MacPasteboard::string() const {
  NSString* text = [general() stringForType:NSPasteboardTypeString];
  if (text == nil) return std::nullopt;
  return MacStrings::toStdString(text);
}

void MacPasteboard::clearContents() { [general() clearContents]; }

void MacPasteboard::setData(const Bytes& data, PasteboardDataType type) {
  [general() setData:MacStrings::toNSData(data) forType:nativeType(type)];
}

void MacPasteboard::setString(const std::string& text) {
  NSString* string = MacStrings::toNSString(text);
  if (string == nil) return;
  [general() setString:string forType:NSPasteboardTypeString];
}

void MacPasteboard::writeFileURLs(const std::vector<std::string>& paths) {
  NSMutableArray<NSURL*>* urls = [NSMutableArray arrayWithCapacity:paths.size()];
  for (const std::string& path : paths) {
    NSString* string = MacStrings::toNSString(path);
    // NSURL requires a non-empty path.
    if (string.length == 0) continue;
    [urls addObject:[NSURL fileURLWithPath:string]];
  }
  if (urls.count == 0) return;
  [general() writeObjects:urls];
}
