// The Wayland clipboard seen through a data-control protocol, which lets a
// clipboard manager watch and set a seat's selection without the keyboard
// focus. A thread of its own, on a connection of its own, reads every new
// selection in full and hands the snapshot to the main thread, as the X11
// reader does; it also serves what the main thread last published. An owner
// that never writes its pipe costs this thread a deadline, never the main
// thread a freeze.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/clipboard/ClipboardSnapshot.h"
#include "platform/linux/clipboard/SnapshotHandOver.h"
#include "platform/linux/qt/QtPasteboard.h"

struct wl_display;
struct wl_proxy;
struct wl_interface;

class WaylandClipboard {
 public:
  /// The two protocols carry the same requests and events under different
  /// names.
  enum class Protocol { extDataControl, wlrDataControl };

  /// How long an owner has to send the next part of one body, or a reader
  /// of ours to take the next part.
  static constexpr std::chrono::milliseconds answerTimeout{1000};
  /// The longest one body's transfer may take, however steady.
  static constexpr std::chrono::milliseconds transferTimeout{10000};
  /// Longer bodies are cut here: one byte over the largest image capture
  /// takes, so that the cut one is still dropped as too large.
  static constexpr qsizetype maxBodyBytes = 50'000'001;
  /// Types beyond these are not looked at.
  static constexpr std::size_t maxTypes = 1024;
  /// Offered with everything we publish, which tells our own selection from
  /// another client's when the compositor announces it back to us.
  static constexpr const char* ownType = "application/x-pellimore-clip-source";

  /// Connects to the compositor named by WAYLAND_DISPLAY and binds
  /// `protocol`'s manager for the first seat.
  explicit WaylandClipboard(Protocol protocol);
  /// Stops the thread and waits for it.
  ~WaylandClipboard();
  WaylandClipboard(const WaylandClipboard&) = delete;
  WaylandClipboard& operator=(const WaylandClipboard&) = delete;

  /// False when the compositor, its seat or the protocol could not be had.
  bool isRunning() const { return thread_.joinable(); }
  /// Readable while snapshots wait to be taken.
  int readyDescriptor() const { return handOver_.readyDescriptor(); }
  /// The waiting snapshots, oldest first.
  std::vector<ClipboardSnapshot> takeSnapshots() { return handOver_.take(); }
  /// Who owns the selection as the compositor last said; answers at once.
  QtPasteboard::SelectionOwner selectionOwner() const { return owner_.load(); }
  /// Makes `contents` (its targets and bodies) the seat's selection, served
  /// from the thread until another client takes the selection.
  void publish(const ClipboardSnapshot& contents);
  /// Makes `text` the seat's primary selection, where the compositor's
  /// protocol has one (wlroots' from version 2); otherwise does nothing.
  void publishPrimary(const std::string& text);

  /// The types a published body is offered under: plain text also under the
  /// names other toolkits ask for.
  static std::vector<std::string> offeredTypes(const std::string& format);

 private:
  struct Offer {
    std::vector<std::string> types;
  };
  /// One body's read: the body, a failure, or the read given up because a
  /// newer selection came or the reader is stopping.
  struct Answer {
    bool givenUp = false;
    std::optional<QByteArray> body;
  };
  using Clock = std::chrono::steady_clock;

  bool connect(Protocol protocol);
  void run();
  /// Handles what the compositor sent and what the main thread published,
  /// waiting up to `timeoutMs` (-1: for ever) for either, the stop request
  /// or `otherFd` to become readable, which `otherReady` then tells. False
  /// once the connection has failed or the reader is stopping.
  bool pump(int timeoutMs, int otherFd = -1, bool* otherReady = nullptr);
  /// Marks the reader as stopping; false, for `pump` to return.
  bool stop();
  /// Everything `offer` holds that capture may need; nothing when it is our
  /// own. `sequence` tells this selection from the ones before it.
  std::optional<ClipboardSnapshot> read(wl_proxy* offer, std::uint32_t sequence);
  Answer receive(wl_proxy* offer, const std::string& type);
  enum class Selection { clipboard, primary };
  void setSelection(const std::map<std::string, QByteArray>& bodies, Selection selection);
  void serve(const std::map<std::string, QByteArray>& bodies, const std::string& type, int fd);

  // Called from the listeners, on the reader thread.
  friend struct WaylandClipboardListeners;
  void onDataOffer(wl_proxy* offer);
  void onOffer(wl_proxy* offer, const char* type);
  void onSelection(wl_proxy* offer);
  void onPrimarySelection(wl_proxy* offer);
  void onSend(wl_proxy* source, const char* type, int fd);
  void onCancelled(wl_proxy* source);

  wl_display* display_ = nullptr;
  wl_proxy* registry_ = nullptr;
  wl_proxy* seat_ = nullptr;
  wl_proxy* manager_ = nullptr;
  wl_proxy* device_ = nullptr;
  const wl_interface* managerInterface_ = nullptr;
  const wl_interface* sourceInterface_ = nullptr;
  std::uint32_t managerName_ = 0;
  std::uint32_t managerVersion_ = 0;
  bool hasPrimary_ = false;
  std::uint32_t seatName_ = 0;

  // Reader thread only.
  std::map<wl_proxy*, Offer> offers_;
  wl_proxy* selection_ = nullptr;
  bool selectionChanged_ = false;
  // The device was taken away: the seat is gone.
  bool finished_ = false;
  bool stopped_ = false;
  std::uint32_t sequence_ = 0;
  // The sources of the selection and of the primary selection we set, and
  // what each of our live sources serves.
  wl_proxy* source_ = nullptr;
  wl_proxy* primarySource_ = nullptr;
  std::map<wl_proxy*, std::map<std::string, QByteArray>> served_;

  std::atomic<QtPasteboard::SelectionOwner> owner_{QtPasteboard::SelectionOwner::none};
  SnapshotHandOver handOver_;
  int stopFd_ = -1;
  int publishFd_ = -1;
  std::mutex mutex_;
  std::optional<std::map<std::string, QByteArray>> toPublish_;         // guarded by mutex_
  std::optional<std::map<std::string, QByteArray>> toPublishPrimary_;  // guarded by mutex_
  std::thread thread_;
};
