// Recording status item substitute.
#include "FakeStatusItem.h"

#include <string>
#include <utility>

#include "FakeImage.h"

FakeStatusItem::FakeStatusItem(bool hasButton, std::shared_ptr<CallRecord> record)
    : hasButton_(hasButton), record_(std::move(record)) {}

void FakeStatusItem::setButtonImage(std::shared_ptr<Image> image) {
  auto* fake = dynamic_cast<FakeImage*>(image.get());
  record_->add("statusItem.setButtonImage(" + (fake ? fake->name : std::string("?")) + ")");
  if (!hasButton_) {
    return;
  }
  buttonImage = std::move(image);
}

void FakeStatusItem::setMenu(const MenuDescription& newMenu) {
  record_->add("statusItem.setMenu");
  menu = newMenu;
  ++menusSet;
}

void FakeStatusItem::setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) {
  record_->add("statusItem.setMenuItemState(" + std::to_string(itemIndex) + "," +
               std::to_string(static_cast<int>(state)) + ")");
  if (itemIndex < menu.items.size()) {
    menu.items[itemIndex].state = state;
  }
}

bool FakeStatusItem::choose(std::size_t itemIndex) {
  if (itemIndex >= menu.items.size()) {
    return false;
  }
  const auto& item = menu.items[itemIndex];
  if (item.isSeparator || !item.enabled || item.action == MenuAction::none) {
    return false;
  }
  auto target = item.target.lock();
  if (!target) {
    return false;
  }
  target->performMenuAction(item.action, itemIndex);
  return true;
}
