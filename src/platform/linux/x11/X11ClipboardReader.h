// Reads the X11 CLIPBOARD selection on a thread of its own, over a
// connection of its own, the moment its owner changes, and hands each
// finished snapshot to the main thread. An owner that never answers, answers
// slowly or dies mid-transfer then costs this thread a deadline, never the
// main thread a freeze. This is the one thread besides the crash recorder;
// nothing outside the Linux pasteboard sees it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <xcb/xcb.h>

#include "platform/linux/clipboard/ClipboardSnapshot.h"
#include "platform/linux/clipboard/SnapshotHandOver.h"

class X11ClipboardReader {
 public:
  /// How long an owner has to answer one request, or to send the next part
  /// of an incremental transfer.
  static constexpr std::chrono::milliseconds answerTimeout{1000};
  /// The longest one incremental transfer may take, however steady.
  static constexpr std::chrono::milliseconds transferTimeout{10000};
  /// Longer bodies are cut here: one byte over the largest image capture
  /// takes, so that the cut one is still dropped as too large.
  static constexpr qsizetype maxBodyBytes = 50'000'001;
  /// Targets beyond these are not looked at: no owner offers so many honestly.
  static constexpr std::size_t maxTargets = 1024;

  /// Connects to `displayName`, the main connection's display. Owners whose
  /// window ids lie in `ownIdBase` under `ownIdMask` (the main connection's
  /// ids) are this process itself: their copies are not read and yield no
  /// snapshot.
  X11ClipboardReader(const std::string& displayName, std::uint32_t ownIdBase,
                     std::uint32_t ownIdMask);
  /// Stops the thread and waits for it; it is never left behind.
  ~X11ClipboardReader();
  X11ClipboardReader(const X11ClipboardReader&) = delete;
  X11ClipboardReader& operator=(const X11ClipboardReader&) = delete;

  /// False when the display or its XFixes extension could not be used.
  bool isRunning() const { return thread_.joinable(); }
  /// Readable while snapshots wait to be taken.
  int readyDescriptor() const { return handOver_.readyDescriptor(); }
  /// The waiting snapshots, oldest first.
  std::vector<ClipboardSnapshot> takeSnapshots() { return handOver_.take(); }

 private:
  using Clock = std::chrono::steady_clock;
  struct OwnerChange {
    std::uint32_t owner;
    std::uint32_t time;
  };
  enum class Wait { matched, newOwner, timedOut, stopped };
  /// One request's answer: a body, a failure, or the read given up because
  /// a newer owner came or the reader is stopping.
  struct Answer {
    bool givenUp = false;
    std::optional<QByteArray> body;
  };

  bool connect(const std::string& displayName);
  void run();
  /// Everything `change`'s owner offers that capture may need; nothing when
  /// the read was given up or the owner is this process.
  std::optional<ClipboardSnapshot> read(const OwnerChange& change);
  Answer convert(std::uint32_t target, std::uint32_t time);
  Answer readIncrementally();
  /// The property's value as it stands, deleted after reading; nothing when
  /// it is missing. `type` receives its type.
  std::optional<QByteArray> takeProperty(std::uint32_t& type);
  /// Handles the events that arrived and waits for more until one satisfies
  /// `wanted`, a newer owner shows up, `deadline` passes or the reader stops.
  Wait waitFor(const std::function<bool(const xcb_generic_event_t&)>& wanted,
               Clock::time_point deadline);

  xcb_connection_t* connection_ = nullptr;
  std::uint32_t root_ = 0;
  std::uint32_t listener_ = 0;
  std::uint32_t requestor_ = 0;
  std::uint8_t xfixesEvent_ = 0;
  std::uint32_t clipboardAtom_ = 0;
  std::uint32_t targetsAtom_ = 0;
  std::uint32_t incrAtom_ = 0;
  std::uint32_t propertyAtom_ = 0;
  const std::uint32_t ownIdBase_;
  const std::uint32_t ownIdMask_;
  // Written by the reader thread only.
  std::optional<OwnerChange> newestChange_;

  SnapshotHandOver handOver_;
  int stopFd_ = -1;
  std::thread thread_;
};
