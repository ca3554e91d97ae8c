// The history card drives the view as a user would: keys in the search
// field, clicks on rows and buttons, the pointer over rows, the footer.
#include "platform/linux/ui/HistoryCardWidget.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "QtTestApplication.h"
#include "StoreFixture.h"
#include "platform/linux/ui/HistoryListWidget.h"
#include "views/HistoryView.h"

namespace {

QPoint centreOf(const QRectF& rect) {
  return rect.center().toPoint();
}

}  // namespace

class HistoryCardWidgetTest : public StoreFixture {
 protected:
  HistoryCardWidgetTest() {
    qtTestApplication();
    view = std::make_unique<HistoryView>(
        *store, [this](const ClipboardItem& item) { pasted.push_back(item.text.value_or("")); },
        [this] { ++closed; });
  }

  /// Builds the card once the history is seeded and shows it.
  HistoryCardWidget& card() {
    if (!card_) {
      card_ = std::make_unique<HistoryCardWidget>(*view, clock);
      card_->show();
      card_->shown();
    }
    return *card_;
  }

  void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&card().searchField(), static_cast<Qt::Key>(key), modifiers);
  }

  const std::vector<HistoryListWidget::RowGeometry>& rows() { return card().list().rows(); }

  QPushButton* button(const QString& text, bool visible = true) {
    for (QPushButton* candidate : card().findChildren<QPushButton*>()) {
      if (candidate->text() == text && candidate->isVisible() == visible)
        return candidate;
    }
    return nullptr;
  }

  std::unique_ptr<HistoryView> view;
  std::vector<std::string> pasted;
  int closed = 0;
  std::unique_ptr<HistoryCardWidget> card_;
};

TEST_F(HistoryCardWidgetTest, TypingFiltersAndShowsTheClearButton) {
  addText("apple pie");
  addText("banana split");
  addText("cherry tart");
  QToolButton* clear = card().findChild<QToolButton*>();
  ASSERT_NE(clear, nullptr);
  EXPECT_FALSE(clear->isVisible());

  QTest::keyClicks(&card().searchField(), "AN");
  EXPECT_EQ(view->search(), "AN");
  ASSERT_EQ(rows().size(), 1U);
  EXPECT_EQ(rows()[0].row.title, "banana split");
  EXPECT_TRUE(clear->isVisible());

  QTest::mouseClick(clear, Qt::LeftButton);
  EXPECT_EQ(view->search(), "");
  EXPECT_EQ(card().searchField().text(), "");
  EXPECT_FALSE(clear->isVisible());
  EXPECT_EQ(rows().size(), 3U);
}

TEST_F(HistoryCardWidgetTest, ArrowsMoveTheSelectionAndReturnPastesIt) {
  addText("oldest");
  addText("middle");
  addText("newest");
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  EXPECT_EQ(view->selectedIndex(), 2);
  EXPECT_TRUE(rows()[2].row.state.selected);
  EXPECT_FALSE(rows()[0].row.state.selected);
  key(Qt::Key_Up);
  key(Qt::Key_Return);
  EXPECT_EQ(pasted, (std::vector<std::string>{"middle"}));
}

TEST_F(HistoryCardWidgetTest, ControlDigitPastesThatRowOnlyWhenItExists) {
  addText("one");
  addText("two");
  addText("three");
  key(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(pasted, (std::vector<std::string>{"one"}));
  key(Qt::Key_4, Qt::ControlModifier);
  key(Qt::Key_3);  // a plain digit is typed, not a shortcut
  EXPECT_EQ(pasted.size(), 1U);
  EXPECT_EQ(view->search(), "3");
}

TEST_F(HistoryCardWidgetTest, EscapeAsksToClose) {
  addText("one");
  key(Qt::Key_Escape);
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(pasted.empty());
}

TEST_F(HistoryCardWidgetTest, ClickOnARowPastesItAndTheButtonsPinAndDelete) {
  const Uuid first = addText("first");
  addText("second");
  HistoryListWidget& list = card().list();
  // Rows are newest first: row 1 is "first".
  QTest::mouseMove(&list, centreOf(rows()[1].rowRect));
  ASSERT_EQ(view->hovered(), first);
  ASSERT_TRUE(rows()[1].row.pinButton.has_value());
  QTest::mouseClick(&list, Qt::LeftButton, {}, centreOf(rows()[1].pinRect));
  EXPECT_TRUE(item(first).pinned);
  EXPECT_TRUE(pasted.empty());

  // Pinned now, so it is row 0.
  ASSERT_EQ(rows()[0].row.id, first);
  QTest::mouseMove(&list, centreOf(rows()[0].rowRect));
  ASSERT_TRUE(rows()[0].row.deleteButton.has_value());
  QTest::mouseClick(&list, Qt::LeftButton, {}, centreOf(rows()[0].deleteRect));
  EXPECT_EQ(store->items().size(), 1U);
  EXPECT_TRUE(pasted.empty());

  QTest::mouseClick(&list, Qt::LeftButton, {},
                    rows()[0].rowRect.topLeft().toPoint() + QPoint(4, 4));
  EXPECT_EQ(pasted, (std::vector<std::string>{"second"}));
}

TEST_F(HistoryCardWidgetTest, SectionTitlesOpenPinnedAndRecentOnlyWithoutSearch) {
  addText("plain");
  addPinned("kept");
  ASSERT_EQ(rows().size(), 2U);
  EXPECT_EQ(rows()[0].sectionTitle, QString("Pinned"));
  EXPECT_EQ(rows()[1].sectionTitle, QString("Recent"));
  EXPECT_GT(rows()[1].rowRect.top(), rows()[1].titleRect.bottom());

  QTest::keyClicks(&card().searchField(), "e");
  for (const auto& geometry : rows())
    EXPECT_FALSE(geometry.sectionTitle.has_value());
}

TEST_F(HistoryCardWidgetTest, LongTitlesTakeTwoLinesAndEndElided) {
  std::string text;
  for (int i = 0; i < 60; ++i)
    text += "word" + std::to_string(i) + " ";
  addText(text);
  addText("short");
  ASSERT_EQ(rows()[1].titleLines.size(), 2);
  EXPECT_TRUE(rows()[1].titleLines[1].endsWith(QChar(0x2026)));
  EXPECT_EQ(rows()[0].titleLines.size(), 1);
  EXPECT_GT(rows()[1].rowRect.height(), rows()[0].rowRect.height());
}

TEST_F(HistoryCardWidgetTest, ClearAllAsksFirstThenEmptiesEverything) {
  addText("one");
  addPinned("two");
  QPushButton* clearAll = button("Clear all");
  ASSERT_NE(clearAll, nullptr);
  QTest::mouseClick(clearAll, Qt::LeftButton);
  EXPECT_TRUE(view->confirmingClear());
  EXPECT_EQ(store->items().size(), 2U);
  EXPECT_EQ(card().presentation().footer.question, "Clear all 2 clips?");

  QPushButton* cancel = button("Cancel");
  ASSERT_NE(cancel, nullptr);
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_FALSE(view->confirmingClear());

  QTest::mouseClick(button("Clear all"), Qt::LeftButton);
  QPushButton* confirm = button("Clear all");  // the visible one is now the red capsule
  ASSERT_NE(confirm, nullptr);
  ASSERT_NE(confirm, clearAll);
  QTest::mouseClick(confirm, Qt::LeftButton);
  EXPECT_TRUE(store->items().empty());
  EXPECT_FALSE(view->confirmingClear());
}

TEST_F(HistoryCardWidgetTest, EmptyHistoryHidesTheListAndDisablesClearAll) {
  card();
  EXPECT_FALSE(card().findChild<QScrollArea*>()->isVisible());
  ASSERT_TRUE(card().presentation().emptyState.has_value());
  EXPECT_EQ(card().presentation().emptyState->title, "No clips yet");
  QPushButton* clearAll = button("Clear all");
  ASSERT_NE(clearAll, nullptr);
  EXPECT_FALSE(clearAll->isEnabled());

  addText("now there is one");
  EXPECT_TRUE(card().findChild<QScrollArea*>()->isVisible());
  EXPECT_TRUE(clearAll->isEnabled());
}

TEST_F(HistoryCardWidgetTest, SelectionFarDownScrollsItsRowIntoTheMiddle) {
  for (int i = 0; i < 40; ++i)
    addText("entry " + std::to_string(i));
  QScrollBar* bar = card().findChild<QScrollArea*>()->verticalScrollBar();
  EXPECT_EQ(bar->value(), 0);
  for (int i = 0; i < 20; ++i)
    key(Qt::Key_Down);
  // The scroll waits for the list's new layout, then animates.
  QTest::qWait(400);
  const QRectF row = rows()[20].rowRect;
  const int viewport = card().findChild<QScrollArea*>()->viewport()->height();
  EXPECT_NEAR(row.center().y() - bar->value(), viewport / 2.0, 2.0);
}

TEST_F(HistoryCardWidgetTest, ShowingAgainFocusesSearchAndSelectsTheFirstRow) {
  addText("one");
  addText("two");
  key(Qt::Key_Down);
  EXPECT_EQ(view->selectedIndex(), 1);
  card().shown();
  EXPECT_EQ(view->selectedIndex(), 0);
  EXPECT_TRUE(view->searchFocused());
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
