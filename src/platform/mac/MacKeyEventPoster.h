// Synthetic keyboard events through Core Graphics event services.
#pragma once

#include "platform/KeyEventPoster.h"

class MacKeyEventPoster : public KeyEventPoster {
 public:
  std::unique_ptr<Source> createSource(std::int32_t stateID) override;
  /// A source not made by this poster is treated as no source.
  std::unique_ptr<Event> createKeyboardEvent(Source* source, std::uint16_t virtualKey,
                                             bool keyDown) override;
  void post(std::uint32_t tap, Event& event) override;
};
