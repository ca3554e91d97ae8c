// The monitor feeding a real store on a real (temporary) disk: copies,
// a duplicate, a paste-back that must not come round again, and the next
// genuine copy, checked in the history file that ends up on disk.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "FakeImageConverter.h"
#include "FakePasteboard.h"
#include "FakeRtfConverter.h"
#include "ManualMainLoop.h"
#include "TempDir.h"
#include "capture/ClipboardMonitor.h"
#include "history/ClipboardStore.h"
#include "history/HistoryCodec.h"
#include "platform/FileSystem.h"

namespace {

// Points the per-user folders at a scratch folder for one test and puts the
// old values back afterwards.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name))
      old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

const Bytes pngBytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
const Bytes rtfBytes{'{', '\\', 'r', 't', 'f', '1', ' ', 'g', 'a', 'm', 'm', 'a', '}'};

class CaptureIntegrationTest : public ::testing::Test {
 protected:
  CaptureIntegrationTest() {
    pasteboard.copyText("on the pasteboard before launch");
    monitor = std::make_shared<ClipboardMonitor>(pasteboard, imageConverter, rtfConverter, loop);
    monitor->onNewItem = [this](const Captured& value) { store.add(value); };
    monitor->start();
  }

  /// Another application's copy, seen at the next poll a second later.
  void copyAndPoll(const FakePasteboard::Offer& offer) {
    clock.advance(std::chrono::seconds(1));
    pasteboard.copy(offer);
    loop.advance(ClipboardMonitor::pollInterval);
  }

  static FakePasteboard::Offer text(const std::string& value) {
    FakePasteboard::Offer offer;
    offer.string = value;
    return offer;
  }

  TempDir temp;
  ScopedEnvironment home{"HOME", temp.path()};
  ScopedEnvironment dataHome{"XDG_DATA_HOME", temp.file("data")};
  std::unique_ptr<FileSystem> fileSystem = FileSystem::createReal();
  FakeClock clock;
  FakePasteboard pasteboard;
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  ManualMainLoop loop;
  ClipboardStore store{*fileSystem, clock, pasteboard};
  std::shared_ptr<ClipboardMonitor> monitor;
};

TEST_F(CaptureIntegrationTest, CopyDuplicatePasteAndNextCopyEndInTheHistoryFile) {
  // Never the user's own history folder.
  ASSERT_EQ(store.historyURL().rfind(temp.path() + "/", 0), 0U) << store.historyURL();
  loop.advance(1.0);
  EXPECT_TRUE(store.items().empty());

  copyAndPoll(text("alpha"));
  FakePasteboard::Offer image;
  image.data[PasteboardDataType::png] = pngBytes;
  image.string = "image caption";
  copyAndPoll(image);
  copyAndPoll(text("alpha"));
  ASSERT_EQ(store.items().size(), 2U);
  EXPECT_EQ(store.items()[0].text, "alpha");
  EXPECT_EQ(store.items()[1].kind, ClipboardItemKind::image);

  // Paste the image back, as the popup does.
  const ClipboardItem pasted = store.items()[1];
  const auto revision = store.revision();
  monitor->ignoreChangeCount = store.writeToPasteboard(pasted);
  EXPECT_EQ(pasteboard.contents().data.at(PasteboardDataType::png), pngBytes);
  loop.advance(1.0);
  EXPECT_EQ(store.revision(), revision);
  ASSERT_EQ(store.items().size(), 2U);
  EXPECT_EQ(store.items()[1].createdAt, pasted.createdAt);

  FakePasteboard::Offer rich = text("gamma");
  rich.data[PasteboardDataType::rtf] = rtfBytes;
  copyAndPoll(rich);

  const auto json = fileSystem->readFile(store.historyURL());
  ASSERT_TRUE(json.has_value());
  const auto onDisk = HistoryCodec::decode(*json);
  ASSERT_TRUE(onDisk.has_value());
  ASSERT_EQ(onDisk->size(), 3U);
  EXPECT_EQ((*onDisk)[0].kind, ClipboardItemKind::rtf);
  EXPECT_EQ((*onDisk)[0].text, "gamma");
  EXPECT_EQ((*onDisk)[0].rtfData, rtfBytes);
  EXPECT_EQ((*onDisk)[1].kind, ClipboardItemKind::text);
  EXPECT_EQ((*onDisk)[1].text, "alpha");
  EXPECT_EQ((*onDisk)[2].kind, ClipboardItemKind::image);
  EXPECT_EQ((*onDisk)[2].id, pasted.id);
  ASSERT_TRUE((*onDisk)[2].imageFileName.has_value());
  const auto imageFile =
      fileSystem->readFile(store.imagesURL() + "/" + *(*onDisk)[2].imageFileName);
  ASSERT_TRUE(imageFile.has_value());
  EXPECT_EQ(Bytes(imageFile->begin(), imageFile->end()), pngBytes);
}

}  // namespace
