// One status-bar item on macOS: an NSStatusItem with its button image and a
// menu built from a MenuDescription, whose chosen items are routed back to
// their MenuTarget.
#pragma once

#include <memory>

#include "platform/StatusItem.h"

class MacStatusItem : public StatusItem {
 public:
  /// A new, visible item of `length` points (-1 for variable length).
  explicit MacStatusItem(double length);
  /// Takes the item out of the status bar.
  ~MacStatusItem() override;
  MacStatusItem(const MacStatusItem&) = delete;
  MacStatusItem& operator=(const MacStatusItem&) = delete;

  bool hasButton() const override;
  /// Images that are not AppKit images are ignored.
  void setButtonImage(std::shared_ptr<Image> image) override;
  void setMenu(const MenuDescription& menu) override;
  /// Does nothing when the menu has no item at `itemIndex`.
  void setMenuItemState(std::size_t itemIndex, MenuItemDescription::State state) override;

  /// The Objective-C side; defined in MacStatusItem.mm.
  struct Native;

 private:
  std::unique_ptr<Native> native_;
  std::shared_ptr<Image> image_;
};
