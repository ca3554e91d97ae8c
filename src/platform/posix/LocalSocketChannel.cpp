// Connecting, answering and waiting with plain POSIX sockets. The listening
// socket never blocks the main thread; only a later start, which has nothing
// else to do, waits for its answer.
#include "platform/posix/LocalSocketChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string_view>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view answer = "ok\n";

// A peer that went away must not end this process with SIGPIPE.
#ifdef MSG_NOSIGNAL
constexpr int sendFlags = MSG_NOSIGNAL;
#else
constexpr int sendFlags = 0;  // SO_NOSIGPIPE is set on the socket instead
#endif

std::string describe(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

/// A stream socket that programs started from here do not inherit.
int newSocket() {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd >= 0) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  return fd;
}

/// False when the path does not fit an address (about 100 bytes).
bool fillAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) {
    return false;
  }
  std::memcpy(static_cast<void*>(address.sun_path), path.c_str(), path.size() + 1);
  return true;
}

const sockaddr* generic(const sockaddr_un& address) {
  return reinterpret_cast<const sockaddr*>(&address);  // NOLINT: the sockets API's own cast
}

int millisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

/// Connects, trying again while nobody listens yet. The descriptor, or -1
/// with `error` set.
int connectBefore(const sockaddr_un& address, Clock::time_point deadline, int& error) {
  for (;;) {
    int fd = newSocket();
    if (fd < 0) {
      error = errno;
      return -1;
    }
    if (connect(fd, generic(address), sizeof address) == 0) {
      return fd;
    }
    error = errno;
    close(fd);
    const bool notListeningYet = error == ENOENT || error == ECONNREFUSED;
    if (!notListeningYet || millisecondsUntil(deadline) == 0) {
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

/// Reads until the answer is complete, the peer closes or time runs out.
std::string readAnswer(int fd, Clock::time_point deadline) {
  std::string received;
  std::array<char, 16> buffer{};
  while (received.size() < answer.size()) {
    pollfd ready{fd, POLLIN, 0};
    const int count = poll(&ready, 1, millisecondsUntil(deadline));
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      break;
    }
    const ssize_t got = read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    received.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return received;
}

}  // namespace

LocalSocketChannel::LocalSocketChannel(MainLoop& mainLoop, std::string socketPath,
                                       const std::string& fallbackFolder)
    : mainLoop_(mainLoop), path_(std::move(socketPath)) {
  sockaddr_un address{};
  if (fallbackFolder.empty() || fillAddress(path_, address)) {
    return;
  }
  const std::size_t slash = path_.rfind('/');
  std::string folder = fallbackFolder;
  if (!folder.ends_with('/')) {
    folder += '/';
  }
  path_ = folder + path_.substr(slash == std::string::npos ? 0 : slash + 1);
  fellBack_ = true;
}

std::optional<std::string> LocalSocketChannel::fallbackLocation() const {
  return fellBack_ ? std::optional<std::string>(path_) : std::nullopt;
}

LocalSocketChannel::~LocalSocketChannel() {
  watch_.reset();
  // The socket file stays: by now the lock may be someone else's, and so may
  // the file at this path.
  if (listener_ >= 0) {
    close(listener_);
  }
}

std::optional<std::string> LocalSocketChannel::listen(std::function<void()> onOpenRequest) {
  sockaddr_un address;
  if (!fillAddress(path_, address)) {
    return "socket path too long: " + path_;
  }
  int fd = newSocket();
  if (fd < 0) {
    return describe("cannot create a socket", errno);
  }
  unlink(path_.c_str());
  if (bind(fd, generic(address), sizeof address) != 0 || chmod(path_.c_str(), 0600) != 0 ||
      ::listen(fd, SOMAXCONN) != 0 || fcntl(fd, F_SETFL, O_NONBLOCK) != 0) {
    const int error = errno;
    close(fd);
    return describe("cannot listen on " + path_, error);
  }
  listener_ = fd;
  onOpenRequest_ = std::move(onOpenRequest);
  watch_ = mainLoop_.watchReadable(listener_, [this] { acceptAll(); });
  return std::nullopt;
}

std::optional<std::string> LocalSocketChannel::requestOpen() {
  sockaddr_un address;
  if (!fillAddress(path_, address)) {
    return "socket path too long: " + path_;
  }
  const auto deadline = Clock::now() + std::chrono::milliseconds(answerTimeoutMs);
  int error = 0;
  const int fd = connectBefore(address, deadline, error);
  if (fd < 0) {
    return describe("cannot connect to " + path_, error);
  }
  const std::string received = readAnswer(fd, deadline);
  close(fd);
  if (received != answer) {
    return "no answer on " + path_ + " within " + std::to_string(answerTimeoutMs / 1000) + " s";
  }
  return std::nullopt;
}

void LocalSocketChannel::acceptAll() {
  bool answered = false;
  for (;;) {
    const int peer = accept(listener_, nullptr, nullptr);
    if (peer < 0) {
      if (errno == EINTR) {
        continue;
      }
      break;
    }
#ifdef SO_NOSIGPIPE
    const int on = 1;
    setsockopt(peer, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    // A peer that gave up before its answer has already reported a failure;
    // opening the popup for it would contradict that.
    const ssize_t sent = send(peer, answer.data(), answer.size(), sendFlags);
    answered = answered || sent == static_cast<ssize_t>(answer.size());
    close(peer);
  }
  if (answered && onOpenRequest_) {
    onOpenRequest_();
  }
}
