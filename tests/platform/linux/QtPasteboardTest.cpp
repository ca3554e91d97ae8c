// The pasteboard over an in-process clipboard: the change count's handshake
// with our own writes, the type mapping and the file list.
#include "platform/linux/QtPasteboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {

bool offers(const std::vector<std::string>& types, const std::string& type) {
  return std::find(types.begin(), types.end(), type) != types.end();
}

class QtPasteboardTest : public ::testing::Test {
 protected:
  // What another application copying would do to the clipboard.
  static void copyElsewhere(QMimeData* mime) {
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    QCoreApplication::processEvents();
  }
  static QMimeData* textMime(const QString& text) {
    auto* mime = new QMimeData;
    mime->setText(text);
    return mime;
  }

  QtPasteboard pasteboard_{*QGuiApplication::clipboard()};
};

TEST_F(QtPasteboardTest, AnotherOwnerMovesTheCount) {
  const auto before = pasteboard_.changeCount();
  copyElsewhere(textMime(QStringLiteral("from elsewhere")));
  EXPECT_GT(pasteboard_.changeCount(), before);
  EXPECT_EQ(pasteboard_.string(), "from elsewhere");
}

TEST_F(QtPasteboardTest, OurWriteMovesTheCountOnceAndNeverAgain) {
  const auto before = pasteboard_.changeCount();
  pasteboard_.clearContents();
  pasteboard_.setData(Bytes{'{', '\\', 'r', 't', 'f', '1', '}'}, PasteboardDataType::rtf);
  pasteboard_.setString("plain form");
  const auto written = pasteboard_.changeCount();
  QCoreApplication::processEvents();

  EXPECT_EQ(written, before + 1);
  EXPECT_EQ(pasteboard_.changeCount(), written);
}

TEST_F(QtPasteboardTest, WriteBackOffersEveryFormTogether) {
  pasteboard_.clearContents();
  const Bytes rtf{'{', '\\', 'r', 't', 'f', '1', ' ', 'x', '}'};
  pasteboard_.setData(rtf, PasteboardDataType::rtf);
  pasteboard_.setString("x");

  const QMimeData* served = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  ASSERT_NE(served, nullptr);
  EXPECT_TRUE(served->hasFormat(QStringLiteral("text/rtf")));
  EXPECT_TRUE(served->hasFormat(QStringLiteral("application/rtf")));
  EXPECT_EQ(served->text(), QStringLiteral("x"));
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::rtf), rtf);
}

TEST_F(QtPasteboardTest, ClearingLeavesNothingOfTheOldContents) {
  copyElsewhere(textMime(QStringLiteral("old")));
  pasteboard_.clearContents();
  EXPECT_EQ(pasteboard_.string(), std::nullopt);
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::png), std::nullopt);
}

TEST_F(QtPasteboardTest, TheKdePasswordHintReadsAsConcealed) {
  QMimeData* mime = textMime(QStringLiteral("hunter2"));
  mime->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArray("secret"));
  copyElsewhere(mime);
  const auto types = pasteboard_.types();
  EXPECT_TRUE(offers(types, Pasteboard::concealedType));
  EXPECT_TRUE(offers(types, "x-kde-passwordManagerHint"));
}

TEST_F(QtPasteboardTest, MarkerNamesOfferedVerbatimPassThrough) {
  QMimeData* mime = textMime(QStringLiteral("one-time code"));
  mime->setData(QString::fromLatin1(Pasteboard::transientType), QByteArray());
  copyElsewhere(mime);
  const auto types = pasteboard_.types();
  EXPECT_TRUE(offers(types, Pasteboard::transientType));
  EXPECT_FALSE(offers(types, Pasteboard::concealedType));
}

TEST_F(QtPasteboardTest, OnlyFileUrlsCountAsFiles) {
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("text/uri-list"),
                QByteArray("https://example.org/page\r\nfile:///tmp/a%20b.txt\r\n"));
  copyElsewhere(mime);
  EXPECT_EQ(pasteboard_.fileURLPaths(), (std::vector<std::string>{"/tmp/a b.txt"}));

  auto* web = new QMimeData;
  web->setData(QStringLiteral("text/uri-list"), QByteArray("https://example.org/page\r\n"));
  copyElsewhere(web);
  EXPECT_EQ(pasteboard_.fileURLPaths(), std::nullopt);
}

TEST_F(QtPasteboardTest, WrittenFilesComeBackInOrderWhetherOrNotTheyExist) {
  const std::vector<std::string> paths{"/nonexistent/b", "/tmp/a", "/x/ü ñ"};
  pasteboard_.clearContents();
  pasteboard_.writeFileURLs(paths);
  EXPECT_EQ(pasteboard_.fileURLPaths(), paths);
}

TEST_F(QtPasteboardTest, PngBytesComeBackUnchanged) {
  const Bytes png{0x89, 'P', 'N', 'G', 0, 1, 2, 0xFF};
  pasteboard_.clearContents();
  pasteboard_.setData(png, PasteboardDataType::png);
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::png), png);
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::tiff), std::nullopt);
}

TEST(QtPasteboardUriList, SkipsCommentsBlankLinesAndOtherSchemes) {
  const QByteArray list("# copied\r\n\r\nfile:///home/u/one\r\nsmb://server/x\nfile:///two\n");
  EXPECT_EQ(QtPasteboard::filePathsFromUriList(list),
            (std::vector<std::string>{"/home/u/one", "/two"}));
}

}  // namespace
