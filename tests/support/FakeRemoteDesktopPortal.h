// A desktop portal's remote desktop that answers each request at once with
// what the test set, and records "portal.selectDevices(PERSIST,TOKEN)",
// "portal.start" and "portal.key(KEYSYM,PRESSED)" (keysyms in hex).
#pragma once

#include <sstream>

#include "CallRecord.h"
#include "platform/RemoteDesktopPortal.h"

struct FakeRemoteDesktopPortal : RemoteDesktopPortal, Recorder {
  using Recorder::Recorder;
  void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) override {
    answer(version);
  }
  void createSession(Answer answer) override {
    record->add("portal.createSession");
    answer(created);
  }
  void selectDevices(const std::string& /*session*/, bool persist, const std::string& restoreToken,
                     Answer answer) override {
    record->add("portal.selectDevices", persist, restoreToken);
    answer(selected);
  }
  void start(const std::string& /*session*/, Answer answer) override {
    record->add("portal.start");
    answer(started);
  }
  void notifyKeyboardKeysym(const std::string& session, std::uint32_t keysym,
                            bool pressed) override {
    std::ostringstream hex;
    hex << session << ":0x" << std::hex << keysym;
    record->add("portal.key", hex.str(), pressed);
  }
  void watchClosed(std::function<void(const std::string&)> watch) override {
    closed = std::move(watch);
  }

  std::optional<std::uint32_t> version = 1;
  Response created{0, "", "/session/ours", 0, ""};
  Response selected{0, "", "", 0, ""};
  Response started{0, "", "", keyboardDevice, ""};
  std::function<void(const std::string&)> closed;
};
