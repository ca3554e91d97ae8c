// macOS key codes and modifier masks to their X11 counterparts.
#include "platform/linux/x11/X11KeyTranslation.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <array>
#include <utility>

namespace X11KeyTranslation {
namespace {

// kVK_ANSI_* codes of Carbon's Events.h, which follow the physical layout
// rather than the alphabet.
constexpr std::array<std::pair<std::uint16_t, unsigned long>, 36> ansiKeys{{
    {0, XK_a},  {1, XK_s},  {2, XK_d},  {3, XK_f},  {4, XK_h},  {5, XK_g},  {6, XK_z},  {7, XK_x},
    {8, XK_c},  {9, XK_v},  {11, XK_b}, {12, XK_q}, {13, XK_w}, {14, XK_e}, {15, XK_r}, {16, XK_y},
    {17, XK_t}, {18, XK_1}, {19, XK_2}, {20, XK_3}, {21, XK_4}, {22, XK_6}, {23, XK_5}, {25, XK_9},
    {26, XK_7}, {28, XK_8}, {29, XK_0}, {31, XK_o}, {32, XK_u}, {34, XK_i}, {35, XK_p}, {37, XK_l},
    {38, XK_j}, {40, XK_k}, {45, XK_n}, {46, XK_m},
}};

// kVK_Help sits where PC keyboards have Insert.
constexpr std::uint16_t helpKey = 114;

constexpr std::uint32_t carbonCommand = 0x100;
constexpr std::uint32_t carbonShift = 0x200;
constexpr std::uint32_t carbonOption = 0x800;
constexpr std::uint32_t carbonControl = 0x1000;

constexpr std::uint64_t flagShift = 0x20000;
constexpr std::uint64_t flagControl = 0x40000;
constexpr std::uint64_t flagAlternate = 0x80000;
constexpr std::uint64_t flagCommand = 0x100000;

}  // namespace

std::optional<unsigned long> keysymForVirtualKey(std::uint16_t virtualKey) {
  if (virtualKey == helpKey) {
    return XK_Insert;
  }
  for (const auto& [code, keysym] : ansiKeys) {
    if (code == virtualKey) {
      return keysym;
    }
  }
  return std::nullopt;
}

std::optional<unsigned> grabModifiersForCarbon(std::uint32_t carbonModifiers) {
  constexpr std::uint32_t known = carbonCommand | carbonShift | carbonOption | carbonControl;
  if ((carbonModifiers & ~known) != 0) {
    return std::nullopt;
  }
  unsigned mask = 0;
  if ((carbonModifiers & carbonCommand) != 0) {
    mask |= Mod4Mask;
  }
  if ((carbonModifiers & carbonShift) != 0) {
    mask |= ShiftMask;
  }
  if ((carbonModifiers & carbonOption) != 0) {
    mask |= Mod1Mask;
  }
  if ((carbonModifiers & carbonControl) != 0) {
    mask |= ControlMask;
  }
  return mask;
}

std::vector<unsigned long> modifierKeysymsForFlags(std::uint64_t flags) {
  std::vector<unsigned long> keysyms;
  if ((flags & (flagCommand | flagControl)) != 0) {
    keysyms.push_back(XK_Control_L);
  }
  if ((flags & flagShift) != 0) {
    keysyms.push_back(XK_Shift_L);
  }
  if ((flags & flagAlternate) != 0) {
    keysyms.push_back(XK_Alt_L);
  }
  return keysyms;
}

}  // namespace X11KeyTranslation
