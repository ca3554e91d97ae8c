// The paste keystroke through the desktop portal, and the consent it keeps.
#include "popup/RemoteDesktopKeyboard.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "FakeRemoteDesktopPortal.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "platform/FileSystem.h"

namespace {

struct XTest : Accessibility {
  bool isProcessTrusted() override { return true; }
  bool isProcessTrustedWithPrompt() override { return true; }
  bool hasPrompt() const override { return false; }
};

struct RemoteDesktopKeyboardTest : ::testing::Test {
  RemoteDesktopKeyboard& start() {
    auto fake = std::make_unique<FakeRemoteDesktopPortal>(answers);
    portal = fake.get();
    keyboard = std::make_unique<RemoteDesktopKeyboard>(std::move(fake), *files, token, &xtest);
    return *keyboard;
  }
  FakeRemoteDesktopPortal answers;
  TempDir dir;
  std::unique_ptr<FileSystem> files = FileSystem::createReal();
  std::string token = dir.file("remote-desktop.token");
  XTest xtest;
  FakeRemoteDesktopPortal* portal = nullptr;
  std::unique_ptr<RemoteDesktopKeyboard> keyboard;
  ScopedTestLog log;
  const std::string prompting =
      "Accessibility NOT granted — prompting (the desktop asks to "
      "allow remote interaction)";
};

TEST_F(RemoteDesktopKeyboardTest, EachAnswerIsLoggedOnceAndOnlyAGrantedKeyboardIsTrusted) {
  const std::string xtest = "; Ctrl+V goes through XTest, which reaches X11 windows only";
  const struct {
    std::optional<std::uint32_t> version;
    std::uint32_t startCode, devices;
    bool trusted;
    std::string lastLine;
  } cases[] = {
      {std::nullopt, 0, 1, true, "the desktop portal offers no RemoteDesktop" + xtest},
      {1, 0, 2, true, "the desktop portal's RemoteDesktop granted no keyboard" + xtest},
      {1, 1, 0, false,
       "Accessibility refused in the desktop's remote desktop dialog — a chosen entry stays on "
       "the clipboard, press Ctrl+V to paste it; to be asked again, start pellimore-clip again "
       "or choose auto-paste in its menu"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.lastLine);
    ScopedTestLog caseLog;
    answers.version = test.version;
    answers.started = {test.startCode, "", "", test.devices, ""};
    RemoteDesktopKeyboard& keys = start();
    EXPECT_FALSE(keys.isProcessTrusted()) << "nothing is asked before the launch's prompt";
    EXPECT_EQ(keys.isProcessTrustedWithPrompt(), test.trusted);
    EXPECT_EQ(caseLog.messages().back(), "launch: " + test.lastLine);
    EXPECT_EQ(caseLog.messages().size(), test.version ? 2U : 1U);
  }
}

TEST_F(RemoteDesktopKeyboardTest, PastesAskAgainOnlyAfterTheDesktopClosedTheSession) {
  answers.started.code = 1;
  RemoteDesktopKeyboard& keys = start();
  keys.isProcessTrustedWithPrompt();
  EXPECT_FALSE(keys.isProcessTrusted());
  EXPECT_FALSE(keys.isProcessTrusted());
  EXPECT_EQ(answers.record->count("portal.start"), 1) << "a refusal holds until the next start";
  portal->started.code = 0;
  EXPECT_TRUE(keys.isProcessTrustedWithPrompt()) << "the menu's command asks again";
  keys.post('v', {0xffe3, 0xffe1}, /*keyDown=*/true);
  keys.post('v', {0xffe3, 0xffe1}, /*keyDown=*/false);
  EXPECT_EQ(
      answers.record->matching("portal.key"),
      std::vector<std::string>({"portal.key(ffe3,1)", "portal.key(ffe1,1)", "portal.key(76,1)",
                                "portal.key(76,0)", "portal.key(ffe1,0)", "portal.key(ffe3,0)"}));
  portal->closed("/session/another");
  portal->closed("/session/ours");
  EXPECT_FALSE(keys.isProcessTrusted()) << "this paste goes without";
  EXPECT_TRUE(keys.isProcessTrusted());
  EXPECT_EQ(answers.record->count("portal.start"), 3);
  EXPECT_EQ(log.messages().at(4),
            "auto-paste: the desktop closed the remote desktop session; the next paste asks again");
}

TEST_F(RemoteDesktopKeyboardTest, AKeptConsentSparesTheNextStartsDialogWherePortalsKeepThem) {
  answers.version = 2;
  answers.started.restoreToken = "token-1";
  start().isProcessTrustedWithPrompt();
  struct stat info {};
  ASSERT_EQ(::stat(token.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600U);
  start().isProcessTrustedWithPrompt();
  answers.started.code = 1;
  start().isProcessTrustedWithPrompt();
  EXPECT_FALSE(files->readFile(token)) << "a refused restore forgets its token";
  ASSERT_TRUE(files->writeFileAtomically(token, "kept", 0600).ok());
  answers.version = 1;
  start().isProcessTrustedWithPrompt();
  EXPECT_EQ(
      answers.record->matching("portal.selectDevices"),
      std::vector<std::string>({"portal.selectDevices(1,)", "portal.selectDevices(1,token-1)",
                                "portal.selectDevices(1,token-1)", "portal.selectDevices(0,)"}));
  const std::vector<std::string> lines = log.messages();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "launch: " + prompting), 2)
      << "no dialog, so no prompting line, when restoring";
  EXPECT_EQ(lines.size(), 6U);
}

}  // namespace
