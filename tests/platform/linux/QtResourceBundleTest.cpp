// The bundle's version value and resource look-up in a scratch folder.
#include "platform/linux/QtResourceBundle.h"

#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "TempDir.h"

namespace {

class QtResourceBundleTest : public ::testing::Test {
 protected:
  TempDir dir_;
  QtResourceBundle bundle_{"2.3.4", dir_.path() + "/"};
};

TEST_F(QtResourceBundleTest, AnswersTheVersionKeyOnly) {
  EXPECT_EQ(bundle_.infoValue("CFBundleShortVersionString"), ResourceBundle::InfoValue("2.3.4"));
  EXPECT_EQ(bundle_.infoValue("CFBundleVersion"), std::nullopt);
}

TEST(QtResourceBundleVersion, AnEmptyVersionIsNoValue) {
  const QtResourceBundle bundle("", "/nonexistent/");
  EXPECT_EQ(bundle.infoValue("CFBundleShortVersionString"), std::nullopt);
}

TEST_F(QtResourceBundleTest, FindsImagesByNameAndLoadsThem) {
  QImage image(4, 3, QImage::Format_ARGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(QString::fromStdString(dir_.file("Mark.png")), "PNG"));

  const auto path = bundle_.urlForResource("Mark", "png");
  ASSERT_EQ(path, dir_.file("Mark.png"));
  EXPECT_NE(bundle_.imageWithContentsOfFile(*path), nullptr);
  EXPECT_EQ(bundle_.urlForResource("Missing", "png"), std::nullopt);
}

TEST_F(QtResourceBundleTest, NamesThatLeaveTheFolderAreNoResources) {
  std::ofstream(dir_.file("outside.png")) << "x";
  const QtResourceBundle nested("1", dir_.path() + "/inner/");
  EXPECT_EQ(nested.urlForResource("../outside", "png"), std::nullopt);
  EXPECT_EQ(bundle_.urlForResource("", "png"), std::nullopt);
}

TEST_F(QtResourceBundleTest, AFileThatIsNoImageGivesNothing) {
  std::ofstream(dir_.file("Broken.png")) << "not a png";
  EXPECT_EQ(bundle_.imageWithContentsOfFile(dir_.file("Broken.png")), nullptr);
  EXPECT_EQ(bundle_.imageWithContentsOfFile(dir_.file("Absent.png")), nullptr);
}

}  // namespace
