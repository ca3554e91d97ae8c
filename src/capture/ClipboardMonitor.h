// Polls the general pasteboard twice a second, and looks at once where the
// platform reports a change, and hands each new copy, once, to `onNewItem`:
// files before images before text, with concealed, transient and
// auto-generated content vetoed and oversized content dropped. A capture
// whose change count moved while it was read, and an image that is not a
// PNG, are dropped too. When the owner of a captured copy goes away and
// takes it along, `onOwnerGone` puts the newest entry back.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "history/Captured.h"
#include "platform/MainLoop.h"

class ImageConverter;
class Pasteboard;
class RtfConverter;

class ClipboardMonitor : public std::enable_shared_from_this<ClipboardMonitor> {
 public:
  static constexpr double pollInterval = 0.5;
  static constexpr std::int64_t maxTextBytes = 2'000'000;
  static constexpr std::int64_t maxImageBytes = 50'000'000;

  /// Reads the change count now, so what is already on the pasteboard is
  /// never captured.
  ClipboardMonitor(Pasteboard& pasteboard, ImageConverter& imageConverter,
                   RtfConverter& rtfConverter, MainLoop& mainLoop);

  /// Starts the repeating poll and listens for the changes the pasteboard
  /// reports. Both hold the monitor weakly, so it must be owned by a
  /// shared_ptr.
  void start();

  std::function<void(const Captured&)> onNewItem;
  /// Called when the pasteboard was abandoned after a capture: writes the
  /// newest entry back and returns the change count of that write, which is
  /// then ignored, or nothing when there was nothing to write.
  std::function<std::optional<std::int64_t>()> onOwnerGone;
  /// A change count not to capture: the store's own write-back.
  std::int64_t ignoreChangeCount = -1;

  std::int64_t lastChangeCount() const { return lastChangeCount_; }

  /// One poll; public so tests and benchmarks can drive it directly.
  void check();

 private:
  /// The one capture the offered kinds yield in order of preference, or
  /// nothing when the first kind offered is dropped or none is offered.
  std::optional<Captured> read();
  std::optional<Captured> readText();
  void deliver(const Captured& value);
  void takeOverIfAbandoned();

  Pasteboard& pasteboard_;
  ImageConverter& imageConverter_;
  RtfConverter& rtfConverter_;
  MainLoop& mainLoop_;
  std::unique_ptr<MainLoop::Timer> timer_;
  std::int64_t lastChangeCount_;
  // Whether the content last offered made it into the history. What was
  // there before the monitor existed is unknown, so it counts as not.
  bool lastContentCaptured_ = false;
};
