// The popup panel and its window delegate. AppKit holds a window's delegate
// weakly, so the panel object keeps the delegate object alive; the delegate
// object in turn reaches the core's PanelDelegate only through a pointer the
// panel clears on destruction.
#include "platform/mac/MacPanel.h"

#import <AppKit/AppKit.h>

#include "platform/PanelDelegate.h"
#include "platform/mac/CallbackBoundary.h"
#import "platform/mac/MacHistoryCardView.h"
#import "platform/mac/MacKeyablePanel.h"

@interface PellimorePanelDelegate : NSObject <NSWindowDelegate>
@property(nonatomic) PanelDelegate* owner;
@end

@implementation PellimorePanelDelegate

- (void)windowDidResignKey:(NSNotification*)notification {
  PanelDelegate* owner = self.owner;
  if (owner == nullptr) return;
  callAtBoundary([owner] { owner->windowDidResignKey(); });
}

@end

struct MacPanel::Native {
  __strong PellimoreKeyablePanel* panel = nil;
  __strong PellimoreHistoryCardView* card = nil;
  __strong PellimorePanelDelegate* delegate = nil;
};

MacPanel::MacPanel(const PanelConfig& config, HistoryView& view, const Clock& clock,
                   const ResourceBundle& bundle)
    : native_(std::make_unique<Native>()) {
  const Rect2D& rect = config.contentRect;
  const NSRect contentRect =
      NSMakeRect(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  PellimoreKeyablePanel* panel = [[PellimoreKeyablePanel alloc]
      initWithContentRect:contentRect
                styleMask:static_cast<NSWindowStyleMask>(config.styleMask)
                  backing:static_cast<NSBackingStoreType>(config.backing)
                    defer:config.defer];
  panel.opaque = config.opaque;
  if (config.clearBackground) panel.backgroundColor = NSColor.clearColor;
  panel.hasShadow = config.hasShadow;
  panel.level = static_cast<NSWindowLevel>(config.level);
  panel.movableByWindowBackground = config.movableByWindowBackground;
  panel.hidesOnDeactivate = config.hidesOnDeactivate;
  panel.releasedWhenClosed = config.releasedWhenClosed;
  panel.collectionBehavior = static_cast<NSWindowCollectionBehavior>(config.collectionBehavior);

  PellimoreHistoryCardView* card = [[PellimoreHistoryCardView alloc] initWithHistoryView:&view
                                                                                   clock:&clock
                                                                                  bundle:&bundle];
  card.frame = NSMakeRect(0, 0, rect.size.width, rect.size.height);
  panel.contentView = card;

  PellimorePanelDelegate* delegate = [[PellimorePanelDelegate alloc] init];
  panel.delegate = delegate;

  native_->panel = panel;
  native_->card = card;
  native_->delegate = delegate;
}

MacPanel::~MacPanel() {
  native_->delegate.owner = nullptr;
  native_->panel.delegate = nil;
  [native_->card detach];
  [native_->panel orderOut:nil];
  [native_->panel close];
}

void MacPanel::setDelegate(PanelDelegate* delegate) { native_->delegate.owner = delegate; }

Rect2D MacPanel::frame() const {
  const NSRect frame = native_->panel.frame;
  return {{frame.origin.x, frame.origin.y}, {frame.size.width, frame.size.height}};
}

void MacPanel::setFrameOrigin(Point2D origin) {
  [native_->panel setFrameOrigin:NSMakePoint(origin.x, origin.y)];
}

void MacPanel::makeKeyAndOrderFront() {
  [native_->panel makeKeyAndOrderFront:nil];
  [native_->card cardDidAppear];
  // The shadow follows the card's rounded mask only once it has been drawn.
  [native_->panel invalidateShadow];
}

void MacPanel::orderOut() {
  [native_->panel orderOut:nil];
  [native_->card cardDidDisappear];
}

bool MacPanel::isVisible() const { return native_->panel.visible; }
