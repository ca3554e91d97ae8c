// One system-wide keyboard shortcut. Each press queues `onPressed` on the main
// loop; nothing runs inside the system's event callback.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/HotKeyRegistrar.h"

class MainLoop;

class HotKey : public std::enable_shared_from_this<HotKey> {
 public:
  /// 'CLIP': marks this application's hot keys.
  static constexpr std::uint32_t signature = 0x434C4950;
  static constexpr std::uint32_t hotKeyID = 1;
  static constexpr std::uint32_t registrationOptions = 0;

  /// Registers nothing yet. Must be owned by a shared_ptr: a queued press
  /// keeps the object alive until it has run. `registrar` and `mainLoop`
  /// must outlive it.
  HotKey(HotKeyRegistrar& registrar, MainLoop& mainLoop, std::uint32_t keyCode,
         std::uint32_t modifiers);
  /// Unregisters the key, then removes the handler.
  ~HotKey();
  HotKey(const HotKey&) = delete;
  HotKey& operator=(const HotKey&) = delete;

  /// Installs the handler and registers the key; named for the action, as
  /// `register` is reserved in C++. A failure (another application holds
  /// the combination) is logged with its status; the key then never fires.
  /// A second call does nothing.
  void registerHotKey();

  std::uint32_t keyCode() const { return keyCode_; }
  std::uint32_t modifiers() const { return modifiers_; }

  /// Read when a queued press runs, so clearing it silences pending presses.
  std::function<void()> onPressed;

 private:
  static std::int32_t handleEvent(void* callRef, void* event, void* userData);

  HotKeyRegistrar::HotKeyRef hotKeyRef_ = nullptr;
  HotKeyRegistrar::EventHandlerRef eventHandler_ = nullptr;
  const std::uint32_t keyCode_;
  const std::uint32_t modifiers_;
  HotKeyRegistrar& registrar_;
  MainLoop& mainLoop_;
};
