// A whole menu as data, items in display order.
#pragma once

#include <functional>
#include <vector>

#include "platform/MenuItemDescription.h"

struct MenuDescription {
  /// When false, items stay enabled or disabled exactly as described.
  bool autoenablesItems = true;
  std::vector<MenuItemDescription> items;
  /// Runs each time the menu is about to show, before the user sees it, so
  /// that item states can follow what changed elsewhere meanwhile. Empty for
  /// nothing.
  std::function<void()> onWillOpen;
};
