// How a clipboard reader thread hands what it read to the main thread: a
// queue behind a lock, and an eventfd that is readable while the queue holds
// anything, for the main loop to watch. Shared by the X11 and the Wayland
// readers.
#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/linux/clipboard/ClipboardSnapshot.h"

class SnapshotHandOver {
 public:
  /// Snapshots the main thread has not taken yet; older ones give way.
  static constexpr std::size_t maxWaiting = 32;

  SnapshotHandOver();
  ~SnapshotHandOver();
  SnapshotHandOver(const SnapshotHandOver&) = delete;
  SnapshotHandOver& operator=(const SnapshotHandOver&) = delete;

  /// False when no eventfd could be had.
  bool isValid() const { return readyFd_ >= 0; }
  /// Readable while snapshots wait to be taken.
  int readyDescriptor() const { return readyFd_; }
  /// From the reader thread.
  void hand(ClipboardSnapshot snapshot);
  /// From the main thread: the waiting snapshots, oldest first.
  std::vector<ClipboardSnapshot> take();

 private:
  int readyFd_ = -1;
  std::mutex mutex_;
  std::deque<ClipboardSnapshot> waiting_;  // guarded by mutex_
};
