// The About window: its content from the bundle and the brand, and the
// window itself, built once and brought back by every later show.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "app/AboutView.h"
#include "app/AboutWindowController.h"
#include "app/BrandConfig.h"

namespace {

class AboutTest : public ShellFixture {};

TEST_F(AboutTest, VersionLineShowsTheBundlesVersionOnlyWhenItIsText) {
  const std::pair<std::optional<ResourceBundle::InfoValue>, std::string> cases[] = {
      {std::string("2.4.1"), "Version 2.4.1"},
      {std::nullopt, "Version 1.0"},
      {std::int64_t{3}, "Version 1.0"},
      {3.5, "Version 1.0"}};
  for (const auto& [version, line] : cases) {
    bundle.info = {{"CFBundleVersion", std::string("77")}};
    if (version) {
      bundle.info["CFBundleShortVersionString"] = *version;
    }
    EXPECT_EQ(AboutView(bundle, workspace).content().versionLine, line);
  }
}

TEST_F(AboutTest, UnreadableWordmarkShowsItsTextAndTheNoticeNamesTheMaker) {
  bundle.addImage("PellimoreWordmark", /*readable=*/false);
  const AboutContent content = AboutView(bundle, workspace).content();
  EXPECT_EQ(content.wordmarkImage, nullptr);
  EXPECT_EQ(content.wordmarkText, "pellimore");
  EXPECT_EQ(content.name, "Pellimore Clip");
  EXPECT_EQ(content.rightsNotice,
            "© " + std::string(BrandConfig::copyrightYear) + " Pellimore. All rights reserved.");
}

TEST_F(AboutTest, FirstShowBuildsAndCentresTheWindowLaterShowsReuseItClosingHandsBackFocus) {
  EXPECT_FALSE(AboutWindowController::windowConfig().releasedWhenClosed) << "it is reused";
  EXPECT_EQ(AboutWindowController::windowConfig().backing, 2u) << "buffered, as AppKit draws";
  AboutWindowController controller{windows, application, bundle, workspace};
  workspace.bringToFront("Notes", 17);
  controller.show();
  workspace.bringToFront("Pellimore Clip", application.pid);  // the window itself
  controller.show();
  windows.closeWindow();
  EXPECT_THAT(record->calls(),
              ::testing::ElementsAre(
                  "windowFactory.createWindow(About Pellimore Clip)", "window.center",
                  "workspace.frontmostApplication", "application.activateIgnoringOtherApps",
                  "window.makeKeyAndOrderFront", "workspace.frontmostApplication",
                  "application.activateIgnoringOtherApps", "window.makeKeyAndOrderFront",
                  "app[Notes].activate"));
}

}  // namespace
