// Another running application, as the workspace reports it.
#pragma once

#include <optional>
#include <string>

class RunningApplication {
 public:
  virtual ~RunningApplication() = default;
  /// The user-visible name; may be unknown.
  virtual std::optional<std::string> localizedName() const = 0;
  /// The class its window declares (WM_CLASS on X11) or its app id where a
  /// Wayland compositor tells it; unknown elsewhere.
  virtual std::optional<std::string> windowClass() const { return std::nullopt; }
  /// Its process; may be unknown.
  virtual std::optional<int> processIdentifier() const = 0;
  /// Whether it is the active application (the one receiving key events)
  /// right now.
  virtual bool isActive() const = 0;
  /// Brings it to the front (no activation options), taking the focus from
  /// this application. False when the system refused.
  virtual bool activate() = 0;
};
