// Brand's version and image lookups against a substitute bundle.
#include "app/Brand.h"

#include <gtest/gtest.h>

#include "FakeImage.h"
#include "FakeResourceBundle.h"

namespace {

class BrandTest : public ::testing::Test {
 protected:
  FakeResourceBundle bundle;
};

TEST_F(BrandTest, VersionIsTheBundlesShortVersionString) {
  bundle.info["CFBundleShortVersionString"] = std::string("2.4.1");
  EXPECT_EQ(Brand::version(bundle), "2.4.1");
}

TEST_F(BrandTest, VersionFallsBackWhenTheKeyIsAbsent) {
  bundle.info["CFBundleVersion"] = std::string("77");
  EXPECT_EQ(Brand::version(bundle), "1.0");
}

TEST_F(BrandTest, VersionFallsBackWhenTheValueIsANumber) {
  bundle.info["CFBundleShortVersionString"] = std::int64_t{3};
  EXPECT_EQ(Brand::version(bundle), "1.0");
  bundle.info["CFBundleShortVersionString"] = 3.5;
  EXPECT_EQ(Brand::version(bundle), "1.0");
}

TEST_F(BrandTest, VersionIsReadAnewOnEachCall) {
  bundle.info["CFBundleShortVersionString"] = std::string("1.1");
  EXPECT_EQ(Brand::version(bundle), "1.1");
  bundle.info["CFBundleShortVersionString"] = std::string("1.2");
  EXPECT_EQ(Brand::version(bundle), "1.2");
}

TEST_F(BrandTest, ImageLoadsThePngResourceOfThatName) {
  bundle.addImage("PellimoreMark");
  auto image = Brand::image(bundle, "PellimoreMark");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(dynamic_cast<FakeImage&>(*image).name, "/bundle/Resources/PellimoreMark.png");
}

TEST_F(BrandTest, MissingAssetYieldsNothingWithoutTryingToReadAFile) {
  EXPECT_EQ(Brand::image(bundle, "PellimoreWordmark"), nullptr);
  EXPECT_EQ(bundle.record->calls(),
            std::vector<std::string>{"bundle.urlForResource(PellimoreWordmark.png)"});
}

TEST_F(BrandTest, UnreadableAssetYieldsNothing) {
  bundle.addUnreadableImage("PellimoreMark");
  EXPECT_EQ(Brand::image(bundle, "PellimoreMark"), nullptr);
  EXPECT_EQ(
      bundle.record->count("bundle.imageWithContentsOfFile(/bundle/Resources/PellimoreMark.png)"),
      1);
}

TEST(BrandValuesTest, GreenIsHex00FF91InBothForms) {
  for (const auto& color : {Brand::green, Brand::greenNS}) {
    EXPECT_EQ(color.red, 0.0);
    EXPECT_EQ(color.green, 1.0);
    EXPECT_DOUBLE_EQ(color.blue * 255.0, 145.0);
    EXPECT_EQ(color.opacity, 1.0);
  }
}

TEST(BrandValuesTest, TaglineIsTwoLinesSeparatedByOneLineFeed) {
  const std::string tagline(Brand::tagline);
  auto feed = tagline.find('\n');
  ASSERT_NE(feed, std::string::npos);
  EXPECT_EQ(tagline.find('\n', feed + 1), std::string::npos);
  EXPECT_GT(feed, 0U);
  EXPECT_LT(feed + 1, tagline.size());
}

TEST(BrandValuesTest, WebsiteIsOnTheConfiguredDomain) {
  const std::string website(Brand::website);
  EXPECT_NE(website.find(std::string(Brand::webDomain)), std::string::npos);
}

}  // namespace
