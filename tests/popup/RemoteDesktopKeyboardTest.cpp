// The paste keystroke through the desktop portal: each outcome of asking
// said once in the log, a consent kept for the app's life and, where the
// portal allows, for the next start; a refusal not asked about again by
// pastes; keys only in a granted session, modifiers around the key.
#include "popup/RemoteDesktopKeyboard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FakeRemoteDesktopPortal.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "platform/FileSystem.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Response = RemoteDesktopPortal::Response;
using State = RemoteDesktopKeyboard::State;

struct FixedAccessibility : Accessibility {
  bool isProcessTrusted() override { return true; }
  bool isProcessTrustedWithPrompt() override { return true; }
};

class RemoteDesktopKeyboardTest : public ::testing::Test {
 protected:
  /// A keyboard over a fresh fake portal, as at one start of the app.
  RemoteDesktopKeyboard& start(const FakeRemoteDesktopPortal& answers, bool withFallback = true) {
    auto portal = std::make_unique<FakeRemoteDesktopPortal>(record);
    portal->version = answers.version;
    portal->created = answers.created;
    portal->selected = answers.selected;
    portal->started = answers.started;
    this->portal = portal.get();
    keyboard = std::make_unique<RemoteDesktopKeyboard>(std::move(portal), *files, token,
                                                       withFallback ? &fallback : nullptr);
    return *keyboard;
  }

  const std::string prompting =
      "launch: Accessibility NOT granted — prompting (the desktop asks to allow remote "
      "interaction)";
  const std::string granted =
      "launch: Accessibility granted (Ctrl+V through the desktop portal's RemoteDesktop)";
  const std::string refused =
      "Accessibility refused in the desktop's remote desktop dialog — a chosen entry stays on "
      "the clipboard, press Ctrl+V to paste it; to be asked again, start pellimore-clip again "
      "or choose auto-paste in its menu";

  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
  TempDir dir;
  std::unique_ptr<FileSystem> files = FileSystem::createReal();
  std::string token = dir.file("remote-desktop.token");
  FixedAccessibility fallback;
  FakeRemoteDesktopPortal* portal = nullptr;
  std::unique_ptr<RemoteDesktopKeyboard> keyboard;
  ScopedTestLog log;
};

TEST_F(RemoteDesktopKeyboardTest, EachAnswerIsLoggedOnceAndTrustedOnlyWhenAKeyboardWasGranted) {
  const std::string xtest = "; Ctrl+V goes through XTest, which reaches X11 windows only";
  const Response ok{0, "", "", 0, ""}, cancelled{1, "", "", 0, ""}, ended{2, "", "", 0, ""};
  const Response denied{2, "org.freedesktop.DBus.Error.AccessDenied: no", "", 0, ""};
  const Response pointerOnly{0, "", "", 2, ""};
  const struct {
    const char* name;
    std::optional<std::uint32_t> version;
    Response created, selected, started;
    bool withFallback;
    State state;
    bool trusted;
    std::vector<std::string> lines;
  } cases[] = {
      {"no portal",
       std::nullopt,
       ok,
       ok,
       ok,
       true,
       State::fallenBack,
       true,
       {"launch: the desktop portal offers no RemoteDesktop" + xtest}},
      {"no portal, no XTest",
       std::nullopt,
       ok,
       ok,
       ok,
       false,
       State::fallenBack,
       false,
       {"launch: the desktop portal offers no RemoteDesktop; a chosen entry is left on the "
        "clipboard, press Ctrl+V to paste it"}},
      {"no session",
       1,
       denied,
       ok,
       ok,
       true,
       State::fallenBack,
       true,
       {"launch: the desktop portal's RemoteDesktop opened no session: " + denied.error + xtest}},
      {"no keyboard offered",
       1,
       {0, "", "/s", 0, ""},
       ended,
       ok,
       true,
       State::fallenBack,
       true,
       {"launch: the desktop portal's RemoteDesktop offered no keyboard: response 2" + xtest}},
      {"refused",
       1,
       {0, "", "/s", 0, ""},
       ok,
       cancelled,
       true,
       State::refused,
       false,
       {prompting, "launch: " + refused}},
      {"ended",
       1,
       {0, "", "/s", 0, ""},
       ok,
       ended,
       true,
       State::fallenBack,
       true,
       {prompting, "launch: the desktop portal's RemoteDesktop did not start: response 2" + xtest}},
      {"pointer only",
       1,
       {0, "", "/s", 0, ""},
       ok,
       pointerOnly,
       true,
       State::fallenBack,
       true,
       {prompting, "launch: the desktop portal's RemoteDesktop granted no keyboard" + xtest}},
      {"granted",
       1,
       {0, "", "/s", 0, ""},
       ok,
       {0, "", "", 3, ""},
       true,
       State::granted,
       true,
       {prompting, granted}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    ScopedTestLog caseLog;
    FakeRemoteDesktopPortal answers;
    answers.version = test.version;
    answers.created = test.created;
    answers.selected = test.selected;
    answers.started = test.started;
    RemoteDesktopKeyboard& keys = start(answers, test.withFallback);
    EXPECT_FALSE(keys.isProcessTrusted()) << "nothing is asked before the launch's prompt";
    EXPECT_EQ(keys.isProcessTrustedWithPrompt(), test.trusted);
    EXPECT_EQ(keys.state(), test.state);
    EXPECT_EQ(keys.isProcessTrusted(), test.trusted);
    EXPECT_EQ(caseLog.messages(), test.lines);
  }
}

TEST_F(RemoteDesktopKeyboardTest, ARefusalIsNotAskedAgainByPastesButAClosedSessionIs) {
  FakeRemoteDesktopPortal answers;
  answers.started.code = 1;
  RemoteDesktopKeyboard& keys = start(answers);
  keys.isProcessTrustedWithPrompt();
  for (int paste = 0; paste < 3; ++paste) {
    EXPECT_FALSE(keys.isProcessTrusted());
  }
  EXPECT_EQ(record->count("portal.start"), 1);

  // The menu's command asks again; granted, the session lasts until the
  // desktop closes it, and the next paste then asks anew.
  portal->started.code = 0;
  EXPECT_TRUE(keys.isProcessTrustedWithPrompt());
  EXPECT_TRUE(keys.isProcessTrustedWithPrompt());
  portal->closed("/session/other");
  EXPECT_TRUE(keys.isProcessTrusted());
  EXPECT_EQ(record->count("portal.start"), 2);
  portal->closed("/session/ours");
  EXPECT_FALSE(keys.isProcessTrusted()) << "this paste goes without";
  EXPECT_TRUE(keys.isProcessTrusted());
  EXPECT_EQ(record->count("portal.start"), 3);
  EXPECT_THAT(log.messages(),
              ElementsAre(prompting, "launch: " + refused,
                          "auto-paste: Accessibility NOT granted — prompting (the desktop asks to "
                          "allow remote interaction)",
                          "auto-paste: Accessibility granted (Ctrl+V through the desktop portal's "
                          "RemoteDesktop)",
                          "auto-paste: the desktop closed the remote desktop session; the next "
                          "paste asks again",
                          "auto-paste: Accessibility NOT granted — prompting (the desktop asks to "
                          "allow remote interaction)",
                          "auto-paste: Accessibility granted (Ctrl+V through the desktop portal's "
                          "RemoteDesktop)"));
}

TEST_F(RemoteDesktopKeyboardTest, APersistingPortalsTokenSparesTheNextStartsDialog) {
  FakeRemoteDesktopPortal answers;
  answers.version = 2;
  answers.started.restoreToken = "token-1";
  start(answers).isProcessTrustedWithPrompt();
  struct stat info {};
  ASSERT_EQ(::stat(token.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600U);

  answers.started.restoreToken = "token-2";
  start(answers).isProcessTrustedWithPrompt();
  EXPECT_EQ(files->readFile(token), "token-2");
  answers.started.code = 1;
  start(answers).isProcessTrustedWithPrompt();
  EXPECT_FALSE(files->readFile(token)) << "a refused restore forgets its token";

  // Version 1 keeps nothing, and is not offered a token.
  ASSERT_TRUE(files->writeFileAtomically(token, "stale", 0600).ok());
  answers.version = 1;
  answers.started.code = 0;
  start(answers).isProcessTrustedWithPrompt();
  EXPECT_EQ(
      record->matching("portal.selectDevices"),
      std::vector<std::string>({"portal.selectDevices(1,)", "portal.selectDevices(1,token-1)",
                                "portal.selectDevices(1,token-2)", "portal.selectDevices(0,)"}));
  EXPECT_EQ(log.messages().at(2),
            "launch: Accessibility granted (Ctrl+V through the desktop portal's RemoteDesktop, "
            "as consented before)");
  EXPECT_EQ(log.messages().size(), 6U) << "no dialog, so no prompting line, when restoring";
}

TEST_F(RemoteDesktopKeyboardTest, KeysGoOnlyToAGrantedSessionWithModifiersAroundTheKey) {
  FakeRemoteDesktopPortal answers;
  answers.started.code = 1;
  RemoteDesktopKeyboard& keys = start(answers);
  keys.post('v', {0xffe3}, /*keyDown=*/true);
  keys.isProcessTrustedWithPrompt();
  keys.post('v', {0xffe3}, /*keyDown=*/true);
  EXPECT_THAT(record->matching("portal.key"), IsEmpty());

  portal->started.code = 0;
  keys.isProcessTrustedWithPrompt();
  keys.post('v', {0xffe3, 0xffe1}, /*keyDown=*/true);
  keys.post('v', {0xffe3, 0xffe1}, /*keyDown=*/false);
  EXPECT_THAT(
      record->matching("portal.key"),
      ElementsAre("portal.key(/session/ours:0xffe3,1)", "portal.key(/session/ours:0xffe1,1)",
                  "portal.key(/session/ours:0x76,1)", "portal.key(/session/ours:0x76,0)",
                  "portal.key(/session/ours:0xffe1,0)", "portal.key(/session/ours:0xffe3,0)"));
}

}  // namespace
