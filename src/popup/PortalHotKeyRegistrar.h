// The hot key through the desktop portal's global shortcuts, for a Wayland
// session, where no client may grab keys itself. The first registration opens
// a portal session and binds one shortcut there; the portal's activations of
// it then reach the installed handler as hot-key presses. Where the portal is
// missing, refuses or fails, nothing is pressed: the compositor's own binding
// starts the app again, and a second start opens the running one's popup.
// Either way the debug log says once which way is in use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/GlobalShortcutsPortal.h"
#include "platform/HotKeyRegistrar.h"

class PortalHotKeyRegistrar : public HotKeyRegistrar {
 public:
  /// What the app asks the portal for.
  static GlobalShortcutsPortal::Shortcut openHistoryShortcut() {
    return {"open-history", "Open the clipboard history", "SHIFT+LOGO+v"};
  }

  /// Asks `portal` nothing until the first registration.
  PortalHotKeyRegistrar(std::unique_ptr<GlobalShortcutsPortal> portal,
                        GlobalShortcutsPortal::Shortcut shortcut);

  EventTargetRef applicationEventTarget() override { return this; }
  std::int32_t installEventHandler(EventTargetRef target, EventHandlerProc handler,
                                   std::uint32_t typeCount, const EventTypeSpec* types,
                                   void* userData, EventHandlerRef* outRef) override;
  /// The key code and modifiers are the portal's to choose: it is offered
  /// the shortcut's preferred trigger, and the user may pick another. Only
  /// the first registration talks to the portal; later ones, after a
  /// keyboard layout change, reuse its session. Always 0: the outcome
  /// arrives later and goes to the log.
  std::int32_t registerEventHotKey(std::uint32_t keyCode, std::uint32_t modifiers, HotKeyID id,
                                   EventTargetRef target, std::uint32_t options,
                                   HotKeyRef* outRef) override;
  std::int32_t unregisterEventHotKey(HotKeyRef hotKey) override;
  std::int32_t removeEventHandler(EventHandlerRef handler) override;

 private:
  void created(const GlobalShortcutsPortal::Response& response);
  void bound(const std::string& session, const GlobalShortcutsPortal::Response& response);
  void activated(const std::string& session, const std::string& id);
  static void fallBack(const std::string& reason);

  std::unique_ptr<GlobalShortcutsPortal> portal_;
  const GlobalShortcutsPortal::Shortcut shortcut_;
  bool asked_ = false;
  bool registered_ = false;
  /// Set once the portal has bound the shortcut.
  std::string session_;
  EventHandlerProc handler_ = nullptr;
  void* handlerData_ = nullptr;
};
