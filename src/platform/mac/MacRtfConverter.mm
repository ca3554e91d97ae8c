// Parses an RTF document with NSAttributedString and keeps its characters.
#include "platform/mac/MacRtfConverter.h"

#import <AppKit/AppKit.h>

#import "platform/mac/MacStrings.h"

std::optional<std::string> MacRtfConverter::plainText(const Bytes& rtf) {
  if (rtf.empty()) return std::nullopt;
  @autoreleasepool {
    // The bytes come from another application; a malformed document must
    // not take the process down if the parser raises.
    @try {
      NSError* error = nil;
      NSAttributedString* document = [[NSAttributedString alloc]
                initWithData:MacStrings::toNSData(rtf)
                     options:@{NSDocumentTypeDocumentOption : NSRTFTextDocumentType}
          documentAttributes:nil
                       error:&error];
      if (document == nil) return std::nullopt;
      return MacStrings::toStdString(document.string);
    } @catch (NSException* exception) {
      return std::nullopt;
    }
  }
}
