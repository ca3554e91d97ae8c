// The popup's panel: window kind, size and frames in the core's coordinates.
#include "platform/linux/ui/QtPanel.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "QtTestApplication.h"
#include "StoreFixture.h"
#include "platform/linux/ui/HistoryCardWidget.h"
#include "popup/KeyablePanel.h"
#include "views/HistoryView.h"

class QtPanelTest : public StoreFixture {
 protected:
  QtPanelTest() {
    qtTestApplication();
    view = std::make_unique<HistoryView>(
        *store, [](const ClipboardItem&) {}, [] {});
    panel = std::make_unique<QtPanel>(KeyablePanel::config(), *view, clock);
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    primaryBottom = primary.y() + primary.height();
  }

  std::unique_ptr<HistoryView> view;
  std::unique_ptr<QtPanel> panel;
  int primaryBottom = 0;
};

TEST_F(QtPanelTest, IsAFramelessToolWindowAboveOthersAndHidden) {
  const Qt::WindowFlags flags = panel->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::Tool));
  EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(panel->size(), QSize(440, 560));
}

TEST_F(QtPanelTest, FrameOriginIsTheBottomLeftCornerWithYUp) {
  panel->setFrameOrigin({100, 50});
  EXPECT_EQ(panel->pos(), QPoint(100, primaryBottom - 50 - 560));
  EXPECT_EQ(panel->frame(), (Rect2D{{100, 50}, {440, 560}}));
}

TEST_F(QtPanelTest, OrderFrontShowsAndOrderOutHides) {
  panel->makeKeyAndOrderFront();
  EXPECT_TRUE(panel->isVisible());
  EXPECT_TRUE(view->searchFocused());
  panel->orderOut();
  EXPECT_FALSE(panel->isVisible());
}
