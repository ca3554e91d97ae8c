// NSStatusItem and NSMenu. Every item with an action sends it to one shared
// target object, which looks the item's description up by the item's tag
// (its position) and calls the described MenuTarget if that still exists:
// AppKit holds targets weakly, and the core's targets are held weakly too.
// The same object, as the menu's delegate, says when the menu is to show.
#include "platform/mac/MacStatusItem.h"

#import <AppKit/AppKit.h>

#include <functional>
#include <vector>

#include "platform/mac/AppKitImageNative.h"
#include "platform/mac/CallbackBoundary.h"
#include "platform/mac/MacImage.h"
#import "platform/mac/MacViewStyle.h"

@interface PellimoreMenuTarget : NSObject <NSMenuDelegate>
- (void)setMenu:(const MenuDescription&)menu;
- (void)choose:(NSMenuItem*)sender;
@end

@implementation PellimoreMenuTarget {
  std::vector<MenuItemDescription> _items;
  std::function<void()> _willOpen;
}

- (void)setMenu:(const MenuDescription&)menu {
  _items = menu.items;
  _willOpen = menu.onWillOpen;
}

// Not menuWillOpen:, during which items must not be changed; this one comes
// first, as the menu is about to be shown, and may change them.
- (void)menuNeedsUpdate:(NSMenu*)menu {
  const std::function<void()> willOpen = _willOpen;
  if (willOpen) callAtBoundary([&willOpen] { willOpen(); });
}

- (void)choose:(NSMenuItem*)sender {
  if (sender.tag < 0 || static_cast<std::size_t>(sender.tag) >= _items.size()) return;
  const auto index = static_cast<std::size_t>(sender.tag);
  const MenuItemDescription& item = _items[index];
  std::shared_ptr<MenuTarget> target = item.target.lock();
  if (!target) return;
  const MenuAction action = item.action;
  callAtBoundary([&target, action, index] { target->performMenuAction(action, index); });
}

@end

struct MacStatusItem::Native {
  __strong NSStatusItem* item = nil;
  __strong NSMenu* menu = nil;
  __strong PellimoreMenuTarget* target = nil;
};

namespace {

NSMenuItem* nativeItem(const MenuItemDescription& description, NSInteger tag,
                       PellimoreMenuTarget* target) {
  if (description.isSeparator) return [NSMenuItem separatorItem];
  const bool hasAction = description.action != MenuAction::none;
  NSMenuItem* item =
      [[NSMenuItem alloc] initWithTitle:MacViewStyle::string(description.title)
                                 action:hasAction ? @selector(choose:) : nullptr
                          keyEquivalent:MacViewStyle::string(description.keyEquivalent)];
  item.tag = tag;
  item.enabled = description.enabled;
  item.state = description.state == MenuItemDescription::State::on ? NSControlStateValueOn
                                                                   : NSControlStateValueOff;
  if (hasAction) item.target = target;
  return item;
}

}  // namespace

MacStatusItem::MacStatusItem(double length) : native_(std::make_unique<Native>()) {
  native_->item = [[NSStatusBar systemStatusBar] statusItemWithLength:length];
  native_->target = [[PellimoreMenuTarget alloc] init];
}

MacStatusItem::~MacStatusItem() {
  if (native_->item != nil) [[NSStatusBar systemStatusBar] removeStatusItem:native_->item];
}

bool MacStatusItem::hasButton() const { return native_->item.button != nil; }

void MacStatusItem::setButtonImage(std::shared_ptr<Image> image) {
  NSStatusBarButton* button = native_->item.button;
  auto* macImage = dynamic_cast<MacImage*>(image.get());
  if (button == nil || macImage == nullptr) return;
  button.image = macImage->appKitImage().native().image;
  // The core may still change the image's size or template flag; keep it.
  image_ = std::move(image);
}

void MacStatusItem::setMenu(const MenuDescription& menu) {
  NSMenu* native = [[NSMenu alloc] initWithTitle:@""];
  native.autoenablesItems = menu.autoenablesItems;
  [native_->target setMenu:menu];
  native.delegate = native_->target;
  for (std::size_t index = 0; index < menu.items.size(); ++index)
    [native addItem:nativeItem(menu.items[index], static_cast<NSInteger>(index), native_->target)];
  native_->menu = native;
  native_->item.menu = native;
}

void MacStatusItem::setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) {
  NSMenu* menu = native_->menu;
  if (menu == nil || itemIndex >= static_cast<std::size_t>(menu.numberOfItems)) return;
  [menu itemAtIndex:static_cast<NSInteger>(itemIndex)].state =
      state == MenuItemDescription::State::on ? NSControlStateValueOn : NSControlStateValueOff;
}
