// The portal's session and binding, step by step, and its activations as
// hot-key presses.
#include "popup/PortalHotKeyRegistrar.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "diagnostics/Log.h"

namespace {

std::string outcome(const GlobalShortcutsPortal::Response& response) {
  return response.error.empty() ? "response " + std::to_string(response.code) : response.error;
}

}  // namespace

PortalHotKeyRegistrar::PortalHotKeyRegistrar(std::unique_ptr<GlobalShortcutsPortal> portal,
                                             GlobalShortcutsPortal::Shortcut shortcut)
    : portal_(std::move(portal)), shortcut_(std::move(shortcut)) {}

std::int32_t PortalHotKeyRegistrar::installEventHandler(EventTargetRef /*target*/,
                                                        EventHandlerProc handler,
                                                        std::uint32_t /*typeCount*/,
                                                        const EventTypeSpec* /*types*/,
                                                        void* userData, EventHandlerRef* outRef) {
  handler_ = handler;
  handlerData_ = userData;
  *outRef = &handler_;
  return 0;
}

std::int32_t PortalHotKeyRegistrar::registerEventHotKey(std::uint32_t /*keyCode*/,
                                                        std::uint32_t /*modifiers*/,
                                                        HotKeyID /*id*/, EventTargetRef /*target*/,
                                                        std::uint32_t /*options*/,
                                                        HotKeyRef* outRef) {
  registered_ = true;
  *outRef = &registered_;
  if (asked_) {
    return 0;
  }
  // A second session would show the user a second dialog, and the desktop's
  // settings a second entry, for the same shortcut.
  asked_ = true;
  portal_->watchActivations(
      [this](const std::string& session, const std::string& id) { activated(session, id); });
  portal_->queryVersion([this](std::optional<std::uint32_t> version) {
    if (!version) {
      fallBack("the session bus offers no GlobalShortcuts portal");
      return;
    }
    portal_->createSession([this](const GlobalShortcutsPortal::Response& r) { created(r); });
  });
  return 0;
}

std::int32_t PortalHotKeyRegistrar::unregisterEventHotKey(HotKeyRef /*hotKey*/) {
  registered_ = false;
  return 0;
}

std::int32_t PortalHotKeyRegistrar::removeEventHandler(EventHandlerRef /*handler*/) {
  handler_ = nullptr;
  handlerData_ = nullptr;
  return 0;
}

void PortalHotKeyRegistrar::created(const GlobalShortcutsPortal::Response& response) {
  if (response.code != 0 || response.sessionHandle.empty()) {
    fallBack("the GlobalShortcuts portal opened no session: " + outcome(response));
    return;
  }
  portal_->bindShortcuts(response.sessionHandle, shortcut_,
                         [this, session = response.sessionHandle](
                             const GlobalShortcutsPortal::Response& r) { bound(session, r); });
}

void PortalHotKeyRegistrar::bound(const std::string& session,
                                  const GlobalShortcutsPortal::Response& response) {
  if (response.code == 1) {
    fallBack("the user declined the shortcut in the GlobalShortcuts portal");
    return;
  }
  if (response.code != 0) {
    fallBack("the GlobalShortcuts portal bound no shortcut: " + outcome(response));
    return;
  }
  const auto ours = std::find_if(response.boundShortcuts.begin(), response.boundShortcuts.end(),
                                 [this](const auto& bound) { return bound.first == shortcut_.id; });
  if (ours == response.boundShortcuts.end()) {
    fallBack("the GlobalShortcuts portal left " + shortcut_.id + " unbound");
    return;
  }
  session_ = session;
  Log::write("hot key: through the desktop portal's GlobalShortcuts, as " +
             (ours->second.empty() ? shortcut_.preferredTrigger : ours->second));
}

void PortalHotKeyRegistrar::activated(const std::string& session, const std::string& id) {
  // Another program's session, or a shortcut we did not ask for, is not
  // ours to answer; nor is a press after unregistering.
  if (session_.empty() || session != session_ || id != shortcut_.id || !registered_ ||
      handler_ == nullptr) {
    return;
  }
  handler_(nullptr, nullptr, handlerData_);
}

void PortalHotKeyRegistrar::fallBack(const std::string& reason) {
  Log::write(
      "hot key: left to the compositor's binding, which runs pellimore-clip to open the "
      "popup (" +
      reason + ")");
}
