// The About window's content as the front ends receive it.
#include "app/AboutView.h"

#include <gtest/gtest.h>

#include "FakeResourceBundle.h"
#include "FakeWorkspace.h"
#include "app/AboutMetrics.h"
#include "app/Brand.h"
#include "app/BrandConfig.h"

namespace {

class AboutViewTest : public ::testing::Test {
 protected:
  FakeResourceBundle bundle;
  FakeWorkspace workspace;
  AboutView view{bundle, workspace};
};

TEST_F(AboutViewTest, ShowsTheWordmarkImageWhenItLoads) {
  bundle.addImage("PellimoreWordmark");
  auto content = view.content();
  ASSERT_NE(content.wordmarkImage, nullptr);
  EXPECT_EQ(content.wordmarkText, "");
}

TEST_F(AboutViewTest, MissingWordmarkFallsBackToBoldGreenText) {
  auto content = view.content();
  EXPECT_EQ(content.wordmarkImage, nullptr);
  EXPECT_EQ(content.wordmarkText, "pellimore");
  EXPECT_EQ(AboutMetrics::wordmarkFallbackStyle.pointSize, 46);
  EXPECT_EQ(AboutMetrics::wordmarkFallbackStyle.weight, TextStyle::Weight::bold);
  EXPECT_EQ(AboutMetrics::wordmarkFallbackStyle.color, Brand::green);
}

TEST_F(AboutViewTest, UnreadableWordmarkFallsBackToText) {
  bundle.addUnreadableImage("PellimoreWordmark");
  EXPECT_EQ(view.content().wordmarkText, "pellimore");
}

TEST_F(AboutViewTest, MissingVersionShowsVersionOneDotZero) {
  EXPECT_EQ(view.content().versionLine, "Version 1.0");
}

TEST_F(AboutViewTest, VersionLineFollowsTheBundle) {
  bundle.info["CFBundleShortVersionString"] = std::string("3.2");
  EXPECT_EQ(view.content().versionLine, "Version 3.2");
}

TEST_F(AboutViewTest, TextsComeFromTheBrand) {
  auto content = view.content();
  EXPECT_EQ(content.name, "Pellimore Clip");
  EXPECT_EQ(content.tagline, std::string(Brand::tagline));
  EXPECT_EQ(content.buttonLabel, "Visit " + std::string(Brand::webDomain));
  EXPECT_EQ(content.rightsNotice,
            "© " + std::string(BrandConfig::copyrightYear) + " Pellimore. All rights reserved.");
}

TEST_F(AboutViewTest, ButtonOpensTheWebsite) {
  view.visitWebsite();
  EXPECT_EQ(workspace.openedURLs, std::vector<std::string>{std::string(Brand::website)});
}

}  // namespace
