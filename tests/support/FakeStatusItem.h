// A status item that keeps its image and menu. Records
// "statusItem.setButtonImage(NAME)", "statusItem.setMenu" and
// "statusItem.setMenuItemState(INDEX,STATE)".
#pragma once

#include <memory>

#include "CallRecord.h"
#include "platform/StatusItem.h"

class FakeStatusItem : public StatusItem {
 public:
  FakeStatusItem(bool hasButton, std::shared_ptr<CallRecord> record);

  bool hasButton() const override { return hasButton_; }
  void setButtonImage(std::shared_ptr<Image> image) override;
  void setMenu(const MenuDescription& newMenu) override;
  void setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) override;

  /// What the user sees: the button's image and the menu with its states.
  std::shared_ptr<Image> buttonImage;
  MenuDescription menu;
  int menusSet = 0;

  /// The user chooses the item at `itemIndex`, as the backend routes it: to
  /// its target, if it has one and the target still exists. Returns whether
  /// anything was called.
  bool choose(std::size_t itemIndex);

 private:
  bool hasButton_;
  std::shared_ptr<CallRecord> record_;
};
