// A history row in plain frames: the list gives it a width, the row works
// out its height from the title, and lays itself out.
#import "platform/mac/MacClipRowView.h"

#import <QuartzCore/QuartzCore.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "platform/mac/CallbackBoundary.h"
#import "platform/mac/MacActionTarget.h"
#import "platform/mac/MacRoundedView.h"
#import "platform/mac/MacViewStyle.h"
#include "views/HistoryView.h"

namespace {

namespace M = ViewMetrics;

// Two lines of a 440-point row never show more than a few hundred
// characters; laying out a multi-megabyte text to find that out would stall
// every refresh, so the title is cut (at a character boundary) before it
// reaches AppKit. The tail is truncated with an ellipsis either way.
constexpr NSUInteger titleCharacterLimit = 1000;

NSString* displayTitle(const std::string& title) {
  NSString* text = MacViewStyle::string(title);
  if (text.length <= titleCharacterLimit) return text;
  NSRange last = [text rangeOfComposedCharacterSequenceAtIndex:titleCharacterLimit];
  return [text substringToIndex:last.location];
}

NSButton* symbolButton() {
  NSButton* button = [NSButton buttonWithTitle:@"" target:nil action:nil];
  button.bordered = NO;
  button.imagePosition = NSImageOnly;
  button.focusRingType = NSFocusRingTypeNone;
  button.refusesFirstResponder = YES;
  return button;
}

void setButton(NSButton* button, const std::optional<RowButton>& fontSpec, const FontSpec& font) {
  button.hidden = !fontSpec.has_value();
  if (!fontSpec) return;
  button.image = MacViewStyle::symbol(fontSpec->symbol, font);
  button.contentTintColor = MacViewStyle::color(fontSpec->color);
  button.toolTip = MacViewStyle::string(fontSpec->tooltip);
}

NSSize buttonSize(NSButton* button) {
  NSSize size = button.image != nil ? button.image.size : NSZeroSize;
  return NSMakeSize(std::ceil(size.width), std::ceil(size.height));
}

void setText(NSTextField* field, NSString* text) {
  if (![field.stringValue isEqualToString:text]) field.stringValue = text;
}

}  // namespace

@implementation PellimoreClipRowView {
  HistoryView* _view;
  std::optional<Uuid> _id;
  PellimoreRoundedView* _background;
  PellimoreRoundedView* _tile;
  NSImageView* _tileSymbol;
  PellimoreRoundedView* _thumbnailFrame;
  NSView* _thumbnail;
  /// What the thumbnail's layer was given: the layer may hand back another
  /// type for its contents.
  NSImage* _thumbnailImage;
  std::optional<std::string> _thumbnailPath;
  BOOL _thumbnailLoaded;
  NSTextField* _title;
  NSTextField* _kindLabel;
  NSTextField* _separator;
  NSTextField* _age;
  NSTextField* _quickPaste;
  NSButton* _pinButton;
  NSButton* _deleteButton;
  PellimoreActionTarget* _pinTarget;
  PellimoreActionTarget* _deleteTarget;
  NSTrackingArea* _tracking;
  CGFloat _measuredWidth;
  CGFloat _measuredHeight;
  BOOL _selected;
  BOOL _keyboardHere;
  NSString* _accessibleName;
  NSString* _accessibleHelp;
  NSString* _pinActionName;
}

- (instancetype)initWithHistoryView:(HistoryView*)view {
  self = [super initWithFrame:NSZeroRect];
  if (self == nil) return nil;
  _view = view;

  _background = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _background.cornerRadius = M::rowCornerRadius;
  _background.ignoresMouse = YES;
  [self addSubview:_background];

  _tile = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _tile.cornerRadius = M::chipCornerRadius;
  _tile.ignoresMouse = YES;
  _tileSymbol = [NSImageView imageViewWithImage:[[NSImage alloc] initWithSize:NSZeroSize]];
  _tileSymbol.imageScaling = NSImageScaleNone;
  [_tile addSubview:_tileSymbol];
  [self addSubview:_tile];

  _thumbnailFrame = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _thumbnailFrame.cornerRadius = M::chipCornerRadius;
  _thumbnailFrame.clipsContent = YES;
  _thumbnailFrame.ignoresMouse = YES;
  _thumbnailFrame.hidden = YES;
  // A layer-hosting view: its layer is ours, so the image can fill the chip
  // with its aspect kept and the overflow cropped.
  _thumbnail = [[NSView alloc] initWithFrame:NSZeroRect];
  _thumbnail.layer = [CALayer layer];
  _thumbnail.wantsLayer = YES;
  _thumbnail.layer.contentsGravity = kCAGravityResizeAspectFill;
  _thumbnail.layer.masksToBounds = YES;
  [_thumbnailFrame addSubview:_thumbnail];
  // The hairline sits above the image, inside the same rounded shape.
  PellimoreRoundedView* hairline = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  hairline.cornerRadius = M::chipCornerRadius;
  hairline.borderWidth = M::thumbnailBorderWidth;
  hairline.borderColor = MacViewStyle::color(ViewColor::black, M::thumbnailBorderOpacity);
  hairline.ignoresMouse = YES;
  hairline.autoresizingMask = NSViewWidthSizable | NSViewHeightSizable;
  hairline.frame = NSMakeRect(0, 0, M::chipSize, M::chipSize);
  [_thumbnailFrame addSubview:hairline];
  [self addSubview:_thumbnailFrame];

  _title = MacViewStyle::label("", MacViewStyle::font(M::rowTitleFont), NSColor.labelColor);
  _title.maximumNumberOfLines = M::rowTitleMaxLines;
  _title.cell.wraps = YES;
  _title.cell.truncatesLastVisibleLine = YES;
  _title.lineBreakMode = NSLineBreakByTruncatingTail;
  [self addSubview:_title];

  NSFont* metadataFont = MacViewStyle::font(M::metadataFont);
  NSColor* secondary = MacViewStyle::color(ViewColor::secondary);
  _kindLabel = MacViewStyle::label("", metadataFont, secondary);
  _separator = MacViewStyle::label("", metadataFont, secondary);
  _age = MacViewStyle::label("", metadataFont, secondary);
  [self addSubview:_kindLabel];
  [self addSubview:_separator];
  [self addSubview:_age];

  _quickPaste = MacViewStyle::label("", MacViewStyle::font(M::quickPasteFont),
                                    MacViewStyle::color(ViewColor::tertiary));
  [self addSubview:_quickPaste];

  __weak PellimoreClipRowView* weakSelf = self;
  _pinButton = symbolButton();
  _pinTarget = [[PellimoreActionTarget alloc] initWithAction:^{
    PellimoreClipRowView* strongSelf = weakSelf;
    if (strongSelf != nil) [strongSelf pinPressed];
  }];
  [_pinTarget attachTo:_pinButton];
  [self addSubview:_pinButton];

  _deleteButton = symbolButton();
  _deleteTarget = [[PellimoreActionTarget alloc] initWithAction:^{
    PellimoreClipRowView* strongSelf = weakSelf;
    if (strongSelf != nil) [strongSelf deletePressed];
  }];
  [_deleteTarget attachTo:_deleteButton];
  [self addSubview:_deleteButton];
  return self;
}

- (BOOL)isFlipped {
  return YES;
}

- (void)configure:(const ClipRow&)row {
  if (!_id || !(*_id == row.id)) {
    _measuredWidth = 0;
    _thumbnailLoaded = NO;
  }
  _id = row.id;
  _selected = row.state.selected;

  _background.fillColor = MacViewStyle::color(row.background.color, row.background.opacity);
  _background.hidden = row.background.opacity <= 0;

  const ChipTile& tile = row.chip.tile;
  _tile.fillColor = MacViewStyle::color(tile.color, M::chipFillOpacity);
  _tileSymbol.image = MacViewStyle::symbol(tile.symbol, M::chipSymbolFont);
  _tileSymbol.contentTintColor = MacViewStyle::color(tile.color);
  [self updateThumbnail:row.chip.thumbnailPath];

  NSString* title = displayTitle(row.title);
  if (![_title.stringValue isEqualToString:title]) {
    _title.stringValue = title;
    _measuredWidth = 0;
  }
  setText(_kindLabel, MacViewStyle::string(row.kindLabel));
  setText(_separator, MacViewStyle::string(row.separator));
  setText(_age, MacViewStyle::string(row.age));

  _quickPaste.hidden = !row.quickPasteLabel.has_value();
  if (row.quickPasteLabel) setText(_quickPaste, MacViewStyle::string(*row.quickPasteLabel));
  setButton(_pinButton, row.pinButton, M::pinFont);
  setButton(_deleteButton, row.deleteButton, M::deleteFont);
}

- (void)setAccessible:(const AccessibleRow&)row keyboardHere:(BOOL)keyboardHere {
  _accessibleName = MacViewStyle::string(row.name);
  _accessibleHelp = MacViewStyle::string(row.description);
  _pinActionName = MacViewStyle::string(row.pinOrUnpinLabel);
  _keyboardHere = keyboardHere;
  // The keyboard's place in the list: a ring around the selected row.
  const BOOL focused = _selected && keyboardHere;
  _background.borderColor = focused ? MacViewStyle::focusRing() : nil;
  _background.borderWidth = M::focusRingWidth;
  _background.hidden = _background.hidden && !focused;
}

- (std::optional<AccessibleRow::PixelSize>)imagePixelSize {
  NSImage* image = _thumbnailFrame.hidden ? nil : _thumbnailImage;
  NSImageRep* rep = image.representations.firstObject;
  if (rep == nil || rep.pixelsWide <= 0 || rep.pixelsHigh <= 0) return std::nullopt;
  return AccessibleRow::PixelSize{static_cast<int>(rep.pixelsWide),
                                  static_cast<int>(rep.pixelsHigh)};
}

- (void)updateThumbnail:(const std::optional<std::string>&)path {
  if (path != _thumbnailPath) {
    _thumbnailPath = path;
    _thumbnailLoaded = NO;
  }
  if (!_thumbnailLoaded) {
    _thumbnailLoaded = YES;
    NSImage* image = nil;
    if (_thumbnailPath) {
      NSString* file = MacViewStyle::string(*_thumbnailPath);
      if (file.length > 0) image = [[NSImage alloc] initWithContentsOfFile:file];
    }
    // The image is read when the row first shows it; a missing or unreadable
    // file falls back to the kind's tile.
    _thumbnailImage = image;
    _thumbnail.layer.contents = image;
    _thumbnailFrame.hidden = image == nil;
  }
  _tile.hidden = !_thumbnailFrame.hidden;
}

- (CGFloat)titleWidthFor:(CGFloat)width {
  // Room for the widest trailing controls (pin and delete), so that hovering
  // never changes the row's height.
  NSSize pin = buttonSize(_pinButton);
  NSImage* deleteImage = MacViewStyle::symbol("xmark.circle.fill", M::deleteFont);
  CGFloat deleteWidth = deleteImage != nil ? std::ceil(deleteImage.size.width) : 0;
  CGFloat pinWidth = std::max<CGFloat>(pin.width, deleteWidth);
  CGFloat trailing = pinWidth + M::trailingSpacing + deleteWidth;
  return std::max<CGFloat>(0, width - M::rowInsets.leading - M::chipSize - M::rowSpacing -
                                  M::rowSpacerMinLength - trailing - M::rowInsets.trailing);
}

- (CGFloat)titleHeightFor:(CGFloat)titleWidth {
  NSFont* font = _title.font;
  CGFloat line = MacViewStyle::lineHeight(font);
  NSSize size = [_title.cell cellSizeForBounds:NSMakeRect(0, 0, titleWidth, CGFLOAT_MAX)];
  CGFloat lines = std::clamp<CGFloat>(std::round(size.height / line), 1, M::rowTitleMaxLines);
  return lines * line;
}

- (CGFloat)heightForWidth:(CGFloat)width {
  if (_measuredWidth == width && _measuredHeight > 0) return _measuredHeight;
  CGFloat titleHeight = [self titleHeightFor:[self titleWidthFor:width]];
  CGFloat metadataHeight = MacViewStyle::lineHeight(_age.font);
  CGFloat text = titleHeight + M::rowTextSpacing + metadataHeight;
  _measuredWidth = width;
  _measuredHeight =
      std::ceil(M::rowInsets.top + std::max<CGFloat>(M::chipSize, text) + M::rowInsets.bottom);
  return _measuredHeight;
}

- (void)layoutContent {
  const NSRect bounds = self.bounds;
  _background.frame = bounds;
  const CGFloat midY = NSMidY(bounds);

  NSRect chip = NSMakeRect(M::rowInsets.leading, midY - M::chipSize / 2, M::chipSize, M::chipSize);
  _tile.frame = chip;
  _thumbnailFrame.frame = chip;
  _thumbnail.frame = NSMakeRect(0, 0, M::chipSize, M::chipSize);
  NSSize symbolSize = _tileSymbol.image != nil ? _tileSymbol.image.size : NSZeroSize;
  _tileSymbol.frame = NSMakeRect(std::round((M::chipSize - symbolSize.width) / 2),
                                 std::round((M::chipSize - symbolSize.height) / 2),
                                 symbolSize.width, symbolSize.height);

  // Trailing controls from the right edge inwards.
  CGFloat right = NSMaxX(bounds) - M::rowInsets.trailing;
  for (NSView* control in @[ _deleteButton, _pinButton, _quickPaste ]) {
    if (control.hidden) continue;
    NSSize size = control == _quickPaste ? MacViewStyle::fittingSize(_quickPaste)
                                         : buttonSize(static_cast<NSButton*>(control));
    control.frame =
        NSMakeRect(right - size.width, std::round(midY - size.height / 2), size.width, size.height);
    right -= size.width + M::trailingSpacing;
  }

  const CGFloat textX = NSMaxX(chip) + M::rowSpacing;
  const CGFloat textWidth =
      std::max<CGFloat>(0, right + M::trailingSpacing - M::rowSpacerMinLength - textX);
  const CGFloat titleHeight = [self titleHeightFor:[self titleWidthFor:bounds.size.width]];
  const CGFloat metadataHeight = MacViewStyle::lineHeight(_age.font);
  const CGFloat textHeight = titleHeight + M::rowTextSpacing + metadataHeight;
  const CGFloat top = std::round(midY - textHeight / 2);
  _title.frame = NSMakeRect(textX, top, textWidth, titleHeight);

  CGFloat x = textX;
  const CGFloat metadataY = top + titleHeight + M::rowTextSpacing;
  for (NSTextField* part in @[ _kindLabel, _separator, _age ]) {
    NSSize size = MacViewStyle::fittingSize(part);
    CGFloat partWidth = std::min<CGFloat>(size.width, std::max<CGFloat>(0, textX + textWidth - x));
    part.frame = NSMakeRect(x, metadataY, partWidth, metadataHeight);
    x += partWidth + M::metadataSpacing;
  }
}

- (void)updateTrackingAreas {
  if (_tracking != nil) [self removeTrackingArea:_tracking];
  _tracking = [[NSTrackingArea alloc] initWithRect:NSZeroRect
                                           options:NSTrackingMouseEnteredAndExited |
                                                   NSTrackingActiveAlways | NSTrackingInVisibleRect
                                             owner:self
                                          userInfo:nil];
  [self addTrackingArea:_tracking];
  [super updateTrackingAreas];
}

- (void)mouseEntered:(NSEvent*)event {
  [self setHovered:true];
}

- (void)mouseExited:(NSEvent*)event {
  [self setHovered:false];
}

- (void)setHovered:(bool)hovered {
  if (!_id) return;
  HistoryView* view = _view;
  const Uuid id = *_id;
  callAtBoundary([view, id, hovered] { view->setHovered(id, hovered); });
}

- (NSView*)hitTest:(NSPoint)point {
  // The row's labels and tiles are part of its click target; only its own
  // buttons take clicks for themselves.
  NSView* hit = [super hitTest:point];
  if (hit == nil || [hit isKindOfClass:NSButton.class]) return hit;
  return self;
}

- (BOOL)acceptsFirstMouse:(NSEvent*)event {
  return YES;
}

- (void)mouseDown:(NSEvent*)event {
  // Taken here so the click is not passed to the list behind; the paste
  // happens on release inside the row, as with a button.
}

- (void)mouseUp:(NSEvent*)event {
  NSPoint point = [self convertPoint:event.locationInWindow fromView:nil];
  if (!NSPointInRect(point, self.bounds) || !_id) return;
  HistoryView* view = _view;
  const Uuid id = *_id;
  callAtBoundary([view, id] { view->clickRow(id); });
}

// MARK: Accessibility

// One element for the whole row: its labels and buttons are read from the
// name, and the buttons offered as actions.

- (BOOL)isAccessibilityElement {
  return YES;
}

- (NSAccessibilityRole)accessibilityRole {
  return NSAccessibilityRowRole;
}

- (NSString*)accessibilityLabel {
  return _accessibleName;
}

- (NSString*)accessibilityHelp {
  return _accessibleHelp;
}

- (NSArray*)accessibilityChildren {
  return @[];
}

- (BOOL)isAccessibilitySelected {
  return _selected;
}

- (BOOL)isAccessibilityFocused {
  return _selected && _keyboardHere;
}

- (BOOL)accessibilityPerformPress {
  if (!_id) return NO;
  HistoryView* view = _view;
  const Uuid id = *_id;
  callAtBoundary([view, id] { view->clickRow(id); });
  return YES;
}

- (NSArray<NSAccessibilityCustomAction*>*)accessibilityCustomActions {
  if (!_id || _pinActionName == nil) return @[];
  __weak PellimoreClipRowView* weakSelf = self;
  NSAccessibilityCustomAction* pin = [[NSAccessibilityCustomAction alloc]
      initWithName:_pinActionName
           handler:^BOOL {
             PellimoreClipRowView* strongSelf = weakSelf;
             if (strongSelf == nil) return NO;
             callAtBoundary([strongSelf] { [strongSelf pinPressed]; });
             return YES;
           }];
  NSAccessibilityCustomAction* remove = [[NSAccessibilityCustomAction alloc]
      initWithName:@"Delete"
           handler:^BOOL {
             PellimoreClipRowView* strongSelf = weakSelf;
             if (strongSelf == nil) return NO;
             callAtBoundary([strongSelf] { [strongSelf deletePressed]; });
             return YES;
           }];
  return @[ pin, remove ];
}

- (void)pinPressed {
  if (_id) _view->togglePin(*_id);
}

- (void)deletePressed {
  if (!_id) return;
  const Uuid id = *_id;
  _view->deleteItem(id);
}

@end
