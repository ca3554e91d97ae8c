// The NSImage inside an AppKitImage, for the backend's Objective-C++ files.
#pragma once

#import <AppKit/AppKit.h>

#include "platform/mac/AppKitImage.h"

struct AppKitImage::Native {
  __strong NSImage* image = nil;
};
