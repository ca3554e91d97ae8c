// The history store: folder set-up, loading with set-aside of an unreadable
// file, capture with duplicate folding, trimming, saving, and the write-back
// of one entry to the pasteboard.
#include "history/ClipboardStore.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "diagnostics/Log.h"
#include "history/HistoryCodec.h"
#include "history/HistoryDecoder.h"
#include "history/WhiteSpace.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/MainLoop.h"
#include "platform/Pasteboard.h"
#include "platform/Sha256.h"

namespace {

constexpr unsigned folderMode = 0700;
constexpr unsigned fileMode = 0600;
constexpr std::string_view historyFileName = "history.json";

// Image names come from the history file, so a crafted one could point
// anywhere ("../x", "/etc/x"). Only a plain name inside the images folder is
// ever joined to it.
bool isBareFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..")
    return false;
  return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

// File names compared without ASCII case, so that on a case-insensitive
// volume two spellings of one file still count as the same file.
std::string fileKey(std::string_view name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return key;
}

// The names captures give image files: a canonical upper-case UUID + ".png".
// Only files of this form are ever swept; anything else in the folder is not ours.
bool isCapturedImageName(std::string_view name) {
  constexpr std::string_view extension = ".png";
  if (!name.ends_with(extension))
    return false;
  const std::string_view stem = name.substr(0, name.size() - extension.size());
  const std::optional<Uuid> id = Uuid::parse(stem);
  return id && id->toString() == stem;
}

// What an interrupted write of such an image leaves: "." + name + ".tmp-" + hex.
bool isTemporaryOfCapturedImage(std::string_view name) {
  constexpr std::size_t capturedNameLength = 36 + 4;  // UUID text + ".png"
  if (name.size() < 1 + capturedNameLength)
    return false;
  const std::string_view target = name.substr(1, capturedNameLength);
  return isCapturedImageName(target) && FileSystem::isTemporaryFileOf(name, target);
}

std::string_view asText(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

ClipboardStore::ClipboardStore(FileSystem& fileSystem, Clock& clock, Pasteboard& pasteboard,
                               MainLoop& mainLoop, ThreadPriority& writerPriority)
    : fileSystem_(fileSystem), clock_(clock), pasteboard_(pasteboard) {
  baseURL_ = fileSystem_.applicationFolder();
  imagesURL_ = baseURL_ + "/images";
  historyURL_ = baseURL_ + "/" + std::string(historyFileName);

  // Every step may fail (read-only volume, odd owner); the store carries on
  // and later writes report the problem through the log.
  const bool created = fileSystem_.createDirectories(imagesURL_, folderMode).ok();
  lockDir(baseURL_);
  lockDir(imagesURL_);
  (void)fileSystem_.excludeFromBackup(baseURL_);
  folderWritable_ =
      created && fileSystem_.canWriteInFolder(baseURL_) && fileSystem_.canWriteInFolder(imagesURL_);
  sweep(load());
  // Called on the writer thread; the report itself runs on the main thread.
  writer_ = std::make_unique<HistoryWriter>(fileSystem_, writerPriority, historyURL_, fileMode,
                                            [this, &mainLoop, alive = std::weak_ptr<int>(alive_)] {
                                              mainLoop.post([this, alive] {
                                                if (alive.lock())
                                                  reportFailedWrites();
                                              });
                                            });
}

ClipboardStore::~ClipboardStore() {
  finishWrites(std::chrono::steady_clock::now() + HistoryWriter::shutdownWait);
}

bool ClipboardStore::finishWrites(std::chrono::steady_clock::time_point deadline) {
  const bool finished = writer_->waitUntilIdle(deadline);
  reportFailedWrites();
  return finished;
}

int ClipboardStore::addObserver(std::function<void()> observer) {
  int token = ++nextObserverToken_;
  observers_.emplace_back(token, std::move(observer));
  return token;
}

void ClipboardStore::removeObserver(int token) {
  std::erase_if(observers_, [token](const auto& entry) { return entry.first == token; });
}

void ClipboardStore::add(const Captured& captured) {
  if (const auto* text = std::get_if<CapturedText>(&captured)) {
    // Checked before the copy, so blank text costs no copy at all.
    if (WhiteSpace::trim(text->text).empty())
      return;
    addText(CapturedText(*text));
  } else if (const auto* image = std::get_if<CapturedImage>(&captured)) {
    addImage(image->png);
  } else {
    addFiles(std::get<CapturedFiles>(captured).paths);
  }
}

void ClipboardStore::add(Captured&& captured) {
  if (auto* text = std::get_if<CapturedText>(&captured)) {
    addText(std::move(*text));
    return;
  }
  add(std::as_const(captured));
}

void ClipboardStore::addText(CapturedText&& captured) {
  if (WhiteSpace::trim(captured.text).empty())
    return;
  ClipboardItem item;
  item.createdAt = clock_.now();
  item.kind = captured.rtf ? ClipboardItemKind::rtf : ClipboardItemKind::text;
  // No stored signature: a text's is "T:" + the text, derived when asked.
  item.text = std::move(captured.text);
  item.rtfData = std::move(captured.rtf);
  item.htmlData = std::move(captured.html);
  insertAtFront(std::move(item));
}

void ClipboardStore::addImage(const Bytes& png) {
  ClipboardItem item;
  item.createdAt = clock_.now();
  std::string hex = sha(png);
  std::string fileName = Uuid::random().toString() + ".png";
  std::string path = imagesURL_ + "/" + fileName;
  FileResult written = fileSystem_.writeFileAtomically(path, asText(png), fileMode);
  if (!written.ok()) {
    Log::write("image write failed: " + written.error());
    return;
  }
  (void)fileSystem_.setPermissions(path, fileMode);
  item.kind = ClipboardItemKind::image;
  item.imageFileName = std::move(fileName);
  item.setSignature("I:" + hex);
  insertAtFront(std::move(item));
}

void ClipboardStore::addFiles(const std::vector<std::string>& paths) {
  if (paths.empty())
    return;
  ClipboardItem item;
  item.createdAt = clock_.now();
  item.kind = ClipboardItemKind::files;
  // No stored signature: a file list's is "F:" + its joined paths, which
  // the list holds already.
  item.filePaths.emplace(paths);
  insertAtFront(std::move(item));
}

void ClipboardStore::insertAtFront(ClipboardItem&& item) {
  auto existing = std::find_if(items_.begin(), items_.end(), [&](const ClipboardItem& entry) {
    return entry.hasSameSignature(item);
  });
  if (existing != items_.end()) {
    // The entry already known wins: it keeps its id, pin and payload and only
    // moves to the front with a fresh time.
    if (item.imageFileName)
      (void)fileSystem_.removeFile(imagesURL_ + "/" + *item.imageFileName);
    existing->createdAt = item.createdAt;
    std::rotate(items_.begin(), existing, existing + 1);
  } else {
    items_.insert(items_.begin(), std::move(item));
  }

  std::vector<ClipboardItem> dropped = trim();
  itemsChanged();
  save(dropped);
}

void ClipboardStore::togglePin(const Uuid& id) {
  auto it = std::find_if(items_.begin(), items_.end(),
                         [&](const ClipboardItem& entry) { return entry.id == id; });
  if (it == items_.end())
    return;
  it->pinned = !it->pinned;
  itemsChanged();
  save();
}

void ClipboardStore::deleteItem(const Uuid& id) {
  auto it = std::find_if(items_.begin(), items_.end(),
                         [&](const ClipboardItem& entry) { return entry.id == id; });
  if (it == items_.end())
    return;
  ClipboardItem dropped = std::move(*it);
  items_.erase(it);
  itemsChanged();
  save({dropped});
}

void ClipboardStore::clearUnpinned() {
  std::vector<ClipboardItem> dropped;
  std::vector<ClipboardItem> kept;
  for (ClipboardItem& entry : items_)
    (entry.pinned ? kept : dropped).push_back(std::move(entry));
  items_ = std::move(kept);
  itemsChanged();
  save(dropped);
}

void ClipboardStore::clearAll() {
  std::vector<ClipboardItem> dropped = std::move(items_);
  items_.clear();
  itemsChanged();
  save(dropped);
}

std::optional<std::string> ClipboardStore::imageURL(const ClipboardItem& item) const {
  if (!item.imageFileName || !isBareFileName(*item.imageFileName))
    return std::nullopt;
  return imagesURL_ + "/" + *item.imageFileName;
}

std::int64_t ClipboardStore::writeToPasteboard(const ClipboardItem& item) {
  pasteboard_.clearContents();
  switch (item.kind) {
    case ClipboardItemKind::text:
    case ClipboardItemKind::rtf:
      // Rich forms first, so a receiver that takes the first match gets one.
      if (item.rtfData && item.kind == ClipboardItemKind::rtf)
        pasteboard_.setData(*item.rtfData, PasteboardDataType::rtf);
      if (item.htmlData)
        pasteboard_.setData(*item.htmlData, PasteboardDataType::html);
      if (item.text)
        pasteboard_.setString(*item.text);
      break;
    case ClipboardItemKind::image:
      if (std::optional<std::string> path = imageURL(item)) {
        if (std::optional<std::string> png = fileSystem_.readFile(*path))
          pasteboard_.setData(Bytes(png->begin(), png->end()), PasteboardDataType::png);
      }
      break;
    case ClipboardItemKind::files:
      if (item.filePaths && !item.filePaths->empty())
        pasteboard_.writeFileURLs(item.filePaths->toVector());
      break;
  }
  return pasteboard_.changeCount();
}

std::string ClipboardStore::sha(const Bytes& bytes) {
  Sha256Digest digest = sha256(bytes.data(), bytes.size());
  std::string hex;
  hex.reserve(digest.size() * 2);
  constexpr std::string_view digits = "0123456789abcdef";
  for (std::uint8_t byte : digest) {
    hex += digits[byte >> 4];
    hex += digits[byte & 0x0f];
  }
  return hex;
}

bool ClipboardStore::load() {
  // Read a piece at a time: a history of long texts is hundreds of
  // megabytes, and the entries are all that should stay of it.
  std::unique_ptr<FileReader> file = fileSystem_.openForReading(historyURL_);
  const HistoryDecoder::FileOutcome outcome =
      file ? HistoryDecoder().decode(*file, items_) : HistoryDecoder::FileOutcome::unreadable;
  file.reset();
  if (outcome != HistoryDecoder::FileOutcome::decoded)
    items_.clear();
  switch (outcome) {
    case HistoryDecoder::FileOutcome::decoded:
      itemsChanged();
      return true;
    case HistoryDecoder::FileOutcome::unreadable:
      return !fileSystem_.fileSize(historyURL_);
    case HistoryDecoder::FileOutcome::empty:
      return false;  // not what our own writes leave; nothing to go by
    case HistoryDecoder::FileOutcome::malformed:
      break;
  }

  // Keep the unreadable file for inspection instead of overwriting it with
  // the next save; only the most recent one is kept.
  const std::string corruptName = "history.corrupt.json";
  const std::string corruptURL = baseURL_ + "/" + corruptName;
  (void)fileSystem_.removeFile(corruptURL);
  (void)fileSystem_.moveFile(historyURL_, corruptURL);
  Log::write("history.json was unreadable; moved to " + corruptName);
  // The set-aside file may still be repaired, and its images with it.
  return false;
}

void ClipboardStore::sweep(bool itemsKnown) {
  std::size_t temporaries = 0;
  std::size_t orphans = 0;
  auto remove = [this](const std::string& path, std::size_t& count) {
    if (fileSystem_.removeFile(path).ok())
      ++count;
  };
  const std::vector<std::string> none;
  for (const std::string& name : fileSystem_.listFolder(baseURL_).value_or(none)) {
    if (FileSystem::isTemporaryFileOf(name, historyFileName) ||
        FileSystem::isTemporaryFileOf(name, "debug.log"))
      remove(baseURL_ + "/" + name, temporaries);
  }

  const std::unordered_set<std::string> named = namedImageKeys();
  for (const std::string& name : fileSystem_.listFolder(imagesURL_).value_or(none)) {
    const std::string path = imagesURL_ + "/" + name;
    if (isTemporaryOfCapturedImage(name)) {
      remove(path, temporaries);
    } else if (itemsKnown && isCapturedImageName(name) && !named.contains(fileKey(name))) {
      remove(path, orphans);
    }
  }
  if (temporaries + orphans > 0) {
    Log::write("swept " + std::to_string(temporaries) + " temporary files and " +
               std::to_string(orphans) + " unnamed images");
  }
}

std::vector<ClipboardItem> ClipboardStore::trim() {
  // Drop by position, not by id: a loaded file may repeat an id, and a pinned
  // entry must never go because an unpinned one shares its id.
  auto unpinned = std::count_if(items_.begin(), items_.end(),
                                [](const ClipboardItem& entry) { return !entry.pinned; });
  if (unpinned <= maxItems)
    return {};
  std::vector<ClipboardItem> kept;
  std::vector<ClipboardItem> dropped;
  kept.reserve(items_.size());
  int unpinnedSeen = 0;
  for (ClipboardItem& entry : items_) {
    bool beyondBound = !entry.pinned && ++unpinnedSeen > maxItems;
    (beyondBound ? dropped : kept).push_back(std::move(entry));
  }
  items_ = std::move(kept);
  return dropped;
}

void ClipboardStore::save(const std::vector<ClipboardItem>& dropped) {
  // A loaded file may name one image from several entries; a file that an
  // entry still in the history names stays.
  std::vector<std::string> doomed;
  if (!dropped.empty()) {
    const std::unordered_set<std::string> stillNamed = namedImageKeys();
    for (const ClipboardItem& entry : dropped) {
      std::optional<std::string> path = imageURL(entry);
      if (path && !stillNamed.contains(fileKey(*entry.imageFileName)))
        doomed.push_back(std::move(*path));
    }
  }
  // The copy shares every body with `items`: a few pointers per entry.
  writer_->write(items_, std::move(doomed));
}

void ClipboardStore::reportFailedWrites() {
  for (const std::string& error : writer_->takeFailures()) {
    Log::write("save failed: " + error);
    if (!saveFailureReported_ && onFirstSaveFailure) {
      saveFailureReported_ = true;
      onFirstSaveFailure(error);
    }
  }
}

std::unordered_set<std::string> ClipboardStore::namedImageKeys() const {
  std::unordered_set<std::string> keys;
  for (const ClipboardItem& entry : items_) {
    if (entry.imageFileName)
      keys.insert(fileKey(*entry.imageFileName));
  }
  return keys;
}

void ClipboardStore::lockDir(const std::string& path) {
  (void)fileSystem_.setPermissions(path, folderMode);
}

void ClipboardStore::itemsChanged() {
  ++revision_;
  // A copy, so an observer may add or remove observers while being called.
  std::vector<std::pair<int, std::function<void()>>> observers = observers_;
  for (const auto& [token, observer] : observers)
    observer();
}
