// A desktop portal's remote desktop that answers at once with what the test
// set, recording "portal.selectDevices(PERSIST,TOKEN)", "portal.start" and
// "portal.key(KEYSYM,PRESSED)" (the keysym in hex).
#pragma once

#include <sstream>

#include "CallRecord.h"
#include "platform/RemoteDesktopPortal.h"

struct FakeRemoteDesktopPortal : RemoteDesktopPortal, Recorder {
  using Recorder::Recorder;
  void queryVersion(std::function<void(std::optional<std::uint32_t>)> answer) override {
    answer(version);
  }
  void createSession(Answer answer) override { answer(created); }
  void selectDevices(const std::string& /*session*/, bool persist, const std::string& token,
                     Answer answer) override {
    record->add("portal.selectDevices", persist, token);
    answer(selected);
  }
  void start(const std::string& /*session*/, Answer answer) override {
    record->add("portal.start");
    answer(started);
  }
  void notifyKeyboardKeysym(const std::string& /*session*/, std::uint32_t keysym,
                            bool pressed) override {
    record->add("portal.key", (std::ostringstream() << std::hex << keysym).str(), pressed);
  }
  void watchClosed(std::function<void(const std::string&)> watch) override { closed = watch; }

  std::optional<std::uint32_t> version = 1;
  Response created{0, "", "/session/ours", 0, ""}, selected{0, "", "", 0, ""};
  Response started{0, "", "", keyboardDevice, ""};
  std::function<void(const std::string&)> closed;
};
