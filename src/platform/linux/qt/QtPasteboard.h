// The X11 CLIPBOARD selection, or the Wayland clipboard when its snapshots
// and writes are handed in from outside. Another client's copy is read in full by an
// X11ClipboardReader off the main thread and handed over as a snapshot, which
// every read here answers from without waiting; each snapshot taken moves
// the change count, as does every clearContents of ours. Our own writes go
// out through QClipboard and never move the count again, so the count that
// write-back returns is the one the monitor sees.
#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

#include "platform/MainLoop.h"
#include "platform/Pasteboard.h"
#include "platform/linux/clipboard/ClipboardSnapshot.h"

class QClipboard;
class QMimeData;
class X11ClipboardReader;

class QtPasteboard : public Pasteboard {
 public:
  enum class SelectionOwner { none, thisProcess, another };

  /// Reads through an X11ClipboardReader when Qt runs on X11; elsewhere (the
  /// offscreen platform) only snapshots handed over by `handOver` arrive.
  /// `clipboard` and `mainLoop` must outlive this object.
  QtPasteboard(QClipboard& clipboard, MainLoop& mainLoop);
  /// As above, with `selectionOwner` answering who owns the selection now in
  /// place of the X server, and `publish`, when given, taking what we write in
  /// place of the clipboard (the Wayland backend, whose selection Qt cannot
  /// set without the focus), and `publishPrimary` the primary selection's
  /// text.
  QtPasteboard(QClipboard& clipboard, MainLoop& mainLoop,
               std::function<SelectionOwner()> selectionOwner,
               std::function<void(const ClipboardSnapshot&)> publish = {},
               std::function<void(const std::string&)> publishPrimary = {});
  ~QtPasteboard() override;
  QtPasteboard(const QtPasteboard&) = delete;
  QtPasteboard& operator=(const QtPasteboard&) = delete;

  /// X11 lets every client read the selections.
  AccessBehavior accessBehavior() const override { return AccessBehavior::defaultBehavior; }
  std::int64_t changeCount() const override { return changeCount_; }
  /// Called for each snapshot taken, that is for another client's changes.
  void setOnChange(const std::function<void()>& onChange) override { onChange_ = onChange; }
  /// The owner went away, and the selection has no owner still.
  bool isAbandoned() const override;
  std::vector<std::string> types() const override { return current_.types(); }
  std::optional<std::vector<std::string>> fileURLPaths() const override {
    return current_.fileURLPaths();
  }
  std::optional<Bytes> data(PasteboardDataType type) const override { return current_.data(type); }
  std::optional<std::string> string() const override { return current_.string(); }

  void clearContents() override;
  void setData(const Bytes& data, PasteboardDataType type) override;
  void setString(const std::string& text) override;
  void writeFileURLs(const std::vector<std::string>& paths) override;
  /// Through `publishPrimary` when given, else on X11 through Qt.
  void setPrimaryString(const std::string& text) override;

  /// Queues other owners' snapshots, oldest first, and takes them one per
  /// turn of the main loop, so that the monitor sees each before the next.
  /// A snapshot read before our latest write took the selection is older
  /// than that write and is passed over.
  void handOver(std::vector<ClipboardSnapshot> snapshots);

 private:
  void takeNext();
  /// Hands the forms written since the last clear to the clipboard as one
  /// fresh QMimeData, which Qt serves for as long as we own the selection.
  void publish();

  QClipboard& clipboard_;
  MainLoop& mainLoop_;
  std::function<SelectionOwner()> selectionOwner_;
  std::function<void(const ClipboardSnapshot&)> publish_;
  std::function<void(const std::string&)> publishPrimary_;
  std::int64_t changeCount_ = 0;
  std::function<void()> onChange_;
  ClipboardSnapshot current_;
  // Whether `current_` holds what we wrote rather than another owner's copy.
  bool currentIsOurs_ = false;
  std::unique_ptr<QMimeData> pending_;
  std::deque<ClipboardSnapshot> queued_;
  bool takeScheduled_ = false;
  std::unique_ptr<X11ClipboardReader> reader_;
  std::unique_ptr<MainLoop::Watch> readerWatch_;
};
