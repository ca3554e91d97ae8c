// Receives the commands of menu items that name it as their target.
#pragma once

#include <cstddef>

#include "platform/MenuAction.h"

class MenuTarget {
 public:
  virtual ~MenuTarget() = default;
  /// The user chose the item at `itemIndex` (its position in the menu,
  /// separators counted), whose action is `action`.
  virtual void performMenuAction(MenuAction action, std::size_t itemIndex) = 0;
};
