// Synthetic Command-V. The modifier travels only as a flag on the V key's
// events, so keys the user still holds (the hot key's Shift) never leak in.
#include "popup/PasteHelper.h"

#include <memory>

#include "platform/KeyEventPoster.h"
#include "platform/KeyboardLayout.h"

namespace PasteHelper {

std::uint16_t keyCodeForV(KeyboardLayout& layout) {
  return layout.keyCodeForCharacter('v').value_or(virtualKeyV);
}

void paste(KeyEventPoster& poster, KeyboardLayout& layout) {
  const std::uint16_t keyV = keyCodeForV(layout);
  std::unique_ptr<KeyEventPoster::Source> source = poster.createSource(eventSourceState);

  // Both events exist before either is posted, so they go out back to back.
  std::unique_ptr<KeyEventPoster::Event> keyDown =
      poster.createKeyboardEvent(source.get(), keyV, /*keyDown=*/true);
  if (keyDown) {
    keyDown->setFlags(commandFlag);
  }
  std::unique_ptr<KeyEventPoster::Event> keyUp =
      poster.createKeyboardEvent(source.get(), keyV, /*keyDown=*/false);
  if (keyUp) {
    keyUp->setFlags(commandFlag);
  }

  if (keyDown) {
    poster.post(hidEventTap, *keyDown);
  }
  if (keyUp) {
    poster.post(hidEventTap, *keyUp);
  }

  keyDown.reset();
  keyUp.reset();
  source.reset();
}

}  // namespace PasteHelper
