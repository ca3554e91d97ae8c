// Carbon's InstallEventHandler and RegisterEventHotKey behind the hot-key
// seam. The caller's handler has the seam's portable signature, so each
// installation goes through one Carbon-typed trampoline that carries the
// caller's handler and data.
#include "platform/mac/MacHotKeyRegistrar.h"

#include <Carbon/Carbon.h>

#include <vector>

namespace {

// Runs on the main thread from the event loop; must not let anything unwind
// into the event manager.
OSStatus trampoline(EventHandlerCallRef callRef, EventRef event, void* userData) noexcept {
  const auto* installed = static_cast<const MacHotKeyRegistrar::Installed*>(userData);
  if (installed == nullptr || installed->handler == nullptr) return eventNotHandledErr;
  return installed->handler(callRef, event, installed->userData);
}

// The event manager takes its handlers as universal procedure pointers; one
// is made for the trampoline and shared by every installation.
EventHandlerUPP trampolineUPP() {
  static const EventHandlerUPP upp = NewEventHandlerUPP(trampoline);
  return upp;
}

}  // namespace

MacHotKeyRegistrar::MacHotKeyRegistrar() = default;

MacHotKeyRegistrar::~MacHotKeyRegistrar() {
  for (const auto& entry : installed_)
    RemoveEventHandler(static_cast<::EventHandlerRef>(entry.first));
}

HotKeyRegistrar::EventTargetRef MacHotKeyRegistrar::applicationEventTarget() {
  return GetApplicationEventTarget();
}

std::int32_t MacHotKeyRegistrar::installEventHandler(EventTargetRef target,
                                                     EventHandlerProc handler,
                                                     std::uint32_t typeCount,
                                                     const EventTypeSpec* types, void* userData,
                                                     EventHandlerRef* outRef) {
  if (target == nullptr || handler == nullptr || (typeCount > 0 && types == nullptr))
    return paramErr;
  std::vector<::EventTypeSpec> eventTypes;
  eventTypes.reserve(typeCount);
  for (std::uint32_t i = 0; i < typeCount; ++i)
    eventTypes.push_back({types[i].eventClass, types[i].eventKind});

  auto installed = std::make_unique<Installed>(Installed{handler, userData});
  ::EventHandlerRef ref = nullptr;
  OSStatus status = InstallEventHandler(static_cast<::EventTargetRef>(target), trampolineUPP(),
                                        typeCount, eventTypes.data(), installed.get(), &ref);
  if (status != noErr) return status;
  installed_[ref] = std::move(installed);
  if (outRef != nullptr) *outRef = ref;
  return noErr;
}

std::int32_t MacHotKeyRegistrar::registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                                     HotKeyID id, EventTargetRef target,
                                                     std::uint32_t options, HotKeyRef* outRef) {
  if (target == nullptr) return paramErr;
  EventHotKeyID hotKeyID{id.signature, id.id};
  EventHotKeyRef ref = nullptr;
  OSStatus status = RegisterEventHotKey(keyCode, modifiers, hotKeyID,
                                        static_cast<::EventTargetRef>(target), options, &ref);
  if (status == noErr && outRef != nullptr) *outRef = ref;
  return status;
}

std::int32_t MacHotKeyRegistrar::unregisterEventHotKey(HotKeyRef hotKey) {
  if (hotKey == nullptr) return paramErr;
  return UnregisterEventHotKey(static_cast<EventHotKeyRef>(hotKey));
}

std::int32_t MacHotKeyRegistrar::removeEventHandler(EventHandlerRef handler) {
  if (handler == nullptr) return paramErr;
  OSStatus status = RemoveEventHandler(static_cast<::EventHandlerRef>(handler));
  // The record is no longer reachable from the event manager once removed.
  if (status == noErr) installed_.erase(handler);
  return status;
}
