// The keyboard layout through Text Input Sources and UCKeyTranslate.
#pragma once

#include "platform/KeyboardLayout.h"

class MacKeyboardLayout : public KeyboardLayout {
 public:
  std::optional<std::uint16_t> keyCodeForCharacter(char character) override;
  std::unique_ptr<Observation> observeChanges(std::function<void()> onChange) override;
};
