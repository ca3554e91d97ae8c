// The file-system seam: every disk access of the history store and the debug
// log goes through it, so tests can use real temporary folders or inject the
// failures a root-run test cannot provoke with permission bits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileLock.h"
#include "platform/FileReader.h"
#include "platform/FileResult.h"

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// The per-user application-support folder, or nothing when the platform
  /// names none (callers then fall back to the home folder).
  virtual std::optional<std::string> applicationSupportDirectory() const = 0;
  virtual std::string homeDirectory() const = 0;

  /// Creates `path` and any missing parents with `mode`; an existing folder
  /// is success.
  virtual FileResult createDirectories(const std::string& path, unsigned mode) = 0;
  virtual FileResult setPermissions(const std::string& path, unsigned mode) = 0;
  /// Marks a folder as excluded from backups; a no-op success where the
  /// platform has no such mark.
  virtual FileResult excludeFromBackup(const std::string& path) = 0;

  /// The whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> readFile(const std::string& path) = 0;
  /// Writes through a temporary file in the same folder, created with `mode`
  /// from its first byte and flushed to disk before it replaces `path`, so a
  /// reader or a crash sees the old or the new contents, never a mix.
  virtual FileResult writeFileAtomically(const std::string& path, std::string_view contents,
                                         unsigned mode) = 0;
  /// Takes the next piece of contents being written; false when it could not
  /// be written, and the producer then stops.
  using PieceSink = std::function<bool(std::string_view piece)>;
  /// Produces contents piece by piece through the sink; false when it stopped.
  using ContentsWriter = std::function<bool(const PieceSink& write)>;
  /// writeFileAtomically with the contents produced piece by piece while the
  /// temporary file is written, so that they are never held whole. A
  /// producer that stops fails the write like a failed write. This default
  /// gathers the pieces and writes them whole.
  virtual FileResult writeFileAtomicallyInPieces(const std::string& path,
                                                 const ContentsWriter& writeContents,
                                                 unsigned mode);
  /// The file opened for reading a piece at a time, or nothing when it cannot
  /// be opened. This default reads it whole with readFile.
  virtual std::unique_ptr<FileReader> openForReading(const std::string& path);
  /// Appends to an existing file; fails when the file does not exist.
  virtual FileResult appendToFile(const std::string& path, std::string_view contents) = 0;
  virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
  virtual FileResult moveFile(const std::string& from, const std::string& to) = 0;
  virtual FileResult removeFile(const std::string& path) = 0;
  /// The names of the entries in a folder, without "." and "..", or nothing
  /// when the folder cannot be read.
  virtual std::optional<std::vector<std::string>> listFolder(const std::string& path) = 0;
  /// Whether files can be created in the folder: false on a read-only volume,
  /// even for root.
  virtual bool canWriteInFolder(const std::string& path) = 0;
  /// Takes an exclusive lock on `path`, created with `mode` when missing, for
  /// as long as the result lives. Another holder is another process, or
  /// another call in this one; a holder's lock ends with its process.
  virtual FileLock lockExclusively(const std::string& path, unsigned mode) = 0;

  /// Whether `entry` names a temporary file that writeFileAtomically makes
  /// beside a file called `name`; only an interrupted write leaves one.
  static bool isTemporaryFileOf(std::string_view entry, std::string_view name);
  /// Such a temporary's name: "." + `name` + ".tmp-" + `suffix`.
  static std::string temporaryFileName(std::string_view name, std::string_view suffix);
  /// The suffix is this many lower-case hexadecimal digits.
  static constexpr std::size_t temporarySuffixLength = 16;

  /// The history folder shared by the store and the debug log: "Copperwell"
  /// in the application-support folder, or in "Library/Application Support"
  /// under the home folder when the platform names none.
  std::string applicationFolder() const;

  /// The real file system of this platform.
  static std::unique_ptr<FileSystem> createReal();
};
