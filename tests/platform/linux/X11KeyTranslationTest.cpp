// The macOS key codes and masks the core uses, in X11 terms.
#include "platform/linux/X11KeyTranslation.h"

#include <gtest/gtest.h>

// After GoogleTest: X.h's macros (None) break its headers.
#include <X11/X.h>
#include <X11/keysym.h>

namespace {

using X11KeyTranslation::grabModifiersForCarbon;
using X11KeyTranslation::keysymForVirtualKey;
using X11KeyTranslation::modifierKeysymsForFlags;

TEST(X11KeyTranslation, MapsAnsiKeyCodesByPositionNotAlphabet) {
  EXPECT_EQ(keysymForVirtualKey(9), XK_v);
  EXPECT_EQ(keysymForVirtualKey(0), XK_a);
  EXPECT_EQ(keysymForVirtualKey(8), XK_c);
  EXPECT_EQ(keysymForVirtualKey(22), XK_6);
  EXPECT_EQ(keysymForVirtualKey(23), XK_5);
}

TEST(X11KeyTranslation, UnknownKeyCodesHaveNoKeysym) {
  EXPECT_FALSE(keysymForVirtualKey(10));
  EXPECT_FALSE(keysymForVirtualKey(53));
  EXPECT_FALSE(keysymForVirtualKey(0xFFFF));
}

TEST(X11KeyTranslation, HotKeyCommandShiftBecomesSuperShift) {
  EXPECT_EQ(grabModifiersForCarbon(768), static_cast<unsigned>(Mod4Mask | ShiftMask));
  EXPECT_EQ(grabModifiersForCarbon(0x800 | 0x1000), static_cast<unsigned>(Mod1Mask | ControlMask));
  EXPECT_EQ(grabModifiersForCarbon(0), 0U);
}

TEST(X11KeyTranslation, HotKeyMaskWithUnknownBitsIsRefused) {
  // alphaLock (0x400) has no grab counterpart; a wrong grab is worse than none.
  EXPECT_FALSE(grabModifiersForCarbon(0x100 | 0x400));
}

TEST(X11KeyTranslation, CommandFlagPressesControlOnly) {
  EXPECT_EQ(modifierKeysymsForFlags(0x100000), (std::vector<unsigned long>{XK_Control_L}));
  EXPECT_EQ(modifierKeysymsForFlags(0x100000 | 0x40000),
            (std::vector<unsigned long>{XK_Control_L}));
  EXPECT_EQ(modifierKeysymsForFlags(0x100000 | 0x20000),
            (std::vector<unsigned long>{XK_Control_L, XK_Shift_L}));
  EXPECT_TRUE(modifierKeysymsForFlags(0).empty());
}

}  // namespace
