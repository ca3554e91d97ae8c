// How a key-down reads as a shortcut, whatever the keyboard's state and
// layout: Caps Lock, the numeric pad and the function flag never change which
// shortcut was meant.
#pragma once

#import <AppKit/AppKit.h>

namespace MacShortcutKeys {

/// The modifiers the user chose, without the state flags AppKit adds.
inline NSEventModifierFlags modifiers(NSEvent* event) {
  return event.modifierFlags & NSEventModifierFlagDeviceIndependentFlagsMask &
         ~(NSEventModifierFlagCapsLock | NSEventModifierFlagNumericPad |
           NSEventModifierFlagFunction);
}

/// Whether `event` is the key that types `letter` (lower case): by its
/// character where the layout types Latin letters, else by the key at that
/// letter's place on an ANSI keyboard (`keyCode`), as on Cyrillic or Greek
/// layouts, where the key types another script.
inline bool isLetter(NSEvent* event, unichar letter, unsigned short keyCode) {
  NSString* key = event.charactersIgnoringModifiers.lowercaseString;
  if (key.length != 1) return false;
  const unichar typed = [key characterAtIndex:0];
  if (typed < 0x80) return typed == letter;
  return event.keyCode == keyCode;
}

}  // namespace MacShortcutKeys
