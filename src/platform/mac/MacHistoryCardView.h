// The popup's card in AppKit: header, search bar, the scrolling list or the
// empty state, and the footer, all drawn from HistoryView and HistoryLayout
// on the translucent material with rounded corners and a hairline border.
// Keys, clicks and edits go back to the HistoryView, which decides.
#pragma once

#import <AppKit/AppKit.h>

class Clock;
class HistoryView;
class ResourceBundle;

@interface PellimoreHistoryCardView : NSView <NSTextFieldDelegate>

/// `view`, `clock` and `bundle` must outlive the card; the card listens to
/// the view until `detach`.
- (nonnull instancetype)initWithHistoryView:(nonnull HistoryView*)view
                                      clock:(nonnull const Clock*)clock
                                     bundle:(nonnull const ResourceBundle*)bundle;
- (nonnull instancetype)initWithFrame:(NSRect)frameRect NS_UNAVAILABLE;
- (nullable instancetype)initWithCoder:(nonnull NSCoder*)coder NS_UNAVAILABLE;

/// The panel came on screen and is key: tells the view, focuses the search
/// field and redraws.
- (void)cardDidAppear;
/// The panel left the screen: the pointer no longer hovers any row.
- (void)cardDidDisappear;
/// Stops listening to the view; nothing is drawn from it afterwards.
- (void)detach;

@end
