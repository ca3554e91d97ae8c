// Synthetic key events that go nowhere. Records, under names "down" and "up"
// for the key state: "keys.createSource(STATE)", "keys.createKeyboardEvent(KEY,
// down)", "keys.setFlags(down,0xFLAGS)", "keys.post(TAP,down)",
// "keys.release(down)", "keys.releaseSource".
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "CallRecord.h"
#include "platform/KeyEventPoster.h"

class FakeKeyEventPoster : public KeyEventPoster {
 public:
  struct PostedEvent {
    std::uint32_t tap;
    std::uint16_t virtualKey;
    bool keyDown;
    std::uint64_t flags;
    bool hadSource;
  };

  std::unique_ptr<Source> createSource(std::int32_t stateID) override;
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                             bool keyDown) override;
  void post(std::uint32_t tap, Event& event) override;

  /// Creation failures to simulate.
  bool failSource = false;
  bool failKeyDown = false;
  bool failKeyUp = false;
  /// The flags a new event starts with: the modifier keys held right now,
  /// as the real service reads them from the keyboard.
  std::uint64_t heldModifierFlags = 0;

  std::vector<PostedEvent> posted;
  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
};
