// A letter's key code by way of its keysym.
#include "platform/linux/x11/X11KeyboardLayout.h"

#include "platform/linux/x11/X11KeyTranslation.h"

std::optional<std::uint16_t> X11KeyboardLayout::keyCodeForCharacter(char character) {
  // Printable ASCII keysyms are the characters' own codes.
  const auto keysym = static_cast<unsigned long>(static_cast<unsigned char>(character));
  for (std::uint16_t code = 0; code < 128; ++code) {
    if (X11KeyTranslation::keysymForVirtualKey(code) == keysym) {
      return code;
    }
  }
  return std::nullopt;
}

std::unique_ptr<KeyboardLayout::Observation> X11KeyboardLayout::observeChanges(
    std::function<void()> /*onChange*/) {
  return std::make_unique<Observation>();
}
