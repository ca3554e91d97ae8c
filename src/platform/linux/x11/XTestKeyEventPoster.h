// Synthetic key events through the XTest extension, on an Xlib connection of
// its own. The core asks for Command-V; on Linux that is Control-V.
#pragma once

#include "platform/KeyEventPoster.h"

struct _XDisplay;

class XTestKeyEventPoster : public KeyEventPoster {
 public:
  /// Opens its own connection to the display named by $DISPLAY.
  XTestKeyEventPoster();
  ~XTestKeyEventPoster() override;
  XTestKeyEventPoster(const XTestKeyEventPoster&) = delete;
  XTestKeyEventPoster& operator=(const XTestKeyEventPoster&) = delete;

  /// Whether the display offers XTest, so posting can work at all.
  bool available() const { return available_; }

  std::unique_ptr<Source> createSource(std::int32_t stateID) override;
  /// Nothing for a key code without an X11 counterpart or without XTest.
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                             bool keyDown) override;
  /// Key-down: releases modifier keys the user still holds (the hot key's
  /// Shift and Super), presses the flags' modifiers, then the key. Key-up:
  /// releases the key, then the flags' modifiers.
  void post(std::uint32_t tap, Event& event) override;

 private:
  void releaseHeldModifiers();

  _XDisplay* display_ = nullptr;
  bool available_ = false;
};
