// The core's key codes and flags as keysyms, handed to the portal's session.
#include "platform/linux/wayland/PortalKeyEventPoster.h"

#include <vector>

#include "platform/linux/KeysymKeyEvent.h"
#include "platform/linux/x11/X11KeyTranslation.h"
#include "popup/RemoteDesktopKeyboard.h"

namespace {

class PortalSource : public KeyEventPoster::Source {};

}  // namespace

bool PortalKeyEventPoster::fallenBack() const {
  return fallback_ != nullptr && keyboard_.state() == RemoteDesktopKeyboard::State::fallenBack;
}

std::unique_ptr<KeyEventPoster::Source> PortalKeyEventPoster::createSource(std::int32_t stateID) {
  if (fallenBack()) {
    return fallback_->createSource(stateID);
  }
  return std::make_unique<PortalSource>();
}

std::unique_ptr<KeyEventPoster::Event> PortalKeyEventPoster::createKeyboardEvent(
    Source* source, std::uint16_t virtualKey, bool keyDown) {
  if (fallenBack()) {
    return fallback_->createKeyboardEvent(source, virtualKey, keyDown);
  }
  const std::optional<unsigned long> keysym = X11KeyTranslation::keysymForVirtualKey(virtualKey);
  if (!keysym) {
    return nullptr;
  }
  return std::make_unique<KeysymKeyEvent>(*keysym, keyDown);
}

void PortalKeyEventPoster::post(std::uint32_t tap, Event& event) {
  auto* key = dynamic_cast<KeysymKeyEvent*>(&event);
  if (key == nullptr) {
    if (fallback_ != nullptr) {
      fallback_->post(tap, event);
    }
    return;
  }
  std::vector<std::uint32_t> modifiers;
  for (unsigned long keysym : X11KeyTranslation::modifierKeysymsForFlags(key->flags())) {
    modifiers.push_back(static_cast<std::uint32_t>(keysym));
  }
  keyboard_.post(static_cast<std::uint32_t>(key->keysym()), modifiers, key->keyDown());
}
