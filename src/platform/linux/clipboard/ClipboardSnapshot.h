// What one owner of the X11 CLIPBOARD selection offered, read in full before
// anyone looks at it: its targets and the bodies of the ones capture wants.
// The reader thread fills it by asking `nextTargetToRead` until there is
// nothing left to read; the main thread then answers every pasteboard read
// from it without waiting for the owner.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>

#include "platform/Bytes.h"
#include "platform/PasteboardDataType.h"

struct ClipboardSnapshot {
  /// KDE's password managers mark their copies with this target.
  static constexpr const char* kdePasswordHint = "x-kde-passwordManagerHint";
  static constexpr const char* uriListTarget = "text/uri-list";

  /// The owner's window on X11, the selection's sequence number on
  /// Wayland; 0 when the selection has no owner.
  std::uint32_t owner = 0;
  /// The targets offered, by name.
  std::vector<std::string> targets;
  /// The bodies read so far; a target whose read failed maps to nothing.
  std::map<std::string, std::optional<QByteArray>> bodies;

  /// The next offered target that capture may need, given what was read so
  /// far, in capture's order of preference: files, PNG, TIFF, RTF, HTML,
  /// text.
  /// Nothing is read of content marked as concealed, transient or
  /// auto-generated, nor anything after a file list or a PNG.
  std::optional<std::string> nextTargetToRead() const;

  /// The targets as offered, plus the pasteboard's concealed marker for
  /// KDE's password hint.
  std::vector<std::string> types() const;
  /// The local paths of a "text/uri-list" body; nothing when none.
  std::optional<std::vector<std::string>> fileURLPaths() const;
  std::optional<Bytes> data(PasteboardDataType type) const;
  /// The first text target read, as UTF-8; STRING is Latin-1, and any other
  /// ill-formed sequence becomes U+FFFD.
  std::optional<std::string> string() const;

  /// Every target name one of the core's types is offered under, preferred
  /// first.
  static std::vector<std::string> targetsFor(PasteboardDataType type);
  /// The plain-text targets, preferred first.
  static const std::vector<std::string>& textTargets();
  /// The local paths of the file:// URLs in a "text/uri-list" body, in order;
  /// comments, other schemes and other hosts than this one are skipped.
  static std::vector<std::string> filePathsFromUriList(const QByteArray& uriList);

 private:
  bool offers(const std::string& target) const;
  /// The body of the first of `candidates` that was read.
  const QByteArray* firstBody(const std::vector<std::string>& candidates) const;
};
