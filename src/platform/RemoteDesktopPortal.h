// The desktop portal's remote desktop (org.freedesktop.portal.RemoteDesktop
// on the session bus), reduced to what typing a keystroke takes: a session
// with a keyboard, the user's consent to it, and key presses. Every request
// answers once, later, on the main thread, as the portal's Request objects
// do; a call that fails on the bus answers too, with its error.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class RemoteDesktopPortal {
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
    /// Start's granted devices, as the portal's bit mask.
    std::uint32_t devices = 0;
    /// Start's token for the next session's consent, where one was asked for.
    std::string restoreToken;
  };
  using Answer = std::function<void(const Response&)>;

  /// The portal's device bit for a keyboard.
  static constexpr std::uint32_t keyboardDevice = 1;
  /// The first version that keeps a consent across sessions.
  static constexpr std::uint32_t persistenceVersion = 2;

  virtual ~RemoteDesktopPortal() = default;

  /// The interface's version, or nullopt where the session bus offers no
  /// such portal.
  virtual void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) = 0;
  virtual void createSession(Answer answer) = 0;
  /// Asks for a keyboard in `session`. With `persist` the consent is to be
  /// kept until the user revokes it, and `restoreToken` (when not empty)
  /// names an earlier one; both need version 2.
  virtual void selectDevices(const std::string& session, bool persist,
                             const std::string& restoreToken, Answer answer) = 0;
  /// Starts `session`: the desktop shows its consent dialog, unless a
  /// restored consent spares it.
  virtual void start(const std::string& session, Answer answer) = 0;
  /// Presses or releases the key that types `keysym` (an X keysym) in a
  /// started session.
  virtual void notifyKeyboardKeysym(const std::string& session, std::uint32_t keysym,
                                    bool pressed) = 0;
  /// Calls `closed` with a session's handle when the desktop closes it (the
  /// user stopped the sharing). Replaces an earlier one.
  virtual void watchClosed(std::function<void(const std::string& session)> closed) = 0;
};
