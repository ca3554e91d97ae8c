// Rounded fills and borders drawn by the view's own layer. Dynamic colours
// are resolved in updateLayer, where AppKit has made the view's appearance
// the current drawing appearance, and again whenever that appearance changes.
#import "platform/mac/MacRoundedView.h"

#import <QuartzCore/QuartzCore.h>

#include <algorithm>

@implementation PellimoreRoundedView

- (instancetype)initWithFrame:(NSRect)frameRect {
  self = [super initWithFrame:frameRect];
  if (self != nil) {
    self.wantsLayer = YES;
    self.layerContentsRedrawPolicy = NSViewLayerContentsRedrawOnSetNeedsDisplay;
  }
  return self;
}

- (BOOL)wantsUpdateLayer {
  return YES;
}

- (void)updateLayer {
  CALayer* layer = self.layer;
  CGFloat radius = self.capsule ? std::min(self.bounds.size.width, self.bounds.size.height) / 2
                                : self.cornerRadius;
  layer.cornerRadius = radius;
  layer.cornerCurve = kCACornerCurveContinuous;
  layer.masksToBounds = self.clipsContent;
  layer.backgroundColor = self.fillColor != nil ? self.fillColor.CGColor : nil;
  layer.borderColor = self.borderColor != nil ? self.borderColor.CGColor : nil;
  layer.borderWidth = self.borderColor != nil ? self.borderWidth : 0;
}

- (void)setFrameSize:(NSSize)newSize {
  [super setFrameSize:newSize];
  if (self.capsule) self.needsDisplay = YES;
}

- (void)viewDidChangeEffectiveAppearance {
  [super viewDidChangeEffectiveAppearance];
  self.needsDisplay = YES;
}

- (void)setFillColor:(NSColor*)fillColor {
  _fillColor = fillColor;
  self.needsDisplay = YES;
}

- (void)setBorderColor:(NSColor*)borderColor {
  _borderColor = borderColor;
  self.needsDisplay = YES;
}

- (void)setBorderWidth:(CGFloat)borderWidth {
  _borderWidth = borderWidth;
  self.needsDisplay = YES;
}

- (void)setCornerRadius:(CGFloat)cornerRadius {
  _cornerRadius = cornerRadius;
  self.needsDisplay = YES;
}

- (void)setCapsule:(BOOL)capsule {
  _capsule = capsule;
  self.needsDisplay = YES;
}

- (void)setClipsContent:(BOOL)clipsContent {
  _clipsContent = clipsContent;
  self.needsDisplay = YES;
}

- (NSView*)hitTest:(NSPoint)point {
  if (self.ignoresMouse) return nil;
  return [super hitTest:point];
}

@end
