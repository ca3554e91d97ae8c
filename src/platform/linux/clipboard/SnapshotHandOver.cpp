// The reader threads' hand-over to the main thread.
#include "platform/linux/clipboard/SnapshotHandOver.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <iterator>

SnapshotHandOver::SnapshotHandOver() : readyFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

SnapshotHandOver::~SnapshotHandOver() {
  if (readyFd_ >= 0) {
    close(readyFd_);
  }
}

void SnapshotHandOver::hand(ClipboardSnapshot snapshot) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.push_back(std::move(snapshot));
    if (waiting_.size() > maxWaiting) {
      waiting_.pop_front();
    }
  }
  const std::uint64_t one = 1;
  (void)!write(readyFd_, &one, sizeof one);
}

std::vector<ClipboardSnapshot> SnapshotHandOver::take() {
  std::uint64_t handed = 0;
  (void)!read(readyFd_, &handed, sizeof handed);
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<ClipboardSnapshot> taken(std::make_move_iterator(waiting_.begin()),
                                       std::make_move_iterator(waiting_.end()));
  waiting_.clear();
  return taken;
}
