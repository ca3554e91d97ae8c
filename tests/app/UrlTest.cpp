// Which texts are treated as URLs before they reach the workspace.
#include "app/Url.h"

#include <gtest/gtest.h>

#include "FakeWorkspace.h"

namespace {

TEST(UrlTest, AcceptsWebAndSettingsAddresses) {
  EXPECT_TRUE(Url::parses("https://pellimore.example"));
  EXPECT_TRUE(Url::parses("https://pellimore.example/a?b=c#d"));
  EXPECT_TRUE(
      Url::parses("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"));
}

TEST(UrlTest, RejectsTextWithoutAScheme) {
  EXPECT_FALSE(Url::parses(""));
  EXPECT_FALSE(Url::parses("pellimore.example"));
  EXPECT_FALSE(Url::parses(":nothing"));
  EXPECT_FALSE(Url::parses("1http://x"));
  EXPECT_FALSE(Url::parses("ht_tp://x"));
}

TEST(UrlTest, RejectsBlanksControlsAndUnescapedSpecials) {
  EXPECT_FALSE(Url::parses("https://pelli more.example"));
  EXPECT_FALSE(Url::parses("https://pellimore.example\n"));
  EXPECT_FALSE(Url::parses("https://pellimore.example/<x>"));
  EXPECT_FALSE(Url::parses("https://pellimore.example/{x}"));
  EXPECT_FALSE(Url::parses("https://pellimöre.example"));
}

TEST(UrlTest, OpenIfValidHandsOnlyParsingTextToTheWorkspace) {
  FakeWorkspace workspace;
  Url::openIfValid(workspace, "not a url");
  EXPECT_TRUE(workspace.openedURLs.empty());
  Url::openIfValid(workspace, "https://pellimore.example");
  EXPECT_EQ(workspace.openedURLs, std::vector<std::string>{"https://pellimore.example"});
}

}  // namespace
