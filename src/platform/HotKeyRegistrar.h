// System-wide hot keys, shaped after the Carbon event manager (on Linux an X11
// key grab): an event handler installed on this application's target, and
// hot keys registered against that target which send it events.
#pragma once

#include <cstdint>

class HotKeyRegistrar {
 public:
  /// Opaque references handed out by the registrar; null means none.
  using EventTargetRef = void*;
  using EventHandlerRef = void*;
  using HotKeyRef = void*;
  /// Called for every event of an installed type, on the main thread, from
  /// the event loop. `callRef` and `event` belong to the registrar; the
  /// result is an OSStatus, 0 meaning handled.
  using EventHandlerProc = std::int32_t (*)(void* callRef, void* event, void* userData);

  struct EventTypeSpec {
    std::uint32_t eventClass;
    std::uint32_t eventKind;
  };
  struct HotKeyID {
    std::uint32_t signature;
    std::uint32_t id;
  };

  /// The keyboard event class, 'keyb'.
  static constexpr std::uint32_t keyboardEventClass = 0x6B657962;
  /// The event kind sent when a registered hot key is pressed.
  static constexpr std::uint32_t hotKeyPressedKind = 5;

  virtual ~HotKeyRegistrar() = default;

  virtual EventTargetRef applicationEventTarget() = 0;
  /// Calls `handler` with `userData` for each event of the `typeCount` types
  /// in `types`. On success stores the handler's reference in `outRef`.
  virtual std::int32_t installEventHandler(EventTargetRef target, EventHandlerProc handler,
                                           std::uint32_t typeCount, const EventTypeSpec* types,
                                           void* userData, EventHandlerRef* outRef) = 0;
  /// Sends a hot-key-pressed event to `target` whenever the combination is
  /// pressed, whichever application is in front. `modifiers` uses Carbon's
  /// encoding (cmdKey 0x100, shiftKey 0x200, optionKey 0x800, controlKey
  /// 0x1000). On success stores the reference in `outRef`.
  virtual std::int32_t registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                           HotKeyID id, EventTargetRef target,
                                           std::uint32_t options, HotKeyRef* outRef) = 0;
  virtual std::int32_t unregisterEventHotKey(HotKeyRef hotKey) = 0;
  virtual std::int32_t removeEventHandler(EventHandlerRef handler) = 0;
};
