// The outcome of FileSystem::lockExclusively: a lock this object holds until
// it goes away, a lock someone else holds, or a failure to take part at all.
#pragma once

#include <functional>
#include <string>
#include <utility>

class FileLock {
 public:
  enum class State { held, heldElsewhere, failed };

  /// `release` gives the lock up; it runs once, when the object goes away.
  static FileLock held(std::function<void()> release) {
    return FileLock(State::held, {}, std::move(release));
  }
  static FileLock heldElsewhere() { return FileLock(State::heldElsewhere, {}, {}); }
  static FileLock failed(std::string description) {
    return FileLock(State::failed, std::move(description), {});
  }

  FileLock(FileLock&& other) noexcept
      : state_(other.state_),
        error_(std::move(other.error_)),
        release_(std::exchange(other.release_, nullptr)) {}
  FileLock& operator=(FileLock&&) = delete;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock() { release(); }

  State state() const { return state_; }
  /// Why the lock could not be taken part in; empty unless failed.
  const std::string& error() const { return error_; }

 private:
  FileLock(State state, std::string error, std::function<void()> release)
      : state_(state), error_(std::move(error)), release_(std::move(release)) {}

  void release() {
    if (release_) {
      std::exchange(release_, nullptr)();
    }
  }

  State state_;
  std::string error_;
  std::function<void()> release_;
};
