// Finds a letter's key by translating every key of the current ASCII-capable
// layout, and hears of input-source changes through the distributed
// notification center.
#include "platform/mac/MacKeyboardLayout.h"

#import <Carbon/Carbon.h>
#import <Foundation/Foundation.h>

#include <utility>

#include "platform/mac/ScopedCFType.h"

/// Forwards the input-source notification to a C++ callback.
@interface PellimoreInputSourceObserver : NSObject
- (instancetype)initWithHandler:(std::function<void()>)handler;
- (void)stop;
@end

@implementation PellimoreInputSourceObserver {
  std::function<void()> _handler;
}

- (instancetype)initWithHandler:(std::function<void()>)handler {
  self = [super init];
  if (self == nil) return nil;
  _handler = std::move(handler);
  // An accessory application is inactive nearly all the time, and AppKit
  // holds back distributed notifications while it is; this one must not wait.
  [NSDistributedNotificationCenter.defaultCenter
             addObserver:self
                selector:@selector(inputSourceChanged:)
                    name:(__bridge NSString*)kTISNotifySelectedKeyboardInputSourceChanged
                  object:nil
      suspensionBehavior:NSNotificationSuspensionBehaviorDeliverImmediately];
  return self;
}

- (void)inputSourceChanged:(NSNotification*)notification {
  if (_handler) _handler();
}

- (void)stop {
  [NSDistributedNotificationCenter.defaultCenter removeObserver:self];
  _handler = nullptr;
}

@end

namespace {

class MacObservation : public KeyboardLayout::Observation {
 public:
  explicit MacObservation(PellimoreInputSourceObserver* observer) : observer_(observer) {}
  ~MacObservation() override { [observer_ stop]; }
  MacObservation(const MacObservation&) = delete;
  MacObservation& operator=(const MacObservation&) = delete;

 private:
  __strong PellimoreInputSourceObserver* observer_;
};

}  // namespace

std::optional<std::uint16_t> MacKeyboardLayout::keyCodeForCharacter(char character) {
  ScopedCFType<TISInputSourceRef> source(TISCopyCurrentASCIICapableKeyboardLayoutInputSource());
  if (!source) return std::nullopt;
  // Owned by the source; valid while it is.
  auto data = static_cast<CFDataRef>(
      TISGetInputSourceProperty(source.get(), kTISPropertyUnicodeKeyLayoutData));
  if (data == nullptr) return std::nullopt;
  const auto* layout = reinterpret_cast<const UCKeyboardLayout*>(CFDataGetBytePtr(data));
  const UInt32 keyboardType = LMGetKbdType();
  // Translated with Command held: both uses are Command shortcuts, and
  // layouts such as "Dvorak - QWERTY Command" switch letters under it.
  const UInt32 modifierState = (cmdKey >> 8) & 0xFF;
  for (UInt16 keyCode = 0; keyCode < 128; ++keyCode) {
    UInt32 deadKeyState = 0;
    UniChar characters[4] = {};
    UniCharCount length = 0;
    const OSStatus status =
        UCKeyTranslate(layout, keyCode, kUCKeyActionDown, modifierState, keyboardType,
                       kUCKeyTranslateNoDeadKeysMask, &deadKeyState, 4, &length, characters);
    if (status == noErr && length == 1 && characters[0] == static_cast<UniChar>(character)) {
      return keyCode;
    }
  }
  return std::nullopt;
}

std::unique_ptr<KeyboardLayout::Observation> MacKeyboardLayout::observeChanges(
    std::function<void()> onChange) {
  return std::make_unique<MacObservation>(
      [[PellimoreInputSourceObserver alloc] initWithHandler:std::move(onChange)]);
}
