// A whole menu as data, items in display order.
#pragma once

#include <vector>

#include "platform/MenuItemDescription.h"

struct MenuDescription {
  /// When false, items stay enabled or disabled exactly as described.
  bool autoenablesItems = true;
  std::vector<MenuItemDescription> items;
};
