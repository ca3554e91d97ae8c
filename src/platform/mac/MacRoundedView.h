// A layer-backed rounded rectangle with continuous corners: a fill and an
// optional inner border, in dynamic colours that follow the appearance. The
// popup's tiles, capsules, row backgrounds and card border are all one of
// these.
#pragma once

#import <AppKit/AppKit.h>

@interface PellimoreRoundedView : NSView

/// Nil or clear draws no fill.
@property(nonatomic, strong, nullable) NSColor* fillColor;
/// Nil draws no border; the border lies inside the bounds.
@property(nonatomic, strong, nullable) NSColor* borderColor;
@property(nonatomic) CGFloat borderWidth;
@property(nonatomic) CGFloat cornerRadius;
/// Rounds the short sides fully, whatever the size.
@property(nonatomic) BOOL capsule;
/// Clips subviews to the rounded shape (for thumbnails).
@property(nonatomic) BOOL clipsContent;
/// Passes clicks through to the views below (backgrounds and borders).
@property(nonatomic) BOOL ignoresMouse;

@end
