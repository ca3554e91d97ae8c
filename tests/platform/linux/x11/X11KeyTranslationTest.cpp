// The macOS key codes and masks the core uses, in X11 terms.
#include "platform/linux/x11/X11KeyTranslation.h"

#include <gtest/gtest.h>

// After GoogleTest: X.h's macros (None) break its headers.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

using namespace X11KeyTranslation;
using Keysyms = std::vector<unsigned long>;

TEST(X11KeyTranslation, KeyCodesNameAnsiPositionsNotLetters) {
  const std::pair<std::uint16_t, std::optional<unsigned long>> cases[] = {
      {9, XK_v},          {0, XK_a},          {8, XK_c},
      {22, XK_6},         {23, XK_5},         {114, XK_Insert},
      {10, std::nullopt}, {53, std::nullopt}, {0xFFFF, std::nullopt}};
  for (const auto& [code, keysym] : cases) {
    EXPECT_EQ(keysymForVirtualKey(code), keysym) << code;
  }
}

TEST(X11KeyTranslation, HotKeyModifiersMapOneToOneOrNotAtAll) {
  EXPECT_EQ(grabModifiersForCarbon(0x100 | 0x200), static_cast<unsigned>(Mod4Mask | ShiftMask));
  EXPECT_EQ(grabModifiersForCarbon(0x800 | 0x1000), static_cast<unsigned>(Mod1Mask | ControlMask));
  EXPECT_EQ(grabModifiersForCarbon(0), 0U);
  // alphaLock (0x400) has no grab counterpart; a wrong grab is worse than none.
  EXPECT_EQ(grabModifiersForCarbon(0x100 | 0x400), std::nullopt);
}

TEST(X11KeyTranslation, CommandFlagPressesControlOnce) {
  EXPECT_EQ(modifierKeysymsForFlags(0x100000), Keysyms{XK_Control_L});
  EXPECT_EQ(modifierKeysymsForFlags(0x100000 | 0x40000), Keysyms{XK_Control_L});
  EXPECT_EQ(modifierKeysymsForFlags(0x100000 | 0x20000), (Keysyms{XK_Control_L, XK_Shift_L}));
  EXPECT_TRUE(modifierKeysymsForFlags(0).empty());
}

}  // namespace
