// The history file's writer thread and its hand-over queues.
#include "history/HistoryWriter.h"

#include <iterator>
#include <utility>

#include "history/HistoryCodec.h"
#include "platform/FileSystem.h"
#include "platform/ThreadPriority.h"

HistoryWriter::HistoryWriter(FileSystem& fileSystem, ThreadPriority& priority,
                             std::string historyPath, unsigned fileMode,
                             std::function<void()> onFailureWaiting)
    : state_(std::make_shared<State>()) {
  thread_ = std::thread([&fileSystem, &priority, path = std::move(historyPath), fileMode,
                         notify = std::move(onFailureWaiting), state = state_] {
    // Encoding the largest history takes a core for a second or more; the
    // main thread, drawing what the user waits for, goes first.
    priority.lowerCurrentThread();
    run(fileSystem, path, fileMode, notify, *state);
  });
}

HistoryWriter::~HistoryWriter() {
  const bool idle = waitUntilIdle(std::chrono::steady_clock::now() + shutdownWait);
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->stopping = true;
  }
  state_->changed.notify_all();
  if (idle) {
    thread_.join();
  } else {
    // A disk that does not answer must not keep the process from ending;
    // the thread holds its own share of the state.
    thread_.detach();
  }
}

void HistoryWriter::write(std::vector<ClipboardItem> items, std::vector<std::string> doomedImages) {
  {
    std::lock_guard<std::mutex> lock(state_->mutex);
    if (state_->waiting) {
      // The newer snapshot stands for the older one too; it names none of
      // the older one's doomed images, since dropped entries never return.
      std::vector<std::string>& doomed = state_->waiting->doomedImages;
      doomed.insert(doomed.end(), std::make_move_iterator(doomedImages.begin()),
                    std::make_move_iterator(doomedImages.end()));
      state_->waiting->items = std::move(items);
    } else {
      doomedImages.insert(doomedImages.end(),
                          std::make_move_iterator(state_->carriedImages.begin()),
                          std::make_move_iterator(state_->carriedImages.end()));
      state_->carriedImages.clear();
      state_->waiting = Snapshot{std::move(items), std::move(doomedImages)};
    }
  }
  state_->changed.notify_all();
}

bool HistoryWriter::waitUntilIdle(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(state_->mutex);
  return state_->changed.wait_until(lock, deadline,
                                    [&] { return !state_->busy && !state_->waiting; });
}

std::vector<std::string> HistoryWriter::takeFailures() {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return std::exchange(state_->failures, {});
}

void HistoryWriter::run(FileSystem& fileSystem, const std::string& historyPath, unsigned fileMode,
                        const std::function<void()>& onFailureWaiting, State& state) {
  std::unique_lock<std::mutex> lock(state.mutex);
  while (true) {
    state.changed.wait(lock, [&] { return state.waiting || state.stopping; });
    if (!state.waiting)
      return;
    Snapshot snapshot = std::move(*state.waiting);
    state.waiting.reset();
    state.busy = true;
    lock.unlock();

    std::optional<std::string> failure = writeOne(fileSystem, historyPath, fileMode, snapshot);

    lock.lock();
    if (failure) {
      // The file may still name them; the next write takes them on.
      std::vector<std::string>& doomed =
          state.waiting ? state.waiting->doomedImages : state.carriedImages;
      doomed.insert(doomed.end(), std::make_move_iterator(snapshot.doomedImages.begin()),
                    std::make_move_iterator(snapshot.doomedImages.end()));
      state.failures.push_back(std::move(*failure));
      // Told before the writer counts as idle, so that nothing is left
      // running once a wait for idleness returns.
      lock.unlock();
      onFailureWaiting();
      lock.lock();
    }
    state.busy = false;
    state.changed.notify_all();
  }
}

std::optional<std::string> HistoryWriter::writeOne(FileSystem& fileSystem,
                                                   const std::string& historyPath,
                                                   unsigned fileMode, const Snapshot& snapshot) {
  FileResult written = fileSystem.writeFileAtomicallyInPieces(
      historyPath,
      [&](const FileSystem::PieceSink& write) {
        return HistoryCodec::encode(snapshot.items, write);
      },
      fileMode);
  if (!written.ok())
    return written.error();
  (void)fileSystem.setPermissions(historyPath, fileMode);
  for (const std::string& path : snapshot.doomedImages)
    (void)fileSystem.removeFile(path);
  return std::nullopt;
}
