// Creating and posting synthetic keyboard events (Core Graphics event
// services on macOS, XTest on Linux). Objects are released when destroyed.
#pragma once

#include <cstdint>
#include <memory>

class KeyEventPoster {
 public:
  class Source {
   public:
    virtual ~Source() = default;
  };
  class Event {
   public:
    virtual ~Event() = default;
    /// Replaces the event's modifier flags with `flags` (Core Graphics masks).
    virtual void setFlags(std::uint64_t flags) = 0;
  };

  virtual ~KeyEventPoster() = default;

  /// May return nothing; events are then created without a source.
  virtual std::unique_ptr<Source> createSource(std::int32_t stateID) = 0;
  /// May return nothing. `virtualKey` is a macOS virtual key code.
  virtual std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                                     bool keyDown) = 0;
  virtual void post(std::uint32_t tap, Event& event) = 0;
};
