// QClipboard in Clipboard mode (the X11 CLIPBOARD selection, not PRIMARY)
// for writing; the reader thread's snapshots for reading.
#include "platform/linux/qt/QtPasteboard.h"

#include <xcb/xcb.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <cstdlib>
#include <memory>

// After Qt: Xlib's macros break Qt's headers.
#include <X11/Xlib.h>

#include "platform/linux/x11/X11ClipboardReader.h"

namespace {

QByteArray byteArrayOf(const Bytes& data) {
  return QByteArray(reinterpret_cast<const char*>(data.data()),
                    static_cast<qsizetype>(data.size()));
}

/// The window ids of Qt's own connection lie in one range, which tells our
/// selection from another client's.
bool createdBy(const xcb_setup_t& setup, xcb_window_t window) {
  return (window & ~setup.resource_id_mask) == setup.resource_id_base;
}

}  // namespace

QtPasteboard::QtPasteboard(QClipboard& clipboard, MainLoop& mainLoop)
    : QtPasteboard(clipboard, mainLoop, {}) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) {
    return;
  }
  xcb_connection_t* connection = x11->connection();
  const xcb_setup_t* setup = xcb_get_setup(connection);
  // The display Qt chose, which a -display argument may have set.
  reader_ = std::make_unique<X11ClipboardReader>(DisplayString(x11->display()),
                                                 setup->resource_id_base, setup->resource_id_mask);
  if (!reader_->isRunning()) {
    reader_.reset();
    return;
  }
  readerWatch_ = mainLoop_.watchReadable(reader_->readyDescriptor(),
                                         [this] { handOver(reader_->takeSnapshots()); });
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 9, "CLIPBOARD"), nullptr);
  const xcb_atom_t clipboardAtom =
      atom != nullptr ? atom->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(atom);  // NOLINT: XCB allocates with malloc
  // A round trip to the server only, which answers at once whatever the
  // owner is doing.
  selectionOwner_ = [connection, setup, clipboardAtom] {
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, clipboardAtom), nullptr);
    const xcb_window_t owner =
        reply != nullptr ? reply->owner : static_cast<xcb_window_t>(XCB_NONE);
    std::free(reply);  // NOLINT: XCB allocates with malloc
    if (owner == XCB_NONE) {
      return SelectionOwner::none;
    }
    return createdBy(*setup, owner) ? SelectionOwner::thisProcess : SelectionOwner::another;
  };
}

QtPasteboard::QtPasteboard(QClipboard& clipboard, MainLoop& mainLoop,
                           std::function<SelectionOwner()> selectionOwner,
                           std::function<void(const ClipboardSnapshot&)> publish,
                           std::function<void(const std::string&)> publishPrimary)
    : clipboard_(clipboard),
      mainLoop_(mainLoop),
      selectionOwner_(std::move(selectionOwner)),
      publish_(std::move(publish)),
      publishPrimary_(std::move(publishPrimary)) {}

QtPasteboard::~QtPasteboard() = default;

bool QtPasteboard::isAbandoned() const {
  // Asked of the server too: a newer owner may have come since the snapshot.
  return !currentIsOurs_ && current_.owner == XCB_NONE && selectionOwner_ &&
         selectionOwner_() == SelectionOwner::none;
}

void QtPasteboard::handOver(std::vector<ClipboardSnapshot> snapshots) {
  for (ClipboardSnapshot& snapshot : snapshots) {
    queued_.push_back(std::move(snapshot));
  }
  while (queued_.size() > SnapshotHandOver::maxWaiting) {
    queued_.pop_front();
  }
  if (!takeScheduled_) {
    takeNext();
  }
}

void QtPasteboard::takeNext() {
  takeScheduled_ = false;
  while (!queued_.empty()) {
    ClipboardSnapshot next = std::move(queued_.front());
    queued_.pop_front();
    if (currentIsOurs_ && selectionOwner_ && selectionOwner_() == SelectionOwner::thisProcess) {
      continue;
    }
    current_ = std::move(next);
    currentIsOurs_ = false;
    ++changeCount_;
    if (onChange_) {
      onChange_();
    }
    // The monitor looks on the loop's next turn; the next copy waits behind.
    if (!queued_.empty()) {
      takeScheduled_ = true;
      mainLoop_.post([this] { takeNext(); });
    }
    return;
  }
}

void QtPasteboard::clearContents() {
  ++changeCount_;
  pending_ = std::make_unique<QMimeData>();
  publish();
}

void QtPasteboard::setData(const Bytes& data, PasteboardDataType type) {
  if (!pending_) {
    pending_ = std::make_unique<QMimeData>();
  }
  for (const std::string& format : ClipboardSnapshot::targetsFor(type)) {
    pending_->setData(QString::fromStdString(format), byteArrayOf(data));
  }
  publish();
}

void QtPasteboard::setString(const std::string& text) {
  if (!pending_) {
    pending_ = std::make_unique<QMimeData>();
  }
  pending_->setText(QString::fromStdString(text));
  publish();
}

void QtPasteboard::writeFileURLs(const std::vector<std::string>& paths) {
  if (!pending_) {
    pending_ = std::make_unique<QMimeData>();
  }
  QList<QUrl> urls;
  for (const std::string& path : paths) {
    urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
  }
  // Appends to what is there, as a second writeObjects: on macOS would.
  if (pending_->hasUrls()) {
    urls = pending_->urls() + urls;
  }
  pending_->setUrls(urls);
  // GNOME Files, Thunar and Nemo paste files only from their own list, which
  // also says whether to copy or move them; Caja reads it under MATE's name.
  // Pasting from the history never takes the files away from where they are.
  QByteArray copied("copy");
  for (const QUrl& url : urls) {
    copied += '\n' + url.toEncoded();
  }
  for (const char* type : {"x-special/gnome-copied-files", "x-special/mate-copied-files"}) {
    pending_->setData(QString::fromLatin1(type), copied);
  }
  publish();
}

void QtPasteboard::setPrimaryString(const std::string& text) {
  // The readers watch the clipboard alone, so this is never captured.
  if (publishPrimary_) {
    publishPrimary_(text);
  } else if (!publish_ && clipboard_.supportsSelection()) {
    clipboard_.setText(QString::fromStdString(text), QClipboard::Selection);
  }
}

void QtPasteboard::publish() {
  // The clipboard takes ownership of what it is given, so it gets a copy
  // (sharing the bytes) and we keep the forms to add to; reads answer from
  // the same forms.
  auto copy = std::make_unique<QMimeData>();
  current_ = ClipboardSnapshot{};
  for (const QString& format : pending_->formats()) {
    const QByteArray data = pending_->data(format);
    copy->setData(format, data);
    current_.targets.push_back(format.toStdString());
    current_.bodies[format.toStdString()] = data;
  }
  currentIsOurs_ = true;
  if (publish_) {
    publish_(current_);
    return;
  }
  clipboard_.setMimeData(copy.release(), QClipboard::Clipboard);
}
