// The pasteboard over an in-process clipboard; the reader thread itself is
// proven end to end against real and hostile owners.
#include "platform/linux/qt/QtPasteboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>
#include <string_view>

#include "ManualMainLoop.h"
#include "platform/linux/wayland/WaylandClipboard.h"

namespace {

using namespace std::string_view_literals;
using Paths = std::vector<std::string>;
using Owner = QtPasteboard::SelectionOwner;

/// Another owner's copy, as the reader hands it over, with every target read.
ClipboardSnapshot copied(std::uint32_t owner, const std::map<std::string, QByteArray>& bodies) {
  ClipboardSnapshot snapshot;
  snapshot.owner = owner;
  for (const auto& [target, body] : bodies) {
    snapshot.targets.push_back(target);
    snapshot.bodies[target] = body;
  }
  return snapshot;
}

ClipboardSnapshot copiedText(const char* text) {
  return copied(0x600001, {{"UTF8_STRING", text}});
}

class QtPasteboardTest : public ::testing::Test {
 protected:
  /// Looks on the loop's next turn, as the monitor does.
  QtPasteboardTest() {
    pasteboard_.setOnChange(
        [this] { loop_.post([this] { seen_.push_back(pasteboard_.string().value_or("-")); }); });
  }

  ManualMainLoop loop_;
  Owner owner_ = Owner::another;
  QtPasteboard pasteboard_{*QGuiApplication::clipboard(), loop_, [this] { return owner_; }};
  std::vector<std::string> seen_;
};

TEST_F(QtPasteboardTest, OurWriteMovesTheCountOnceAndAnotherOwnersCopyMovesItAgain) {
  const auto before = pasteboard_.changeCount();
  pasteboard_.clearContents();
  const Bytes rtf{'{', '\\', 'r', 't', 'f', '1', ' ', 'x', '}'};
  pasteboard_.setData(rtf, PasteboardDataType::rtf);
  pasteboard_.setString("x");
  EXPECT_EQ(pasteboard_.changeCount(), before + 1);

  // Every form at once, RTF under both of its names, and read back as written.
  const QMimeData* served = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  ASSERT_NE(served, nullptr);
  EXPECT_TRUE(served->hasFormat(QStringLiteral("text/rtf")));
  EXPECT_TRUE(served->hasFormat(QStringLiteral("application/rtf")));
  EXPECT_EQ(pasteboard_.string(), "x");
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::rtf), rtf);
  EXPECT_FALSE(pasteboard_.isAbandoned());

  // A copy read before our write took the selection is the older one.
  owner_ = Owner::thisProcess;
  pasteboard_.handOver({copiedText("read before our write")});
  EXPECT_EQ(pasteboard_.changeCount(), before + 1);
  owner_ = Owner::another;
  pasteboard_.handOver({copiedText("from elsewhere")});
  EXPECT_EQ(pasteboard_.changeCount(), before + 2);
  loop_.runPending();
  EXPECT_EQ(seen_, std::vector<std::string>{"from elsewhere"});

  // A clear drops every earlier form.
  pasteboard_.clearContents();
  EXPECT_EQ(pasteboard_.string(), std::nullopt);
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::rtf), std::nullopt);
}

TEST_F(QtPasteboardTest, SnapshotsAreTakenOnePerTurnAndAnOwnerlessOneIsAbandonedIfStillSo) {
  // Each look finds its own copy, not the last one handed over.
  pasteboard_.handOver({copiedText("a"), copiedText("b")});
  pasteboard_.handOver({copiedText("c")});
  EXPECT_EQ(pasteboard_.string(), "a");
  loop_.runPending();
  EXPECT_EQ(seen_, (std::vector<std::string>{"a", "b", "c"}));

  EXPECT_FALSE(pasteboard_.isAbandoned());
  pasteboard_.handOver({ClipboardSnapshot{}});
  EXPECT_EQ(pasteboard_.types(), std::vector<std::string>{});
  owner_ = Owner::none;
  EXPECT_TRUE(pasteboard_.isAbandoned());
  // Someone copied since the owner left: not ours to refill.
  owner_ = Owner::another;
  EXPECT_FALSE(pasteboard_.isAbandoned());
}

TEST(QtPasteboardPublishTest, WritesGoToThePublishersAndLeaveQtsClipboardAlone) {
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  ManualMainLoop loop;
  std::vector<ClipboardSnapshot> published;
  std::string primary;
  QtPasteboard pasteboard(
      *QGuiApplication::clipboard(), loop, [] { return Owner::thisProcess; },
      [&](const ClipboardSnapshot& contents) { published.push_back(contents); },
      [&](const std::string& text) { primary = text; });
  pasteboard.clearContents();
  pasteboard.setString("written");
  const auto count = pasteboard.changeCount();
  pasteboard.setPrimaryString("for xterm");
  ASSERT_EQ(published.size(), 2U);
  EXPECT_EQ(published.back().string(), "written");
  EXPECT_EQ(pasteboard.string(), "written");
  EXPECT_EQ(primary, "for xterm");
  EXPECT_EQ(pasteboard.changeCount(), count);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
  // Other toolkits ask for plain text by other names; the rest by their own.
  EXPECT_EQ(WaylandClipboard::offeredTypes("text/plain"),
            (Paths{"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "TEXT"}));
  EXPECT_EQ(WaylandClipboard::offeredTypes("image/png"), Paths{"image/png"});
}

TEST(ClipboardSnapshotTest, FileListsAreReadAsFileManagersSendThem) {
  // As offered under X11, recorded under Xvfb, then by hand.
  const Paths two{"/h/a b.txt", "/h/c.txt"};
  const std::pair<std::string_view, Paths> cases[] = {
      {"file:///h/a%20b.txt\r\nfile:///h/c.txt\0"sv, two},  // PCManFM
      {"file:///h/c.txt\0"sv, {"/h/c.txt"}},                // PCManFM, one file
      {"file:///h/a%20b.txt\r\nfile:///h/c.txt\r\n", two},  // Thunar, Caja, Nemo, Dolphin, GNOME
      {"# x\nfile://localhost/h/a%20b.txt\n\nhttps://x.org/\nfile://nas/x\nfile:///h/c.txt", two}};
  for (const auto& [body, paths] : cases) {
    EXPECT_EQ(ClipboardSnapshot::filePathsFromUriList(
                  QByteArray(body.data(), static_cast<qsizetype>(body.size()))),
              paths)
        << body;
  }
}

TEST_F(QtPasteboardTest, WrittenFileUrlsAddUpAsACopy) {
  pasteboard_.clearContents();
  pasteboard_.writeFileURLs({"/nonexistent/b", "/tmp/a"});
  pasteboard_.writeFileURLs({"/x/ü ñ"});
  EXPECT_EQ(pasteboard_.fileURLPaths(), (Paths{"/nonexistent/b", "/tmp/a", "/x/ü ñ"}));
  // GTK's file managers paste only their own form, which never says "cut".
  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("x-special/gnome-copied-files"),
            "copy\nfile:///nonexistent/b\nfile:///tmp/a\nfile:///x/%C3%BC%20%C3%B1");
}

/// The targets a reader asks for, in order, when the owner offers `offered`
/// and answers each with `answers` (a missing answer: the read fails).
std::vector<std::string> readOrder(const std::vector<std::string>& offered,
                                   const std::map<std::string, QByteArray>& answers) {
  ClipboardSnapshot snapshot;
  snapshot.targets = offered;
  std::vector<std::string> asked;
  while (std::optional<std::string> target = snapshot.nextTargetToRead()) {
    asked.push_back(*target);
    auto answer = answers.find(*target);
    snapshot.bodies[*target] =
        answer == answers.end() ? std::nullopt : std::optional<QByteArray>(answer->second);
    if (asked.size() > offered.size())
      break;
  }
  return asked;
}

TEST(ClipboardSnapshotTest, ReadsOnlyWhatCaptureTakesInItsOrderOfPreference) {
  using Targets = std::vector<std::string>;
  const std::map<std::string, QByteArray> answers = {
      {"text/uri-list", "file:///tmp/a\n"}, {"image/png", "png"}, {"image/tiff", "tiff"},
      {"text/rtf", "{\\rtf1 x}"},           {"UTF8_STRING", "x"}, {"STRING", "x"}};
  const struct {
    const char* name;
    Targets offered;
    std::map<std::string, QByteArray> answers;
    Targets read;
  } cases[] = {
      {"text", {"TARGETS", "UTF8_STRING", "STRING", "TEXT"}, answers, {"UTF8_STRING"}},
      {"files, not their names as text",
       {"text/uri-list", "text/plain", "x-special/gnome-copied-files"},
       answers,
       {"text/uri-list"}},
      {"web links fall through to text",
       {"text/uri-list", "UTF8_STRING"},
       {{"text/uri-list", "https://example.org/\n"}, {"UTF8_STRING", "x"}},
       {"text/uri-list", "UTF8_STRING"}},
      {"a PNG ends it", {"text/html", "image/png", "UTF8_STRING"}, answers, {"image/png"}},
      {"a PNG that fails leaves TIFF and text their turn",
       {"image/png", "image/tiff", "text/rtf", "application/rtf", "UTF8_STRING"},
       {{"image/tiff", "tiff"}, {"text/rtf", "{}"}, {"UTF8_STRING", "x"}},
       {"image/png", "image/tiff", "text/rtf", "UTF8_STRING"}},
      {"a failed text target gives way to the next",
       {"STRING", "UTF8_STRING"},
       {{"STRING", "x"}},
       {"UTF8_STRING", "STRING"}},
      {"the password hint", {"UTF8_STRING", "x-kde-passwordManagerHint"}, answers, {}},
      {"a marker", {"image/png", "org.nspasteboard.TransientType"}, answers, {}},
      {"HTML beside the text",
       {"text/html", "STRING"},
       {{"text/html", "<b>"}},
       {"text/html", "STRING"}},
      {"nothing capture takes", {"TARGETS", "text/x-moz-url"}, answers, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(readOrder(c.offered, c.answers), c.read) << c.name;
}

TEST(ClipboardSnapshotTest, TextIsAlwaysWellFormedUtf8) {
  ClipboardSnapshot snapshot = copied(1, {{"STRING", "caf\xE9"}});
  EXPECT_EQ(snapshot.string(), "caf\u00e9");
  snapshot = copied(1, {{"text/plain",
                         "a\xFF"
                         "b"},
                        {"UTF8_STRING", "\xC3\xA9"}});
  EXPECT_EQ(snapshot.string(), "\u00e9");
  snapshot.bodies.erase("UTF8_STRING");
  EXPECT_EQ(snapshot.string(), "a\uFFFDb");
  EXPECT_EQ(ClipboardSnapshot{}.string(), std::nullopt);
}

}  // namespace
