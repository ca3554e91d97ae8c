// Dark-appearance colours for the view roles.
#include "platform/linux/ui/ViewPalette.h"

#include <algorithm>

namespace {

QColor withOpacity(QColor base, double opacity) {
  base.setAlphaF(static_cast<float>(base.alphaF() * std::clamp(opacity, 0.0, 1.0)));
  return base;
}

QColor roleColor(ViewColor role) {
  switch (role) {
    case ViewColor::primary:
      return QColor::fromRgbF(1, 1, 1, 0.92F);
    case ViewColor::secondary:
      return QColor::fromRgbF(1, 1, 1, 0.56F);
    case ViewColor::tertiary:
      return QColor::fromRgbF(1, 1, 1, 0.32F);
    case ViewColor::purple:
      return QColor(0xBF, 0x5A, 0xF2);
    case ViewColor::green:
      return QColor::fromRgbF(
          static_cast<float>(BrandGreen::red), static_cast<float>(BrandGreen::green),
          static_cast<float>(BrandGreen::blue), static_cast<float>(BrandGreen::alpha));
    case ViewColor::orange:
      return QColor(0xFF, 0x9F, 0x0A);
    case ViewColor::red:
      return QColor(0xFF, 0x45, 0x3A);
    case ViewColor::white:
      return QColor(255, 255, 255);
    case ViewColor::black:
      return QColor(0, 0, 0);
    case ViewColor::clear:
      return QColor(0, 0, 0, 0);
  }
  return QColor(0, 0, 0, 0);
}

}  // namespace

namespace ViewPalette {

QColor color(ViewColor role, double opacity) {
  return withOpacity(roleColor(role), opacity);
}

QColor color(const SrgbColor& srgb) {
  return QColor::fromRgbF(static_cast<float>(srgb.red), static_cast<float>(srgb.green),
                          static_cast<float>(srgb.blue),
                          static_cast<float>(std::clamp(srgb.opacity, 0.0, 1.0)));
}

QColor materialTop() {
  return QColor(44, 46, 49, 250);
}

QColor materialBottom() {
  return QColor(33, 35, 38, 250);
}

QColor separator() {
  return QColor::fromRgbF(1, 1, 1, 0.16F);
}

}  // namespace ViewPalette
