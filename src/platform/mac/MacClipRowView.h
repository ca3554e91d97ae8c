// One row of the popup's list, drawn from a ClipRow: chip or thumbnail,
// title on up to two lines, metadata line, trailing controls and the
// selection or hover background. Clicks, hover and the row's buttons go
// straight back to the HistoryView; the row decides nothing.
#pragma once

#import <AppKit/AppKit.h>

#include "views/ClipRow.h"

class HistoryView;

@interface PellimoreClipRowView : NSView

/// `view` must outlive the row.
- (nonnull instancetype)initWithHistoryView:(nonnull HistoryView*)view;
- (nonnull instancetype)initWithFrame:(NSRect)frameRect NS_UNAVAILABLE;
- (nullable instancetype)initWithCoder:(nonnull NSCoder*)coder NS_UNAVAILABLE;

/// Shows `row`; cheap when little changed, as it runs on every refresh.
- (void)configure:(const ClipRow&)row;
/// The row's height at `width`: two title lines at most, never less than the
/// chip.
- (CGFloat)heightForWidth:(CGFloat)width;
/// Places the subviews in the current bounds.
- (void)layoutContent;

@end
