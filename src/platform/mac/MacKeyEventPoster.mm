// CGEventSource and CGEvent objects, each owned by its handle and released
// with it.
#include "platform/mac/MacKeyEventPoster.h"

#include <CoreGraphics/CoreGraphics.h>

#include "platform/mac/ScopedCFType.h"

namespace {

class MacSource : public KeyEventPoster::Source {
 public:
  explicit MacSource(CGEventSourceRef source) : source_(source) {}
  CGEventSourceRef get() const { return source_.get(); }

 private:
  ScopedCFType<CGEventSourceRef> source_;
};

class MacEvent : public KeyEventPoster::Event {
 public:
  explicit MacEvent(CGEventRef event) : event_(event) {}
  CGEventRef get() const { return event_.get(); }

  void setFlags(std::uint64_t flags) override {
    CGEventSetFlags(event_.get(), static_cast<CGEventFlags>(flags));
  }

 private:
  ScopedCFType<CGEventRef> event_;
};

}  // namespace

std::unique_ptr<KeyEventPoster::Source> MacKeyEventPoster::createSource(std::int32_t stateID) {
  CGEventSourceRef source = CGEventSourceCreate(static_cast<CGEventSourceStateID>(stateID));
  if (source == nullptr) return nullptr;
  return std::make_unique<MacSource>(source);
}

std::unique_ptr<KeyEventPoster::Event> MacKeyEventPoster::createKeyboardEvent(
    Source* source, std::uint16_t virtualKey, bool keyDown) {
  auto* macSource = dynamic_cast<MacSource*>(source);
  CGEventRef event = CGEventCreateKeyboardEvent(macSource != nullptr ? macSource->get() : nullptr,
                                                static_cast<CGKeyCode>(virtualKey), keyDown);
  if (event == nullptr) return nullptr;
  return std::make_unique<MacEvent>(event);
}

void MacKeyEventPoster::post(std::uint32_t tap, Event& event) {
  auto* macEvent = dynamic_cast<MacEvent*>(&event);
  if (macEvent == nullptr) return;
  CGEventPost(static_cast<CGEventTapLocation>(tap), macEvent->get());
}
