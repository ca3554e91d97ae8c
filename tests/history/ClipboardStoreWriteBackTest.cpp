// Putting one entry back on the pasteboard: the writes of each kind in their
// order, the change count read after them, and a history left untouched.
#include "history/ClipboardStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "FakeClock.h"
#include "FakePasteboard.h"
#include "FaultyFileSystem.h"
#include "ScopedTestLog.h"
#include "TempDir.h"

namespace {

Bytes bytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

std::string contentsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class ClipboardStoreWriteBackTest : public ::testing::Test {
 protected:
  ClipboardStoreWriteBackTest() {
    fileSystem_.setApplicationSupportDirectory(temp_.path());
    store_ = std::make_unique<ClipboardStore>(fileSystem_, clock_, pasteboard_);
  }

  /// Writes the entry back; checks that the returned count is the one the
  /// pasteboard shows after the writes and that the clear moved it.
  void writeBack(const ClipboardItem& item) {
    std::int64_t before = pasteboard_.changeCount();
    std::int64_t returned = store_->writeToPasteboard(item);
    EXPECT_EQ(returned, pasteboard_.changeCount());
    EXPECT_GT(returned, before);
  }

  TempDir temp_;
  FaultyFileSystem fileSystem_;
  FakeClock clock_;
  FakePasteboard pasteboard_;
  ScopedTestLog log_;
  std::unique_ptr<ClipboardStore> store_;
};

TEST_F(ClipboardStoreWriteBackTest, TextLeavesOnlyThePlainString) {
  pasteboard_.copy({{}, std::vector<std::string>{"/old"}, {}, "old"});
  store_->add(CapturedText{" hello\n", std::nullopt});

  writeBack(store_->items()[0]);

  EXPECT_EQ(pasteboard_.writes, (std::vector<std::string>{"clear", "setString"}));
  EXPECT_EQ(pasteboard_.contents().string, " hello\n");
  EXPECT_FALSE(pasteboard_.contents().filePaths);
}

TEST_F(ClipboardStoreWriteBackTest, RtfGoesFirstThenThePlainString) {
  store_->add(CapturedText{"bold", bytesOf("{\\rtf1 bold}")});

  writeBack(store_->items()[0]);

  EXPECT_EQ(pasteboard_.writes, (std::vector<std::string>{"clear", "setData:rtf", "setString"}));
  EXPECT_EQ(pasteboard_.contents().data.at(PasteboardDataType::rtf), bytesOf("{\\rtf1 bold}"));
  EXPECT_EQ(pasteboard_.contents().string, "bold");
}

TEST_F(ClipboardStoreWriteBackTest, EntryWithoutPayloadLeavesThePasteboardEmpty) {
  ClipboardItem rtfWithoutText;
  rtfWithoutText.kind = ClipboardItemKind::rtf;
  rtfWithoutText.signature = "T:";
  ClipboardItem filesWithoutList;
  filesWithoutList.kind = ClipboardItemKind::files;
  ClipboardItem emptyList = filesWithoutList;
  emptyList.filePaths.emplace();

  for (const ClipboardItem& item : {rtfWithoutText, filesWithoutList, emptyList}) {
    pasteboard_.writes.clear();
    writeBack(item);
    EXPECT_EQ(pasteboard_.writes, std::vector<std::string>{"clear"});
  }
}

TEST_F(ClipboardStoreWriteBackTest, ImagePutsTheFileBytesAsPng) {
  Bytes png = bytesOf("\x89PNG\r\n\x1a\n body");
  store_->add(CapturedImage{png});

  writeBack(store_->items()[0]);

  EXPECT_EQ(pasteboard_.writes, (std::vector<std::string>{"clear", "setData:png"}));
  EXPECT_EQ(pasteboard_.contents().data.at(PasteboardDataType::png), png);
}

TEST_F(ClipboardStoreWriteBackTest, MissingImageFileLeavesThePasteboardEmpty) {
  store_->add(CapturedImage{bytesOf("png")});
  const ClipboardItem item = store_->items()[0];
  std::filesystem::remove(*store_->imageURL(item));

  writeBack(item);

  EXPECT_EQ(pasteboard_.writes, std::vector<std::string>{"clear"});
  EXPECT_TRUE(pasteboard_.contents().data.empty());
  EXPECT_TRUE(log_.messages().empty());
}

TEST_F(ClipboardStoreWriteBackTest, FilesArePutInOrderWhetherOrNotTheyExist) {
  std::string existing = temp_.file("present.txt");
  std::ofstream(existing) << "x";
  std::vector<std::string> paths = {"/gone/zeta.pdf", existing, "/gone/alpha.pdf"};
  store_->add(CapturedFiles{paths});

  writeBack(store_->items()[0]);

  EXPECT_EQ(pasteboard_.writes, (std::vector<std::string>{"clear", "writeFileURLs"}));
  EXPECT_EQ(pasteboard_.contents().filePaths, paths);
}

TEST_F(ClipboardStoreWriteBackTest, PastingAnOlderEntryLeavesHistoryAndFileUntouched) {
  for (int i = 0; i < 10; ++i) {
    store_->add(CapturedText{"entry " + std::to_string(i), std::nullopt});
    clock_.advance(std::chrono::seconds(1));
  }
  const std::vector<ClipboardItem> before = store_->items();
  const std::string file = contentsOf(store_->historyURL());
  const std::uint64_t revision = store_->revision();
  fileSystem_.clearCalls();

  writeBack(before[5]);

  ASSERT_EQ(store_->items().size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(store_->items()[i].id, before[i].id);
    EXPECT_EQ(store_->items()[i].createdAt, before[i].createdAt);
  }
  EXPECT_EQ(store_->revision(), revision);
  EXPECT_EQ(contentsOf(store_->historyURL()), file);
  EXPECT_TRUE(fileSystem_.callsOf(FaultyFileSystem::Operation::writeFileAtomically).empty());
  EXPECT_EQ(pasteboard_.contents().string, "entry 4");
}
