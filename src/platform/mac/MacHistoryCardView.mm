// The popup card in plain frames on a flipped view, top to bottom. Every
// change of the HistoryView schedules one redraw on the next turn of the
// main queue, so a row's button never sees its own row replaced while its
// action is still running, and a burst of changes costs one layout.
#import "platform/mac/MacHistoryCardView.h"

#import <Carbon/Carbon.h>
#import <QuartzCore/QuartzCore.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Brand.h"
#include "history/ClipboardStore.h"
#include "platform/Clock.h"
#include "platform/ResourceBundle.h"
#import "platform/mac/AppKitImageNative.h"
#include "platform/mac/CallbackBoundary.h"
#import "platform/mac/MacActionTarget.h"
#import "platform/mac/MacClipRowView.h"
#include "platform/mac/MacImage.h"
#import "platform/mac/MacRoundedView.h"
#import "platform/mac/MacShortcutKeys.h"
#import "platform/mac/MacStrings.h"
#import "platform/mac/MacViewStyle.h"
#include "views/HistoryLayout.h"
#include "views/HistoryView.h"
#include "views/ListAnnouncer.h"
#include "views/ShortcutTexts.h"

/// A footer button that draws its own focus ring, in the card's focus
/// colour, following its rounded shape.
@interface PellimoreFocusRingButton : NSButton
@end

namespace {

namespace M = ViewMetrics;
namespace S = MacViewStyle;

// The card's own shape as the material's mask, stretched from a small image
// so the window shadow follows the rounded corners too.
NSImage* cardMask() {
  const CGFloat radius = M::cardCornerRadius;
  NSImage* mask = [NSImage imageWithSize:NSMakeSize(radius * 2 + 1, radius * 2 + 1)
                                 flipped:NO
                          drawingHandler:^BOOL(NSRect rect) {
                            [NSColor.blackColor setFill];
                            [[NSBezierPath bezierPathWithRoundedRect:rect
                                                             xRadius:radius
                                                             yRadius:radius] fill];
                            return YES;
                          }];
  mask.capInsets = NSEdgeInsetsMake(radius, radius, radius, radius);
  mask.resizingMode = NSImageResizingModeStretch;
  return mask;
}

NSImage* brandImage(const ResourceBundle& bundle, std::string_view asset) {
  std::shared_ptr<Image> image = Brand::image(bundle, asset);
  auto* macImage = dynamic_cast<MacImage*>(image.get());
  if (macImage == nullptr) return nil;
  return macImage->appKitImage().native().image;
}

/// `image` scaled to fit `slot` with its aspect kept, centred in it.
NSRect fitted(NSImage* image, NSRect slot) {
  NSSize size = image.size;
  if (size.width <= 0 || size.height <= 0) return slot;
  CGFloat scale = std::min(slot.size.width / size.width, slot.size.height / size.height);
  NSSize scaled = NSMakeSize(size.width * scale, size.height * scale);
  return NSMakeRect(NSMidX(slot) - scaled.width / 2, NSMidY(slot) - scaled.height / 2, scaled.width,
                    scaled.height);
}

NSBox* divider() {
  NSBox* box = [[NSBox alloc] initWithFrame:NSZeroRect];
  box.boxType = NSBoxSeparator;
  box.alphaValue = M::dividerOpacity;
  return box;
}

NSImageView* symbolView(std::string_view name, const FontSpec& font, NSColor* tint) {
  NSImage* image = S::symbol(name, font);
  NSImageView* view =
      [NSImageView imageViewWithImage:image != nil ? image : [[NSImage alloc] init]];
  view.imageScaling = NSImageScaleNone;
  view.contentTintColor = tint;
  return view;
}

NSAttributedString* buttonTitle(std::string_view text, const FontSpec& font, NSColor* color) {
  return [[NSAttributedString alloc] initWithString:S::string(text)
                                         attributes:@{
                                           NSFontAttributeName : S::font(font),
                                           NSForegroundColorAttributeName : color
                                         }];
}

NSButton* plainButton() {
  NSButton* button = [PellimoreFocusRingButton buttonWithTitle:@"" target:nil action:nil];
  button.bordered = NO;
  button.focusRingType = NSFocusRingTypeNone;
  button.refusesFirstResponder = YES;
  return button;
}

NSSize buttonSize(NSButton* button) {
  [button sizeToFit];
  NSSize size = button.frame.size;
  return NSMakeSize(std::ceil(size.width), std::ceil(size.height));
}

/// Has VoiceOver say `text`, which nothing focused would say. Posted on the
/// popup's window, as AppKit's documentation posts on the main window: with
/// VoiceOver running the popup activates us and is that window.
void announce(NSWindow* window, NSString* text, NSAccessibilityPriorityLevel priority) {
  if (text.length == 0 || window == nil) return;
  NSAccessibilityPostNotificationWithUserInfo(
      window, NSAccessibilityAnnouncementRequestedNotification,
      @{NSAccessibilityAnnouncementKey : text,
        NSAccessibilityPriorityKey : @(priority)});
}

/// `size` placed at `x`, centred on `midY`.
NSRect centredAt(CGFloat x, CGFloat midY, NSSize size) {
  return NSMakeRect(x, std::round(midY - size.height / 2), size.width, size.height);
}

}  // namespace

/// The list's document: flipped, so rows run from the top down.
@implementation PellimoreFocusRingButton

- (BOOL)becomeFirstResponder {
  const BOOL became = [super becomeFirstResponder];
  if (became) self.needsDisplay = YES;
  return became;
}

- (BOOL)resignFirstResponder {
  const BOOL resigned = [super resignFirstResponder];
  if (resigned) self.needsDisplay = YES;
  return resigned;
}

- (void)drawRect:(NSRect)dirtyRect {
  [super drawRect:dirtyRect];
  if (self.window.firstResponder != self || !self.window.isKeyWindow) return;
  const CGFloat width = M::focusRingWidth;
  const NSRect ring = NSInsetRect(self.bounds, width / 2, width / 2);
  const CGFloat radius = std::min(M::plainButtonFocusRadius, NSHeight(ring) / 2);
  NSBezierPath* path = [NSBezierPath bezierPathWithRoundedRect:ring xRadius:radius yRadius:radius];
  path.lineWidth = width;
  [S::focusRing() setStroke];
  [path stroke];
}

@end

@interface PellimoreListDocumentView : NSView
/// Keys typed while the list holds the keyboard (it is reached with Tab).
@property(nonatomic, copy, nullable) BOOL (^keyHandler)(NSEvent* _Nonnull event);
/// The list took or lost the keyboard: its selected row shows the focus.
@property(nonatomic, copy, nullable) void (^focusHandler)(void);
@end

@implementation PellimoreListDocumentView
- (BOOL)isFlipped {
  return YES;
}

- (BOOL)acceptsFirstResponder {
  return self.keyHandler != nil;
}

- (void)keyDown:(NSEvent*)event {
  if (self.keyHandler == nil || !self.keyHandler(event)) [super keyDown:event];
}

- (BOOL)becomeFirstResponder {
  if (self.focusHandler != nil) self.focusHandler();
  return YES;
}

- (BOOL)resignFirstResponder {
  if (self.focusHandler != nil) self.focusHandler();
  return YES;
}

- (id)accessibilityFocusedUIElement {
  // The selected row is the list's focus, as in a table view.
  id selected = self.accessibilitySelectedRows.firstObject;
  return selected != nil ? selected : self;
}
@end

@implementation PellimoreHistoryCardView {
  HistoryView* _view;
  const Clock* _clock;
  const ResourceBundle* _bundle;
  BOOL _detached;
  BOOL _refreshPending;
  std::optional<Uuid> _pendingScroll;
  /// The selected entry VoiceOver was last told of.
  std::optional<Uuid> _spokenSelection;
  std::optional<HistoryLayout> _layout;

  NSVisualEffectView* _material;
  PellimoreRoundedView* _border;

  NSImage* _markImage;
  NSImageView* _headerMark;
  NSTextField* _name;
  NSTextField* _product;
  PellimoreRoundedView* _badge;
  NSTextField* _badgeLabel;
  NSBox* _topDivider;

  PellimoreRoundedView* _searchBackground;
  NSImageView* _searchIcon;
  NSTextField* _searchField;
  NSButton* _clearSearch;

  NSScrollView* _scroll;
  PellimoreListDocumentView* _document;
  NSMutableDictionary<NSString*, PellimoreClipRowView*>* _rows;
  NSMutableDictionary<NSString*, NSTextField*>* _sectionLabels;
  NSMutableArray<NSView*>* _listOrder;

  NSView* _empty;
  NSImageView* _emptyMark;
  NSImageView* _emptySymbol;
  NSTextField* _emptyTitle;
  NSTextField* _emptyMessage;

  NSBox* _bottomDivider;
  NSTextField* _hint;
  NSButton* _clearAll;
  NSTextField* _question;
  NSButton* _cancel;
  PellimoreRoundedView* _confirmFill;
  NSButton* _confirm;

  NSMutableArray<PellimoreActionTarget*>* _targets;
  ListAnnouncer _announcer;
}

- (instancetype)initWithHistoryView:(HistoryView*)view
                              clock:(const Clock*)clock
                             bundle:(const ResourceBundle*)bundle {
  self = [super initWithFrame:NSMakeRect(0, 0, M::cardWidth, M::cardHeight)];
  if (self == nil) return nil;
  _view = view;
  _clock = clock;
  _bundle = bundle;
  _rows = [NSMutableDictionary dictionary];
  _sectionLabels = [NSMutableDictionary dictionary];
  _listOrder = [NSMutableArray array];
  _targets = [NSMutableArray array];

  // Everything, the material included, is clipped to the card's shape.
  self.wantsLayer = YES;
  self.layer.cornerRadius = M::cardCornerRadius;
  self.layer.cornerCurve = kCACornerCurveContinuous;
  self.layer.masksToBounds = YES;

  _material = [[NSVisualEffectView alloc] initWithFrame:self.bounds];
  _material.material = NSVisualEffectMaterialPopover;
  _material.state = NSVisualEffectStateActive;
  _material.blendingMode = NSVisualEffectBlendingModeBehindWindow;
  _material.maskImage = cardMask();
  _material.autoresizingMask = NSViewWidthSizable | NSViewHeightSizable;
  [self addSubview:_material];

  [self buildHeader];
  [self buildSearchBar];
  [self buildList];
  [self buildEmptyState];
  [self buildFooter];

  _border = [[PellimoreRoundedView alloc] initWithFrame:self.bounds];
  _border.cornerRadius = M::cardCornerRadius;
  _border.borderWidth = M::cardBorderWidth;
  _border.borderColor = S::color(ViewColor::primary, M::cardBorderOpacity);
  _border.ignoresMouse = YES;
  _border.autoresizingMask = NSViewWidthSizable | NSViewHeightSizable;
  [self addSubview:_border];

  __weak PellimoreHistoryCardView* weakSelf = self;
  _view->setOnChange([weakSelf] {
    PellimoreHistoryCardView* strongSelf = weakSelf;
    if (strongSelf != nil) [strongSelf scheduleRefresh];
  });
  _view->setOnScrollTo([weakSelf](const Uuid& id) {
    PellimoreHistoryCardView* strongSelf = weakSelf;
    if (strongSelf == nil) return;
    // The list is laid out anew on the next refresh; scroll after that.
    strongSelf->_pendingScroll = id;
    [strongSelf scheduleRefresh];
  });
  [self refreshNow];
  return self;
}

- (BOOL)isFlipped {
  return YES;
}

- (void)attachAction:(void (^)(void))action to:(NSControl*)control {
  // The actions reach the view through a plain pointer; once detached, the
  // view may be gone, so a late click does nothing.
  __weak PellimoreHistoryCardView* weakSelf = self;
  PellimoreActionTarget* target = [[PellimoreActionTarget alloc] initWithAction:^{
    PellimoreHistoryCardView* strongSelf = weakSelf;
    if (strongSelf != nil && !strongSelf->_detached) action();
  }];
  [target attachTo:control];
  [_targets addObject:target];
}

// MARK: Building

- (void)buildHeader {
  _markImage = brandImage(*_bundle, HistoryLayout::Header{}.markAsset);
  _headerMark =
      [NSImageView imageViewWithImage:_markImage != nil ? _markImage : [[NSImage alloc] init]];
  _headerMark.imageScaling = NSImageScaleProportionallyUpOrDown;
  _headerMark.hidden = _markImage == nil;
  _headerMark.accessibilityElement = NO;
  [self addSubview:_headerMark];

  HistoryLayout::Header header;
  _name = S::label(header.name, S::font(M::headerNameFont), NSColor.labelColor);
  _product =
      S::label(header.product, S::font(M::headerProductFont), S::color(ViewColor::secondary));
  [self addSubview:_name];
  [self addSubview:_product];

  _badge = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _badge.capsule = YES;
  _badge.fillColor = S::color(ViewColor::primary, M::badgeFillOpacity);
  _badgeLabel = S::label("", S::font(M::badgeFont), S::color(ViewColor::secondary));
  [self addSubview:_badge];
  [self addSubview:_badgeLabel];

  _topDivider = divider();
  [self addSubview:_topDivider];
}

- (void)buildSearchBar {
  HistoryLayout::SearchBar bar;
  _searchBackground = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _searchBackground.cornerRadius = M::searchCornerRadius;
  _searchBackground.fillColor = S::color(ViewColor::primary, M::searchFillOpacity);
  _searchBackground.ignoresMouse = YES;
  [self addSubview:_searchBackground];

  _searchIcon = symbolView(bar.icon, M::searchIconFont, S::color(ViewColor::secondary));
  _searchIcon.accessibilityElement = NO;
  [self addSubview:_searchIcon];

  _searchField = [[NSTextField alloc] initWithFrame:NSZeroRect];
  _searchField.bordered = NO;
  _searchField.bezeled = NO;
  _searchField.drawsBackground = NO;
  _searchField.focusRingType = NSFocusRingTypeNone;
  _searchField.font = S::font(M::searchFieldFont);
  _searchField.placeholderString = S::string(bar.placeholder);
  _searchField.usesSingleLineMode = YES;
  _searchField.lineBreakMode = NSLineBreakByClipping;
  _searchField.cell.scrollable = YES;
  _searchField.delegate = self;
  _searchField.accessibilityLabel = S::string(bar.placeholder);
  [self addSubview:_searchField];

  _clearSearch = plainButton();
  _clearSearch.image = S::symbol(bar.clearSymbol, M::searchFieldFont);
  _clearSearch.imagePosition = NSImageOnly;
  _clearSearch.contentTintColor = S::color(ViewColor::secondary);
  _clearSearch.accessibilityLabel = S::string(HistoryLayout::Spoken{}.clearSearchName);
  HistoryView* view = _view;
  [self
      attachAction:^{
        view->clearSearch();
      }
                to:_clearSearch];
  [self addSubview:_clearSearch];
}

- (void)buildList {
  _scroll = [[NSScrollView alloc] initWithFrame:NSZeroRect];
  _scroll.drawsBackground = NO;
  _scroll.borderType = NSNoBorder;
  _scroll.hasVerticalScroller = YES;
  _scroll.hasHorizontalScroller = NO;
  _scroll.autohidesScrollers = YES;
  _scroll.scrollerStyle = NSScrollerStyleOverlay;
  _scroll.horizontalScrollElasticity = NSScrollElasticityNone;
  _scroll.verticalScroller.controlSize = NSControlSizeSmall;
  _scroll.contentView.drawsBackground = NO;
  _document = [[PellimoreListDocumentView alloc] initWithFrame:NSZeroRect];
  // To VoiceOver a table of rows, its section titles between them.
  _document.accessibilityElement = YES;
  _document.accessibilityRole = NSAccessibilityTableRole;
  _document.accessibilityLabel = S::string(HistoryLayout::Spoken{}.listName);
  __weak PellimoreHistoryCardView* weakSelf = self;
  _document.keyHandler = ^BOOL(NSEvent* event) {
    PellimoreHistoryCardView* strongSelf = weakSelf;
    return strongSelf != nil && [strongSelf listKeyDown:event];
  };
  _document.focusHandler = ^{
    PellimoreHistoryCardView* strongSelf = weakSelf;
    [strongSelf scheduleRefresh];
  };
  _scroll.documentView = _document;
  [self addSubview:_scroll];
}

- (void)buildEmptyState {
  _empty = [[PellimoreListDocumentView alloc] initWithFrame:NSZeroRect];
  _emptyMark =
      [NSImageView imageViewWithImage:_markImage != nil ? _markImage : [[NSImage alloc] init]];
  _emptyMark.imageScaling = NSImageScaleProportionallyUpOrDown;
  _emptyMark.alphaValue = M::emptyMarkOpacity;
  _emptySymbol = symbolView("magnifyingglass", M::noMatchesIconFont, S::color(ViewColor::tertiary));
  _emptyTitle = S::label("", S::font(M::noClipsTitleFont), NSColor.labelColor);
  _emptyMessage = S::label("", S::font(M::emptyMessageFont), S::color(ViewColor::secondary));
  _emptyMessage.maximumNumberOfLines = 0;
  _emptyMessage.cell.wraps = YES;
  _emptyMessage.lineBreakMode = NSLineBreakByWordWrapping;
  _emptyMessage.alignment = NSTextAlignmentCenter;
  for (NSView* part in @[ _emptyMark, _emptySymbol, _emptyTitle, _emptyMessage ])
    [_empty addSubview:part];
  [self addSubview:_empty];
}

- (void)buildFooter {
  _bottomDivider = divider();
  [self addSubview:_bottomDivider];

  _hint = S::label("", S::font(M::footerHintFont), S::color(ViewColor::secondary));
  [self addSubview:_hint];

  HistoryLayout::Footer footer;
  HistoryView* view = _view;
  NSColor* secondary = S::color(ViewColor::secondary);
  _clearAll = plainButton();
  _clearAll.image = S::symbol(footer.clearSymbol, M::clearAllFont);
  _clearAll.imagePosition = NSImageLeading;
  _clearAll.contentTintColor = secondary;
  _clearAll.attributedTitle = buttonTitle(footer.clearTitle, M::clearAllFont, secondary);
  [self
      attachAction:^{
        view->requestClear();
      }
                to:_clearAll];
  _clearAll.accessibilityHelp = S::string(HistoryLayout::Spoken{}.clearAllDescription);
  [self addSubview:_clearAll];

  _question = S::label("", S::font(M::confirmQuestionFont), NSColor.labelColor);
  [self addSubview:_question];

  _cancel = plainButton();
  _cancel.attributedTitle = buttonTitle(footer.cancelTitle, M::cancelFont, secondary);
  [self
      attachAction:^{
        view->cancelClear();
      }
                to:_cancel];
  _cancel.accessibilityHelp = S::string(HistoryLayout::Spoken{}.cancelDescription);
  [self addSubview:_cancel];

  _confirmFill = [[PellimoreRoundedView alloc] initWithFrame:NSZeroRect];
  _confirmFill.capsule = YES;
  _confirmFill.ignoresMouse = YES;
  [self addSubview:_confirmFill];
  _confirm = plainButton();
  [self
      attachAction:^{
        view->confirmClear();
      }
                to:_confirm];
  [self addSubview:_confirm];

  // With the system's keyboard navigation on, Tab goes from the search field
  // to the list and on to the footer's buttons (hidden ones are passed over).
  for (NSButton* button in @[ _clearAll, _cancel, _confirm ]) {
    button.refusesFirstResponder = NO;
  }
  _searchField.nextKeyView = _document;
  _document.nextKeyView = _clearAll;
  _clearAll.nextKeyView = _cancel;
  _cancel.nextKeyView = _confirm;
  _confirm.nextKeyView = _searchField;
}

// MARK: Refreshing

- (void)scheduleRefresh {
  if (_refreshPending || _detached) return;
  _refreshPending = YES;
  __weak PellimoreHistoryCardView* weakSelf = self;
  dispatch_async(dispatch_get_main_queue(), ^{
    PellimoreHistoryCardView* strongSelf = weakSelf;
    if (strongSelf != nil) callAtBoundary([strongSelf] { [strongSelf refreshNow]; });
  });
}

- (void)refreshNow {
  _refreshPending = NO;
  if (_detached) return;
  _layout = HistoryLayout::make(*_view, ShortcutTexts::macOS());
  const HistoryLayout& layout = *_layout;

  _badge.hidden = !layout.header.badge.has_value();
  _badgeLabel.hidden = _badge.hidden;
  if (layout.header.badge) _badgeLabel.stringValue = S::string(*layout.header.badge);

  [self syncSearchText];
  _clearSearch.hidden = !layout.searchBar.showsClearButton;
  _searchField.accessibilityHelp = S::string(layout.spoken.searchDescription);
  _document.accessibilityHelp = S::string(layout.spoken.listDescription);
  _confirm.accessibilityHelp = S::string(layout.spoken.confirmDescription);

  const bool empty = layout.emptyState.has_value();
  _scroll.hidden = empty;
  _empty.hidden = !empty;
  if (empty) {
    [self showEmptyState:*layout.emptyState];
  }
  [self updateList:layout];
  [self announceListChange:layout];
  [self updateFooter:layout.footer];
  [self layoutCard];
  [self showSearchFocus];

  if (_pendingScroll) {
    const Uuid id = *_pendingScroll;
    _pendingScroll.reset();
    [self centreRow:id];
    // The selection moved. With the list holding the keyboard, VoiceOver
    // follows the focus onto the row; from the search field, where typing
    // goes on, it is told the row's name instead.
    // An entry that only moved (a copy landed above it) is not told again.
    const bool sameEntry = _spokenSelection && *_spokenSelection == id;
    _spokenSelection = id;
    NSAccessibilityPostNotification(_document, NSAccessibilitySelectedRowsChangedNotification);
    PellimoreClipRowView* row = sameEntry ? nil : _rows[S::string(id.toString())];
    if (row != nil && self.window.firstResponder == _document)
      NSAccessibilityPostNotification(row, NSAccessibilityFocusedUIElementChangedNotification);
    else if (row != nil && self.window.isKeyWindow)
      announce(self.window, row.accessibilityLabel, NSAccessibilityPriorityMedium);
  }
}

- (void)announceListChange:(const HistoryLayout&)layout {
  if (!self.window.isVisible) return;
  const std::optional<std::string> said =
      _announcer.afterChange(layout.emptyState, _view->filtered().size(), !_view->search().empty(),
                             [self] { return [self selectedRowLabel]; });
  if (said) announce(self.window, S::string(*said), NSAccessibilityPriorityHigh);
}

/// What VoiceOver says of the selected row; empty without one.
- (std::string)selectedRowLabel {
  const std::vector<const ClipboardItem*>& listed = _view->filtered();
  const auto selected = static_cast<std::size_t>(_view->selectedIndex());
  PellimoreClipRowView* row =
      selected < listed.size() ? _rows[S::string(listed[selected]->id.toString())] : nil;
  return row.accessibilityLabel ? MacStrings::toStdString(row.accessibilityLabel) : std::string();
}

- (void)syncSearchText {
  NSString* model = S::string(_view->search());
  if ([_searchField.stringValue isEqualToString:model]) return;
  // Replacing the text under an input method's marked text would cancel the
  // composition; the view catches up with the next edit.
  NSText* editor = _searchField.currentEditor;
  if ([editor isKindOfClass:NSTextView.class] && [static_cast<NSTextView*>(editor) hasMarkedText])
    return;
  _searchField.stringValue = model;
}

- (void)showEmptyState:(const HistoryLayout::EmptyState&)state {
  _emptyMark.hidden = !state.markAsset.has_value() || _markImage == nil;
  _emptySymbol.hidden = !state.symbol.has_value();
  if (state.symbol) {
    NSImage* image = S::symbol(*state.symbol, M::noMatchesIconFont);
    if (image != nil) _emptySymbol.image = image;
  }
  _emptyTitle.stringValue = S::string(state.title);
  _emptyTitle.font = S::font(state.titleFont);
  _emptyMessage.stringValue = S::string(state.message);
}

- (void)updateList:(const HistoryLayout&)layout {
  const std::vector<const ClipboardItem*>& filtered = _view->filtered();
  const TimePoint now = _clock->now();
  const ShortcutTexts& shortcuts = ShortcutTexts::macOS();

  NSMutableDictionary<NSString*, PellimoreClipRowView*>* rows = [NSMutableDictionary dictionary];
  NSMutableDictionary<NSString*, NSTextField*>* labels = [NSMutableDictionary dictionary];
  NSMutableArray<PellimoreClipRowView*>* tableRows = [NSMutableArray array];
  PellimoreClipRowView* selected = nil;
  [_listOrder removeAllObjects];
  for (std::size_t index = 0; index < filtered.size(); ++index) {
    if (index < layout.sectionTitles.size() && layout.sectionTitles[index]) {
      NSString* title = S::string(*layout.sectionTitles[index]);
      NSTextField* label = _sectionLabels[title];
      if (label == nil) {
        label = S::label(*layout.sectionTitles[index], S::font(M::sectionHeaderFont),
                         S::color(ViewColor::secondary));
        [_document addSubview:label];
      }
      label.accessibilityRoleDescription = @"heading";
      labels[title] = label;
      [_listOrder addObject:label];
    }
    const ClipRow row = _view->row(index, now, shortcuts);
    NSString* key = S::string(row.id.toString());
    PellimoreClipRowView* rowView = _rows[key];
    if (rowView == nil) {
      rowView = [[PellimoreClipRowView alloc] initWithHistoryView:_view];
      [_document addSubview:rowView];
    }
    [rowView configure:row];
    [rowView setAccessible:_view->accessibleRow(index, now, shortcuts, [rowView imagePixelSize])
              keyboardHere:self.window.firstResponder == _document];
    if (row.state.selected) selected = rowView;
    rows[key] = rowView;
    [_listOrder addObject:rowView];
    [tableRows addObject:rowView];
  }
  _document.accessibilityChildren = [_listOrder copy];
  _document.accessibilityRows = tableRows;
  _document.accessibilitySelectedRows = selected != nil ? @[ selected ] : @[];
  // Rows of entries that left the list, and section titles no longer shown.
  for (NSString* key in _rows)
    if (rows[key] == nil) [_rows[key] removeFromSuperview];
  for (NSString* title in _sectionLabels)
    if (labels[title] == nil) [_sectionLabels[title] removeFromSuperview];
  _rows = rows;
  _sectionLabels = labels;
}

- (void)updateFooter:(const HistoryLayout::Footer&)footer {
  const BOOL confirming = footer.confirming;
  // A keyboard in the footer stays there as it changes form: on Cancel when
  // the question appears, back on Clear all (or in the field, when nothing is
  // left to clear) when it goes.
  NSResponder* focused = self.window.firstResponder;
  const BOOL footerHadFocus = focused == _clearAll || focused == _cancel || focused == _confirm;
  const BOOL changesForm = _clearAll.hidden != confirming;
  _hint.hidden = confirming;
  _clearAll.hidden = confirming;
  _question.hidden = !confirming;
  _cancel.hidden = !confirming;
  _confirmFill.hidden = !confirming;
  _confirm.hidden = !confirming;

  _hint.stringValue = S::string(footer.hint);
  _clearAll.enabled = footer.clearEnabled;
  _clearAll.alphaValue = footer.clearOpacity;
  _question.stringValue = S::string(footer.question);
  _confirmFill.fillColor = S::color(footer.confirmFill);
  _confirm.attributedTitle =
      buttonTitle(footer.confirmTitle, M::confirmButtonFont, S::color(footer.confirmColor));
  if (footerHadFocus && changesForm) {
    NSView* next = confirming ? _cancel : footer.clearEnabled ? _clearAll : _searchField;
    [self.window makeFirstResponder:next];
  }
  // Both answers say what they answer; the question is spoken as it comes.
  NSString* question = _question.stringValue;
  _cancel.accessibilityHelp = [NSString
      stringWithFormat:@"%@ %@", question, S::string(HistoryLayout::Spoken{}.cancelDescription)];
  _confirm.accessibilityHelp =
      [NSString stringWithFormat:@"%@ %@", question, _confirm.accessibilityHelp];
  if (changesForm && confirming && self.window.isVisible)
    announce(self.window, question, NSAccessibilityPriorityHigh);
}

// MARK: Layout

- (void)layoutCard {
  const CGFloat width = self.bounds.size.width;
  const CGFloat height = self.bounds.size.height;
  CGFloat y = [self layoutHeaderIn:width];
  _topDivider.frame = NSMakeRect(0, y, width, 1);
  y += 1;
  y = [self layoutSearchBarAt:y width:width];

  const CGFloat footerHeight = [self layoutFooterIn:width height:height];
  const CGFloat footerTop = height - footerHeight;
  _bottomDivider.frame = NSMakeRect(0, footerTop - 1, width, 1);

  const NSRect content = NSMakeRect(0, y, width, std::max<CGFloat>(0, footerTop - 1 - y));
  _scroll.frame = content;
  _empty.frame = content;
  if (!_empty.hidden) [self layoutEmptyStateIn:content.size];
  if (!_scroll.hidden) [self layoutList];
}

- (CGFloat)layoutHeaderIn:(CGFloat)width {
  const Insets insets = M::headerInsets;
  NSSize name = S::fittingSize(_name);
  NSSize product = S::fittingSize(_product);
  NSSize badgeText = S::fittingSize(_badgeLabel);
  NSSize badge = NSMakeSize(badgeText.width + M::badgeInsets.leading + M::badgeInsets.trailing,
                            badgeText.height + M::badgeInsets.top + M::badgeInsets.bottom);
  CGFloat contentHeight = std::max({static_cast<CGFloat>(M::headerMarkHeight), name.height,
                                    product.height, _badge.hidden ? 0 : badge.height});
  const CGFloat midY = insets.top + contentHeight / 2;

  CGFloat x = insets.leading;
  if (!_headerMark.hidden) {
    NSRect slot =
        NSMakeRect(x, midY - M::headerMarkHeight / 2, M::headerMarkWidth, M::headerMarkHeight);
    _headerMark.frame = fitted(_markImage, slot);
    x += M::headerMarkWidth + M::headerSpacing;
  }
  _name.frame = centredAt(x, midY, name);
  x += name.width + M::headerSpacing;
  _product.frame = centredAt(x, midY, product);

  NSRect badgeFrame = centredAt(width - insets.trailing - badge.width, midY, badge);
  _badge.frame = badgeFrame;
  _badgeLabel.frame = centredAt(NSMinX(badgeFrame) + M::badgeInsets.leading, midY, badgeText);
  return std::ceil(insets.top + contentHeight + insets.bottom);
}

- (CGFloat)layoutSearchBarAt:(CGFloat)top width:(CGFloat)width {
  const Insets outer = M::searchOuterInsets;
  const Insets inner = M::searchInnerInsets;
  NSSize icon = _searchIcon.image.size;
  NSSize field = [_searchField.cell cellSizeForBounds:NSMakeRect(0, 0, CGFLOAT_MAX, CGFLOAT_MAX)];
  NSSize clear = _clearSearch.image != nil ? _clearSearch.image.size : NSZeroSize;
  CGFloat contentHeight = std::ceil(std::max({icon.height, field.height, clear.height}));
  NSRect background =
      NSMakeRect(outer.leading, top + outer.top, width - outer.leading - outer.trailing,
                 inner.top + contentHeight + inner.bottom);
  _searchBackground.frame = background;
  const CGFloat midY = NSMidY(background);

  CGFloat x = NSMinX(background) + inner.leading;
  _searchIcon.frame = centredAt(x, midY, icon);
  x += icon.width + M::searchSpacing;
  CGFloat right = NSMaxX(background) - inner.trailing;
  if (!_clearSearch.hidden) {
    _clearSearch.frame = centredAt(right - clear.width, midY, clear);
    right -= clear.width + M::searchSpacing;
  }
  _searchField.frame =
      centredAt(x, midY, NSMakeSize(std::max<CGFloat>(0, right - x), std::ceil(field.height)));
  return NSMaxY(background) + outer.bottom;
}

- (CGFloat)layoutFooterIn:(CGFloat)width height:(CGFloat)height {
  const Insets insets = M::footerInsets;
  const CGFloat left = insets.leading;
  const CGFloat right = width - insets.trailing;
  if (_question.hidden) {
    NSSize hint = S::fittingSize(_hint);
    NSSize clear = buttonSize(_clearAll);
    CGFloat contentHeight = std::max(hint.height, clear.height);
    CGFloat footerHeight = std::ceil(insets.top + contentHeight + insets.bottom);
    CGFloat midY = height - insets.bottom - contentHeight / 2;
    _clearAll.frame = centredAt(right - clear.width, midY, clear);
    // The spacer between them has no minimum: the hint gives way first.
    _hint.frame = centredAt(
        left, midY, NSMakeSize(std::min(hint.width, NSMinX(_clearAll.frame) - left), hint.height));
    return footerHeight;
  }
  NSSize question = S::fittingSize(_question);
  NSSize cancel = buttonSize(_cancel);
  NSSize title = buttonSize(_confirm);
  NSSize confirm = NSMakeSize(
      std::ceil(title.width + M::confirmButtonInsets.leading + M::confirmButtonInsets.trailing),
      std::ceil(S::lineHeight(S::font(M::confirmButtonFont)) + M::confirmButtonInsets.top +
                M::confirmButtonInsets.bottom));
  CGFloat contentHeight = std::max({question.height, cancel.height, confirm.height});
  CGFloat footerHeight = std::ceil(insets.top + contentHeight + insets.bottom);
  CGFloat midY = height - insets.bottom - contentHeight / 2;
  NSRect confirmFrame = centredAt(right - confirm.width, midY, confirm);
  _confirmFill.frame = confirmFrame;
  _confirm.frame = confirmFrame;
  _cancel.frame = centredAt(NSMinX(confirmFrame) - M::confirmSpacing - cancel.width, midY, cancel);
  CGFloat questionRoom = NSMinX(_cancel.frame) - M::confirmSpacing - left;
  _question.frame = centredAt(
      left, midY,
      NSMakeSize(std::min(question.width, std::max<CGFloat>(0, questionRoom)), question.height));
  return footerHeight;
}

- (void)layoutEmptyStateIn:(NSSize)area {
  NSMutableArray<NSView*>* parts = [NSMutableArray array];
  NSMutableArray<NSValue*>* sizes = [NSMutableArray array];
  const CGFloat textWidth = std::max<CGFloat>(0, area.width - 2 * M::footerInsets.leading);
  if (!_emptyMark.hidden) {
    [parts addObject:_emptyMark];
    NSRect slot = NSMakeRect(0, 0, M::emptyMarkWidth, M::emptyMarkHeight);
    [sizes addObject:[NSValue valueWithSize:fitted(_markImage, slot).size]];
  }
  if (!_emptySymbol.hidden) {
    [parts addObject:_emptySymbol];
    [sizes addObject:[NSValue valueWithSize:_emptySymbol.image.size]];
  }
  NSSize title = S::fittingSize(_emptyTitle);
  [parts addObject:_emptyTitle];
  [sizes
      addObject:[NSValue valueWithSize:NSMakeSize(std::min(title.width, textWidth), title.height)]];
  NSSize message = [_emptyMessage.cell cellSizeForBounds:NSMakeRect(0, 0, textWidth, CGFLOAT_MAX)];
  [parts addObject:_emptyMessage];
  [sizes addObject:[NSValue valueWithSize:NSMakeSize(std::ceil(message.width),
                                                     std::ceil(message.height))]];

  CGFloat total = M::emptyStateSpacing * (parts.count - 1);
  for (NSValue* size in sizes) total += size.sizeValue.height;
  CGFloat y = std::round((area.height - total) / 2);
  for (NSUInteger i = 0; i < parts.count; ++i) {
    NSSize size = sizes[i].sizeValue;
    parts[i].frame =
        NSMakeRect(std::round((area.width - size.width) / 2), y, size.width, size.height);
    y += size.height + M::emptyStateSpacing;
  }
}

- (void)layoutList {
  const CGFloat width = _scroll.contentSize.width;
  const CGFloat rowWidth =
      std::max<CGFloat>(0, width - M::listInsets.leading - M::listInsets.trailing);
  CGFloat y = M::listInsets.top;
  BOOL first = YES;
  for (NSView* item in _listOrder) {
    if (!first) y += M::listSpacing;
    first = NO;
    if ([item isKindOfClass:PellimoreClipRowView.class]) {
      auto* row = static_cast<PellimoreClipRowView*>(item);
      CGFloat rowHeight = [row heightForWidth:rowWidth];
      row.frame = NSMakeRect(M::listInsets.leading, y, rowWidth, rowHeight);
      [row layoutContent];
      y += rowHeight;
      continue;
    }
    auto* label = static_cast<NSTextField*>(item);
    NSSize size = S::fittingSize(label);
    label.frame = NSMakeRect(M::listInsets.leading + M::sectionHeaderInsets.leading,
                             y + M::sectionHeaderInsets.top, size.width, size.height);
    y += M::sectionHeaderInsets.top + size.height + M::sectionHeaderInsets.bottom;
  }
  y += M::listInsets.bottom;
  // At least as tall as the visible area, so a short list starts at the top.
  _document.frame = NSMakeRect(0, 0, width, std::max(y, _scroll.contentSize.height));
}

- (void)centreRow:(const Uuid&)id {
  PellimoreClipRowView* row = _rows[S::string(id.toString())];
  if (row == nil || _scroll.hidden) return;
  NSClipView* clip = _scroll.contentView;
  const CGFloat visible = clip.bounds.size.height;
  const CGFloat limit = std::max<CGFloat>(0, _document.frame.size.height - visible);
  const CGFloat target = std::clamp<CGFloat>(NSMidY(row.frame) - visible / 2, 0, limit);
  NSScrollView* scroll = _scroll;
  [NSAnimationContext
      runAnimationGroup:^(NSAnimationContext* context) {
        context.duration = M::scrollAnimationSeconds;
        context.timingFunction =
            [CAMediaTimingFunction functionWithName:kCAMediaTimingFunctionEaseOut];
        [clip.animator setBoundsOrigin:NSMakePoint(0, target)];
      }
      completionHandler:^{
        [scroll reflectScrolledClipView:clip];
      }];
}

// MARK: Showing and keys

- (void)cardDidAppear {
  if (_detached) return;
  // Borderless, so the title shows nowhere; VoiceOver names the popup by it.
  if (_layout) self.window.title = S::string(_layout->spoken.popupName);
  self.window.accessibilitySubrole = NSAccessibilityDialogSubrole;
  // Each opening says again why nothing is listed.
  _announcer.shown();
  _view->shown();
  _spokenSelection.reset();
  [self refreshNow];
  // A question left open is asked again, with the keyboard on Cancel;
  // otherwise the search kept from the last time is selected whole, so that
  // the first key replaces it.
  if (_view->confirmingClear()) {
    [self.window makeFirstResponder:_cancel];
    announce(self.window, _question.stringValue, NSAccessibilityPriorityHigh);
  } else {
    [self.window makeFirstResponder:_searchField];
    [_searchField selectText:nil];
    // How many clips there are and which is selected, which nothing
    // focused says.
    announce(
        self.window,
        S::string(ListAnnouncer::opening(_view->store().items().size(), [self selectedRowLabel])),
        NSAccessibilityPriorityMedium);
  }
  [self showSearchFocus];
}

- (void)showSearchFocus {
  const BOOL focused =
      _searchField.currentEditor != nil && self.window.firstResponder == _searchField.currentEditor;
  _searchBackground.borderColor = focused ? S::focusRing() : nil;
  _searchBackground.borderWidth = M::focusRingWidth;
}

- (void)cardDidDisappear {
  if (_detached) return;
  // No exit event arrives for a row under the pointer when its window goes.
  const std::optional<Uuid> hovered = _view->hovered();
  if (hovered) _view->setHovered(*hovered, false);
}

- (void)detach {
  if (_detached) return;
  _detached = YES;
  _view->setOnChange(nullptr);
  _view->setOnScrollTo(nullptr);
}

- (void)controlTextDidChange:(NSNotification*)notification {
  if (_detached) return;
  HistoryView* view = _view;
  std::string text = MacStrings::toStdString(_searchField.stringValue);
  callAtBoundary([view, &text] { view->setSearch(text); });
}

- (void)controlTextDidBeginEditing:(NSNotification*)notification {
  if (_detached) return;
  HistoryView* view = _view;
  callAtBoundary([view] { view->setSearchFocused(true); });
}

- (void)controlTextDidEndEditing:(NSNotification*)notification {
  if (_detached) return;
  HistoryView* view = _view;
  callAtBoundary([view] { view->setSearchFocused(false); });
}

- (BOOL)control:(NSControl*)control
               textView:(NSTextView*)textView
    doCommandBySelector:(SEL)selector {
  if (_detached) return NO;
  HistoryView* view = _view;
  if (selector == @selector(moveUp:)) return answerAtBoundary([view] { return view->keyUp(); });
  if (selector == @selector(moveDown:)) return answerAtBoundary([view] { return view->keyDown(); });
  if (selector == @selector(insertNewline:))
    return answerAtBoundary([view] { return view->keyReturn(); });
  if (selector == @selector(cancelOperation:))
    return answerAtBoundary([view] { return view->keyEscape(); });
  return NO;
}

- (BOOL)listKeyDown:(NSEvent*)event {
  if (_detached) return NO;
  HistoryView* view = _view;
  if (MacShortcutKeys::modifiers(event) == 0) {
    switch (event.keyCode) {
      case kVK_UpArrow:
        return answerAtBoundary([view] { return view->keyUp(); });
      case kVK_DownArrow:
        return answerAtBoundary([view] { return view->keyDown(); });
      case kVK_Return:
      case kVK_ANSI_KeypadEnter:
        return answerAtBoundary([view] { return view->keyReturn(); });
      default:
        break;
    }
  }
  // Typing in the list goes on in the search field.
  NSString* typed = event.characters;
  if (typed.length == 0 || (MacShortcutKeys::modifiers(event) & ~NSEventModifierFlagShift) != 0)
    return NO;
  const unichar first = [typed characterAtIndex:0];
  if (first < 0x20 || (first >= 0xF700 && first <= 0xF8FF)) return NO;
  [self.window makeFirstResponder:_searchField];
  NSText* editor = _searchField.currentEditor;
  if (editor == nil) return NO;
  // Taking the focus selects the field's whole text, which the key would
  // replace: it goes after the text instead, and as the key itself, so that
  // an input method composes it as it would any key typed in the field.
  editor.selectedRange = NSMakeRange(editor.string.length, 0);
  [editor keyDown:event];
  return YES;
}

- (void)cancelOperation:(id)sender {
  // Escape while the search field does not hold the focus.
  if (_detached) return;
  HistoryView* view = _view;
  callAtBoundary([view] { view->keyEscape(); });
}

- (BOOL)performKeyEquivalent:(NSEvent*)event {
  if (_detached || event.type != NSEventTypeKeyDown) return [super performKeyEquivalent:event];
  const NSEventModifierFlags modifiers = MacShortcutKeys::modifiers(event);
  NSString* key = event.charactersIgnoringModifiers;
  if (modifiers != NSEventModifierFlagCommand || key.length != 1)
    return [super performKeyEquivalent:event];

  // Command-P pins or unpins the selected entry and Command-Delete deletes
  // it, wherever the keyboard is in the popup; the search field gives up its
  // Command-Delete (delete to the line's start) for it.
  if (MacShortcutKeys::isLetter(event, 'p', kVK_ANSI_P)) {
    HistoryView* view = _view;
    const BOOL handled = answerAtBoundary([view] { return view->togglePinSelected(); });
    // The row may not move at all; the change is said either way.
    const auto& rows = _view->filtered();
    const int selected = _view->selectedIndex();
    if (selected >= 0 && static_cast<std::size_t>(selected) < rows.size())
      announce(self.window,
               S::string(rows[static_cast<std::size_t>(selected)]->pinned
                             ? HistoryLayout::Spoken{}.pinnedAnnouncement
                             : HistoryLayout::Spoken{}.unpinnedAnnouncement),
               NSAccessibilityPriorityHigh);
    return handled;
  }
  if (event.keyCode == kVK_Delete) {
    HistoryView* view = _view;
    return answerAtBoundary([view] { return view->deleteSelected(); });
  }
  const unichar character = [key characterAtIndex:0];
  if (character >= '1' && character <= '9') {
    HistoryView* view = _view;
    const int digit = character - '0';
    if (answerAtBoundary([view, digit] { return view->quickPaste(digit); })) return YES;
    return [super performKeyEquivalent:event];
  }
  // An accessory application has no Edit menu to carry the standard editing
  // shortcuts, so the search field gets them from here, on every layout and
  // with Caps Lock on.
  const struct {
    unichar letter;
    unsigned short keyCode;
    SEL action;
  } edits[] = {{'x', kVK_ANSI_X, @selector(cut:)},
               {'c', kVK_ANSI_C, @selector(copy:)},
               {'v', kVK_ANSI_V, @selector(paste:)},
               {'a', kVK_ANSI_A, @selector(selectAll:)},
               {'z', kVK_ANSI_Z, @selector(undo:)}};
  for (const auto& edit : edits) {
    if (!MacShortcutKeys::isLetter(event, edit.letter, edit.keyCode)) continue;
    if ([NSApp sendAction:edit.action to:nil from:self]) return YES;
    break;
  }
  return [super performKeyEquivalent:event];
}

@end
