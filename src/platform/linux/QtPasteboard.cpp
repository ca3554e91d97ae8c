// QClipboard in Clipboard mode (the X11 CLIPBOARD selection, not PRIMARY).
#include "platform/linux/QtPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QList>
#include <QMimeData>
#include <QUrl>

// After Qt: Xlib's macros break Qt's headers.
#include <X11/Xlib.h>

namespace {

constexpr const char* uriListType = "text/uri-list";

std::optional<Bytes> bytesOf(const QByteArray& data) {
  return Bytes(data.begin(), data.end());
}

QByteArray byteArrayOf(const Bytes& data) {
  return QByteArray(reinterpret_cast<const char*>(data.data()),
                    static_cast<qsizetype>(data.size()));
}

}  // namespace

QtPasteboard::QtPasteboard(QClipboard& clipboard) : clipboard_(clipboard) {
  connection_ = QObject::connect(&clipboard_, &QClipboard::dataChanged, [this] { ownerChanged(); });
}

QtPasteboard::~QtPasteboard() {
  QObject::disconnect(connection_);
}

void QtPasteboard::ownerChanged() {
  // Qt reports our own setMimeData too, at once or after the server's
  // notification; only a change of hands counts.
  if (publishing_) {
    return;
  }
  if (!published_.isNull() && clipboard_.ownsClipboard() &&
      clipboard_.mimeData(QClipboard::Clipboard) == published_.data()) {
    return;
  }
  ++changeCount_;
  if (onChange_) {
    onChange_();
  }
}

bool QtPasteboard::isAbandoned() const {
  // Asked of the server: Qt's formats cannot tell an owner that is gone from
  // one that offers nothing.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr) {
    return false;
  }
  Display* display = x11->display();
  return XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False)) == None;
}

std::vector<std::string> QtPasteboard::types() const {
  std::vector<std::string> result;
  const QMimeData* mime = clipboard_.mimeData(QClipboard::Clipboard);
  if (mime == nullptr) {
    return result;
  }
  bool concealed = false;
  for (const QString& format : mime->formats()) {
    result.push_back(format.toStdString());
    concealed = concealed || format == QLatin1String(kdePasswordHint);
  }
  if (concealed) {
    result.emplace_back(concealedType);
  }
  return result;
}

std::vector<std::string> QtPasteboard::filePathsFromUriList(const QByteArray& uriList) {
  std::vector<std::string> paths;
  for (const QByteArray& rawLine : uriList.split('\n')) {
    const QByteArray line = rawLine.trimmed();
    if (line.isEmpty() || line.startsWith('#')) {
      continue;
    }
    const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile()) {
      continue;
    }
    paths.push_back(url.toLocalFile().toStdString());
  }
  return paths;
}

std::optional<std::vector<std::string>> QtPasteboard::fileURLPaths() const {
  const QMimeData* mime = clipboard_.mimeData(QClipboard::Clipboard);
  if (mime == nullptr || !mime->hasFormat(QLatin1String(uriListType))) {
    return std::nullopt;
  }
  std::vector<std::string> paths = filePathsFromUriList(mime->data(QLatin1String(uriListType)));
  if (paths.empty()) {
    return std::nullopt;
  }
  return paths;
}

QStringList QtPasteboard::mimeTypesFor(PasteboardDataType type) {
  switch (type) {
    case PasteboardDataType::png:
      return {QStringLiteral("image/png")};
    case PasteboardDataType::tiff:
      return {QStringLiteral("image/tiff")};
    case PasteboardDataType::rtf:
      return {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};
  }
  return {};
}

std::optional<Bytes> QtPasteboard::data(PasteboardDataType type) const {
  const QMimeData* mime = clipboard_.mimeData(QClipboard::Clipboard);
  if (mime == nullptr) {
    return std::nullopt;
  }
  for (const QString& format : mimeTypesFor(type)) {
    if (mime->hasFormat(format)) {
      return bytesOf(mime->data(format));
    }
  }
  return std::nullopt;
}

std::optional<std::string> QtPasteboard::string() const {
  const QMimeData* mime = clipboard_.mimeData(QClipboard::Clipboard);
  if (mime == nullptr || !mime->hasText()) {
    return std::nullopt;
  }
  return mime->text().toStdString();
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
  for (const QString& format : mimeTypesFor(type)) {
    pending_->setData(format, byteArrayOf(data));
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
  publish();
}

void QtPasteboard::publish() {
  // The clipboard takes ownership of what it is given, so it gets a copy and
  // we keep the forms to add to.
  auto* copy = new QMimeData;
  for (const QString& format : pending_->formats()) {
    copy->setData(format, pending_->data(format));
  }
  publishing_ = true;
  clipboard_.setMimeData(copy, QClipboard::Clipboard);
  publishing_ = false;
  published_ = copy;
}
