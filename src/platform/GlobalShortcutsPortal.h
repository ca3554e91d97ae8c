// The desktop portal's global shortcuts (org.freedesktop.portal.GlobalShortcuts
// on the session bus), reduced to what binding one shortcut takes. Every
// request answers once, later, on the main thread, as the portal's Request
// objects do; a call that fails on the bus answers too, with its error.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class GlobalShortcutsPortal {
 public:
  /// What a Request object answered.
  struct Response {
    /// The portal's codes: 0 success, 1 cancelled by the user, 2 ended
    /// otherwise.
    std::uint32_t code = 2;
    /// The bus's error when the call itself failed; empty otherwise.
    std::string error;
    /// CreateSession's session handle.
    std::string sessionHandle;
    /// BindShortcuts' bound shortcuts: each id with the trigger as the
    /// desktop describes it (possibly empty).
    std::vector<std::pair<std::string, std::string>> boundShortcuts;
  };
  struct Shortcut {
    std::string id;
    std::string description;
    /// In the XDG shortcuts notation, e.g. "SHIFT+LOGO+v".
    std::string preferredTrigger;
  };
  using Answer = std::function<void(const Response&)>;

  virtual ~GlobalShortcutsPortal() = default;

  /// The interface's version, or nullopt where the session bus offers no
  /// such portal.
  virtual void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) = 0;
  virtual void createSession(Answer answer) = 0;
  /// Asks the desktop to bind `shortcut` in `session`; it may ask the user.
  virtual void bindShortcuts(const std::string& session, const Shortcut& shortcut,
                             Answer answer) = 0;
  /// Calls `activated` with the session handle and the shortcut's id each
  /// time the portal says a shortcut was pressed. Replaces an earlier one.
  virtual void watchActivations(
      std::function<void(const std::string& session, const std::string& id)> activated) = 0;
};
