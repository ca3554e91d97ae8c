// One item of a menu as data: a backend builds its native item from it.
#pragma once

#include <memory>
#include <string>

#include "platform/MenuAction.h"
#include "platform/MenuTarget.h"

struct MenuItemDescription {
  /// AppKit's NSControlStateValue: off 0, on 1 (a check mark).
  enum class State { off = 0, on = 1 };

  static MenuItemDescription separator() {
    MenuItemDescription item;
    item.isSeparator = true;
    return item;
  }

  bool isSeparator = false;
  std::string title;
  MenuAction action = MenuAction::none;
  /// With the Command key; empty for none.
  std::string keyEquivalent;
  bool enabled = true;
  State state = State::off;
  /// Held weakly, as AppKit holds targets: an item whose target is gone does
  /// nothing. Empty for items without an action.
  std::weak_ptr<MenuTarget> target;
};
