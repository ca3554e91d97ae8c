// Writes the history file on a thread of its own, so that a change of a
// history of hundreds of megabytes never holds up the main thread. The store
// hands over a snapshot after each change and goes on; a snapshot still
// waiting gives way to a newer one, so a burst of changes costs one or two
// writes. Image files that a snapshot no longer names are deleted only once
// that snapshot, or a newer one, is on disk: a crash leaves orphans at worst,
// never names of missing files. What a write has to tell the main thread
// (its failure) comes back through one queue, delivered by `takeFailures`.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "history/ClipboardItem.h"

class FileSystem;
class ThreadPriority;

class HistoryWriter {
 public:
  /// `onFailureWaiting` is called on the writer thread whenever a failure has
  /// been queued; it must only arrange for the main thread to take it. The
  /// thread runs below the main thread through `priority`.
  HistoryWriter(FileSystem& fileSystem, ThreadPriority& priority, std::string historyPath,
                unsigned fileMode, std::function<void()> onFailureWaiting);
  /// Waits up to `shutdownWait` for the write in progress and the one
  /// waiting; a write that takes longer is left to finish as the process ends.
  ~HistoryWriter();
  HistoryWriter(const HistoryWriter&) = delete;
  HistoryWriter& operator=(const HistoryWriter&) = delete;

  static constexpr std::chrono::seconds shutdownWait{10};

  /// From the main thread: `items` to be written, replacing a snapshot still
  /// waiting; `doomedImages` (full paths) to be deleted once a file without
  /// them is on disk.
  void write(std::vector<ClipboardItem> items, std::vector<std::string> doomedImages);
  /// Whether everything handed over has been written or has failed by
  /// `deadline`.
  bool waitUntilIdle(std::chrono::steady_clock::time_point deadline);
  /// From the main thread: the descriptions of the writes that failed since
  /// the last call, oldest first.
  std::vector<std::string> takeFailures();

 private:
  struct Snapshot {
    std::vector<ClipboardItem> items;
    std::vector<std::string> doomedImages;
  };
  /// Shared with the thread, which may outlive the writer when a write hangs
  /// at shutdown.
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Snapshot> waiting;
    /// Images of a failed write with nothing waiting after it.
    std::vector<std::string> carriedImages;
    bool busy = false;
    bool stopping = false;
    std::vector<std::string> failures;
  };

  static void run(FileSystem& fileSystem, const std::string& historyPath, unsigned fileMode,
                  const std::function<void()>& onFailureWaiting, State& state);
  /// Writes one snapshot and deletes its images; the failure, if any.
  static std::optional<std::string> writeOne(FileSystem& fileSystem, const std::string& historyPath,
                                             unsigned fileMode, const Snapshot& snapshot);

  std::shared_ptr<State> state_;
  std::thread thread_;
};
