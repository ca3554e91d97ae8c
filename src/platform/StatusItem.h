// One item in the system status bar (NSStatusItem on macOS, a tray icon on
// Linux): a button showing an image, and the menu it opens.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/Image.h"
#include "platform/MenuDescription.h"

class StatusItem {
 public:
  virtual ~StatusItem() = default;
  /// The system may give an item no button; it then shows no image.
  virtual bool hasButton() const = 0;
  /// Does nothing when there is no button.
  virtual void setButtonImage(std::shared_ptr<Image> image) = 0;
  /// Replaces the menu; items with a target call it when chosen.
  virtual void setMenu(const MenuDescription& menu) = 0;
  /// Changes the check mark of the item at `itemIndex` of the current menu.
  virtual void setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) = 0;
};
