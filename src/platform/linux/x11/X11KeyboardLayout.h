// The keyboard layout on X11: the core's key codes stand for keysyms here,
// and the hot-key grab and XTest look the keysym up in the current keymap
// themselves, so a letter's key is the one the ANSI table names for it.
#pragma once

#include "platform/KeyboardLayout.h"

class X11KeyboardLayout : public KeyboardLayout {
 public:
  std::optional<std::uint16_t> keyCodeForCharacter(char character) override;
  /// Never calls `onChange`: nothing depends on the selected layout here.
  std::unique_ptr<Observation> observeChanges(std::function<void()> onChange) override;
};
