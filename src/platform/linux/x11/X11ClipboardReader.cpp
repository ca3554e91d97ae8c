// The selection protocol of the ICCCM from the requestor's side, over XCB:
// ConvertSelection, SelectionNotify, the property read in parts and the INCR
// transfer. XCB reports errors as values rather than through a process-wide
// handler, which is what lets this connection live on another thread.
#include "platform/linux/x11/X11ClipboardReader.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace {

struct FreeDeleter {
  void operator()(void* pointer) const { std::free(pointer); }  // NOLINT: XCB allocates with malloc
};
template <typename T>
using XcbPointer = std::unique_ptr<T, FreeDeleter>;

constexpr std::uint32_t maxChunkWords = 1U << 20;  // 4 MiB per GetProperty

std::uint32_t internAtom(xcb_connection_t* connection, const char* name) {
  const auto length = static_cast<std::uint16_t>(std::char_traits<char>::length(name));
  XcbPointer<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr));
  return reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
}

std::uint8_t eventType(const xcb_generic_event_t& event) {
  return event.response_type & 0x7F;
}

}  // namespace

X11ClipboardReader::X11ClipboardReader(const std::string& displayName, std::uint32_t ownIdBase,
                                       std::uint32_t ownIdMask)
    : ownIdBase_(ownIdBase), ownIdMask_(ownIdMask) {
  stopFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (handOver_.isValid() && stopFd_ >= 0 && connect(displayName)) {
    thread_ = std::thread([this] { run(); });
  }
}

X11ClipboardReader::~X11ClipboardReader() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    (void)!write(stopFd_, &one, sizeof one);
    thread_.join();
  }
  if (connection_ != nullptr) {
    xcb_disconnect(connection_);
  }
  if (stopFd_ >= 0) {
    close(stopFd_);
  }
}

bool X11ClipboardReader::connect(const std::string& displayName) {
  connection_ = xcb_connect(displayName.c_str(), nullptr);
  if (xcb_connection_has_error(connection_) != 0) {
    return false;
  }
  const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection_, &xcb_xfixes_id);
  if (xfixes == nullptr || xfixes->present == 0) {
    return false;
  }
  XcbPointer<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
      connection_,
      xcb_xfixes_query_version(connection_, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
      nullptr));
  if (!version) {
    return false;
  }
  xfixesEvent_ = static_cast<std::uint8_t>(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY);
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  clipboardAtom_ = internAtom(connection_, "CLIPBOARD");
  targetsAtom_ = internAtom(connection_, "TARGETS");
  incrAtom_ = internAtom(connection_, "INCR");
  propertyAtom_ = internAtom(connection_, "PELLIMORE_CLIP_SELECTION");

  listener_ = xcb_generate_id(connection_);
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, listener_, root_, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_xfixes_select_selection_input(connection_, listener_, clipboardAtom_,
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
  return xcb_flush(connection_) > 0;
}

void X11ClipboardReader::run() {
  const auto never = Clock::time_point::max();
  while (waitFor([](const xcb_generic_event_t&) { return false; }, never) == Wait::newOwner) {
    while (newestChange_) {
      const OwnerChange change = *newestChange_;
      newestChange_.reset();
      std::optional<ClipboardSnapshot> snapshot = read(change);
      if (snapshot && !newestChange_) {
        handOver_.hand(std::move(*snapshot));
      }
    }
  }
}

X11ClipboardReader::Wait X11ClipboardReader::waitFor(
    const std::function<bool(const xcb_generic_event_t&)>& wanted, Clock::time_point deadline) {
  for (;;) {
    while (XcbPointer<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
      if (eventType(*event) == xfixesEvent_) {
        // Owners that came and went before this one are skipped: only the
        // newest still serves its copy. What else arrived belongs to the read
        // being given up.
        do {
          if (eventType(*event) == xfixesEvent_) {
            const auto& notify =
                reinterpret_cast<const xcb_xfixes_selection_notify_event_t&>(*event);
            // A closed client or destroyed window leaves the selection with
            // no owner; the event then names none.
            newestChange_ = OwnerChange{notify.owner, notify.selection_timestamp};
          }
          event.reset(xcb_poll_for_queued_event(connection_));
        } while (event);
        return Wait::newOwner;
      }
      if (wanted(*event)) {
        return Wait::matched;
      }
    }
    if (xcb_connection_has_error(connection_) != 0) {
      return Wait::stopped;
    }
    int timeout = -1;
    if (deadline != Clock::time_point::max()) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) {
        return Wait::timedOut;
      }
      timeout = static_cast<int>(std::min<long long>(left, 60'000));
    }
    pollfd fds[] = {{xcb_get_file_descriptor(connection_), POLLIN, 0}, {stopFd_, POLLIN, 0}};
    if (poll(fds, 2, timeout) < 0 && errno != EINTR) {
      return Wait::stopped;
    }
    if ((fds[1].revents & POLLIN) != 0) {
      return Wait::stopped;
    }
  }
}

std::optional<ClipboardSnapshot> X11ClipboardReader::read(const OwnerChange& change) {
  ClipboardSnapshot snapshot;
  snapshot.owner = change.owner;
  if (change.owner == XCB_NONE) {
    return snapshot;
  }
  if ((change.owner & ~ownIdMask_) == ownIdBase_) {
    return std::nullopt;
  }
  // A window of its own for each owner: whatever an owner given up on still
  // sends goes to a window that is gone, never into the next owner's read.
  requestor_ = xcb_generate_id(connection_);
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, requestor_, root_, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  struct DestroyWindow {
    xcb_connection_t* connection;
    std::uint32_t window;
    ~DestroyWindow() {
      xcb_destroy_window(connection, window);
      xcb_flush(connection);
    }
  } destroy{connection_, requestor_};

  Answer targets = convert(targetsAtom_, change.time);
  if (targets.givenUp) {
    return std::nullopt;
  }
  // An owner that does not list its targets offers nothing we can read.
  if (!targets.body) {
    return snapshot;
  }
  const std::size_t count =
      std::min(static_cast<std::size_t>(targets.body->size()) / sizeof(std::uint32_t), maxTargets);
  std::vector<std::uint32_t> atoms(count);
  std::memcpy(atoms.data(), targets.body->data(), count * sizeof(std::uint32_t));
  // Every name asked at once: the server answers these, not the owner.
  std::vector<xcb_get_atom_name_cookie_t> cookies;
  cookies.reserve(count);
  for (std::uint32_t atom : atoms) {
    cookies.push_back(xcb_get_atom_name(connection_, atom));
  }
  std::vector<std::pair<std::string, std::uint32_t>> named;
  for (std::size_t i = 0; i < count; ++i) {
    XcbPointer<xcb_get_atom_name_reply_t> name(
        xcb_get_atom_name_reply(connection_, cookies[i], nullptr));
    if (name) {
      std::string text(xcb_get_atom_name_name(name.get()),
                       static_cast<std::size_t>(xcb_get_atom_name_name_length(name.get())));
      snapshot.targets.push_back(text);
      named.emplace_back(std::move(text), atoms[i]);
    }
  }

  while (std::optional<std::string> target = snapshot.nextTargetToRead()) {
    const auto atom = std::find_if(named.begin(), named.end(),
                                   [&](const auto& entry) { return entry.first == *target; });
    Answer answer = convert(atom->second, change.time);
    if (answer.givenUp) {
      return std::nullopt;
    }
    snapshot.bodies[*target] = std::move(answer.body);
  }
  return snapshot;
}

X11ClipboardReader::Answer X11ClipboardReader::convert(std::uint32_t target, std::uint32_t time) {
  xcb_delete_property(connection_, requestor_, propertyAtom_);
  xcb_convert_selection(connection_, requestor_, clipboardAtom_, target, propertyAtom_, time);
  xcb_flush(connection_);
  std::uint32_t property = XCB_NONE;
  const Wait wait = waitFor(
      [&](const xcb_generic_event_t& event) {
        if (eventType(event) != XCB_SELECTION_NOTIFY) {
          return false;
        }
        const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
        if (notify.requestor != requestor_ || notify.target != target) {
          return false;
        }
        property = notify.property;
        return true;
      },
      Clock::now() + answerTimeout);
  if (wait == Wait::newOwner || wait == Wait::stopped) {
    return {true, std::nullopt};
  }
  if (wait == Wait::timedOut || property == XCB_NONE) {
    return {};
  }
  std::uint32_t type = XCB_NONE;
  std::optional<QByteArray> body = takeProperty(type);
  if (body && type == incrAtom_) {
    return readIncrementally();
  }
  return {false, std::move(body)};
}

X11ClipboardReader::Answer X11ClipboardReader::readIncrementally() {
  // Deleting the INCR property (done by the read) asks for the first part;
  // each part arrives as a new value of the property, and an empty one ends
  // the transfer.
  const auto end = Clock::now() + transferTimeout;
  QByteArray body;
  for (;;) {
    const Wait wait = waitFor(
        [&](const xcb_generic_event_t& event) {
          if (eventType(event) != XCB_PROPERTY_NOTIFY) {
            return false;
          }
          const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
          return notify.window == requestor_ && notify.atom == propertyAtom_ &&
                 notify.state == XCB_PROPERTY_NEW_VALUE;
        },
        std::min(end, Clock::now() + answerTimeout));
    if (wait == Wait::newOwner || wait == Wait::stopped) {
      return {true, std::nullopt};
    }
    if (wait == Wait::timedOut) {
      return {};
    }
    std::uint32_t type = XCB_NONE;
    std::optional<QByteArray> part = takeProperty(type);
    if (!part) {
      return {};
    }
    if (part->isEmpty()) {
      return {false, std::move(body)};
    }
    body.append(part->left(maxBodyBytes - std::min<qsizetype>(body.size(), maxBodyBytes)));
    if (body.size() >= maxBodyBytes) {
      // Enough to know it is too large; the owner's window is left waiting.
      return {false, std::move(body)};
    }
  }
}

std::optional<QByteArray> X11ClipboardReader::takeProperty(std::uint32_t& type) {
  QByteArray value;
  for (std::uint32_t offset = 0;;) {
    XcbPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection_,
                               xcb_get_property(connection_, 0, requestor_, propertyAtom_,
                                                XCB_GET_PROPERTY_TYPE_ANY, offset, maxChunkWords),
                               nullptr));
    if (!reply || reply->type == XCB_NONE) {
      return std::nullopt;
    }
    type = reply->type;
    const qsizetype length = xcb_get_property_value_length(reply.get());
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    value.append(data, std::min(length, maxBodyBytes - std::min(value.size(), maxBodyBytes)));
    if (reply->bytes_after == 0 || value.size() >= maxBodyBytes || length == 0) {
      break;
    }
    offset += static_cast<std::uint32_t>(length / 4);
  }
  xcb_delete_property(connection_, requestor_, propertyAtom_);
  xcb_flush(connection_);
  return value;
}
