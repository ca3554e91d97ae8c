// The About window is built once, with its fixed properties, and brought
// back by every later show.
#include "app/AboutWindowController.h"

#include <gtest/gtest.h>

#include "CallRecord.h"
#include "FakeApplication.h"
#include "FakeResourceBundle.h"
#include "FakeWindowFactory.h"
#include "FakeWorkspace.h"

namespace {

class AboutWindowControllerTest : public ::testing::Test {
 protected:
  AboutWindowControllerTest() {
    windowFactory.record = record;
    application.record = record;
  }

  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
  FakeWindowFactory windowFactory;
  FakeApplication application;
  FakeResourceBundle bundle;
  FakeWorkspace workspace;
  AboutWindowController controller{windowFactory, application, bundle, workspace};
};

TEST_F(AboutWindowControllerTest, CreatesNoWindowUntilShown) {
  EXPECT_FALSE(controller.hasWindow());
  EXPECT_TRUE(record->calls().empty());
}

TEST_F(AboutWindowControllerTest, FirstShowCreatesCentresActivatesAndOrdersFront) {
  controller.show();
  EXPECT_EQ(record->calls(),
            (std::vector<std::string>{"windowFactory.createWindow(About Pellimore Clip)",
                                      "window.center", "application.activateIgnoringOtherApps",
                                      "window.makeKeyAndOrderFront"}));
  ASSERT_EQ(windowFactory.windows.size(), 1U);
  EXPECT_EQ(&windowFactory.windows[0]->rootView(), &controller.view());
}

TEST_F(AboutWindowControllerTest, SecondShowReusesTheWindowWithoutRecentring) {
  controller.show();
  windowFactory.windows[0]->close();
  record->clear();
  controller.show();
  EXPECT_EQ(windowFactory.windows.size(), 1U);
  EXPECT_TRUE(windowFactory.windows[0]->isVisible());
  EXPECT_EQ(record->calls(), (std::vector<std::string>{"application.activateIgnoringOtherApps",
                                                       "window.makeKeyAndOrderFront"}));
}

TEST_F(AboutWindowControllerTest, WindowIsFixedSizeMovableAndKeptWhenClosed) {
  controller.show();
  const auto& config = windowFactory.windows[0]->config();
  EXPECT_EQ(config.contentRect, (Rect2D{{0, 0}, {400, 390}}));
  EXPECT_EQ(config.styleMask, 32771U);
  EXPECT_EQ(config.styleMask & WindowConfig::resizable, 0U);
  EXPECT_EQ(config.styleMask & WindowConfig::miniaturizable, 0U);
  EXPECT_EQ(config.backing, 2U);
  EXPECT_FALSE(config.defer);
  EXPECT_EQ(config.title, "About Pellimore Clip");
  EXPECT_EQ(config.titleVisibility, 1);
  EXPECT_TRUE(config.titlebarAppearsTransparent);
  EXPECT_TRUE(config.movableByWindowBackground);
  EXPECT_FALSE(config.releasedWhenClosed);
}

}  // namespace
