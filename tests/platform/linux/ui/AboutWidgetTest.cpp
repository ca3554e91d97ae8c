// The About content as drawn: wordmark or its text, every line of the
// tagline, the website button's action, and the window around it.
#include "platform/linux/ui/AboutWidget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "FakeResourceBundle.h"
#include "FakeWorkspace.h"
#include "QtTestApplication.h"
#include "app/AboutView.h"
#include "app/AboutWindowController.h"
#include "app/Brand.h"
#include "platform/linux/ui/QtWindow.h"

class AboutWidgetTest : public ::testing::Test {
 protected:
  AboutWidgetTest() { qtTestApplication(); }

  FakeResourceBundle bundle;
  FakeWorkspace workspace;
  AboutView view{bundle, workspace};
};

TEST_F(AboutWidgetTest, WithoutWordmarkShowsTheTextInItsPlace) {
  AboutWidget widget(view);
  EXPECT_EQ(widget.wordmark().text(), "pellimore");
  EXPECT_TRUE(widget.wordmark().pixmap().isNull());
}

TEST_F(AboutWidgetTest, WithAWordmarkShowsAnImageWithinItsBox) {
  bundle.addImage("PellimoreWordmark");
  AboutWidget widget(view);
  const QPixmap pixmap = widget.wordmark().pixmap();
  ASSERT_FALSE(pixmap.isNull());
  EXPECT_LE(pixmap.deviceIndependentSize().width(), 210);
  EXPECT_LE(pixmap.deviceIndependentSize().height(), 96);
}

TEST_F(AboutWidgetTest, TaglineShowsEveryLineInFull) {
  AboutWidget widget(view);
  widget.show();
  QLabel& tagline = widget.tagline();
  EXPECT_EQ(tagline.text().toStdString(), std::string(Brand::tagline));
  EXPECT_TRUE(tagline.wordWrap());
  EXPECT_GE(tagline.height(), tagline.heightForWidth(tagline.width()));
  EXPECT_GE(tagline.height(), 2 * tagline.fontMetrics().height());
}

TEST_F(AboutWidgetTest, WebsiteButtonOpensTheMakersSite) {
  AboutWidget widget(view);
  EXPECT_EQ(widget.websiteButton().text().toStdString(), "Visit " + std::string(Brand::webDomain));
  QTest::mouseClick(&widget.websiteButton(), Qt::LeftButton);
  EXPECT_EQ(workspace.openedURLs, (std::vector<std::string>{std::string(Brand::website)}));
}

TEST_F(AboutWidgetTest, WindowIsFixedSizeWithOnlyACloseButtonAndHidesOnClose) {
  QtWindow window(AboutWindowController::windowConfig(), view);
  EXPECT_EQ(window.size(), QSize(400, 390));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_EQ(window.windowTitle(), "About Pellimore Clip");
  window.makeKeyAndOrderFront();
  EXPECT_TRUE(window.isVisible());
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.testAttribute(Qt::WA_DeleteOnClose));
}
