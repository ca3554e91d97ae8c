// A key event as X keysym and modifier flags, for the posters that press the
// modifier keys themselves around the key (XTest, the desktop portal).
#pragma once

#include <cstdint>

#include "platform/KeyEventPoster.h"

class KeysymKeyEvent : public KeyEventPoster::Event {
 public:
  KeysymKeyEvent(unsigned long keysym, bool keyDown) : keysym_(keysym), keyDown_(keyDown) {}
  void setFlags(std::uint64_t flags) override { flags_ = flags; }

  unsigned long keysym() const { return keysym_; }
  bool keyDown() const { return keyDown_; }
  std::uint64_t flags() const { return flags_; }

 private:
  unsigned long keysym_;
  bool keyDown_;
  std::uint64_t flags_ = 0;
};
