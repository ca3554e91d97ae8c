// The X11 CLIPBOARD selection through QClipboard. The change count moves
// whenever another client takes the selection or its owner goes away (Qt's
// change signal, which is XFixes underneath), and on every clearContents of
// ours; our own writes never move it again, so the count that write-back
// returns is the one the monitor sees.
#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/Pasteboard.h"

class QClipboard;
class QMimeData;

class QtPasteboard : public Pasteboard {
 public:
  /// KDE's password managers mark their copies with this target.
  static constexpr const char* kdePasswordHint = "x-kde-passwordManagerHint";

  /// `clipboard` must outlive this object.
  explicit QtPasteboard(QClipboard& clipboard);
  ~QtPasteboard() override;
  QtPasteboard(const QtPasteboard&) = delete;
  QtPasteboard& operator=(const QtPasteboard&) = delete;

  /// X11 lets every client read the selections.
  AccessBehavior accessBehavior() const override { return AccessBehavior::defaultBehavior; }
  std::int64_t changeCount() const override { return changeCount_; }
  /// Reported from Qt's change signal, for another client's changes only.
  void setOnChange(const std::function<void()>& onChange) override { onChange_ = onChange; }
  /// The selection has no owner at all; never outside X11.
  bool isAbandoned() const override;
  /// The offered MIME types as they are, plus `concealedType` when the KDE
  /// password hint is among them.
  std::vector<std::string> types() const override;
  /// Only file:// entries of "text/uri-list" count; nothing when none.
  std::optional<std::vector<std::string>> fileURLPaths() const override;
  /// RTF is read as "text/rtf", else "application/rtf".
  std::optional<Bytes> data(PasteboardDataType type) const override;
  std::optional<std::string> string() const override;

  void clearContents() override;
  void setData(const Bytes& data, PasteboardDataType type) override;
  void setString(const std::string& text) override;
  void writeFileURLs(const std::vector<std::string>& paths) override;

  /// Every MIME type one of the core's types is written as.
  static QStringList mimeTypesFor(PasteboardDataType type);
  /// The local paths of the file:// URLs in a "text/uri-list" body, in order;
  /// comments and other schemes are skipped.
  static std::vector<std::string> filePathsFromUriList(const QByteArray& uriList);

 private:
  void ownerChanged();
  /// Hands the forms written since the last clear to the clipboard as one
  /// fresh QMimeData, which Qt serves for as long as we own the selection.
  void publish();

  QClipboard& clipboard_;
  QMetaObject::Connection connection_;
  std::int64_t changeCount_ = 0;
  std::function<void()> onChange_;
  // What we put on the clipboard; Qt deletes it when another client takes
  // over, which clears the pointer.
  QPointer<QMimeData> published_;
  std::unique_ptr<QMimeData> pending_;
  bool publishing_ = false;
};
