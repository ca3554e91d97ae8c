// The history store against real files in a scratch folder.
#include "history/ClipboardStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <future>
#include <set>
#include <thread>

#include "StoreFixture.h"
#include "history/HistoryCodec.h"

namespace fs = std::filesystem;

namespace {

using Op = FaultyFileSystem::Operation;
using Strings = std::vector<std::string>;

unsigned modeOf(const std::string& path) {
  return static_cast<unsigned>(fs::status(path).permissions()) & 07777;
}

Bytes bytesOf(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

ClipboardItem imageEntry(const std::string& fileName) {
  ClipboardItem item;
  item.kind = ClipboardItemKind::image;
  item.imageFileName = fileName;
  item.setSignature("I:" + fileName);
  return item;
}

std::vector<Uuid> idsOf(const std::vector<ClipboardItem>& items) {
  std::vector<Uuid> ids(items.size());
  std::transform(items.begin(), items.end(), ids.begin(), [](const auto& item) { return item.id; });
  return ids;
}

class ClipboardStoreTest : public StoreFixture {
 protected:
  std::string image(const std::string& name) const { return store->imagesURL() + "/" + name; }
  void put(const std::string& path, std::string_view contents) {
    ASSERT_TRUE(files.writeFileAtomically(path, contents, 0600).ok()) << path;
  }
  std::string read(const std::string& path) {
    settle();
    return files.readFile(path).value_or("");
  }

  /// Writes `items` as the history file and starts a store on it.
  void load(const std::vector<ClipboardItem>& items) {
    put(store->historyURL(), HistoryCodec::encode(items));
    reopen();
  }

  std::vector<ClipboardItem> saved() {
    return HistoryCodec::decode(read(store->historyURL())).value_or(std::vector<ClipboardItem>{});
  }

  std::set<std::string> imageFiles() {
    settle();
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(store->imagesURL()))
      names.insert(entry.path().filename().string());
    return names;
  }
};

TEST_F(ClipboardStoreTest, EveryStartMakesTheFoldersPrivate) {
  fs::permissions(store->baseURL(), fs::perms(0755));
  fs::permissions(store->imagesURL(), fs::perms(0777));
  files.clearCalls();
  reopen();
  EXPECT_EQ(modeOf(store->baseURL()), 0700u);
  EXPECT_EQ(modeOf(store->imagesURL()), 0700u);
  EXPECT_EQ(files.callsOf(Op::excludeFromBackup).size(), 1u);
}

TEST_F(ClipboardStoreTest, UndecodableHistoryIsSetAsideInPlaceOfTheOlderOne) {
  const std::string corrupt = store->baseURL() + "/history.corrupt.json";
  put(store->historyURL(), "[{\"id\":1}]");
  put(corrupt, "older");
  put(image("KEPT.png"), "png");
  reopen();
  EXPECT_EQ(read(corrupt), "[{\"id\":1}]");
  EXPECT_EQ(log.messages(), Strings{"history.json was unreadable; moved to history.corrupt.json"});
  // The set-aside history may still name its images.
  EXPECT_TRUE(fs::exists(image("KEPT.png")));
  addText("fresh");
  EXPECT_EQ(saved().size(), 1u);
}

// Capture

TEST_F(ClipboardStoreTest, CapturesAreKeptAsTheyCameUnderTheirKindsKey) {
  const Captured rich = CapturedText{"  bold\n", bytesOf("{\\rtf1 bold}")};
  store->add(rich);
  addText("abc");
  addText("abc ");  // the untrimmed text is the key
  add(CapturedFiles{{"/b/two.txt", "/a/one.txt"}});
  add(CapturedFiles{{"/a/one.txt", "/b/two.txt"}});  // and the order of paths
  const std::vector<ClipboardItem>& items = store->items();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[4].kind, ClipboardItemKind::rtf);
  EXPECT_EQ(items[4].text, "  bold\n");
  EXPECT_EQ(items[4].rtfData, bytesOf("{\\rtf1 bold}"));
  EXPECT_EQ(std::get<CapturedText>(rich).text, "  bold\n");  // copied, not taken
  EXPECT_EQ(items[3].kind, ClipboardItemKind::text);
  EXPECT_EQ(items[0].kind, ClipboardItemKind::files);
  EXPECT_EQ(items[0].filePaths, (PathList{"/a/one.txt", "/b/two.txt"}));
  EXPECT_EQ(items[0].signature(), "F:/a/one.txt|/b/two.txt");
  EXPECT_FALSE(items[0].storedSignature) << "the paths spell it already";
  EXPECT_EQ(idsOf(saved()), idsOf(items));
}

TEST_F(ClipboardStoreTest, BlankTextAndEmptyFileListsChangeNothingOthersTellObservers) {
  addText("abc");
  put(store->historyURL(), "untouched");
  const std::uint64_t revision = store->revision();
  int heard = 0;
  const int token = store->addObserver([&] { ++heard; });
  const Captured blank = CapturedText{" \t\r\n\u00a0\u2028\u3000", std::nullopt};
  store->add(blank);
  store->add(CapturedText{" \t\u3000", std::nullopt});
  store->add(CapturedText{"", std::nullopt});
  store->add(CapturedFiles{});
  EXPECT_EQ(store->items().size(), 1u);
  EXPECT_EQ(store->revision(), revision);
  EXPECT_EQ(read(store->historyURL()), "untouched");
  EXPECT_EQ(heard, 0);
  store->togglePin(item(addText("abc")).id);
  store->removeObserver(token);
  addText("after");
  EXPECT_EQ(heard, 2);
}

TEST_F(ClipboardStoreTest, ImageAndHistoryAreWrittenOwnerOnlyFromTheFirstByte) {
  files.clearCalls();
  const ClipboardItem& entry = item(add(CapturedImage{bytesOf("abc")}));
  // Keyed by the SHA-256 of its bytes.
  EXPECT_EQ(entry.signature(),
            "I:ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string path = store->imageURL(entry).value_or("");
  EXPECT_EQ(read(path), "abc");
  const std::vector<FaultyFileSystem::Call> writes = files.callsOf(Op::writeFileAtomically);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].path, path);
  EXPECT_EQ(writes[0].mode, 0600u);
  EXPECT_EQ(writes[1].path, store->historyURL());
  EXPECT_EQ(writes[1].mode, 0600u);
  EXPECT_EQ(modeOf(path), 0600u);
  EXPECT_EQ(modeOf(store->historyURL()), 0600u);
}

TEST_F(ClipboardStoreTest, RecaptureMovesTheKnownEntryToTheFrontWithAFreshTime) {
  const Uuid abc = addPinned("abc");
  const Uuid image = add(CapturedImage{bytesOf("png")});
  addText("xyz");
  store->add(CapturedText{"abc", bytesOf("{\\rtf1 abc}")});
  // The known entry keeps its id, pin and payload: the rich form is not taken.
  const ClipboardItem& front = store->items()[0];
  EXPECT_EQ(front.id, abc);
  EXPECT_TRUE(front.pinned);
  EXPECT_EQ(front.createdAt, clock.now());
  EXPECT_EQ(front.kind, ClipboardItemKind::text);
  EXPECT_FALSE(front.rtfData);
  // A second copy of an image leaves one entry and one file.
  add(CapturedImage{bytesOf("png")});
  EXPECT_EQ(store->items()[0].id, image);
  EXPECT_EQ(imageFiles(), std::set<std::string>{*item(image).imageFileName});
  EXPECT_EQ(idsOf(saved()), idsOf(store->items()));
  // A file written elsewhere may key a text by another one: the key decides.
  ClipboardItem foreign;
  foreign.text = "old";
  foreign.setSignature("T:new");
  load({foreign});
  addText("new");
  addText("old");
  EXPECT_EQ(idsOf(store->items()), (std::vector<Uuid>{store->items()[0].id, foreign.id}));
  EXPECT_EQ(saved()[1].signature(), "T:new");
}

TEST_F(ClipboardStoreTest, CaptureBeyondTheBoundDropsTheOldestUnpinnedByPosition) {
  // A loaded file may hold more than the bound and repeat ids: 201 unpinned
  // here, pinned at 0, 50 and 203, and the oldest shares the id of the first.
  std::vector<ClipboardItem> written(204);
  written[0] = imageEntry("PINNED.png");
  written[202] = imageEntry("OLDEST.png");
  written[0].pinned = written[50].pinned = written[203].pinned = true;
  written[202].id = written[0].id;
  put(image("PINNED.png"), "png");
  put(image("OLDEST.png"), "png");
  load(written);
  ASSERT_EQ(store->items().size(), 204u);  // a file loads whole
  addText("newest");
  std::vector<ClipboardItem> expected = written;
  expected.erase(expected.begin() + 201, expected.begin() + 203);
  expected.insert(expected.begin(), store->items()[0]);
  EXPECT_EQ(idsOf(store->items()), idsOf(expected));
  EXPECT_TRUE(store->items()[1].pinned);
  EXPECT_TRUE(fs::exists(image("PINNED.png")));
  EXPECT_FALSE(fs::exists(image("OLDEST.png")));
  EXPECT_EQ(saved().size(), 203u);
}

// Pins, deletes and clears

TEST_F(ClipboardStoreTest, PinsDeletesAndClearsSaveAndTakeTheImagesOfWhatGoes) {
  const Uuid pinned = add(CapturedImage{bytesOf("pinned png")});
  const Uuid deleted = add(CapturedImage{bytesOf("deleted png")});
  const TimePoint created = item(pinned).createdAt;
  store->togglePin(pinned);
  EXPECT_EQ(store->items()[1].id, pinned);  // in place, with its time
  EXPECT_EQ(store->items()[1].createdAt, created);
  EXPECT_TRUE(saved().at(1).pinned);
  store->deleteItem(deleted);
  const std::set<std::string> kept = {*item(pinned).imageFileName};
  EXPECT_EQ(imageFiles(), kept);
  EXPECT_EQ(saved().size(), 1u);
  add(CapturedImage{bytesOf("loose png")});
  addText("text");
  store->clearUnpinned();
  EXPECT_EQ(idsOf(store->items()), std::vector<Uuid>{pinned});
  EXPECT_EQ(imageFiles(), kept);
  EXPECT_EQ(idsOf(saved()), idsOf(store->items()));
  store->clearAll();
  EXPECT_TRUE(store->items().empty());
  EXPECT_TRUE(imageFiles().empty());
  EXPECT_EQ(read(store->historyURL()), "[]");
}

TEST_F(ClipboardStoreTest, ImageStillNamedByAnotherEntryIsKeptWhateverTheCase) {
  // A loaded file may name one image from several entries; on a
  // case-insensitive volume two spellings name one file.
  const ClipboardItem dropped = imageEntry("SHARED.PNG");
  put(image("SHARED.PNG"), "png");
  load({imageEntry("shared.png"), dropped});
  store->deleteItem(dropped.id);
  EXPECT_EQ(store->items().size(), 1u);
  EXPECT_TRUE(fs::exists(image("SHARED.PNG")));
}

TEST_F(ClipboardStoreTest, CraftedImageNamesCountAsAbsentForEveryFileOperation) {
  put(store->baseURL() + "/victim.png", "outside");
  std::vector<ClipboardItem> written;
  for (const std::string& name :
       Strings{"", ".", "..", "../victim.png", "sub/x.png", "/victim.png", std::string("a\0b", 3)})
    written.push_back(imageEntry(name));
  load(written);
  files.clearCalls();
  for (std::size_t i = 0; i < written.size(); ++i) {
    const ClipboardItem& crafted = store->items()[i];
    SCOPED_TRACE(*crafted.imageFileName);
    EXPECT_FALSE(store->imageURL(crafted));
    pasteboard.writes.clear();
    store->writeToPasteboard(crafted);
    EXPECT_EQ(pasteboard.writes, Strings{"clear"});
  }
  store->deleteItem(written[0].id);
  store->clearAll();
  settle();
  EXPECT_TRUE(files.callsOf(Op::readFile).empty());
  EXPECT_TRUE(files.callsOf(Op::removeFile).empty());
  EXPECT_EQ(read(store->baseURL() + "/victim.png"), "outside");
}

// Write-back

TEST_F(ClipboardStoreTest, WriteBackClearsThenPutsEachKindsFormAndReturnsTheNewCount) {
  const Bytes png = bytesOf("\x89PNG\r\n body");
  const Strings paths = {"/gone/zeta.pdf", dir.path(), "/gone/a.pdf"};
  const Uuid text = add(CapturedText{" hello\n", std::nullopt});
  const Uuid rtf = add(CapturedText{"bold", bytesOf("{\\rtf1 bold}")});
  // HTML leaves the kind alone and goes back beside either form.
  const Uuid html = add(CapturedText{"link", std::nullopt, bytesOf("<a href=x>link</a>")});
  const Uuid both = add(CapturedText{"both", bytesOf("{\\rtf1 both}"), bytesOf("<b>both</b>")});
  EXPECT_EQ(item(html).kind, ClipboardItemKind::text);
  EXPECT_EQ(item(both).kind, ClipboardItemKind::rtf);
  const Uuid image = add(CapturedImage{png});
  const Uuid fileList = add(CapturedFiles{paths});
  const std::vector<ClipboardItem> before = store->items();
  files.clearCalls();
  const auto writeBack = [&](const Uuid& id) {
    pasteboard.writes.clear();
    const std::int64_t returned = store->writeToPasteboard(item(id));  // read after the writes
    EXPECT_EQ(returned, pasteboard.changeCount());
    return pasteboard.writes;
  };
  EXPECT_EQ(writeBack(fileList), (Strings{"clear", "writeFileURLs"}));
  EXPECT_EQ(pasteboard.contents().filePaths, paths);
  EXPECT_EQ(writeBack(image), (Strings{"clear", "setData:png"}));
  EXPECT_EQ(pasteboard.contents().data.at(PasteboardDataType::png), png);
  EXPECT_EQ(writeBack(rtf), (Strings{"clear", "setData:rtf", "setString"}));
  EXPECT_EQ(pasteboard.contents().data.at(PasteboardDataType::rtf), bytesOf("{\\rtf1 bold}"));
  EXPECT_EQ(writeBack(html), (Strings{"clear", "setData:html", "setString"}));
  EXPECT_EQ(pasteboard.contents().data.at(PasteboardDataType::html), bytesOf("<a href=x>link</a>"));
  EXPECT_EQ(writeBack(both), (Strings{"clear", "setData:rtf", "setData:html", "setString"}));
  EXPECT_EQ(writeBack(text), (Strings{"clear", "setString"}));
  EXPECT_EQ(pasteboard.contents().string, " hello\n");
  fs::remove(*store->imageURL(item(image)));
  EXPECT_EQ(writeBack(image), Strings{"clear"});
  // Writing back changes nothing in the history.
  EXPECT_EQ(idsOf(store->items()), idsOf(before));
  EXPECT_TRUE(files.callsOf(Op::writeFileAtomically).empty());
  EXPECT_TRUE(log.messages().empty());
}

TEST_F(ClipboardStoreTest, FailedWritesAreLoggedAndChangeNothingSaved) {
  add(CapturedImage{bytesOf("png")});
  addText("text");
  const std::vector<ClipboardItem> before = store->items();
  fs::remove_all(store->imagesURL());
  store->add(CapturedImage{bytesOf("png")});  // nothing added, nothing refreshed
  EXPECT_EQ(idsOf(store->items()), idsOf(before));
  EXPECT_EQ(store->items()[1].createdAt, before[1].createdAt);
  // A folder in the file's place makes the final rename of a save fail.
  fs::remove(store->historyURL());
  fs::create_directories(store->historyURL());
  Strings told;
  store->onFirstSaveFailure = [&](const std::string& error) { told.push_back(error); };
  store->add(CapturedText{"kept in memory", {}});
  for (int i = 0; i < 1000 && mainLoop.pendingTasks() == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(log.messages().size(), 1u);  // told on the main loop, not by the writer
  mainLoop.runPending();
  addText("still failing");
  const auto saveFailed = testing::MatchesRegex("save failed: .+");
  EXPECT_THAT(log.messages(), testing::ElementsAre(testing::MatchesRegex("image write failed: .+"),
                                                   saveFailed, saveFailed));
  EXPECT_EQ(told.size(), 1u);
  fs::remove(store->historyURL());
  addText("second");
  EXPECT_EQ(saved().size(), 5u);
}

// The writer thread, held back at the file system

TEST_F(ClipboardStoreTest, ChangesDuringAHeldWriteWaitAsOneSnapshotThatQuitWaitsFor) {
  const Uuid image = add(CapturedImage{bytesOf("png")});
  const std::string imagePath = *store->imageURL(item(image));
  files.clearCalls();
  std::promise<void> held;
  std::promise<void> release;
  std::thread::id writing;
  files.beforeWrite = [&, first = true]() mutable {
    writing = std::this_thread::get_id();
    if (std::exchange(first, false))
      held.set_value(), release.get_future().wait();
  };
  store->add(CapturedText{"a", {}});
  ASSERT_EQ(held.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
  store->deleteItem(image);
  store->add(CapturedText{"b", {}});
  store->togglePin(store->items()[0].id);
  EXPECT_FALSE(store->finishWrites(std::chrono::steady_clock::now()));
  EXPECT_TRUE(fs::exists(imagePath));  // still named by the file being written
  const std::vector<ClipboardItem> expected = store->items();
  EXPECT_TRUE(expected[0].text.sharesWith(store->items()[0].text));  // copied without its bytes
  release.set_value();
  store.reset();  // as at quit: waits for the write under way and the one waiting
  const std::vector<FaultyFileSystem::Call> writes = files.callsOf(Op::writeFileAtomically);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(HistoryCodec::decode(writes[0].contents).value().size(), 2u);
  const std::vector<ClipboardItem> last = HistoryCodec::decode(writes[1].contents).value();
  EXPECT_EQ(idsOf(last), idsOf(expected));
  EXPECT_TRUE(last.front().pinned);
  EXPECT_FALSE(fs::exists(imagePath));
  // Only the writing thread gave way to the main one.
  EXPECT_NE(writing, std::this_thread::get_id());
  EXPECT_EQ(priority.lowered(), std::vector<std::thread::id>{writing});
}

// What an interrupted or failing run leaves behind

TEST_F(ClipboardStoreTest, AFailedSaveLeavesTheImagesItDroppedToTheNextWrite) {
  const std::string name = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F.png";
  const struct {
    const char* name;
    std::function<void(ClipboardStore&, const Uuid&)> drop;
  } cases[] = {
      {"delete", [](ClipboardStore& s, const Uuid& id) { s.deleteItem(id); }},
      {"clearUnpinned", [](ClipboardStore& s, const Uuid&) { s.clearUnpinned(); }},
      {"clearAll", [](ClipboardStore& s, const Uuid&) { s.clearAll(); }},
      {"trimming add",
       [](ClipboardStore& s, const Uuid&) {
         s.add(CapturedText{"new", {}});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // 200 unpinned entries, the image the oldest, so one more capture trims it.
    std::vector<ClipboardItem> written(ClipboardStore::maxItems - 1);
    written.push_back(imageEntry(name));
    put(image(name), "png");
    load(written);
    files.failWhen(
        Op::writeFileAtomically,
        [&](const std::string& path) { return path == store->historyURL(); }, "disk full");
    c.drop(*store, written.back().id);
    settle();
    files.clearFailures();
    EXPECT_TRUE(fs::exists(image(name)));
    EXPECT_EQ(saved().back().imageFileName, name);
    addText("written");  // takes the image on once the file no longer names it
    EXPECT_FALSE(fs::exists(image(name)));
  }
}

TEST_F(ClipboardStoreTest, StartSweepsOurTemporariesAndUnnamedImagesAndNothingElse) {
  const std::string named = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F.png";
  const std::string orphan = "0F8FAD5B-D9CB-469F-A165-70867728950E.png";
  const std::string base = store->baseURL() + "/";
  const Strings swept = {base + ".history.json.tmp-0123456789abcdef",
                         base + ".debug.log.tmp-fedcba9876543210", image(orphan),
                         image("." + orphan + ".tmp-00112233445566aa")};
  const Strings kept = {image(named),
                        image("NAMED-ELSEWHERE.png"),
                        image("0f8fad5b-d9cb-469f-a165-70867728950e.png"),
                        image("notes.txt"),
                        base + ".history.json.tmp-short",
                        base + ".history.json.tmp-0123456789ABCDEF",
                        base + "history.json.tmp-0123456789abcdef",
                        base + ".other.json.tmp-0123456789abcdef"};
  for (const std::string& path : swept)
    put(path, "left over");
  for (const std::string& path : kept)
    put(path, "keep");
  ClipboardItem lowerCase = imageEntry(named);
  lowerCase.imageFileName = "e621e1f8-c36c-495a-93fc-0c247a3e6e5f.png";
  load({lowerCase});
  for (const std::string& path : swept)
    EXPECT_FALSE(fs::exists(path)) << path;
  for (const std::string& path : kept)
    EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_EQ(log.messages(), Strings{"swept 3 temporary files and 1 unnamed images"});

  // A history that cannot be read says nothing about which images are wanted.
  put(image(orphan), "png");
  put(store->historyURL(), "not json");
  reopen();
  EXPECT_TRUE(fs::exists(image(orphan)));
}

}  // namespace
