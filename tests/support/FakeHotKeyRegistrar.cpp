// Hot-key registrar substitute that delivers presses to its handlers.
#include "FakeHotKeyRegistrar.h"

#include <algorithm>
#include <sstream>

namespace {

// Only its address matters: the fake never looks inside a reference.
char applicationTarget = 0;

bool handlesHotKeyPressed(const FakeHotKeyRegistrar::InstalledHandler& handler) {
  return std::any_of(handler.types.begin(), handler.types.end(), [](const auto& type) {
    return type.eventClass == HotKeyRegistrar::keyboardEventClass &&
           type.eventKind == HotKeyRegistrar::hotKeyPressedKind;
  });
}

}  // namespace

void* FakeHotKeyRegistrar::nextRef() {
  refs_.push_back(std::make_unique<char>(0));
  return refs_.back().get();
}

HotKeyRegistrar::EventTargetRef FakeHotKeyRegistrar::applicationEventTarget() {
  return &applicationTarget;
}

std::int32_t FakeHotKeyRegistrar::installEventHandler(EventTargetRef target,
                                                      EventHandlerProc handler,
                                                      std::uint32_t typeCount,
                                                      const EventTypeSpec* types, void* userData,
                                                      EventHandlerRef* outRef) {
  std::ostringstream call;
  call << "hotKeys.installEventHandler(" << std::hex;
  for (std::uint32_t i = 0; i < typeCount; ++i) {
    call << (i > 0 ? "," : "") << types[i].eventClass << "," << types[i].eventKind;
  }
  call << ")";
  record->add(call.str());
  if (installStatus != 0) {
    return installStatus;
  }
  InstalledHandler installed{nextRef(), target, handler,
                             std::vector<EventTypeSpec>(types, types + typeCount), userData};
  handlers.push_back(installed);
  *outRef = installed.ref;
  return 0;
}

std::int32_t FakeHotKeyRegistrar::registerEventHotKey(std::uint32_t keyCode,
                                                      std::uint32_t modifiers, HotKeyID id,
                                                      EventTargetRef target, std::uint32_t options,
                                                      HotKeyRef* outRef) {
  std::ostringstream call;
  call << "hotKeys.registerEventHotKey(" << std::hex << keyCode << "," << modifiers << ","
       << id.signature << "," << id.id << "," << options << ")";
  record->add(call.str());
  if (registerStatus != 0) {
    return registerStatus;
  }
  RegisteredHotKey registered{nextRef(), keyCode, modifiers, id, target, options};
  hotKeys.push_back(registered);
  *outRef = registered.ref;
  return 0;
}

std::int32_t FakeHotKeyRegistrar::unregisterEventHotKey(HotKeyRef hotKey) {
  record->add("hotKeys.unregisterEventHotKey");
  auto found = std::find_if(hotKeys.begin(), hotKeys.end(),
                            [hotKey](const auto& registered) { return registered.ref == hotKey; });
  if (found == hotKeys.end()) {
    return -1;
  }
  hotKeys.erase(found);
  return 0;
}

std::int32_t FakeHotKeyRegistrar::removeEventHandler(EventHandlerRef handler) {
  record->add("hotKeys.removeEventHandler");
  auto found = std::find_if(handlers.begin(), handlers.end(),
                            [handler](const auto& installed) { return installed.ref == handler; });
  if (found == handlers.end()) {
    return -1;
  }
  handlers.erase(found);
  return 0;
}

int FakeHotKeyRegistrar::press(std::uint32_t keyCode, std::uint32_t modifiers) {
  lastStatuses.clear();
  auto registered = std::find_if(hotKeys.begin(), hotKeys.end(), [&](const auto& hotKey) {
    return hotKey.keyCode == keyCode && hotKey.modifiers == modifiers;
  });
  if (registered == hotKeys.end()) {
    return 0;
  }
  // A handler may remove handlers; deliver to the ones present at the press.
  const std::vector<InstalledHandler> current = handlers;
  int called = 0;
  for (const InstalledHandler& handler : current) {
    if (handler.target != registered->target || !handlesHotKeyPressed(handler)) {
      continue;
    }
    lastStatuses.push_back(handler.proc(nullptr, nullptr, handler.userData));
    ++called;
  }
  return called;
}
