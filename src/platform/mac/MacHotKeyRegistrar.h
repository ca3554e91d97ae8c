// System-wide hot keys through the Carbon event manager.
#pragma once

#include <map>
#include <memory>

#include "platform/HotKeyRegistrar.h"

class MacHotKeyRegistrar : public HotKeyRegistrar {
 public:
  MacHotKeyRegistrar();
  /// Removes the handlers still installed, so none is called after this.
  ~MacHotKeyRegistrar() override;

  MacHotKeyRegistrar(const MacHotKeyRegistrar&) = delete;
  MacHotKeyRegistrar& operator=(const MacHotKeyRegistrar&) = delete;

  EventTargetRef applicationEventTarget() override;
  std::int32_t installEventHandler(EventTargetRef target, EventHandlerProc handler,
                                   std::uint32_t typeCount, const EventTypeSpec* types,
                                   void* userData, EventHandlerRef* outRef) override;
  std::int32_t registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id,
                                   EventTargetRef target, std::uint32_t options,
                                   HotKeyRef* outRef) override;
  std::int32_t unregisterEventHotKey(HotKeyRef hotKey) override;
  std::int32_t removeEventHandler(EventHandlerRef handler) override;

  /// The caller's handler and data, as the event manager hands them back.
  struct Installed {
    EventHandlerProc handler;
    void* userData;
  };

 private:
  std::map<EventHandlerRef, std::unique_ptr<Installed>> installed_;
};
