// Placing the popup at the pointer: its top edge at the pointer, centred on
// it, kept 8 points inside the visible frame of the screen under the pointer.
#include "popup/PanelPlacement.h"

#include <gtest/gtest.h>

namespace {

Screen screen(double x, double y, double w, double h, double bottomInset = 0, double topInset = 0) {
  return Screen{{{x, y}, {w, h}}, {{x, y + bottomInset}, {w, h - bottomInset - topInset}}};
}

TEST(PanelPlacementTest, PlacesAtThePointerWithinTheMargins) {
  const Screen laptop = screen(0, 0, 1440, 900, 70, 25);  // Dock below, menu bar above
  const Screen external = screen(1440, 0, 1920, 1080, 0, 25);
  const Screen lower = screen(0, 0, 1440, 900);
  const Screen upper = screen(0, 900, 1440, 900);
  struct Case {
    const char* name;
    std::vector<Screen> screens;
    std::optional<Screen> main;
    Point2D mouse;
    std::optional<Point2D> origin;
  };
  const Case cases[] = {
      {"middle of the screen", {laptop}, laptop, {720, 700}, Point2D{500, 140}},
      {"bottom: 8 above the Dock", {laptop}, laptop, {720, 1}, Point2D{500, 78}},
      {"left edge", {laptop}, laptop, {0, 700}, Point2D{8, 140}},
      {"top right corner", {laptop}, laptop, {1439, 900}, Point2D{992, 307}},
      {"second screen", {laptop, external}, laptop, {1450, 1000}, Point2D{1448, 440}},
      {"shared edge: the right one", {laptop, external}, laptop, {1440, 800}, Point2D{1448, 240}},
      {"seam: the lower one", {upper, lower}, std::nullopt, {720, 900}, Point2D{500, 332}},
      {"top edge is inside", {upper}, std::nullopt, {720, 1800}, Point2D{500, 1232}},
      {"off every screen: main", {laptop, external}, external, {-500, 500}, Point2D{1448, 8}},
      {"no screen at all", {}, std::nullopt, {100, 100}, std::nullopt},
      {"off the only screen, no main", {laptop}, std::nullopt, {-100, 100}, std::nullopt},
      {"too narrow: right margin wins",
       {screen(0, 0, 400, 900)},
       std::nullopt,
       {200, 800},
       Point2D{-48, 240}},
      {"too low: top margin wins",
       {screen(0, 0, 1440, 500)},
       std::nullopt,
       {720, 250},
       Point2D{500, -68}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(panelOrigin(c.screens, c.main, c.mouse, Size2D{440, 560}), c.origin);
  }
}

}  // namespace
