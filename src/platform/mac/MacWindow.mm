// NSWindow with the About content as its content view.
#include "platform/mac/MacWindow.h"

#import <AppKit/AppKit.h>

#import "platform/mac/MacAboutView.h"
#import "platform/mac/MacViewStyle.h"

struct MacWindow::Native {
  __strong NSWindow* window = nil;
};

MacWindow::MacWindow(const WindowConfig& config, AboutView& view)
    : native_(std::make_unique<Native>()) {
  const Rect2D& rect = config.contentRect;
  const NSRect contentRect =
      NSMakeRect(rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  NSWindow* window =
      [[NSWindow alloc] initWithContentRect:contentRect
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
  native_->window = window;
}

MacWindow::~MacWindow() { [native_->window close]; }

void MacWindow::center() { [native_->window center]; }

void MacWindow::makeKeyAndOrderFront() { [native_->window makeKeyAndOrderFront:nil]; }
