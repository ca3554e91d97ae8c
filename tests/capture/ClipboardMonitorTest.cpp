// The monitor's poll against a fake pasteboard: what each change yields.
#include "capture/ClipboardMonitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "FakeImageConverter.h"
#include "FakePasteboard.h"
#include "FakeRtfConverter.h"
#include "ManualMainLoop.h"
#include "ScopedTestLog.h"
#include "TestPng.h"

namespace {

using Type = PasteboardDataType;
using Paths = std::vector<std::string>;
using Captures = std::vector<std::string>;

struct Case {
  const char* name;
  const char* offered;
  Captures expected;
};

Bytes bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

const Bytes copiedPng = pngOfSize(40);
const Bytes tiff = bytes("TIFF");
const Bytes convertedPng = pngOfSize(50);
const Bytes rtf = bytes("{\\rtf1 hi}");

/// `size` bytes of text in two-byte characters (and one "a" to make an odd
/// size), so counting characters instead of bytes would let it through.
std::string twoByteText(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < size / 2; ++i)
    text += "\xC3\xA9";
  return size % 2 == 0 ? text : text + "a";
}

/// Long payloads by their size, short ones as they are.
std::string shown(const std::string& payload) {
  return payload.size() > 64 ? std::to_string(payload.size()) + " bytes" : payload;
}

/// One line per capture, so a whole poll compares as a list of strings.
std::string describe(const Captured& value) {
  if (const auto* files = std::get_if<CapturedFiles>(&value)) {
    std::string line = "files";
    for (const std::string& path : files->paths)
      line += " " + path;
    return line;
  }
  if (const auto* image = std::get_if<CapturedImage>(&value))
    return "image " + std::to_string(image->png.size()) + " bytes";
  const auto& text = std::get<CapturedText>(value);
  return "text " + shown(text.text) + (text.rtf == rtf ? " + rtf" : "") +
         (text.html ? " + html" : "");
}

struct ClipboardMonitorTest : ::testing::Test {
  ClipboardMonitorTest() {
    pasteboard.copyText("on the pasteboard before the monitor");
    monitor = std::make_shared<ClipboardMonitor>(pasteboard, imageConverter, rtfConverter, loop);
    monitor->onNewItem = [this](const Captured& value) { seen.push_back(describe(value)); };
  }

  /// What another application's copy offers, from a list of words: "files"
  /// (or "no-files", an empty list), "png", "tiff" (or "bad-tiff", which does
  /// not convert), "rtf" (or "bad-rtf", which does not parse), "text" (or
  /// "empty-text"), "text-as-png" (text offered as PNG), and any marker type
  /// by its name. "png=N" offers N bytes,
  /// "tiff=N" and "rtf=N" convert or parse to N bytes, "text=N" ("html=N") is N bytes.
  FakePasteboard::Offer offer(const std::string& offered) {
    FakePasteboard::Offer result;
    imageConverter.result = convertedPng;
    rtfConverter.result = "parsed";
    std::istringstream words(offered);
    for (std::string word; words >> word;) {
      const std::size_t equals = word.find('=');
      const std::size_t size =
          equals == std::string::npos ? 0 : std::stoul(word.substr(equals + 1));
      word.resize(std::min(equals, word.size()));
      if (word.find('.') != std::string::npos) {
        result.extraTypes.push_back(word);
      } else if (word.ends_with("files")) {
        result.filePaths = word == "files" ? Paths{"/a/Report.pdf", "/a/Photos"} : Paths{};
      } else if (word == "png") {
        result.data[Type::png] = size > 0 ? pngOfSize(size) : copiedPng;
      } else if (word == "text-as-png") {
        result.data[Type::png] = bytes("caption");
      } else if (word.ends_with("tiff")) {
        result.data[Type::tiff] = tiff;
        if (size > 0)
          imageConverter.result = pngOfSize(size);
      } else if (word == "html") {
        result.data[Type::html] = Bytes(std::max<std::size_t>(size, 1), '<');
      } else if (word.ends_with("rtf")) {
        result.data[Type::rtf] = rtf;
        if (size > 0)
          rtfConverter.result = std::string(size, 'a');
      } else {
        result.string = word == "empty-text" ? "" : size > 0 ? twoByteText(size) : "caption";
      }
    }
    if (offered.find("bad-tiff") != std::string::npos)
      imageConverter.result.reset();
    if (offered.find("bad-rtf") != std::string::npos)
      rtfConverter.result.reset();
    return result;
  }

  /// Each case's copy, polled, yields its expected captures.
  void expectEach(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(copyAndCheck(c.offered), c.expected);
    }
  }

  /// Each "|"-separated copy by another application (or "gone": its owner
  /// exits), then two polls: the second must find nothing new, whatever the
  /// first made of the change.
  std::vector<std::string> copyAndCheck(const std::string& copies) {
    seen.clear();
    for (std::size_t start = 0, end = 0; start <= copies.size(); start = end + 1) {
      end = std::min(copies.find('|', start), copies.size());
      const std::string copied = copies.substr(start, end - start);
      copied == "gone" ? pasteboard.ownerExits() : pasteboard.copy(offer(copied));
      pasteboard.contentReads = 0;
      monitor->check();
      monitor->check();
    }
    return seen;
  }

  FakePasteboard pasteboard;
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  ManualMainLoop loop;
  std::shared_ptr<ClipboardMonitor> monitor;
  std::vector<std::string> seen;
};

TEST_F(ClipboardMonitorTest, OneChangeYieldsTheFirstKindOfferedInOrderOfPreference) {
  expectEach({
      {"files win over an image and text", "files png text", {"files /a/Report.pdf /a/Photos"}},
      {"an empty file list falls through", "no-files text", {"text caption"}},
      {"a PNG wins over a TIFF, unconverted", "png tiff text", {"image 40 bytes"}},
      {"a TIFF alone is converted", "tiff text", {"image 50 bytes"}},
      {"a TIFF that does not convert leaves text its chance",
       "bad-tiff rtf text",
       {"text caption + rtf"}},
      {"a TIFF that does not convert, alone", "bad-tiff", {}},
      {"text keeps its RTF, unparsed", "rtf text", {"text caption + rtf"}},
      {"RTF alone is parsed for its text", "rtf", {"text parsed + rtf"}},
      {"RTF alone that does not parse", "bad-rtf", {}},
      {"text keeps the HTML beside it, and the RTF",
       "rtf html text",
       {"text caption + rtf + html"}},
      {"HTML alone is no text", "html", {}},
      {"an empty string is handed on", "empty-text", {"text "}},
      {"an empty pasteboard", "", {}},
  });
}

TEST_F(ClipboardMonitorTest, MarkedContentIsVetoedAfterReadingOnlyTheTypeList) {
  const std::string everything = " files png tiff rtf text";
  for (const char* marker :
       {Pasteboard::concealedType, Pasteboard::transientType, Pasteboard::autoGeneratedType}) {
    SCOPED_TRACE(marker);
    EXPECT_EQ(copyAndCheck(marker + everything), Captures{});
    EXPECT_EQ(pasteboard.contentReads, 1);
  }
  // Markers are compared exactly.
  expectEach({
      {"other case", "org.nspasteboard.concealedtype png", {"image 40 bytes"}},
      {"a longer name", "org.nspasteboard.ConcealedType.x png", {"image 40 bytes"}},
  });
}

TEST_F(ClipboardMonitorTest, SizeLimitsHoldToTheExactByte) {
  expectEach({
      {"a PNG of 50 MB", "png=50000000", {"image 50000000 bytes"}},
      {"a PNG one byte over, its text not taken either", "png=50000001 text", {}},
      {"a TIFF converted to 50 MB", "tiff=50000000", {"image 50000000 bytes"}},
      {"a TIFF converted to one byte over", "tiff=50000001 text", {}},
      {"text of 2 MB in UTF-8", "text=2000000", {"text 2000000 bytes"}},
      {"text one byte over, RTF or not", "text=2000001 rtf", {}},
      {"RTF-only text has no limit", "rtf=2000001", {"text 2000001 bytes + rtf"}},
      {"HTML of 2 MB", "html=2000000 text", {"text caption + html"}},
      {"HTML one byte over leaves the text alone", "html=2000001 text", {"text caption"}},
  });
}

TEST_F(ClipboardMonitorTest, ACopyThatIsNotWhatItClaimsOrChangesHandsWhileReadIsDropped) {
  // Text offered as PNG is no image, nor is its text taken: it meant one.
  // Capture never logs.
  ScopedTestLog log;
  EXPECT_EQ(copyAndCheck("text-as-png text"), Captures{});
  EXPECT_EQ(log.messages(), std::vector<std::string>{});

  // A copy made while the monitor reads may mix with the one read: only the
  // newer copy is captured, on the next poll.
  pasteboard.copy(offer("png"));
  pasteboard.copyDuringNextRead = offer("text");
  monitor->check();
  EXPECT_EQ(seen, Captures{});
  monitor->check();
  EXPECT_EQ(seen, Captures{"text caption"});
}

TEST_F(ClipboardMonitorTest, AnAbandonedPasteboardGetsTheNewestEntryBackOnlyAfterACapture) {
  monitor->onOwnerGone = [this] {
    seen.emplace_back("restored");
    pasteboard.copyText("newest");
    return std::optional<std::int64_t>(pasteboard.changeCount());
  };
  expectEach({
      {"what was there before the monitor", "gone", {}},
      {"a captured copy, not captured again", "text|gone", {"text caption", "restored"}},
      {"a vetoed copy after it", "text|org.nspasteboard.TransientType text|gone", {"text caption"}},
      {"a copy too large after it", "text|text=2000001|gone", {"text caption"}},
      {"a live owner offering nothing after it", "png||gone", {"image 40 bytes", "restored"}},
  });
}

TEST_F(ClipboardMonitorTest, PollsEveryHalfSecondAndTakesReportedChangesAtOnceUntilReleased) {
  // Nothing from before the monitor or before its start is read.
  monitor->check();
  EXPECT_EQ(pasteboard.contentReads, 0);
  pasteboard.copyText("copied");
  loop.advance(5.0);
  EXPECT_TRUE(seen.empty());
  monitor->start();
  loop.advance(0.49);
  EXPECT_TRUE(seen.empty());
  loop.advance(0.01);
  EXPECT_EQ(seen, Captures{"text copied"});

  std::weak_ptr<ClipboardMonitor> weak = monitor;
  monitor->onNewItem = [this](const Captured& value) {
    seen.push_back(describe(value));
    monitor.reset();
  };
  // Looked at on the loop's next turn, not inside the report.
  pasteboard.copyText("reported");
  EXPECT_EQ(seen.size(), 1U);
  loop.runPending();
  EXPECT_EQ(seen, (Captures{"text copied", "text reported"}));
  // The timer and the report held it only weakly and went with it.
  EXPECT_TRUE(weak.expired());
  EXPECT_EQ(loop.activeTimers(), 0);
  pasteboard.changeCountReads = 0;
  pasteboard.copyText("after");
  loop.advance(2.0);
  EXPECT_EQ(pasteboard.changeCountReads, 0);
}

}  // namespace
