// System-wide hot keys as passive key grabs on the X root window, on an Xlib
// connection of their own that a socket notifier watches from the Qt loop.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/HotKeyRegistrar.h"

class QSocketNotifier;
struct _XDisplay;  // NOLINT(bugprone-reserved-identifier): Xlib names it

class X11HotKeyRegistrar : public HotKeyRegistrar {
 public:
  /// Status of a registration the X server refused (another client holds
  /// the grab) or that cannot be expressed on X11; Carbon's
  /// eventHotKeyExistsErr.
  static constexpr std::int32_t hotKeyUnavailable = -9878;
  /// Status when there is no X connection or no such reference.
  static constexpr std::int32_t paramError = -50;

  /// Opens its own connection to the display named by $DISPLAY; without one
  /// every registration fails and nothing ever fires.
  X11HotKeyRegistrar();
  ~X11HotKeyRegistrar() override;
  X11HotKeyRegistrar(const X11HotKeyRegistrar&) = delete;
  X11HotKeyRegistrar& operator=(const X11HotKeyRegistrar&) = delete;

  EventTargetRef applicationEventTarget() override;
  std::int32_t installEventHandler(EventTargetRef target, EventHandlerProc handler,
                                   std::uint32_t typeCount, const EventTypeSpec* types,
                                   void* userData, EventHandlerRef* outRef) override;
  /// Grabs the key with and without Caps Lock and Num Lock. When any of the
  /// grabs fails, none is kept and the key never fires.
  std::int32_t registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id,
                                   EventTargetRef target, std::uint32_t options,
                                   HotKeyRef* outRef) override;
  std::int32_t unregisterEventHotKey(HotKeyRef hotKey) override;
  std::int32_t removeEventHandler(EventHandlerRef handler) override;

 private:
  struct Handler {
    EventHandlerProc proc;
    void* userData;
    bool wantsHotKeys;
  };
  struct Grab {
    HotKeyID id;
    unsigned keycode;
    unsigned modifiers;
    bool held = false;
  };

  void readEvents();
  void keyPressed(unsigned keycode, unsigned state);
  void keyReleased(unsigned keycode);
  void ungrab(const Grab& grab);
  std::vector<unsigned> lockVariants() const;

  _XDisplay* display_ = nullptr;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::map<void*, std::unique_ptr<Handler>> handlers_;
  std::map<void*, std::unique_ptr<Grab>> grabs_;
};
