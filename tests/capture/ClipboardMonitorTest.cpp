// The monitor's poll against a fake pasteboard: what one change yields, in
// which order of preference, under which vetoes and limits, and the timer.
#include "capture/ClipboardMonitor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "FakeImageConverter.h"
#include "FakePasteboard.h"
#include "FakeRtfConverter.h"
#include "ManualMainLoop.h"

namespace {

const Bytes pngBytes{0x89, 'P', 'N', 'G', 1, 2, 3};
const Bytes tiffBytes{'I', 'I', 42, 0, 9, 9};
const Bytes convertedPng{0x89, 'P', 'N', 'G', 7, 7};
const Bytes rtfBytes{'{', '\\', 'r', 't', 'f', '1', ' ', 'h', 'i', '}'};

class ClipboardMonitorTest : public ::testing::Test {
 protected:
  ClipboardMonitorTest() {
    pasteboard.copyText("already there");
    monitor = std::make_shared<ClipboardMonitor>(pasteboard, imageConverter, rtfConverter, loop);
    monitor->onNewItem = [this](const Captured& value) { captured.push_back(value); };
  }

  /// The one capture of kind T, or null when there was not exactly one.
  template <typename T>
  const T* onlyCapture() const {
    if (captured.size() != 1)
      return nullptr;
    return std::get_if<T>(&captured.front());
  }

  void copyAndCheck(const FakePasteboard::Offer& offer) {
    pasteboard.copy(offer);
    monitor->check();
  }

  FakePasteboard pasteboard;
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  ManualMainLoop loop;
  std::shared_ptr<ClipboardMonitor> monitor;
  std::vector<Captured> captured;
};

TEST_F(ClipboardMonitorTest, ContentPresentBeforeConstructionIsNeverCaptured) {
  monitor->check();
  monitor->check();
  EXPECT_TRUE(captured.empty());
}

TEST_F(ClipboardMonitorTest, IdleTickReadsTheChangeCountAndNothingElse) {
  pasteboard.changeCountReads = 0;
  pasteboard.contentReads = 0;
  monitor->check();
  EXPECT_EQ(pasteboard.changeCountReads, 1);
  EXPECT_EQ(pasteboard.contentReads, 0);
}

TEST_F(ClipboardMonitorTest, ThreeCopiesBetweenTicksGiveOneCaptureOfTheLast) {
  pasteboard.copyText("one");
  pasteboard.copyText("two");
  pasteboard.copyText("three");
  monitor->check();
  monitor->check();
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "three");
  EXPECT_FALSE(text->rtf.has_value());
}

TEST_F(ClipboardMonitorTest, OwnWriteIsIgnoredAndTheNextRealCopyIsCaptured) {
  pasteboard.clearContents();
  pasteboard.setString("pasted back");
  monitor->ignoreChangeCount = pasteboard.changeCount();
  monitor->check();
  EXPECT_TRUE(captured.empty());
  EXPECT_EQ(monitor->lastChangeCount(), monitor->ignoreChangeCount);

  pasteboard.copyText("copied after");
  monitor->check();
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "copied after");
}

TEST_F(ClipboardMonitorTest, FilesWinOverImagesAndTextInPasteboardOrder) {
  FakePasteboard::Offer offer;
  offer.filePaths = {{"/Users/a/Report.pdf", "/Users/a/Photos"}};
  offer.data[PasteboardDataType::png] = pngBytes;
  offer.string = "Report.pdf\nPhotos";
  copyAndCheck(offer);
  const auto* files = onlyCapture<CapturedFiles>();
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->paths, (std::vector<std::string>{"/Users/a/Report.pdf", "/Users/a/Photos"}));
}

TEST_F(ClipboardMonitorTest, EmptyFileListFallsThroughToText) {
  FakePasteboard::Offer offer;
  offer.filePaths.emplace();
  offer.string = "plain";
  copyAndCheck(offer);
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "plain");
}

TEST_F(ClipboardMonitorTest, WebLinkIsNotAFileAndIsCapturedAsText) {
  // A web link offers a URL but no file path.
  FakePasteboard::Offer offer;
  offer.extraTypes = {"public.url"};
  offer.string = "https://example.com/page";
  copyAndCheck(offer);
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "https://example.com/page");
}

TEST_F(ClipboardMonitorTest, PngBeatsTiffAndIsTakenUnchanged) {
  imageConverter.result = convertedPng;
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::png] = pngBytes;
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  offer.string = "caption";
  copyAndCheck(offer);
  const auto* image = onlyCapture<CapturedImage>();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->png, pngBytes);
  EXPECT_TRUE(imageConverter.calls.empty());
}

TEST_F(ClipboardMonitorTest, TiffIsConvertedToPng) {
  imageConverter.result = convertedPng;
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  offer.string = "caption";
  copyAndCheck(offer);
  const auto* image = onlyCapture<CapturedImage>();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->png, convertedPng);
  EXPECT_EQ(imageConverter.calls, std::vector<Bytes>{tiffBytes});
}

TEST_F(ClipboardMonitorTest, UnconvertibleTiffFallsThroughToText) {
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  offer.string = "caption";
  copyAndCheck(offer);
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "caption");
  EXPECT_EQ(text->rtf, rtfBytes);
  EXPECT_EQ(imageConverter.calls.size(), 1U);
}

TEST_F(ClipboardMonitorTest, UnconvertibleTiffAloneYieldsNothing) {
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  copyAndCheck(offer);
  EXPECT_TRUE(captured.empty());
}

TEST_F(ClipboardMonitorTest, PlainStringAndRtfTogetherGiveBothWithoutParsing) {
  rtfConverter.result = "parsed";
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  offer.string = "plain";
  copyAndCheck(offer);
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "plain");
  EXPECT_EQ(text->rtf, rtfBytes);
  EXPECT_TRUE(rtfConverter.calls.empty());
}

TEST_F(ClipboardMonitorTest, RtfAloneIsParsedForItsText) {
  rtfConverter.result = "parsed";
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  copyAndCheck(offer);
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "parsed");
  EXPECT_EQ(text->rtf, rtfBytes);
  EXPECT_EQ(rtfConverter.calls, std::vector<Bytes>{rtfBytes});
}

TEST_F(ClipboardMonitorTest, UnreadableRtfAloneYieldsNothing) {
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  copyAndCheck(offer);
  EXPECT_TRUE(captured.empty());
  EXPECT_EQ(rtfConverter.calls.size(), 1U);
}

TEST_F(ClipboardMonitorTest, EmptyStringIsHandedOnAsItIs) {
  pasteboard.copyText("");
  monitor->check();
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, "");
}

TEST_F(ClipboardMonitorTest, EmptyPasteboardYieldsNothing) {
  pasteboard.clearContents();
  monitor->check();
  EXPECT_TRUE(captured.empty());
}

TEST_F(ClipboardMonitorTest, ChangesBeforeTheCallbackIsSetAreNeverDelivered) {
  auto deliver = monitor->onNewItem;
  monitor->onNewItem = nullptr;
  pasteboard.copyText("early text");
  monitor->check();
  FakePasteboard::Offer image;
  image.data[PasteboardDataType::png] = pngBytes;
  pasteboard.copy(image);
  monitor->check();
  const std::int64_t seen = monitor->lastChangeCount();

  monitor->onNewItem = deliver;
  monitor->check();
  EXPECT_TRUE(captured.empty());
  EXPECT_EQ(seen, pasteboard.changeCount());
}

TEST_F(ClipboardMonitorTest, RtfAloneWithoutACallbackIsParsedButNeverDeliveredLater) {
  auto deliver = monitor->onNewItem;
  monitor->onNewItem = nullptr;
  rtfConverter.result = "parsed";
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  copyAndCheck(offer);

  monitor->onNewItem = deliver;
  monitor->check();
  EXPECT_TRUE(captured.empty());
  EXPECT_EQ(rtfConverter.calls.size(), 1U);
}

TEST_F(ClipboardMonitorTest, FilesWithoutACallbackAreNotFollowedByOtherKinds) {
  auto deliver = monitor->onNewItem;
  monitor->onNewItem = nullptr;
  FakePasteboard::Offer offer;
  offer.filePaths = {{"/tmp/a"}};
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  pasteboard.copy(offer);
  pasteboard.contentReads = 0;
  monitor->check();

  // The type list and the file list, and nothing after them.
  EXPECT_EQ(pasteboard.contentReads, 2);
  EXPECT_TRUE(imageConverter.calls.empty());
  monitor->onNewItem = deliver;
  monitor->check();
  EXPECT_TRUE(captured.empty());
}

class ClipboardMonitorVetoTest : public ClipboardMonitorTest,
                                 public ::testing::WithParamInterface<const char*> {};

TEST_P(ClipboardMonitorVetoTest, MarkedContentIsDroppedWhateverElseIsOffered) {
  imageConverter.result = convertedPng;
  rtfConverter.result = "parsed";
  FakePasteboard::Offer offer;
  offer.extraTypes = {"public.utf8-plain-text", GetParam()};
  offer.filePaths = {{"/tmp/secret.txt"}};
  offer.data[PasteboardDataType::png] = pngBytes;
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  offer.string = "hunter2";
  pasteboard.copy(offer);
  pasteboard.contentReads = 0;
  monitor->check();
  // Only the type list was read.
  EXPECT_EQ(pasteboard.contentReads, 1);
  monitor->check();
  EXPECT_TRUE(captured.empty());
  EXPECT_TRUE(imageConverter.calls.empty());
  EXPECT_TRUE(rtfConverter.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Markers, ClipboardMonitorVetoTest,
                         ::testing::Values(Pasteboard::concealedType, Pasteboard::transientType,
                                           Pasteboard::autoGeneratedType));

TEST_F(ClipboardMonitorTest, MarkerNamesMustMatchExactly) {
  FakePasteboard::Offer offer;
  offer.extraTypes = {"org.nspasteboard.concealedtype", "org.nspasteboard.ConcealedType.x"};
  offer.string = "visible";
  copyAndCheck(offer);
  EXPECT_NE(onlyCapture<CapturedText>(), nullptr);
}

// Sizes at and just past the limits. The buffers are big, so they are made
// once for the whole suite.
class ClipboardMonitorLimitTest : public ClipboardMonitorTest {
 protected:
  static void SetUpTestSuite() {
    imageAtLimit = new Bytes(ClipboardMonitor::maxImageBytes, 0x42);
    imageOverLimit = new Bytes(ClipboardMonitor::maxImageBytes + 1, 0x42);
    // Two-byte characters, so counting characters instead of UTF-8 bytes
    // would let the longer one through.
    std::string twoByte = "\xC3\xA9";
    textAtLimit = new std::string();
    textAtLimit->reserve(ClipboardMonitor::maxTextBytes + 1);
    for (std::int64_t i = 0; i < ClipboardMonitor::maxTextBytes / 2; ++i)
      textAtLimit->append(twoByte);
    textOverLimit = new std::string(*textAtLimit + "a");
  }
  static void TearDownTestSuite() {
    delete imageAtLimit;
    delete imageOverLimit;
    delete textAtLimit;
    delete textOverLimit;
  }

  static Bytes* imageAtLimit;
  static Bytes* imageOverLimit;
  static std::string* textAtLimit;
  static std::string* textOverLimit;
};

Bytes* ClipboardMonitorLimitTest::imageAtLimit = nullptr;
Bytes* ClipboardMonitorLimitTest::imageOverLimit = nullptr;
std::string* ClipboardMonitorLimitTest::textAtLimit = nullptr;
std::string* ClipboardMonitorLimitTest::textOverLimit = nullptr;

TEST_F(ClipboardMonitorLimitTest, PngOfExactlyTheLimitIsCaptured) {
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::png] = *imageAtLimit;
  copyAndCheck(offer);
  const auto* image = onlyCapture<CapturedImage>();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->png.size(), 50'000'000U);
}

TEST_F(ClipboardMonitorLimitTest, PngOneByteOverYieldsNothingNotEvenItsText) {
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::png] = *imageOverLimit;
  offer.string = "caption";
  copyAndCheck(offer);
  monitor->check();
  EXPECT_TRUE(captured.empty());
}

TEST_F(ClipboardMonitorLimitTest, ConvertedTiffIsHeldToTheSameLimit) {
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::tiff] = tiffBytes;
  offer.string = "caption";

  imageConverter.result = *imageOverLimit;
  copyAndCheck(offer);
  EXPECT_TRUE(captured.empty());

  imageConverter.result = *imageAtLimit;
  copyAndCheck(offer);
  const auto* image = onlyCapture<CapturedImage>();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->png.size(), 50'000'000U);
}

TEST_F(ClipboardMonitorLimitTest, StringOfExactlyTheLimitInUtf8BytesIsCaptured) {
  pasteboard.copyText(*textAtLimit);
  monitor->check();
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text.size(), 2'000'000U);
}

TEST_F(ClipboardMonitorLimitTest, StringOneByteOverYieldsNothingEvenWithRtf) {
  rtfConverter.result = "parsed";
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  offer.string = *textOverLimit;
  copyAndCheck(offer);
  monitor->check();
  EXPECT_TRUE(captured.empty());
  EXPECT_TRUE(rtfConverter.calls.empty());
}

TEST_F(ClipboardMonitorLimitTest, TextParsedFromRtfAloneHasNoLimit) {
  rtfConverter.result = *textOverLimit;
  FakePasteboard::Offer offer;
  offer.data[PasteboardDataType::rtf] = rtfBytes;
  copyAndCheck(offer);
  const auto* text = onlyCapture<CapturedText>();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text.size(), 2'000'001U);
}

class ClipboardMonitorTimerTest : public ClipboardMonitorTest {};

TEST_F(ClipboardMonitorTimerTest, NothingIsPolledBeforeStart) {
  pasteboard.changeCountReads = 0;
  loop.advance(5.0);
  EXPECT_EQ(loop.activeTimers(), 0);
  EXPECT_EQ(pasteboard.changeCountReads, 0);
}

TEST_F(ClipboardMonitorTimerTest, PollsEveryHalfSecond) {
  monitor->start();
  EXPECT_EQ(loop.activeTimers(), 1);
  pasteboard.changeCountReads = 0;
  pasteboard.copyText("copied");
  loop.advance(0.49);
  EXPECT_TRUE(captured.empty());
  loop.advance(0.01);
  EXPECT_EQ(captured.size(), 1U);
  loop.advance(1.5);
  EXPECT_EQ(pasteboard.changeCountReads, 4);
  EXPECT_EQ(captured.size(), 1U);
}

TEST_F(ClipboardMonitorTimerTest, DestroyedMonitorIsNeverCalledAndNotKeptAlive) {
  monitor->start();
  std::weak_ptr<ClipboardMonitor> weak = monitor;
  monitor.reset();
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(loop.activeTimers(), 0);
  pasteboard.changeCountReads = 0;
  pasteboard.copyText("after");
  loop.advance(2.0);
  EXPECT_EQ(pasteboard.changeCountReads, 0);
  EXPECT_TRUE(captured.empty());
}

TEST_F(ClipboardMonitorTimerTest, MonitorReleasedByItsOwnCallbackFinishesTheTickAndStops) {
  monitor->start();
  std::weak_ptr<ClipboardMonitor> weak = monitor;
  monitor->onNewItem = [this](const Captured& value) {
    captured.push_back(value);
    monitor.reset();
  };
  pasteboard.copyText("last words");
  loop.advance(0.5);
  EXPECT_EQ(captured.size(), 1U);
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(loop.activeTimers(), 0);
  pasteboard.changeCountReads = 0;
  loop.advance(2.0);
  EXPECT_EQ(pasteboard.changeCountReads, 0);
}

}  // namespace
