// Which texts are treated as URLs before they reach the workspace: a scheme,
// then only characters that need no escaping.
#include "app/Url.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"

namespace {

TEST(UrlTest, ParsesOnlyASchemeFollowedByCharactersThatNeedNoEscaping) {
  for (const char* url : {"a:b", "https://pellimore.example", "https://pellimore.example/a?b=c#d",
                          "x-apple.systempreferences:com.apple.preference.security?Privacy"}) {
    EXPECT_TRUE(Url::parses(url)) << url;
  }
  for (const char* text :
       {"", "pellimore.example", ":nothing", "1http://x", "ht_tp://x", "https://pelli more.example",
        "https://pellimore.example\n", "https://pellimore.example/<x>",
        "https://pellimore.example/{x}", "https://pellimöre.example"}) {
    EXPECT_FALSE(Url::parses(text)) << text;
  }
}

TEST(UrlTest, OpenIfValidHandsOnlyParsingTextToTheWorkspace) {
  FakeWorkspace workspace;
  Url::openIfValid(workspace, "not a url");
  Url::openIfValid(workspace, "https://pellimore.example");
  EXPECT_THAT(workspace.record->calls(),
              ::testing::ElementsAre("workspace.openURL(https://pellimore.example)"));
}

}  // namespace
