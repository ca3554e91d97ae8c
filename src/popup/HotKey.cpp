// The global hot key over the registrar seam.
#include "popup/HotKey.h"

#include <string>

#include "diagnostics/Log.h"
#include "platform/MainLoop.h"

HotKey::HotKey(HotKeyRegistrar& registrar, MainLoop& mainLoop, std::uint32_t keyCode,
               std::uint32_t modifiers)
    : keyCode_(keyCode), modifiers_(modifiers), registrar_(registrar), mainLoop_(mainLoop) {}

HotKey::~HotKey() {
  // The key first, so no event arrives between the two steps.
  if (hotKeyRef_ != nullptr) {
    registrar_.unregisterEventHotKey(hotKeyRef_);
  }
  if (eventHandler_ != nullptr) {
    registrar_.removeEventHandler(eventHandler_);
  }
}

void HotKey::registerHotKey() {
  // Registering twice would leave a handler behind and fire twice per press.
  if (eventHandler_ != nullptr || hotKeyRef_ != nullptr) {
    return;
  }
  HotKeyRegistrar::EventTargetRef target = registrar_.applicationEventTarget();
  const HotKeyRegistrar::EventTypeSpec pressed{HotKeyRegistrar::keyboardEventClass,
                                               HotKeyRegistrar::hotKeyPressedKind};
  // The user data does not own the object; the destructor removes the
  // handler before the pointer dangles.
  const std::int32_t installed = registrar_.installEventHandler(target, &HotKey::handleEvent, 1,
                                                                &pressed, this, &eventHandler_);
  const std::int32_t registered = registrar_.registerEventHotKey(
      keyCode_, modifiers_, HotKeyRegistrar::HotKeyID{signature, hotKeyID}, target,
      registrationOptions, &hotKeyRef_);
  // The application keeps running and the status menu still opens the
  // popup; the log says why the key does not.
  const std::int32_t status = installed != 0 ? installed : registered;
  if (status != 0) {
    Log::write("hot key registration failed: " + std::to_string(status));
  }
}

std::int32_t HotKey::handleEvent(void* /*callRef*/, void* /*event*/, void* userData) {
  if (userData == nullptr) {
    return 0;
  }
  // Empty only while the last owner is letting go; the press is then moot.
  std::shared_ptr<HotKey> self = static_cast<HotKey*>(userData)->weak_from_this().lock();
  if (!self) {
    return 0;
  }
  self->mainLoop_.post([self] {
    if (self->onPressed) {
      self->onPressed();
    }
  });
  return 0;
}
