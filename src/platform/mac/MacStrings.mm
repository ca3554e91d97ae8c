// Conversions between UTF-8 strings, bytes and their Foundation forms.
#import "platform/mac/MacStrings.h"

namespace MacStrings {

NSString* _Nullable toNSString(const std::string& text) {
  return [[NSString alloc] initWithBytes:text.data()
                                  length:text.size()
                                encoding:NSUTF8StringEncoding];
}

std::string toStdString(NSString* _Nonnull text) {
  // Going through NSData rather than UTF8String keeps embedded NULs, and the
  // lossy conversion still yields text for strings with lone surrogates.
  NSData* utf8 = [text dataUsingEncoding:NSUTF8StringEncoding allowLossyConversion:YES];
  if (utf8 == nil || utf8.length == 0) return {};
  return std::string(static_cast<const char*>(utf8.bytes), utf8.length);
}

NSData* _Nonnull toNSData(const Bytes& bytes) {
  return [NSData dataWithBytes:bytes.data() length:bytes.size()];
}

Bytes toBytes(NSData* _Nonnull data) {
  if (data.length == 0) return {};
  const auto* begin = static_cast<const std::uint8_t*>(data.bytes);
  return Bytes(begin, begin + data.length);
}

}  // namespace MacStrings
