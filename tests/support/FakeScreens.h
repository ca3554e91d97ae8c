// Screens and a pointer position set by the test.
#pragma once

#include <optional>
#include <vector>

#include "platform/Screens.h"

class FakeScreens : public Screens {
 public:
  std::vector<Screen> screens() override { return screenList; }
  std::optional<Screen> mainScreen() override { return main; }
  Point2D mouseLocation() override { return mouse; }

  std::vector<Screen> screenList;
  std::optional<Screen> main;
  Point2D mouse;
};
