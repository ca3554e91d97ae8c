// One row of the popup's list, drawn from a ClipRow: chip or thumbnail,
// title on up to two lines, metadata line, trailing controls and the
// selection or hover background. Clicks, hover and the row's buttons go
// straight back to the HistoryView; the row decides nothing. To VoiceOver it
// is one row of the list's table, with its spoken name, its selection and
// its actions (press to paste, pin or unpin, delete).
#pragma once

#import <AppKit/AppKit.h>

#include <optional>

#include "views/AccessibleRow.h"
#include "views/ClipRow.h"

class HistoryView;

@interface PellimoreClipRowView : NSView

/// `view` must outlive the row.
- (nonnull instancetype)initWithHistoryView:(nonnull HistoryView*)view;
- (nonnull instancetype)initWithFrame:(NSRect)frameRect NS_UNAVAILABLE;
- (nullable instancetype)initWithCoder:(nonnull NSCoder*)coder NS_UNAVAILABLE;

/// Shows `row`; cheap when little changed, as it runs on every refresh.
- (void)configure:(const ClipRow&)row;
/// What VoiceOver says of the row and the actions it offers; `keyboardHere`
/// tells whether the list holds the keyboard, so that the selected row is
/// VoiceOver's focus.
- (void)setAccessible:(const AccessibleRow&)row keyboardHere:(BOOL)keyboardHere;
/// The shown image's size in pixels, for an image entry whose file loaded.
- (std::optional<AccessibleRow::PixelSize>)imagePixelSize;
/// The row's height at `width`: two title lines at most, never less than the
/// chip.
- (CGFloat)heightForWidth:(CGFloat)width;
/// Places the subviews in the current bounds.
- (void)layoutContent;

@end
