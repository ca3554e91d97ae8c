// Conversions between the core's UTF-8 strings and bytes and Foundation's
// NSString and NSData. Only for Objective-C++ files of the macOS backend.
#pragma once

#import <Foundation/Foundation.h>

#include <string>

#include "platform/Bytes.h"

namespace MacStrings {

/// Nil when `text` is not valid UTF-8.
NSString* _Nullable toNSString(const std::string& text);
/// Lone surrogates, which UTF-8 cannot carry, become replacement characters;
/// embedded NUL characters are kept.
std::string toStdString(NSString* _Nonnull text);

NSData* _Nonnull toNSData(const Bytes& bytes);
Bytes toBytes(NSData* _Nonnull data);

}  // namespace MacStrings
