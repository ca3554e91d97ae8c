// The history card driven as a user would: keys, clicks, the footer.
#include "platform/linux/ui/HistoryCardWidget.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "platform/linux/ui/HistoryListWidget.h"
#include "views/HistoryView.h"
#include "views/ViewMetrics.h"

namespace {

QPoint centreOf(const QRectF& rect) {
  return rect.center().toPoint();
}

}  // namespace

class HistoryCardWidgetTest : public StoreFixture {
 protected:
  /// Builds the card once the history is seeded and shows it.
  HistoryCardWidget& card() {
    if (!card_) {
      card_ = std::make_unique<HistoryCardWidget>(*view_, clock);
      card_->show();
      card_->shown();
    }
    return *card_;
  }

  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&card().searchField(), static_cast<Qt::Key>(key), modifiers);
  }

  const std::vector<HistoryListWidget::RowGeometry>& rows() { return card().list().rows(); }

  /// The visible button of that text.
  QPushButton* button(const QString& text) {
    for (QPushButton* candidate : card().findChildren<QPushButton*>()) {
      if (candidate->text() == text && candidate->isVisible())
        return candidate;
    }
    return nullptr;
  }

  std::vector<std::string> pasted_;
  int closed_ = 0;
  std::unique_ptr<HistoryView> view_ = std::make_unique<HistoryView>(
      *store, [this](const ClipboardItem& item) { pasted_.push_back(item.text.value_or("")); },
      [this] { ++closed_; });
  std::unique_ptr<HistoryCardWidget> card_;
};

TEST_F(HistoryCardWidgetTest, KeysInTheSearchFieldDriveTheViewAndTheClearButtonEmptiesIt) {
  addText("oldest");
  addText("middle");
  addText("newest");
  for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
    press(key);
  EXPECT_TRUE(rows()[1].row.state.selected);
  press(Qt::Key_Return);
  press(Qt::Key_3, Qt::ControlModifier);
  press(Qt::Key_4, Qt::ControlModifier);  // beyond the rows: nothing
  EXPECT_EQ(pasted_, (std::vector<std::string>{"middle", "oldest"}));
  press(Qt::Key_Escape);
  EXPECT_EQ(closed_, 1);

  QToolButton* clear = card().findChild<QToolButton*>();
  ASSERT_NE(clear, nullptr);
  EXPECT_FALSE(clear->isVisible());
  press(Qt::Key_3);  // a plain digit is typed, not a shortcut
  EXPECT_EQ(view_->search(), "3");
  EXPECT_TRUE(rows().empty());
  EXPECT_TRUE(clear->isVisible());
  QTest::mouseClick(clear, Qt::LeftButton);
  EXPECT_EQ(card().searchField().text(), "");
  EXPECT_FALSE(clear->isVisible());
  EXPECT_EQ(rows().size(), 3U);
  EXPECT_EQ(pasted_.size(), 2U);
}

TEST_F(HistoryCardWidgetTest, AScreenReaderReadsHeadingsAndRowsAndActsOnThemAsTheKeysDo) {
  const Uuid older = addText("older");
  addText("newer");
  addPinned("kept");
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&card().list());
  ASSERT_NE(list, nullptr);
  const auto children = [list] {
    std::vector<std::pair<QAccessible::Role, std::string>> read;
    for (int i = 0; i < list->childCount(); ++i) {
      read.emplace_back(list->child(i)->role(),
                        list->child(i)->text(QAccessible::Name).toStdString());
    }
    return read;
  };
  using Read = std::vector<std::pair<QAccessible::Role, std::string>>;
  EXPECT_EQ(children(),
            (Read{{QAccessible::Heading, "Pinned"},
                  {QAccessible::ListItem, "kept, 4 characters, just now, pinned, Ctrl+1"},
                  {QAccessible::Heading, "Recent"},
                  {QAccessible::ListItem, "newer, 5 characters, just now, Ctrl+2"},
                  {QAccessible::ListItem, "older, 5 characters, just now, Ctrl+3"}}));

  QAccessibleActionInterface* actions = list->child(4)->actionInterface();
  ASSERT_NE(actions, nullptr);
  EXPECT_EQ(list->child(4)->text(QAccessible::Description).toStdString(),
            "Return pastes it, Ctrl+P pins it, Shift+Delete deletes it.");
  EXPECT_EQ(actions->actionNames(), (QStringList{"paste", "pin", "delete"}));
  for (const auto& [name, label, keys] :
       {std::tuple{"paste", "Paste", "Return"}, std::tuple{"pin", "Pin", "Ctrl+P"},
        std::tuple{"delete", "Delete", "Shift+Del"}}) {
    EXPECT_EQ(actions->localizedActionName(QString::fromUtf8(name)), QString::fromUtf8(label));
    EXPECT_EQ(actions->keyBindingsForAction(QString::fromUtf8(name)),
              QStringList{QString::fromUtf8(keys)});
  }
  EXPECT_EQ(list->child(0)->actionInterface(), nullptr);  // a heading
  actions->doAction(QStringLiteral("pin"));
  EXPECT_TRUE(item(older).pinned);
  EXPECT_EQ(children()[2].second, "older, 5 characters, just now, pinned, Ctrl+2");

  // The keys: Down twice selects the third row (newer), Ctrl+P pins it and
  // the selection follows it to the second; Shift+Delete deletes it and the
  // row below takes the selection.
  press(Qt::Key_Down);
  press(Qt::Key_Down);
  press(Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(children()[2].second, "newer, 5 characters, just now, pinned, Ctrl+2");
  press(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(store->items().size(), 2U);
  EXPECT_EQ(children().size(), 3U);
  list->child(2)->actionInterface()->doAction(QStringLiteral("paste"));
  EXPECT_EQ(pasted_, (std::vector<std::string>{"older"}));
  EXPECT_TRUE(list->child(2)->state().selected);
  EXPECT_FALSE(list->child(1)->state().selected);
  list->child(1)->actionInterface()->doAction(QStringLiteral("delete"));
  EXPECT_EQ(children(),
            (Read{{QAccessible::Heading, "Pinned"},
                  {QAccessible::ListItem, "older, 5 characters, just now, pinned, Ctrl+1"}}));
}

TEST_F(HistoryCardWidgetTest, ClicksHitTheRowsPinAndDeleteButtonsOrTheRowItself) {
  const Uuid first = addText("first");
  addText("second");
  HistoryListWidget& list = card().list();
  // Rows are newest first: row 1 is "first".
  QTest::mouseMove(&list, centreOf(rows()[1].rowRect));
  ASSERT_TRUE(rows()[1].row.pinButton.has_value());
  QTest::mouseClick(&list, Qt::LeftButton, {}, centreOf(rows()[1].pinRect));
  EXPECT_TRUE(item(first).pinned);

  // Pinned now, so it is row 0.
  QTest::mouseMove(&list, centreOf(rows()[0].rowRect));
  ASSERT_TRUE(rows()[0].row.deleteButton.has_value());
  QTest::mouseClick(&list, Qt::LeftButton, {}, centreOf(rows()[0].deleteRect));
  EXPECT_EQ(store->items().size(), 1U);
  EXPECT_TRUE(pasted_.empty());

  QTest::mouseClick(&list, Qt::LeftButton, {},
                    rows()[0].rowRect.topLeft().toPoint() + QPoint(4, 4));
  EXPECT_EQ(pasted_, (std::vector<std::string>{"second"}));
}

TEST_F(HistoryCardWidgetTest, ClearAllIsOffWhenEmptyAndAsksBeforeItEmpties) {
  QPushButton* clearAll = button("Clear all");
  ASSERT_NE(clearAll, nullptr);
  EXPECT_FALSE(clearAll->isEnabled());
  EXPECT_FALSE(card().findChild<QScrollArea*>()->isVisible());
  addText("one");
  addPinned("two");
  EXPECT_TRUE(card().findChild<QScrollArea*>()->isVisible());
  ASSERT_TRUE(clearAll->isEnabled());

  QTest::mouseClick(clearAll, Qt::LeftButton);
  EXPECT_EQ(store->items().size(), 2U);
  QPushButton* confirm = button("Clear all");  // the visible one is now the red capsule
  ASSERT_NE(confirm, clearAll);
  QTest::mouseClick(confirm, Qt::LeftButton);
  EXPECT_TRUE(store->items().empty());
}

TEST_F(HistoryCardWidgetTest, SelectionFarDownScrollsItsRowIntoTheMiddle) {
  for (int i = 0; i < 40; ++i)
    addText("entry " + std::to_string(i));
  QScrollBar* bar = card().findChild<QScrollArea*>()->verticalScrollBar();
  for (int i = 0; i < 20; ++i)
    press(Qt::Key_Down);
  // The scroll waits for the list's new layout, then animates.
  QTest::qWait(400);
  const int viewport = card().findChild<QScrollArea*>()->viewport()->height();
  EXPECT_NEAR(rows()[20].rowRect.center().y() - bar->value(), viewport / 2.0, 2.0);
}

TEST_F(HistoryCardWidgetTest, RowsFitTheListsWidthAsTheScrollBarComesAndGoes) {
  for (int i = 0; i < 40; ++i)
    addText("entry " + std::to_string(i) + (i % 10 == 0 ? " rare" : "") + std::string(60, 'w'));
  HistoryListWidget& list = card().list();
  QScrollBar* bar = card().findChild<QScrollArea*>()->verticalScrollBar();
  // All rows, none, a few, none, all again, a few: the list widens and
  // narrows with the bar.
  const std::pair<const char*, bool> searches[] = {
      {"", true},       {"entryz", false}, {"entry", true}, {"rare", false},
      {"rarez", false}, {"entry", true},   {"", true}};
  for (const auto& [search, scrolls] : searches) {
    SCOPED_TRACE(search);
    card().searchField().setText(QString::fromUtf8(search));
    card().searchField().textEdited(card().searchField().text());
    QApplication::processEvents();
    EXPECT_EQ(bar->isVisibleTo(card().findChild<QScrollArea*>()), scrolls && !rows().empty());
    for (const HistoryListWidget::RowGeometry& geometry : rows())
      EXPECT_EQ(geometry.rowRect.right(), list.width() - ViewMetrics::listInsets.trailing);
  }
}

TEST_F(HistoryCardWidgetTest, TheListLetsTheDarkCardShowThrough) {
  addText("first");
  addText("second");
  const QImage image = card().grab().toImage();
  // Below the last row, inside the list: the card's own dark material, not a
  // light window background filled in by the scroll area.
  const QPoint inList =
      card().list().mapTo(&card(), centreOf(rows().back().rowRect) + QPoint(0, 80));
  const QColor colour = image.pixelColor(inList);
  EXPECT_LT(colour.lightness(), 96) << colour.name().toStdString();
}

TEST_F(HistoryCardWidgetTest, AnImageFileThatHoldsNoPngShowsTheKindsTile) {
  // A colour no tile or card uses, so that its pixels can only come from a
  // drawn thumbnail.
  const QColor colour(12, 200, 34);
  const auto encoded = [&](int side, const char* format) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
  };
  const struct {
    const char* name;
    QByteArray file;
    bool drawn;
  } cases[] = {
      {"a PNG", encoded(8, "PNG"), true},
      {"another image format", encoded(8, "BMP"), false},
      {"text", "text that an owner answered for image/png", false},
  };
  for (int i = 0; i < 3; ++i) {
    const QByteArray png = encoded(9 + i, "PNG");
    const Uuid id = add(CapturedImage{Bytes(png.begin(), png.end())});
    QFile file(QString::fromStdString(*store->imageURL(item(id))));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(cases[i].file);
  }
  const QImage image = card().grab().toImage();
  ASSERT_EQ(rows().size(), 3U);
  for (int i = 0; i < 3; ++i) {
    // Newest first.
    const QRectF& rect = rows()[2 - i].rowRect;
    const QRect area =
        QRect(card().list().mapTo(&card(), rect.topLeft().toPoint()), rect.size().toSize()) &
        image.rect();
    int thumbnailPixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x)
        thumbnailPixels += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    EXPECT_EQ(thumbnailPixels > 20, cases[i].drawn) << cases[i].name << ": " << thumbnailPixels;
  }
}
