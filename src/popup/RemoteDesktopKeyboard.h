// The paste keystroke through the desktop portal's remote desktop, for a
// Wayland session whose compositor lends us no keyboard of its own (GNOME).
// Asked for once, it opens one session with a keyboard, which shows the
// desktop's consent dialog, and keeps it for the life of the app; only a
// session the desktop closed is asked for again, by the next paste. A
// refusal is logged once and not asked about again until the next start,
// except from the status menu. Where the portal keeps consents (version 2),
// its restore token is kept in a file of ours, so the next start asks
// nothing. Where the portal is missing or fails, `fallback` (XTest, which
// reaches X11 windows only) answers instead.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/RemoteDesktopPortal.h"

class FileSystem;

class RemoteDesktopKeyboard : public Accessibility {
 public:
  enum class State { idle, asking, granted, refused, fallenBack };

  /// Asks `portal` nothing until the first prompt. The token lives at
  /// `tokenPath`, which `fileSystem` reads and writes. `fallback` may be
  /// null, and must otherwise outlive this object.
  RemoteDesktopKeyboard(std::unique_ptr<RemoteDesktopPortal> portal, FileSystem& fileSystem,
                        std::string tokenPath, Accessibility* fallback);

  /// Granted; or the fallback's answer once it has taken over. A session the
  /// desktop closed is asked for again here, since this is what a paste
  /// asks first; the answer is still false for that paste.
  bool isProcessTrusted() override;
  /// Opens the session unless it is open or being asked for; asks again
  /// after a refusal, since only the user's command comes here later.
  bool isProcessTrustedWithPrompt() override;
  bool hasPrompt() const override { return true; }
  bool answersLater() const override { return true; }

  State state() const { return state_; }
  /// One key with modifiers, as X keysyms in pressing order: down presses
  /// the modifiers, then the key; up releases the key, then the modifiers
  /// in reverse. Nothing unless granted.
  void post(std::uint32_t keysym, const std::vector<std::uint32_t>& modifiers, bool keyDown);

 private:
  void ask();
  void created(const RemoteDesktopPortal::Response& response);
  void started(const RemoteDesktopPortal::Response& response, bool restoring);
  void closed(const std::string& session);
  void fallBack(const std::string& reason);
  /// "launch: " for the question at start, "paste: " for later ones.
  std::string occasion() const;

  std::unique_ptr<RemoteDesktopPortal> portal_;
  FileSystem& fileSystem_;
  const std::string tokenPath_;
  Accessibility* fallback_;
  State state_ = State::idle;
  std::optional<std::uint32_t> version_;
  int questions_ = 0;
  /// Set while a session is open.
  std::string session_;
};
