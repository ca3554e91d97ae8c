// NSWindow with the About content as its content view.
#include "platform/mac/MacWindow.h"

#import <AppKit/AppKit.h>
#import <Carbon/Carbon.h>

#import "platform/mac/MacAboutView.h"
#import "platform/mac/MacShortcutKeys.h"
#import "platform/mac/MacViewStyle.h"

#include <functional>
#include <utility>

/// Closes on Escape and Command-W: an accessory application has no main
/// menu, so no File menu carries Command-W to the window.
@interface PellimoreClosableWindow : NSWindow
@end

@implementation PellimoreClosableWindow

- (void)cancelOperation:(id)sender {
  [self performClose:sender];
}

- (BOOL)performKeyEquivalent:(NSEvent*)event {
  const NSEventModifierFlags flags = MacShortcutKeys::modifiers(event);
  const BOOL commandW =
      flags == NSEventModifierFlagCommand && MacShortcutKeys::isLetter(event, 'w', kVK_ANSI_W);
  const BOOL escape = flags == 0 && [event.charactersIgnoringModifiers isEqualToString:@"\x1b"];
  if (commandW || escape) {
    [self performClose:self];
    return YES;
  }
  return [super performKeyEquivalent:event];
}

@end

/// Tells the owner each time the user closes the window.
@interface PellimoreWindowCloseObserver : NSObject <NSWindowDelegate>
@property(nonatomic) std::function<void()> onClose;
@end

@implementation PellimoreWindowCloseObserver

- (void)windowWillClose:(NSNotification*)notification {
  if (_onClose) _onClose();
}

@end

struct MacWindow::Native {
  __strong NSWindow* window = nil;
  // The window holds its delegate weakly.
  __strong PellimoreWindowCloseObserver* observer = nil;
};

MacWindow::MacWindow(const WindowConfig& config, AboutView& view)
    : native_(std::make_unique<Native>()) {
  const Rect2D& rect = config.contentRect;
  const NSRect contentRect =
      NSMakeRect(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  NSWindow* window = [[PellimoreClosableWindow alloc]
      initWithContentRect:contentRect
                styleMask:static_cast<NSWindowStyleMask>(config.styleMask)
                  backing:static_cast<NSBackingStoreType>(config.backing)
                    defer:config.defer];
  window.title = MacViewStyle::string(config.title);
  window.titleVisibility = static_cast<NSWindowTitleVisibility>(config.titleVisibility);
  window.titlebarAppearsTransparent = config.titlebarAppearsTransparent;
  window.movableByWindowBackground = config.movableByWindowBackground;
  // Under ARC the window object is ours; AppKit must not release it again
  // when the user closes it.
  window.releasedWhenClosed = config.releasedWhenClosed;
  window.contentView = [[PellimoreAboutView alloc]
      initWithAboutView:&view
                  frame:NSMakeRect(0, 0, rect.size.width, rect.size.height)];
  native_->observer = [[PellimoreWindowCloseObserver alloc] init];
  window.delegate = native_->observer;
  native_->window = window;
}

MacWindow::~MacWindow() {
  // Destruction is not the user closing it; the owner is going away.
  native_->window.delegate = nil;
  [native_->window close];
}

void MacWindow::setOnClose(std::function<void()> onClose) {
  native_->observer.onClose = std::move(onClose);
}

void MacWindow::center() { [native_->window center]; }

void MacWindow::makeKeyAndOrderFront() { [native_->window makeKeyAndOrderFront:nil]; }
