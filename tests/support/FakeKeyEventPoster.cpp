// Recording key-event substitute.
#include "FakeKeyEventPoster.h"

#include <sstream>
#include <string>
#include <utility>

namespace {

const char* stateName(bool keyDown) {
  return keyDown ? "down" : "up";
}

class FakeSource : public KeyEventPoster::Source {
 public:
  explicit FakeSource(std::shared_ptr<CallRecord> record) : record_(std::move(record)) {}
  ~FakeSource() override { record_->add("keys.releaseSource"); }
  FakeSource(const FakeSource&) = delete;
  FakeSource& operator=(const FakeSource&) = delete;

 private:
  std::shared_ptr<CallRecord> record_;
};

class FakeEvent : public KeyEventPoster::Event {
 public:
  FakeEvent(std::uint16_t key, bool down, std::uint64_t startFlags, bool source,
            std::shared_ptr<CallRecord> record)
      : virtualKey(key),
        keyDown(down),
        flags(startFlags),
        hadSource(source),
        record_(std::move(record)) {}
  ~FakeEvent() override { record_->add(std::string("keys.release(") + stateName(keyDown) + ")"); }
  FakeEvent(const FakeEvent&) = delete;
  FakeEvent& operator=(const FakeEvent&) = delete;

  void setFlags(std::uint64_t newFlags) override {
    std::ostringstream call;
    call << "keys.setFlags(" << stateName(keyDown) << ",0x" << std::hex << newFlags << ")";
    record_->add(call.str());
    flags = newFlags;
  }

  std::uint16_t virtualKey;
  bool keyDown;
  std::uint64_t flags;
  bool hadSource;

 private:
  std::shared_ptr<CallRecord> record_;
};

}  // namespace

std::unique_ptr<KeyEventPoster::Source> FakeKeyEventPoster::createSource(std::int32_t stateID) {
  record->add("keys.createSource(" + std::to_string(stateID) + ")");
  if (failSource) {
    return nullptr;
  }
  return std::make_unique<FakeSource>(record);
}

std::unique_ptr<KeyEventPoster::Event> FakeKeyEventPoster::createKeyboardEvent(
    Source* source, std::uint16_t virtualKey, bool keyDown) {
  record->add("keys.createKeyboardEvent(" + std::to_string(virtualKey) + "," + stateName(keyDown) +
              ")");
  if (keyDown ? failKeyDown : failKeyUp) {
    return nullptr;
  }
  return std::make_unique<FakeEvent>(virtualKey, keyDown, heldModifierFlags, source != nullptr,
                                     record);
}

void FakeKeyEventPoster::post(std::uint32_t tap, Event& event) {
  // Only this fake's events ever reach here.
  auto& fake = static_cast<FakeEvent&>(event);
  record->add("keys.post(" + std::to_string(tap) + "," + stateName(fake.keyDown) + ")");
  posted.push_back(PostedEvent{tap, fake.virtualKey, fake.keyDown, fake.flags, fake.hadSource});
}
