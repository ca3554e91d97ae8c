// An event manager in miniature: keeps installed handlers and registered hot
// keys, and on `press` sends the hot-key event to the handlers the way the
// system does. Records "hotKeys.installEventHandler(CLASS,KIND)",
// "hotKeys.registerEventHotKey(KEY,MODIFIERS,SIGNATURE,ID,OPTIONS)",
// "hotKeys.unregisterEventHotKey" and "hotKeys.removeEventHandler", with
// numbers in hexadecimal.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "CallRecord.h"
#include "platform/HotKeyRegistrar.h"

class FakeHotKeyRegistrar : public HotKeyRegistrar {
 public:
  struct InstalledHandler {
    EventHandlerRef ref;
    EventTargetRef target;
    EventHandlerProc proc;
    std::vector<EventTypeSpec> types;
    void* userData;
  };
  struct RegisteredHotKey {
    HotKeyRef ref;
    std::uint32_t keyCode;
    std::uint32_t modifiers;
    HotKeyID id;
    EventTargetRef target;
    std::uint32_t options;
  };

  EventTargetRef applicationEventTarget() override;
  std::int32_t installEventHandler(EventTargetRef target, EventHandlerProc handler,
                                   std::uint32_t typeCount, const EventTypeSpec* types,
                                   void* userData, EventHandlerRef* outRef) override;
  std::int32_t registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id,
                                   EventTargetRef target, std::uint32_t options,
                                   HotKeyRef* outRef) override;
  std::int32_t unregisterEventHotKey(HotKeyRef hotKey) override;
  std::int32_t removeEventHandler(EventHandlerRef handler) override;

  /// The user presses `keyCode` with `modifiers`. When a registered hot key
  /// matches, every handler installed on its target for hot-key events is
  /// called; returns how many were called, and their statuses in
  /// `lastStatuses`.
  int press(std::uint32_t keyCode, std::uint32_t modifiers);

  /// Failures to simulate: the call returns this status and stores nothing.
  std::int32_t installStatus = 0;
  std::int32_t registerStatus = 0;

  std::vector<InstalledHandler> handlers;
  std::vector<RegisteredHotKey> hotKeys;
  std::vector<std::int32_t> lastStatuses;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();

 private:
  /// A fresh, distinct, non-null reference.
  void* nextRef();

  std::vector<std::unique_ptr<char>> refs_;
};
