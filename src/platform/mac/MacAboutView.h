// The About window's content in AppKit, drawn from AboutContent with the
// measures and styles of AboutMetrics: gradient background, wordmark (or its
// text), name and version, tagline, the website button and the rights line.
#pragma once

#import <AppKit/AppKit.h>

class AboutView;

@interface PellimoreAboutView : NSView

/// `view` must outlive this view; its content is read once, here.
- (nonnull instancetype)initWithAboutView:(nonnull AboutView*)view frame:(NSRect)frame;
- (nonnull instancetype)initWithFrame:(NSRect)frameRect NS_UNAVAILABLE;
- (nullable instancetype)initWithCoder:(nonnull NSCoder*)coder NS_UNAVAILABLE;

@end
