// The data-control protocols from the client's side, over libwayland-client.
// The two protocols differ only in their interfaces' names, so requests go
// out through the generic marshalling call with the opcodes both share, and
// one set of listeners serves the proxies of either.
#include "platform/linux/wayland/WaylandClipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

// The opcodes used below, which the two protocols must share.
static_assert(EXT_DATA_CONTROL_MANAGER_V1_CREATE_DATA_SOURCE ==
              ZWLR_DATA_CONTROL_MANAGER_V1_CREATE_DATA_SOURCE);
static_assert(EXT_DATA_CONTROL_MANAGER_V1_GET_DATA_DEVICE ==
              ZWLR_DATA_CONTROL_MANAGER_V1_GET_DATA_DEVICE);
static_assert(EXT_DATA_CONTROL_DEVICE_V1_SET_SELECTION ==
              ZWLR_DATA_CONTROL_DEVICE_V1_SET_SELECTION);
static_assert(EXT_DATA_CONTROL_DEVICE_V1_SET_PRIMARY_SELECTION ==
              ZWLR_DATA_CONTROL_DEVICE_V1_SET_PRIMARY_SELECTION);
static_assert(EXT_DATA_CONTROL_SOURCE_V1_OFFER == ZWLR_DATA_CONTROL_SOURCE_V1_OFFER);
static_assert(EXT_DATA_CONTROL_SOURCE_V1_DESTROY == ZWLR_DATA_CONTROL_SOURCE_V1_DESTROY);
static_assert(EXT_DATA_CONTROL_OFFER_V1_RECEIVE == ZWLR_DATA_CONTROL_OFFER_V1_RECEIVE);
static_assert(EXT_DATA_CONTROL_OFFER_V1_DESTROY == ZWLR_DATA_CONTROL_OFFER_V1_DESTROY);

namespace {

// wlroots' protocol gained the primary selection with version 2; the
// standard one has it from the start.
constexpr std::uint32_t wlrPrimaryVersion = 2;
constexpr std::size_t chunkBytes = std::size_t{64} * 1024;

wl_proxy* marshal(wl_proxy* proxy, std::uint32_t opcode, const wl_interface* created) {
  return wl_proxy_marshal_flags(proxy, opcode, created, wl_proxy_get_version(proxy), 0, nullptr);
}

void destroyProxy(wl_proxy* proxy, std::uint32_t opcode) {
  wl_proxy_marshal_flags(proxy, opcode, nullptr, wl_proxy_get_version(proxy),
                         WL_MARSHAL_FLAG_DESTROY);
}

/// Waits for `fd` to become ready for `events`, the stop request or the
/// deadline; true when `fd` is ready.
bool waitReady(int fd, short events, int stopFd, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      return false;
    }
    pollfd fds[] = {{fd, events, 0}, {stopFd, POLLIN, 0}};
    const int ready = poll(fds, 2, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready <= 0 || (fds[1].revents & POLLIN) != 0) {
      return false;
    }
    return fds[0].revents != 0;
  }
}

}  // namespace

// The listeners' layouts follow the events' order in the protocol
// descriptions; libwayland-client calls them by position.
struct WaylandClipboardListeners {
  struct Registry {
    void (*global)(void*, wl_registry*, std::uint32_t, const char*, std::uint32_t);
    void (*globalRemove)(void*, wl_registry*, std::uint32_t);
  };
  struct Device {
    void (*dataOffer)(void*, wl_proxy*, wl_proxy*);
    void (*selection)(void*, wl_proxy*, wl_proxy*);
    void (*finished)(void*, wl_proxy*);
    void (*primarySelection)(void*, wl_proxy*, wl_proxy*);
  };
  struct Offer {
    void (*offer)(void*, wl_proxy*, const char*);
  };
  struct Source {
    void (*send)(void*, wl_proxy*, const char*, std::int32_t);
    void (*cancelled)(void*, wl_proxy*);
  };

  static WaylandClipboard& self(void* data) { return *static_cast<WaylandClipboard*>(data); }

  static constexpr Registry registry = {
      [](void* data, wl_registry*, std::uint32_t name, const char* interface,
         std::uint32_t version) {
        WaylandClipboard& clipboard = self(data);
        if (std::strcmp(interface, wl_seat_interface.name) == 0 && clipboard.seatName_ == 0) {
          clipboard.seatName_ = name;
        } else if (std::strcmp(interface, clipboard.managerInterface_->name) == 0) {
          clipboard.managerName_ = name;
          clipboard.managerVersion_ = version;
        }
      },
      [](void*, wl_registry*, std::uint32_t) {}};
  static constexpr Device device = {
      [](void* data, wl_proxy*, wl_proxy* offer) { self(data).onDataOffer(offer); },
      [](void* data, wl_proxy*, wl_proxy* offer) { self(data).onSelection(offer); },
      [](void* data, wl_proxy*) { self(data).finished_ = true; },
      [](void* data, wl_proxy*, wl_proxy* offer) { self(data).onPrimarySelection(offer); }};
  static constexpr Offer offer = {
      [](void* data, wl_proxy* offer, const char* type) { self(data).onOffer(offer, type); }};
  static constexpr Source source = {
      [](void* data, wl_proxy* source, const char* type, std::int32_t fd) {
        self(data).onSend(source, type, fd);
      },
      [](void* data, wl_proxy* source) { self(data).onCancelled(source); }};

  template <typename Listener>
  static void add(wl_proxy* proxy, const Listener& listener, WaylandClipboard* clipboard) {
    // NOLINTNEXTLINE: libwayland-client takes every listener as an array of functions
    wl_proxy_add_listener(
        proxy, reinterpret_cast<void (**)(void)>(const_cast<Listener*>(&listener)), clipboard);
  }
};

WaylandClipboard::WaylandClipboard(Protocol protocol) {
  stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  publishFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (handOver_.isValid() && stopFd_ >= 0 && publishFd_ >= 0 && connect(protocol)) {
    thread_ = std::thread([this] { run(); });
  }
}

WaylandClipboard::~WaylandClipboard() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    (void)!write(stopFd_, &one, sizeof one);
    thread_.join();
  }
  if (display_ != nullptr) {
    // The connection does not free its proxies when it closes.
    for (const auto& offer : offers_) {
      destroyProxy(offer.first, EXT_DATA_CONTROL_OFFER_V1_DESTROY);
    }
    for (const auto& source : served_) {
      destroyProxy(source.first, EXT_DATA_CONTROL_SOURCE_V1_DESTROY);
    }
    if (device_ != nullptr) {
      destroyProxy(device_, EXT_DATA_CONTROL_DEVICE_V1_DESTROY);
    }
    if (manager_ != nullptr) {
      destroyProxy(manager_, EXT_DATA_CONTROL_MANAGER_V1_DESTROY);
    }
    for (wl_proxy* proxy : {seat_, registry_}) {
      if (proxy != nullptr) {
        wl_proxy_destroy(proxy);
      }
    }
    wl_display_flush(display_);
    wl_display_disconnect(display_);
  }
  for (int fd : {stopFd_, publishFd_}) {
    if (fd >= 0) {
      close(fd);
    }
  }
}

bool WaylandClipboard::connect(Protocol protocol) {
  const bool ext = protocol == Protocol::extDataControl;
  managerInterface_ =
      ext ? &ext_data_control_manager_v1_interface : &zwlr_data_control_manager_v1_interface;
  const wl_interface* deviceInterface =
      ext ? &ext_data_control_device_v1_interface : &zwlr_data_control_device_v1_interface;
  sourceInterface_ =
      ext ? &ext_data_control_source_v1_interface : &zwlr_data_control_source_v1_interface;

  display_ = wl_display_connect(nullptr);
  if (display_ == nullptr) {
    return false;
  }
  auto* registry = wl_display_get_registry(display_);
  registry_ = reinterpret_cast<wl_proxy*>(registry);
  WaylandClipboardListeners::add(registry_, WaylandClipboardListeners::registry, this);
  if (wl_display_roundtrip(display_) < 0 || seatName_ == 0 || managerName_ == 0) {
    return false;
  }
  seat_ = static_cast<wl_proxy*>(wl_registry_bind(registry, seatName_, &wl_seat_interface, 1));
  const std::uint32_t version = ext ? 1 : std::min(managerVersion_, wlrPrimaryVersion);
  hasPrimary_ = ext || version >= wlrPrimaryVersion;
  manager_ =
      static_cast<wl_proxy*>(wl_registry_bind(registry, managerName_, managerInterface_, version));
  device_ =
      wl_proxy_marshal_flags(manager_, EXT_DATA_CONTROL_MANAGER_V1_GET_DATA_DEVICE, deviceInterface,
                             wl_proxy_get_version(manager_), 0, nullptr, seat_);
  WaylandClipboardListeners::add(device_, WaylandClipboardListeners::device, this);
  // The selection announced on binding was there before us: it is known,
  // not captured, as on X11 where only changes are reported.
  if (wl_display_roundtrip(display_) < 0 || finished_) {
    return false;
  }
  selectionChanged_ = false;
  return true;
}

void WaylandClipboard::run() {
  // A reader that closed its pipe early must cost a failed write, not the
  // process: SIGPIPE is held back on this thread and taken after each serve.
  sigset_t pipeSignal;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

  while (pump(-1)) {
    while (selectionChanged_) {
      selectionChanged_ = false;
      std::optional<ClipboardSnapshot> snapshot = read(selection_, sequence_);
      if (stopped_) {
        return;
      }
      // A newer selection that came meanwhile makes this one stale.
      if (snapshot && !selectionChanged_) {
        handOver_.hand(std::move(*snapshot));
      }
    }
  }
}

bool WaylandClipboard::pump(int timeoutMs, int otherFd, bool* otherReady) {
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) {
      return stop();
    }
  }
  if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
    wl_display_cancel_read(display_);
    return stop();
  }
  pollfd fds[] = {{wl_display_get_fd(display_), POLLIN, 0},
                  {stopFd_, POLLIN, 0},
                  {publishFd_, POLLIN, 0},
                  {otherFd, POLLIN, 0}};
  if (poll(fds, otherFd >= 0 ? 4 : 3, timeoutMs) < 0 && errno != EINTR) {
    wl_display_cancel_read(display_);
    return stop();
  }
  if (fds[0].revents != 0) {
    if (wl_display_read_events(display_) < 0) {
      return stop();
    }
  } else {
    wl_display_cancel_read(display_);
  }
  if (wl_display_dispatch_pending(display_) < 0 || finished_ || (fds[1].revents & POLLIN) != 0) {
    return stop();
  }
  if ((fds[2].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    (void)!::read(publishFd_, &count, sizeof count);
    std::optional<std::map<std::string, QByteArray>> bodies;
    std::optional<std::map<std::string, QByteArray>> primaryBodies;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      bodies.swap(toPublish_);
      primaryBodies.swap(toPublishPrimary_);
    }
    if (bodies) {
      setSelection(*bodies, Selection::clipboard);
    }
    if (primaryBodies && hasPrimary_) {
      setSelection(*primaryBodies, Selection::primary);
    }
  }
  if (otherReady != nullptr) {
    *otherReady = otherFd >= 0 && fds[3].revents != 0;
  }
  if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
    return stop();
  }
  return true;
}

bool WaylandClipboard::stop() {
  stopped_ = true;
  return false;
}

std::optional<ClipboardSnapshot> WaylandClipboard::read(wl_proxy* offer, std::uint32_t sequence) {
  ClipboardSnapshot snapshot;
  if (offer == nullptr) {
    return snapshot;
  }
  const std::vector<std::string>& types = offers_[offer].types;
  if (std::find(types.begin(), types.end(), ownType) != types.end()) {
    return std::nullopt;
  }
  snapshot.owner = sequence;
  snapshot.targets = types;
  while (std::optional<std::string> target = snapshot.nextTargetToRead()) {
    Answer answer = receive(offer, *target);
    if (answer.givenUp) {
      return std::nullopt;
    }
    snapshot.bodies[*target] = std::move(answer.body);
  }
  return snapshot;
}

WaylandClipboard::Answer WaylandClipboard::receive(wl_proxy* offer, const std::string& type) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    return {};
  }
  wl_proxy_marshal_flags(offer, EXT_DATA_CONTROL_OFFER_V1_RECEIVE, nullptr,
                         wl_proxy_get_version(offer), 0, type.c_str(), fds[1]);
  close(fds[1]);
  struct ClosePipe {
    int fd;
    ~ClosePipe() { close(fd); }
  } closePipe{fds[0]};
  // The compositor is listened to while the owner writes: a newer selection
  // makes this read pointless, and our own copies must still be served.
  const auto end = Clock::now() + transferTimeout;
  QByteArray body;
  char chunk[chunkBytes];
  for (;;) {
    const auto deadline = std::min(end, Clock::now() + answerTimeout);
    bool readable = false;
    while (!readable) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) {
        return {};
      }
      if (!pump(static_cast<int>(left), fds[0], &readable) || selectionChanged_) {
        return {true, std::nullopt};
      }
    }
    const ssize_t count = ::read(fds[0], chunk, sizeof chunk);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
      continue;
    }
    if (count < 0) {
      return {};
    }
    if (count == 0) {
      return {false, std::move(body)};
    }
    body.append(chunk, std::min<qsizetype>(count, maxBodyBytes - body.size()));
    if (body.size() >= maxBodyBytes) {
      // Enough to know it is too large.
      return {false, std::move(body)};
    }
  }
}

void WaylandClipboard::setSelection(const std::map<std::string, QByteArray>& bodies,
                                    Selection selection) {
  // A source serves one selection; the one it replaces is let go.
  wl_proxy*& current = selection == Selection::clipboard ? source_ : primarySource_;
  if (current != nullptr) {
    served_.erase(current);
    destroyProxy(current, EXT_DATA_CONTROL_SOURCE_V1_DESTROY);
  }
  current = marshal(manager_, EXT_DATA_CONTROL_MANAGER_V1_CREATE_DATA_SOURCE, sourceInterface_);
  WaylandClipboardListeners::add(current, WaylandClipboardListeners::source, this);
  served_[current] = bodies;
  for (const auto& [type, body] : bodies) {
    wl_proxy_marshal_flags(current, EXT_DATA_CONTROL_SOURCE_V1_OFFER, nullptr,
                           wl_proxy_get_version(current), 0, type.c_str());
  }
  wl_proxy_marshal_flags(current, EXT_DATA_CONTROL_SOURCE_V1_OFFER, nullptr,
                         wl_proxy_get_version(current), 0, ownType);
  wl_proxy_marshal_flags(device_,
                         selection == Selection::clipboard
                             ? EXT_DATA_CONTROL_DEVICE_V1_SET_SELECTION
                             : EXT_DATA_CONTROL_DEVICE_V1_SET_PRIMARY_SELECTION,
                         nullptr, wl_proxy_get_version(device_), 0, current);
}

void WaylandClipboard::serve(const std::map<std::string, QByteArray>& bodies,
                             const std::string& type, int fd) {
  auto found = bodies.find(type);
  if (found != bodies.end() && fcntl(fd, F_SETFL, O_NONBLOCK) == 0) {
    const QByteArray& body = found->second;
    const auto end = Clock::now() + transferTimeout;
    qsizetype written = 0;
    while (written < body.size() &&
           waitReady(fd, POLLOUT, stopFd_, std::min(end, Clock::now() + answerTimeout))) {
      const ssize_t count = ::write(fd, body.constData() + written,
                                    std::min<std::size_t>(body.size() - written, chunkBytes));
      if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
        continue;
      }
      if (count < 0) {
        break;
      }
      written += count;
    }
  }
  close(fd);
  // Takes the SIGPIPE a closed pipe raised, if any, while it is held back.
  sigset_t pipeSignal;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  const timespec now = {0, 0};
  while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
  }
}

void WaylandClipboard::onDataOffer(wl_proxy* offer) {
  offers_[offer] = Offer{};
  WaylandClipboardListeners::add(offer, WaylandClipboardListeners::offer, this);
}

void WaylandClipboard::onOffer(wl_proxy* offer, const char* type) {
  std::vector<std::string>& types = offers_[offer].types;
  if (types.size() < maxTypes) {
    types.emplace_back(type);
  }
}

void WaylandClipboard::onSelection(wl_proxy* offer) {
  if (selection_ != nullptr && selection_ != offer) {
    offers_.erase(selection_);
    destroyProxy(selection_, EXT_DATA_CONTROL_OFFER_V1_DESTROY);
  }
  selection_ = offer;
  selectionChanged_ = true;
  ++sequence_;
  if (offer == nullptr) {
    owner_ = QtPasteboard::SelectionOwner::none;
    return;
  }
  const std::vector<std::string>& types = offers_[offer].types;
  owner_ = std::find(types.begin(), types.end(), ownType) != types.end()
               ? QtPasteboard::SelectionOwner::thisProcess
               : QtPasteboard::SelectionOwner::another;
}

void WaylandClipboard::onPrimarySelection(wl_proxy* offer) {
  // Only the clipboard is watched; the primary selection's offers are let go.
  if (offer != nullptr && offer != selection_) {
    offers_.erase(offer);
    destroyProxy(offer, EXT_DATA_CONTROL_OFFER_V1_DESTROY);
  }
}

void WaylandClipboard::onSend(wl_proxy* source, const char* type, int fd) {
  auto bodies = served_.find(source);
  if (bodies == served_.end()) {
    close(fd);
    return;
  }
  serve(bodies->second, type, fd);
}

void WaylandClipboard::onCancelled(wl_proxy* source) {
  for (wl_proxy** current : {&source_, &primarySource_}) {
    if (*current == source) {
      *current = nullptr;
    }
  }
  served_.erase(source);
  destroyProxy(source, EXT_DATA_CONTROL_SOURCE_V1_DESTROY);
}

void WaylandClipboard::publish(const ClipboardSnapshot& contents) {
  std::map<std::string, QByteArray> bodies;
  for (const std::string& target : contents.targets) {
    auto body = contents.bodies.find(target);
    if (body == contents.bodies.end() || !body->second) {
      continue;
    }
    for (const std::string& type : offeredTypes(target)) {
      bodies[type] = *body->second;
    }
  }
  // Ours from now on: a snapshot taken before this must not replace it.
  owner_ = QtPasteboard::SelectionOwner::thisProcess;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    toPublish_ = std::move(bodies);
  }
  const std::uint64_t one = 1;
  (void)!write(publishFd_, &one, sizeof one);
}

void WaylandClipboard::publishPrimary(const std::string& text) {
  std::map<std::string, QByteArray> bodies;
  for (const std::string& type : offeredTypes("text/plain")) {
    bodies[type] = QByteArray::fromStdString(text);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    toPublishPrimary_ = std::move(bodies);
  }
  const std::uint64_t one = 1;
  (void)!write(publishFd_, &one, sizeof one);
}

std::vector<std::string> WaylandClipboard::offeredTypes(const std::string& format) {
  if (format == "text/plain") {
    return {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT"};
  }
  return {format};
}
