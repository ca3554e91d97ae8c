// How a later start of the application reaches the one already running: the
// running one listens, a later one asks it to open its popup.
#pragma once

#include <functional>
#include <optional>
#include <string>

class InstanceChannel {
 public:
  virtual ~InstanceChannel() = default;
  /// From now on, runs `onOpenRequest` on the main thread for each request.
  /// Nothing on success; the error's description when nobody could reach us.
  virtual std::optional<std::string> listen(std::function<void()> onOpenRequest) = 0;
  /// Asks the listening instance to open its popup and waits a bounded time
  /// for its answer. Nothing once it answered; else what went wrong.
  virtual std::optional<std::string> requestOpen() = 0;
  /// Where the channel meets when the place meant for it could not hold it;
  /// nothing when it is there.
  virtual std::optional<std::string> fallbackLocation() const { return std::nullopt; }
};
