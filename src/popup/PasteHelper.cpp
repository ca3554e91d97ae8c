// Synthetic paste keystroke. The modifiers travel only as flags on the key's
// events, so keys the user still holds (the hot key's Shift) never leak in.
#include "popup/PasteHelper.h"

#include <memory>

#include "platform/KeyEventPoster.h"
#include "platform/KeyboardLayout.h"

namespace PasteHelper {

std::uint16_t keyCodeForV(KeyboardLayout& layout) {
  return layout.keyCodeForCharacter('v').value_or(virtualKeyV);
}

void paste(KeyEventPoster& poster, KeyboardLayout& layout, const PasteKeystroke& keystroke) {
  const std::uint16_t key = keystroke.key == PasteKeystroke::Key::insert
                                ? PasteKeystroke::virtualKeyInsert
                                : keyCodeForV(layout);
  std::unique_ptr<KeyEventPoster::Source> source = poster.createSource(eventSourceState);

  // Both events exist before either is posted, so they go out back to back.
  std::unique_ptr<KeyEventPoster::Event> keyDown =
      poster.createKeyboardEvent(source.get(), key, /*keyDown=*/true);
  if (keyDown) {
    keyDown->setFlags(keystroke.flags);
  }
  std::unique_ptr<KeyEventPoster::Event> keyUp =
      poster.createKeyboardEvent(source.get(), key, /*keyDown=*/false);
  if (keyUp) {
    keyUp->setFlags(keystroke.flags);
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
