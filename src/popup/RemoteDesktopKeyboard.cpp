// The portal's session, step by step, its consent and its keystrokes.
#include "popup/RemoteDesktopKeyboard.h"

#include <utility>

#include "diagnostics/Log.h"
#include "platform/FileSystem.h"

namespace {

std::string outcome(const RemoteDesktopPortal::Response& response) {
  return response.error.empty() ? "response " + std::to_string(response.code) : response.error;
}

bool failed(const RemoteDesktopPortal::Response& response) {
  return response.code != 0 || !response.error.empty();
}

}  // namespace

RemoteDesktopKeyboard::RemoteDesktopKeyboard(std::unique_ptr<RemoteDesktopPortal> portal,
                                             FileSystem& fileSystem, std::string tokenPath,
                                             Accessibility* fallback)
    : portal_(std::move(portal)),
      fileSystem_(fileSystem),
      tokenPath_(std::move(tokenPath)),
      fallback_(fallback) {
  portal_->watchClosed([this](const std::string& session) { closed(session); });
}

bool RemoteDesktopKeyboard::isProcessTrusted() {
  if (state_ == State::idle && questions_ > 0) {
    ask();
    return false;
  }
  if (state_ == State::fallenBack) {
    return fallback_ != nullptr && fallback_->isProcessTrusted();
  }
  return state_ == State::granted;
}

bool RemoteDesktopKeyboard::isProcessTrustedWithPrompt() {
  if (state_ == State::idle || state_ == State::refused) {
    ask();
  }
  return isProcessTrusted();
}

void RemoteDesktopKeyboard::post(std::uint32_t keysym, const std::vector<std::uint32_t>& modifiers,
                                 bool keyDown) {
  if (state_ != State::granted) {
    return;
  }
  if (!keyDown) {
    portal_->notifyKeyboardKeysym(session_, keysym, /*pressed=*/false);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
      portal_->notifyKeyboardKeysym(session_, *it, /*pressed=*/false);
    }
    return;
  }
  for (std::uint32_t modifier : modifiers) {
    portal_->notifyKeyboardKeysym(session_, modifier, /*pressed=*/true);
  }
  portal_->notifyKeyboardKeysym(session_, keysym, /*pressed=*/true);
}

std::string RemoteDesktopKeyboard::occasion() const {
  return questions_ <= 1 ? "launch: " : "auto-paste: ";
}

void RemoteDesktopKeyboard::ask() {
  state_ = State::asking;
  ++questions_;
  if (version_) {
    portal_->createSession([this](const RemoteDesktopPortal::Response& r) { created(r); });
    return;
  }
  portal_->queryVersion([this](std::optional<std::uint32_t> version) {
    if (!version) {
      fallBack("the desktop portal offers no RemoteDesktop");
      return;
    }
    version_ = version;
    portal_->createSession([this](const RemoteDesktopPortal::Response& r) { created(r); });
  });
}

void RemoteDesktopKeyboard::created(const RemoteDesktopPortal::Response& response) {
  if (failed(response) || response.sessionHandle.empty()) {
    fallBack("the desktop portal's RemoteDesktop opened no session: " + outcome(response));
    return;
  }
  session_ = response.sessionHandle;
  const bool persist = *version_ >= RemoteDesktopPortal::persistenceVersion;
  const std::string token = persist ? fileSystem_.readFile(tokenPath_).value_or("") : "";
  portal_->selectDevices(
      session_, persist, token, [this, token](const RemoteDesktopPortal::Response& selected) {
        if (failed(selected)) {
          fallBack("the desktop portal's RemoteDesktop offered no keyboard: " + outcome(selected));
          return;
        }
        // A kept consent spares the dialog; without one the desktop shows it.
        if (token.empty()) {
          Log::write(occasion() +
                     "Accessibility NOT granted — prompting (the desktop asks to allow remote "
                     "interaction)");
        }
        portal_->start(session_,
                       [this, restoring = !token.empty()](const RemoteDesktopPortal::Response& r) {
                         started(r, restoring);
                       });
      });
}

void RemoteDesktopKeyboard::started(const RemoteDesktopPortal::Response& response, bool restoring) {
  if (restoring && failed(response)) {
    // The consent it named is gone; the next start asks afresh.
    fileSystem_.removeFile(tokenPath_);
  }
  if (response.code == 1 && response.error.empty()) {
    state_ = State::refused;
    session_.clear();
    Log::write(occasion() +
               "Accessibility refused in the desktop's remote desktop dialog — a chosen entry "
               "stays on the clipboard, press Ctrl+V to paste it; to be asked again, start "
               "pellimore-clip again or choose auto-paste in its menu");
    return;
  }
  if (failed(response)) {
    fallBack("the desktop portal's RemoteDesktop did not start: " + outcome(response));
    return;
  }
  if ((response.devices & RemoteDesktopPortal::keyboardDevice) == 0) {
    fallBack("the desktop portal's RemoteDesktop granted no keyboard");
    return;
  }
  state_ = State::granted;
  Log::write(occasion() + "Accessibility granted (Ctrl+V through the desktop portal's " +
             "RemoteDesktop" + (restoring ? ", as consented before)" : ")"));
  if (response.restoreToken.empty()) {
    return;
  }
  const FileResult kept = fileSystem_.writeFileAtomically(tokenPath_, response.restoreToken, 0600);
  if (!kept.ok()) {
    Log::write(occasion() + "the remote desktop consent could not be kept: " + kept.error());
  }
}

void RemoteDesktopKeyboard::closed(const std::string& session) {
  if (session_.empty() || session != session_) {
    return;
  }
  session_.clear();
  state_ = State::idle;
  Log::write(
      "auto-paste: the desktop closed the remote desktop session; the next paste asks "
      "again");
}

void RemoteDesktopKeyboard::fallBack(const std::string& reason) {
  state_ = State::fallenBack;
  session_.clear();
  Log::write(occasion() + reason +
             (fallback_ != nullptr
                  ? "; Ctrl+V goes through XTest, which reaches X11 windows only"
                  : "; a chosen entry is left on the clipboard, press Ctrl+V to paste it"));
}
