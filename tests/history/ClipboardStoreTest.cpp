// The history store against real files in a scratch folder: folder set-up,
// loading and set-aside, capture and duplicate folding, the bound, pins,
// deletes, clears and the log lines of failed writes.
#include "history/ClipboardStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>

#include "FakeClock.h"
#include "FakePasteboard.h"
#include "FaultyFileSystem.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "history/HistoryCodec.h"

namespace fs = std::filesystem;

namespace {

using Op = FaultyFileSystem::Operation;

unsigned modeOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0)
    return 0;
  return static_cast<unsigned>(info.st_mode & 07777);
}

std::string contentsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putFile(const std::string& path, const std::string& contents) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << contents;
}

Bytes bytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

ClipboardItem textEntry(const std::string& text, bool pinned = false) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::text;
  item.text = text;
  item.signature = "T:" + text;
  item.createdAt = TimePoint(std::chrono::seconds(1700000000));
  item.pinned = pinned;
  return item;
}

ClipboardItem imageEntry(const std::string& fileName, bool pinned = false) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::image;
  item.imageFileName = fileName;
  item.signature = "I:" + fileName;
  item.createdAt = TimePoint(std::chrono::seconds(1700000000));
  item.pinned = pinned;
  return item;
}

std::vector<Uuid> idsOf(const std::vector<ClipboardItem>& items) {
  std::vector<Uuid> ids;
  for (const ClipboardItem& item : items)
    ids.push_back(item.id);
  return ids;
}

}  // namespace

class ClipboardStoreTest : public ::testing::Test {
 protected:
  ClipboardStoreTest() { fileSystem_.setApplicationSupportDirectory(temp_.path()); }

  ClipboardStore& openStore() {
    store_ = std::make_unique<ClipboardStore>(fileSystem_, clock_, pasteboard_);
    return *store_;
  }

  std::string folder() const { return temp_.file("Copperwell"); }
  std::string images() const { return folder() + "/images"; }
  std::string image(const std::string& name) const { return images() + "/" + name; }
  std::string historyFile() const { return folder() + "/history.json"; }
  std::string corruptFile() const { return folder() + "/history.corrupt.json"; }

  void writeHistory(const std::vector<ClipboardItem>& items) {
    fs::create_directories(images());
    putFile(historyFile(), HistoryCodec::encode(items));
  }

  std::vector<ClipboardItem> savedHistory() const {
    std::optional<std::vector<ClipboardItem>> decoded =
        HistoryCodec::decode(contentsOf(historyFile()));
    return decoded ? *decoded : std::vector<ClipboardItem>{};
  }

  std::set<std::string> imageFiles() const {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(images(), ignored))
      names.insert(entry.path().filename().string());
    return names;
  }

  void addText(const std::string& text) { store_->add(CapturedText{text, std::nullopt}); }

  TempDir temp_;
  FaultyFileSystem fileSystem_;
  FakeClock clock_;
  FakePasteboard pasteboard_;
  ScopedTestLog log_;
  std::unique_ptr<ClipboardStore> store_;
};

// Start-up

TEST_F(ClipboardStoreTest, FirstStartCreatesPrivateFoldersAndLogsNothing) {
  ClipboardStore& store = openStore();

  EXPECT_EQ(store.baseURL(), folder());
  EXPECT_EQ(store.imagesURL(), images());
  EXPECT_EQ(store.historyURL(), historyFile());
  EXPECT_EQ(modeOf(folder()), 0700u);
  EXPECT_EQ(modeOf(images()), 0700u);
  EXPECT_EQ(fileSystem_.callsOf(Op::excludeFromBackup).size(), 1u);
  EXPECT_EQ(fileSystem_.callsOf(Op::excludeFromBackup).at(0).path, folder());
  EXPECT_TRUE(store.items().empty());
  EXPECT_FALSE(fs::exists(historyFile()));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(ClipboardStoreTest, ExistingLooseFoldersAreLockedDown) {
  fs::create_directories(images());
  fs::permissions(folder(), fs::perms(0755));
  fs::permissions(images(), fs::perms(0777));

  openStore();

  EXPECT_EQ(modeOf(folder()), 0700u);
  EXPECT_EQ(modeOf(images()), 0700u);
}

TEST_F(ClipboardStoreTest, HistoryFileIsLoadedInFileOrderWithoutSaving) {
  std::vector<ClipboardItem> written = {textEntry("b", true), textEntry("a"), textEntry("b")};
  writeHistory(written);

  ClipboardStore& store = openStore();

  EXPECT_EQ(idsOf(store.items()), idsOf(written));
  EXPECT_TRUE(store.items()[0].pinned);
  EXPECT_TRUE(fileSystem_.callsOf(Op::writeFileAtomically).empty());
}

TEST_F(ClipboardStoreTest, EmptyHistoryFileGivesEmptyHistorySilently) {
  putFile(historyFile(), "");

  ClipboardStore& store = openStore();

  EXPECT_TRUE(store.items().empty());
  EXPECT_TRUE(fs::exists(historyFile()));
  EXPECT_FALSE(fs::exists(corruptFile()));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(ClipboardStoreTest, UnreadableHistoryIsNeitherMovedNorLogged) {
  // A folder in the file's place cannot be read as a file, even by root.
  fs::create_directories(historyFile());

  ClipboardStore& store = openStore();

  EXPECT_TRUE(store.items().empty());
  EXPECT_TRUE(fs::is_directory(historyFile()));
  EXPECT_FALSE(fs::exists(corruptFile()));
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(ClipboardStoreTest, UndecodableHistoryIsSetAsideReplacingTheOlderOne) {
  const std::string bad =
      R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","kind":"html","signature":"T:x",)"
      R"("createdAt":"2025-03-01T09:30:05Z","pinned":false}])";
  putFile(historyFile(), bad);
  putFile(corruptFile(), "older");
  putFile(image("ORPHAN.png"), "png");

  ClipboardStore& store = openStore();

  EXPECT_TRUE(store.items().empty());
  EXPECT_FALSE(fs::exists(historyFile()));
  EXPECT_EQ(contentsOf(corruptFile()), bad);
  EXPECT_EQ(log_.messages(),
            std::vector<std::string>{"history.json was unreadable; moved to history.corrupt.json"});
  // Image files of the set-aside history are left alone.
  EXPECT_TRUE(fs::exists(image("ORPHAN.png")));

  addText("fresh");
  std::vector<ClipboardItem> saved = savedHistory();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].text, "fresh");
}

TEST_F(ClipboardStoreTest, FailedSetAsideIsLoggedAllTheSame) {
  putFile(historyFile(), "[{");
  fileSystem_.fail(FaultyFileSystem::Operation::moveFile, "Read-only file system");

  ClipboardStore& store = openStore();

  EXPECT_TRUE(store.items().empty());
  EXPECT_EQ(fileSystem_.callsOf(FaultyFileSystem::Operation::moveFile).size(), 1u);
  EXPECT_EQ(contentsOf(historyFile()), "[{");
  EXPECT_FALSE(fs::exists(corruptFile()));
  EXPECT_EQ(log_.messages(),
            std::vector<std::string>{"history.json was unreadable; moved to history.corrupt.json"});
}

// Capture

TEST_F(ClipboardStoreTest, CaptureHandedOverByReferenceIsCopiedNotTaken) {
  ClipboardStore& store = openStore();
  const Captured captured = CapturedText{"kept as it was", bytesOf("{\\rtf1 x}")};

  store.add(captured);

  ASSERT_EQ(store.items().size(), 1u);
  EXPECT_EQ(store.items()[0].text, "kept as it was");
  EXPECT_EQ(store.items()[0].signature, "T:kept as it was");
  EXPECT_EQ(store.items()[0].rtfData, bytesOf("{\\rtf1 x}"));
  EXPECT_EQ(std::get<CapturedText>(captured).text, "kept as it was");
  EXPECT_EQ(std::get<CapturedText>(captured).rtf, bytesOf("{\\rtf1 x}"));
}

TEST_F(ClipboardStoreTest, RecapturedTextMovesToFrontKeepingIdAndPin) {
  ClipboardStore& store = openStore();
  addText("abc");
  Uuid abcId = store.items()[0].id;
  store.togglePin(abcId);
  addText("xyz");
  clock_.advance(std::chrono::seconds(30));

  store.add(CapturedText{"abc", bytesOf("{\\rtf1 abc}")});

  ASSERT_EQ(store.items().size(), 2u);
  const ClipboardItem& front = store.items()[0];
  EXPECT_EQ(front.id, abcId);
  EXPECT_TRUE(front.pinned);
  EXPECT_EQ(front.createdAt, clock_.now());
  // The RTF is not part of the signature, so the first capture's form stays.
  EXPECT_EQ(front.kind, ClipboardItemKind::text);
  EXPECT_FALSE(front.rtfData);
  EXPECT_EQ(store.items()[1].text, "xyz");
  EXPECT_EQ(idsOf(savedHistory()), idsOf(store.items()));
}

TEST_F(ClipboardStoreTest, TextWithRtfBecomesRtfEntry) {
  ClipboardStore& store = openStore();

  store.add(CapturedText{"  bold\n", bytesOf("{\\rtf1 bold}")});

  ASSERT_EQ(store.items().size(), 1u);
  const ClipboardItem& item = store.items()[0];
  EXPECT_EQ(item.kind, ClipboardItemKind::rtf);
  EXPECT_EQ(item.text, "  bold\n");
  EXPECT_EQ(item.rtfData, bytesOf("{\\rtf1 bold}"));
  EXPECT_EQ(item.signature, "T:  bold\n");
  EXPECT_FALSE(item.pinned);
}

TEST_F(ClipboardStoreTest, TrailingSpaceMakesANewEntry) {
  ClipboardStore& store = openStore();
  addText("abc");
  addText("abc ");

  ASSERT_EQ(store.items().size(), 2u);
  EXPECT_EQ(store.items()[0].text, "abc ");
}

TEST_F(ClipboardStoreTest, BlankTextAddsNothingAndLeavesTheFileAlone) {
  ClipboardStore& store = openStore();
  addText("abc");
  putFile(historyFile(), "untouched");
  std::uint64_t revision = store.revision();

  addText(" \t\r\n\u00a0\u2028\u3000");
  addText("");

  EXPECT_EQ(store.items().size(), 1u);
  EXPECT_EQ(store.revision(), revision);
  EXPECT_EQ(contentsOf(historyFile()), "untouched");
}

TEST_F(ClipboardStoreTest, TextReadingLikeThePlaceholderIsKept) {
  ClipboardStore& store = openStore();
  addText("(empty)");

  EXPECT_EQ(store.items().size(), 1u);
}

TEST_F(ClipboardStoreTest, SameImageTwiceKeepsOneEntryAndOneFile) {
  ClipboardStore& store = openStore();
  Bytes png = bytesOf("\x89PNG fake image");
  store.add(CapturedImage{png});
  Uuid imageId = store.items()[0].id;
  std::string fileName = store.items()[0].imageFileName.value_or("");
  addText("between");

  store.add(CapturedImage{png});

  ASSERT_EQ(store.items().size(), 2u);
  EXPECT_EQ(store.items()[0].id, imageId);
  EXPECT_EQ(store.items()[0].imageFileName, fileName);
  EXPECT_EQ(store.items()[0].signature, "I:" + ClipboardStore::sha(png));
  EXPECT_EQ(imageFiles(), std::set<std::string>{fileName});
  EXPECT_EQ(contentsOf(image(fileName)), "\x89PNG fake image");
  EXPECT_NE(fileName, imageId.toString() + ".png");
  EXPECT_EQ(fileName.size(), 36u + 4u);
}

TEST_F(ClipboardStoreTest, FileListOrderMattersAndEmptyListAddsNothing) {
  ClipboardStore& store = openStore();
  store.add(CapturedFiles{{"/a/one.txt", "/b/two.txt"}});
  store.add(CapturedFiles{{"/b/two.txt", "/a/one.txt"}});
  store.add(CapturedFiles{{}});

  ASSERT_EQ(store.items().size(), 2u);
  EXPECT_EQ(store.items()[0].signature, "F:/b/two.txt|/a/one.txt");
  EXPECT_EQ(store.items()[1].signature, "F:/a/one.txt|/b/two.txt");

  store.add(CapturedFiles{{"/a/one.txt", "/b/two.txt"}});
  EXPECT_EQ(store.items().size(), 2u);
  EXPECT_EQ(store.items()[0].signature, "F:/a/one.txt|/b/two.txt");
}

TEST_F(ClipboardStoreTest, ShaIsLowerCaseHex) {
  EXPECT_EQ(ClipboardStore::sha(bytesOf("abc")),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

// The bound

TEST_F(ClipboardStoreTest, CaptureIntoFullHistoryDropsOnlyTheOldestUnpinned) {
  // 205 entries: pinned at 0, 50, 120, 203 and 204; index 202 is the 200th
  // unpinned, an image.
  const std::set<int> pinnedAt = {0, 50, 120, 203, 204};
  std::vector<ClipboardItem> written;
  for (int i = 0; i < 205; ++i)
    written.push_back(textEntry("entry " + std::to_string(i), pinnedAt.contains(i)));
  written[202] = imageEntry("OLDEST.png");
  writeHistory(written);
  putFile(image("OLDEST.png"), "png");
  ClipboardStore& store = openStore();

  addText("newest");

  std::vector<ClipboardItem> expected = written;
  expected.erase(expected.begin() + 202);
  expected.insert(expected.begin(), store.items()[0]);
  EXPECT_EQ(idsOf(store.items()), idsOf(expected));
  EXPECT_FALSE(fs::exists(image("OLDEST.png")));
  EXPECT_EQ(savedHistory().size(), 205u);
}

TEST_F(ClipboardStoreTest, UnpinningBeyondTheBoundWaitsForTheNextCapture) {
  std::vector<ClipboardItem> written;
  for (int i = 0; i < 203; ++i)
    written.push_back(textEntry("entry " + std::to_string(i), i < 3));
  writeHistory(written);
  ClipboardStore& store = openStore();

  for (int i = 0; i < 3; ++i)
    store.togglePin(written[i].id);

  EXPECT_EQ(store.items().size(), 203u);
  EXPECT_EQ(savedHistory().size(), 203u);

  addText("next");
  ASSERT_EQ(store.items().size(), 200u);
  EXPECT_EQ(store.items()[199].id, written[198].id);
}

TEST_F(ClipboardStoreTest, OversizedFileLoadsWholeAndTrimsOnNextCapture) {
  std::vector<ClipboardItem> written;
  for (int i = 0; i < 300; ++i)
    written.push_back(textEntry("entry " + std::to_string(i)));
  writeHistory(written);
  ClipboardStore& store = openStore();
  EXPECT_EQ(store.items().size(), 300u);

  addText("next");

  ASSERT_EQ(store.items().size(), 200u);
  EXPECT_EQ(store.items()[199].id, written[198].id);
  EXPECT_EQ(savedHistory().size(), 200u);
}

TEST_F(ClipboardStoreTest, TrimKeepsPinnedEntryThatSharesAnIdWithADroppedOne) {
  ClipboardItem pinned = imageEntry("PINNED.png", true);
  std::vector<ClipboardItem> written = {pinned};
  for (int i = 0; i < 200; ++i)
    written.push_back(textEntry("entry " + std::to_string(i)));
  ClipboardItem twin = imageEntry("TWIN.png");
  twin.id = pinned.id;
  written.push_back(twin);
  writeHistory(written);
  putFile(image("PINNED.png"), "png");
  putFile(image("TWIN.png"), "png");
  ClipboardStore& store = openStore();

  addText("newest");

  // The two oldest unpinned go: entry 199 and the twin; nothing else.
  ASSERT_EQ(store.items().size(), 201u);
  EXPECT_EQ(store.items()[1].id, pinned.id);
  EXPECT_TRUE(store.items()[1].pinned);
  EXPECT_EQ(store.items()[200].text, "entry 198");
  EXPECT_TRUE(fs::exists(image("PINNED.png")));
  EXPECT_FALSE(fs::exists(image("TWIN.png")));
}

TEST_F(ClipboardStoreTest, TrimDropsByPositionAndKeepsFilesStillNamed) {
  // The first and last entries repeat one id and one file name; only the
  // last lies beyond the bound.
  ClipboardItem kept = imageEntry("SHARED.png");
  std::vector<ClipboardItem> written = {kept};
  for (int i = 0; i < 199; ++i)
    written.push_back(textEntry("entry " + std::to_string(i)));
  ClipboardItem copy = imageEntry("SHARED.png");
  copy.id = kept.id;
  copy.signature = "I:other";
  written.push_back(copy);
  writeHistory(written);
  putFile(image("SHARED.png"), "png");
  ClipboardStore& store = openStore();

  addText("newest");

  ASSERT_EQ(store.items().size(), 200u);
  EXPECT_EQ(store.items()[1].id, kept.id);
  EXPECT_EQ(store.items()[1].signature, "I:SHARED.png");
  EXPECT_TRUE(fs::exists(image("SHARED.png")));
}

// Pins, deletes and clears

TEST_F(ClipboardStoreTest, TogglePinFlipsInPlaceAndSaves) {
  ClipboardStore& store = openStore();
  addText("a");
  addText("b");
  TimePoint created = store.items()[1].createdAt;

  store.togglePin(store.items()[1].id);

  EXPECT_TRUE(store.items()[1].pinned);
  EXPECT_EQ(store.items()[1].text, "a");
  EXPECT_EQ(store.items()[1].createdAt, created);
  EXPECT_TRUE(savedHistory().at(1).pinned);
}

TEST_F(ClipboardStoreTest, UnknownIdChangesNothingAndSavesNothing) {
  ClipboardStore& store = openStore();
  addText("a");
  fileSystem_.clearCalls();
  std::uint64_t revision = store.revision();

  store.togglePin(Uuid::random());
  store.deleteItem(Uuid::random());

  EXPECT_EQ(store.items().size(), 1u);
  EXPECT_EQ(store.revision(), revision);
  EXPECT_TRUE(fileSystem_.callsOf(Op::writeFileAtomically).empty());
}

TEST_F(ClipboardStoreTest, DeletingAPinnedImageRemovesEntryAndFile) {
  ClipboardStore& store = openStore();
  store.add(CapturedImage{bytesOf("png")});
  addText("text");
  const ClipboardItem imageItem = store.items()[1];
  store.togglePin(imageItem.id);

  store.deleteItem(imageItem.id);

  ASSERT_EQ(store.items().size(), 1u);
  EXPECT_EQ(store.items()[0].text, "text");
  EXPECT_TRUE(imageFiles().empty());
  EXPECT_EQ(savedHistory().size(), 1u);
}

TEST_F(ClipboardStoreTest, ClearUnpinnedKeepsPinnedEntriesAndTheirFiles) {
  ClipboardStore& store = openStore();
  store.add(CapturedImage{bytesOf("pinned png")});
  std::string pinnedFile = *store.items()[0].imageFileName;
  store.togglePin(store.items()[0].id);
  store.add(CapturedImage{bytesOf("loose png")});
  addText("text");

  store.clearUnpinned();

  ASSERT_EQ(store.items().size(), 1u);
  EXPECT_TRUE(store.items()[0].pinned);
  EXPECT_EQ(imageFiles(), std::set<std::string>{pinnedFile});
  EXPECT_EQ(idsOf(savedHistory()), idsOf(store.items()));
}

TEST_F(ClipboardStoreTest, ClearAllRemovesPinnedImagesAndLeavesAnEmptyArray) {
  ClipboardStore& store = openStore();
  store.add(CapturedImage{bytesOf("pinned png")});
  store.togglePin(store.items()[0].id);
  store.add(CapturedImage{bytesOf("loose png")});
  addText("text");

  store.clearAll();

  EXPECT_TRUE(store.items().empty());
  EXPECT_TRUE(imageFiles().empty());
  EXPECT_EQ(contentsOf(historyFile()), "[]");
}

// Failures

TEST_F(ClipboardStoreTest, ImageWriteFailureIsLoggedOnceAndRefreshesNothing) {
  ClipboardStore& store = openStore();
  Bytes png = bytesOf("png");
  store.add(CapturedImage{png});
  addText("text");
  const std::vector<ClipboardItem> before = store.items();
  fs::remove_all(images());
  clock_.advance(std::chrono::seconds(5));
  fileSystem_.clearCalls();

  store.add(CapturedImage{png});

  ASSERT_EQ(log_.messages().size(), 1u);
  EXPECT_EQ(log_.messages()[0].rfind("image write failed: ", 0), 0u);
  EXPECT_GT(log_.messages()[0].size(), std::string("image write failed: ").size());
  EXPECT_EQ(idsOf(store.items()), idsOf(before));
  EXPECT_EQ(store.items()[1].createdAt, before[1].createdAt);
  EXPECT_FALSE(fs::exists(images()));
  EXPECT_EQ(fileSystem_.callsOf(Op::writeFileAtomically).size(), 1u);
}

TEST_F(ClipboardStoreTest, SaveFailureIsLoggedOnceAndMemoryStaysIntact) {
  ClipboardStore& store = openStore();
  // A folder in the file's place makes the final rename fail.
  fs::create_directories(historyFile());

  addText("kept in memory");

  ASSERT_EQ(log_.messages().size(), 1u);
  EXPECT_EQ(log_.messages()[0].rfind("save failed: ", 0), 0u);
  EXPECT_GT(log_.messages()[0].size(), std::string("save failed: ").size());
  ASSERT_EQ(store.items().size(), 1u);

  fs::remove(historyFile());
  addText("second");
  std::vector<ClipboardItem> saved = savedHistory();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[1].text, "kept in memory");
  EXPECT_EQ(log_.messages().size(), 1u);
}

TEST_F(ClipboardStoreTest, InjectedSaveFailureIsLoggedWithItsDescription) {
  ClipboardStore& store = openStore();
  fileSystem_.failWhen(
      Op::writeFileAtomically, [&](const std::string& path) { return path == historyFile(); },
      "No space left on device");

  addText("a");

  EXPECT_EQ(log_.messages(), std::vector<std::string>{"save failed: No space left on device"});
  EXPECT_EQ(store.items().size(), 1u);
}

// Files the store creates

TEST_F(ClipboardStoreTest, FilesAreWrittenOwnerOnlyFromTheFirstByte) {
  ClipboardStore& store = openStore();
  store.add(CapturedImage{bytesOf("png")});
  std::string imagePath = *store.imageURL(store.items()[0]);

  std::vector<FaultyFileSystem::Call> writes = fileSystem_.callsOf(Op::writeFileAtomically);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].path, imagePath);
  EXPECT_EQ(writes[0].mode, 0600u);
  EXPECT_EQ(writes[1].path, historyFile());
  EXPECT_EQ(writes[1].mode, 0600u);
  EXPECT_EQ(modeOf(imagePath), 0600u);
  EXPECT_EQ(modeOf(historyFile()), 0600u);
}

// Image names from the file

class ClipboardStoreImageNameTest : public ClipboardStoreTest {
 protected:
  void SetUp() override {
    putFile(folder() + "/victim.png", "outside");
    putFile(temp_.file("victim.png"), "further outside");
    written_ = {imageEntry("../victim.png"),
                imageEntry(""),
                imageEntry("."),
                imageEntry(".."),
                imageEntry("sub/x.png"),
                imageEntry("/victim.png"),
                imageEntry(std::string("a\0b", 3))};
    writeHistory(written_);
    openStore();
    fileSystem_.clearCalls();
  }

  bool victimsIntact() const {
    return contentsOf(folder() + "/victim.png") == "outside" &&
           contentsOf(temp_.file("victim.png")) == "further outside";
  }

  std::vector<ClipboardItem> written_;
};

TEST_F(ClipboardStoreImageNameTest, EntriesLoadAndShowButHaveNoFile) {
  ASSERT_EQ(store_->items().size(), written_.size());
  for (const ClipboardItem& item : store_->items()) {
    EXPECT_EQ(item.displayText(), "Image");
    EXPECT_FALSE(store_->imageURL(item)) << *item.imageFileName;
  }
}

TEST_F(ClipboardStoreImageNameTest, WriteBackReadsNothing) {
  store_->writeToPasteboard(store_->items()[0]);

  EXPECT_TRUE(fileSystem_.callsOf(Op::readFile).empty());
  EXPECT_EQ(pasteboard_.writes, std::vector<std::string>{"clear"});
}

TEST_F(ClipboardStoreImageNameTest, DeleteAndClearRemoveNoFile) {
  store_->deleteItem(store_->items()[0].id);
  store_->clearAll();

  EXPECT_TRUE(fileSystem_.callsOf(Op::removeFile).empty());
  EXPECT_TRUE(victimsIntact());
  EXPECT_EQ(contentsOf(historyFile()), "[]");
}

TEST_F(ClipboardStoreImageNameTest, TrimRemovesNoFile) {
  std::vector<ClipboardItem> full;
  for (int i = 0; i < 200; ++i)
    full.push_back(textEntry("entry " + std::to_string(i)));
  full.insert(full.end(), written_.begin(), written_.end());
  writeHistory(full);
  ClipboardStore& store = openStore();
  fileSystem_.clearCalls();

  store.add(CapturedText{"newest", std::nullopt});

  EXPECT_EQ(store.items().size(), 200u);
  EXPECT_TRUE(fileSystem_.callsOf(Op::removeFile).empty());
  EXPECT_TRUE(victimsIntact());
}

// Observers

TEST_F(ClipboardStoreTest, ObserversHearEveryChangeUntilRemoved) {
  ClipboardStore& store = openStore();
  int calls = 0;
  int token = store.addObserver([&] { ++calls; });

  addText("a");
  addText("  ");
  store.togglePin(store.items()[0].id);
  store.deleteItem(store.items()[0].id);
  store.removeObserver(token);
  addText("b");

  EXPECT_EQ(calls, 3);
}

TEST_F(ClipboardStoreTest, RevisionMovesWithEveryChange) {
  ClipboardStore& store = openStore();
  std::set<std::uint64_t> seen = {store.revision()};

  addText("a");
  seen.insert(store.revision());
  addText("a");
  seen.insert(store.revision());
  store.togglePin(store.items()[0].id);
  seen.insert(store.revision());
  store.clearAll();
  seen.insert(store.revision());

  EXPECT_EQ(seen.size(), 5u);
}
