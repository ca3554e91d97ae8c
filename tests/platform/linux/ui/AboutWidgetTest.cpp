// The About content as drawn: wordmark or its text, every line of the
// tagline, and the website button's action.
#include "platform/linux/ui/AboutWidget.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ShellFixture.h"
#include "app/AboutView.h"
#include "app/Brand.h"

class AboutWidgetTest : public ::testing::Test {
 protected:
  FakeResourceBundle bundle_;
  FakeWorkspace workspace_;
  AboutView view_{bundle_, workspace_};
};

TEST_F(AboutWidgetTest, WordmarkIsItsTextUntilThereIsAnImageThenFitsItsBox) {
  EXPECT_EQ(AboutWidget(view_).wordmark().text(), "pellimore");
  bundle_.addImage("PellimoreWordmark");
  AboutWidget widget(view_);
  const QPixmap pixmap = widget.wordmark().pixmap();
  ASSERT_FALSE(pixmap.isNull());
  EXPECT_LE(pixmap.deviceIndependentSize().width(), 210);
  EXPECT_LE(pixmap.deviceIndependentSize().height(), 96);
}

TEST_F(AboutWidgetTest, TaglineShowsEveryLineAndTheButtonOpensTheSite) {
  AboutWidget widget(view_);
  widget.show();
  QLabel& tagline = widget.tagline();
  EXPECT_EQ(tagline.text().toStdString(), std::string(Brand::tagline));
  EXPECT_GE(tagline.height(), tagline.heightForWidth(tagline.width()));
  EXPECT_GE(tagline.height(), 2 * tagline.fontMetrics().height());
  QTest::mouseClick(&widget.websiteButton(), Qt::LeftButton);
  EXPECT_EQ(workspace_.openedURLs, (std::vector<std::string>{std::string(Brand::website)}));
}
