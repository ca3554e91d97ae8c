// The one observable owner of the clipboard history: adds captures with
// duplicate folding, bounds the unpinned entries, pins, deletes, clears, and
// keeps "history.json" and the images folder in step after every change.
// The file is written by a thread of the store's own (HistoryWriter); nothing
// outside the store sees it.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "history/Captured.h"
#include "history/ClipboardItem.h"
#include "history/HistoryWriter.h"

class Clock;
class FileSystem;
class MainLoop;
class Pasteboard;
class ThreadPriority;

class ClipboardStore {
 public:
  static constexpr int maxItems = 200;

  /// Finds and creates the history folder, then loads the history. Never
  /// fails; file problems are ignored or logged. Failed writes are reported
  /// on `mainLoop`; the writing thread runs below the main one through
  /// `writerPriority`.
  ClipboardStore(FileSystem& fileSystem, Clock& clock, Pasteboard& pasteboard, MainLoop& mainLoop,
                 ThreadPriority& writerPriority);
  /// Waits a bounded time for the writes still to come.
  ~ClipboardStore();
  ClipboardStore(const ClipboardStore&) = delete;
  ClipboardStore& operator=(const ClipboardStore&) = delete;

  const std::vector<ClipboardItem>& items() const { return items_; }
  /// Moves on every change of `items`, so observers can cache by it.
  std::uint64_t revision() const { return revision_; }

  /// Called after every change of `items`. Returns a token for removal.
  int addObserver(std::function<void()> observer);
  void removeObserver(int token);

  /// Turns one capture into an entry, or refreshes the entry it duplicates,
  /// then trims and saves. Blank text and empty file lists change nothing.
  void add(const Captured& captured);
  /// The same, taking over a captured text instead of copying it.
  void add(Captured&& captured);
  void togglePin(const Uuid& id);
  /// Named for the user's action; `delete` is reserved in C++.
  void deleteItem(const Uuid& id);
  void clearUnpinned();
  void clearAll();

  /// The entry's image file, or nothing when it names none (or names
  /// something that is not a bare file name). The file is not checked.
  std::optional<std::string> imageURL(const ClipboardItem& item) const;
  /// Puts the entry back on the pasteboard in its kind's form and returns the
  /// change count read after the write.
  std::int64_t writeToPasteboard(const ClipboardItem& item);

  /// Lower-case hexadecimal SHA-256 of `bytes`: 64 characters.
  static std::string sha(const Bytes& bytes);

  /// Waits until every change so far is written (or its write has failed)
  /// or `deadline` passes, and reports the failures; whether it got there.
  bool finishWrites(std::chrono::steady_clock::time_point deadline);

  /// Whether the history folder could be created and written at start; when
  /// not, the history lives in memory only.
  bool folderWritable() const { return folderWritable_; }
  /// Called with the error of the first save that fails, once per run, so the
  /// user hears of a history that is no longer kept.
  std::function<void(const std::string& error)> onFirstSaveFailure;

  const std::string& baseURL() const { return baseURL_; }
  const std::string& imagesURL() const { return imagesURL_; }
  const std::string& historyURL() const { return historyURL_; }

 private:
  void addText(CapturedText&& captured);
  void addImage(const Bytes& png);
  void addFiles(const std::vector<std::string>& paths);
  /// Inserts a new entry at index 0, or moves the one with its signature
  /// there instead; then trims, saves and notifies.
  void insertAtFront(ClipboardItem&& item);
  /// Whether the history file was read and decoded, or is missing; only then
  /// does `items` tell which image files are still wanted.
  bool load();
  /// Removes what an interrupted run leaves: temporaries of atomic writes and,
  /// when `itemsKnown`, image files of our naming that no entry names.
  void sweep(bool itemsKnown);
  /// Takes the unpinned entries beyond the bound out of `items` and returns them.
  std::vector<ClipboardItem> trim();
  /// Hands `items` to the writer, with the image files of `dropped` that no
  /// remaining entry names, to be deleted once the file no longer names
  /// them; a failed or interrupted write thus leaves orphans, never dangling
  /// names.
  void save(const std::vector<ClipboardItem>& dropped = {});
  /// Logs the failed writes the writer has handed back; the first of the run
  /// also goes to `onFirstSaveFailure`.
  void reportFailedWrites();
  /// The image file names the entries give, compared without ASCII case.
  std::unordered_set<std::string> namedImageKeys() const;
  void lockDir(const std::string& path);
  void itemsChanged();

  FileSystem& fileSystem_;
  Clock& clock_;
  Pasteboard& pasteboard_;
  std::vector<ClipboardItem> items_;
  std::string baseURL_;
  std::string imagesURL_;
  std::string historyURL_;
  std::uint64_t revision_ = 0;
  bool folderWritable_ = true;
  bool saveFailureReported_ = false;
  int nextObserverToken_ = 0;
  std::vector<std::pair<int, std::function<void()>>> observers_;
  /// Lets a report posted by the writer find out that the store is gone.
  std::shared_ptr<int> alive_ = std::make_shared<int>();
  /// Last, so that it goes first and the rest outlives its final writes.
  std::unique_ptr<HistoryWriter> writer_;
};
