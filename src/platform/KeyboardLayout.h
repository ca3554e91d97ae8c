// The user's keyboard layout: which key types a letter, and when the
// selection changes (Text Input Sources on macOS, the X keymap on Linux).
// Key codes are macOS virtual key codes, which name key positions, not
// letters.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class KeyboardLayout {
 public:
  /// Watching stops when this is destroyed.
  class Observation {
   public:
    virtual ~Observation() = default;
  };

  virtual ~KeyboardLayout() = default;
  /// The key that types `character` with Command held in the current
  /// ASCII-capable layout; nothing when no key does or the layout is unknown.
  virtual std::optional<std::uint16_t> keyCodeForCharacter(char character) = 0;
  /// Calls `onChange` on the main thread after the user selects another
  /// input source.
  virtual std::unique_ptr<Observation> observeChanges(std::function<void()> onChange) = 0;
};
