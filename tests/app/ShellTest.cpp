// The application shell on the shared call record: the start-up order, the
// wiring done at launch, and the status menu with its commands.
#include "app/AppDelegate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "ShellFixture.h"
#include "app/AppMain.h"
#include "app/AppPlatform.h"
#include "app/Brand.h"
#include "app/SingleInstance.h"
#include "capture/ClipboardMonitor.h"
#include "history/ClipboardStore.h"
#include "platform/ApplicationDelegate.h"
#include "platform/ApplicationHost.h"
#include "popup/HotKey.h"
#include "views/HistoryView.h"

using ::testing::AllOf;
using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

class ShellTest : public ShellFixture {
 public:
  /// Builds the delegate and finishes launching, the record starting there.
  void launch() {
    delegate = std::make_shared<AppDelegate>(environment());
    record->clear();
    delegate->applicationDidFinishLaunching();
  }
  FakeStatusItem& item() { return *statusBar.items.back(); }

  std::shared_ptr<AppDelegate> delegate;
};

TEST_F(ShellTest, TrustedLaunchRunsItsStepsInOrderAndRenewsTheLoginItem) {
  bundle.addImage("PellimoreMarkTemplate");
  loginItem.currentStatus = LoginItem::Status::enabled;
  accessibility.trusted = true;
  launch();
  const std::string icon = "/bundle/Resources/PellimoreMarkTemplate.png";
  const std::string polling =
      "activity.begin(Polling the pasteboard twice a second so that no copy is missed)";
  const std::vector<std::string> steps{polling,
                                       "hotKeys.registerEventHotKey(9,0x300,0x434c4950,1,0)",
                                       "statusBar.statusItemWithLength(-1)",
                                       "image.setTemplate(" + icon + ",1)",
                                       "image.setSize(" + icon + ",19,15)",
                                       "statusItem.setButtonImage(" + icon + ")",
                                       "statusItem.setMenu",
                                       "loginItem.registerService"};
  EXPECT_EQ(record->only(steps), steps);
  EXPECT_EQ(mainLoop.activeTimers(), 1) << "the monitor polls";
  EXPECT_EQ(record->count("activity.end"), 0) << "held while the monitor runs";
  EXPECT_EQ(item().menu.items.at(4).state, MenuItemDescription::State::on);
  EXPECT_EQ(item().menu.items.at(5).title, "Accessibility: granted ✓");
  EXPECT_EQ(record->count("accessibility.isProcessTrustedWithPrompt"), 0);
  EXPECT_THAT(log.messages(), ElementsAre("launch: Accessibility already granted"));
  EXPECT_EQ(record->count("panelFactory.createPanel"), 0) << "not while launching";
  mainLoop.runPending();
  const std::vector<std::string> popup{"panelFactory.createPanel", "panel.prepare"};
  EXPECT_EQ(record->only({"panelFactory.createPanel", "panel.prepare", "panel.makeKeyAndOrderFront",
                          "application.activateIgnoringOtherApps"}),
            popup);
}

TEST_F(ShellTest, UntrustedLaunchPromptsAfterTheMenuAndAFailedRenewalChangesNothing) {
  loginItem.currentStatus = LoginItem::Status::enabled;
  loginItem.registerError = "The operation couldn’t be completed.";
  launch();
  const std::vector<std::string> steps{"statusItem.setMenu",
                                       "accessibility.isProcessTrustedWithPrompt",
                                       "loginItem.registerService"};
  EXPECT_EQ(record->only(steps), steps);
  EXPECT_THAT(log.messages(), ElementsAre("launch: Accessibility NOT granted — prompting"));
  EXPECT_EQ(item().menu.items.at(5).title, "Enable Accessibility (for auto-paste)…");
  EXPECT_THAT(record->matching("systemLog"), IsEmpty());

  loginItem.currentStatus = LoginItem::Status::requiresApproval;
  launch();
  EXPECT_EQ(record->count("loginItem.registerService"), 0);
  EXPECT_EQ(item().menu.items.at(4).state, MenuItemDescription::State::off);
}

TEST_F(ShellTest, PasteboardAccessAlwaysDeniedIsLoggedOnceAndSaidInTheMenu) {
  accessibility.trusted = true;
  const std::pair<Pasteboard::AccessBehavior, std::size_t> cases[] = {
      {Pasteboard::AccessBehavior::ask, 12}, {Pasteboard::AccessBehavior::alwaysDeny, 13}};
  for (const auto& [access, itemCount] : cases) {
    pasteboard.access = access;
    launch();
    EXPECT_EQ(item().menu.items.size(), itemCount);
  }
  EXPECT_THAT(log.messages(),
              ElementsAre("launch: Accessibility already granted",
                          "launch: pasteboard access denied — copies cannot be captured",
                          "launch: Accessibility already granted"));
  const MenuItemDescription& line = item().menu.items.at(10);
  EXPECT_EQ(line.title, "Clipboard access denied: new copies are not recorded");
  EXPECT_FALSE(line.enabled);
}

TEST_F(ShellTest, AnUnwritableFolderIsToldToTheSystemLogAtLaunchAndAtTheFirstFailedSave) {
  files.fail(FaultyFileSystem::Operation::canWriteInFolder, "read-only");
  files.fail(FaultyFileSystem::Operation::writeFileAtomically, "Read-only file system");
  launch();
  EXPECT_THAT(record->matching("systemLog"),
              ElementsAre("systemLog.write(cannot write to " + delegate->store().baseURL() +
                          "; the clipboard history will be lost at quit and the debug log is not "
                          "kept)"));
  record->clear();
  delegate->store().add(CapturedText{"one", std::nullopt});
  delegate->store().add(CapturedText{"two", std::nullopt});
  EXPECT_THAT(record->matching("systemLog"),
              ElementsAre("systemLog.write(the clipboard history could not be saved: Read-only "
                          "file system)"));
}

TEST_F(ShellTest, ADebugLogThatTakesNoLineIsToldToTheSystemLogAtLaunch) {
  // A folder in the log's place: the launch line can neither be appended nor
  // written afresh, while the history folder itself is fine.
  std::filesystem::remove(log.path());
  std::filesystem::create_directory(log.path());
  launch();
  EXPECT_EQ(record->matching("systemLog").size(), 1u);
}

TEST_F(ShellTest, StatusIconFallsBackToTheSystemSymbolAndNeedsAButton) {
  launch();
  EXPECT_THAT(
      record->matching("stat"),
      ElementsAre("statusBar.statusItemWithLength(-1)",
                  "statusBar.imageWithSystemSymbolName(doc.on.clipboard,Pellimore Clip)",
                  "statusItem.setButtonImage(symbol:doc.on.clipboard)", "statusItem.setMenu"));
  bundle.addImage("PellimoreMarkTemplate");
  statusBar.itemsHaveButton = false;
  launch();
  EXPECT_THAT(record->matching("stat"),
              ElementsAre("statusBar.statusItemWithLength(-1)", "statusItem.setMenu"));
}

TEST_F(ShellTest, MenuHasTheTwelveItemsWithTitlesAndActions) {
  launch();
  const std::pair<std::string, MenuAction> expected[] = {
      {"Pellimore Clip", MenuAction::none},
      {"-", MenuAction::none},  // a separator
      {"Open Clipboard History  (⇧⌘V)", MenuAction::openHistory},
      {"-", MenuAction::none},
      {"Launch at Login", MenuAction::toggleLaunchAtLogin},
      {"Enable Accessibility (for auto-paste)…", MenuAction::fixAccessibility},
      {"Clear All History", MenuAction::clearHistory},
      {"-", MenuAction::none},
      {"About Pellimore Clip", MenuAction::showAbout},
      {"Visit " + std::string(Brand::webDomain), MenuAction::visitWebsite},
      {"-", MenuAction::none},
      {"Quit Pellimore Clip", MenuAction::quit}};
  const MenuDescription& menu = item().menu;
  EXPECT_FALSE(menu.autoenablesItems);
  ASSERT_EQ(menu.items.size(), std::size(expected));
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    const MenuItemDescription& actual = menu.items[i];
    const auto& [title, action] = expected[i];
    SCOPED_TRACE(title);
    EXPECT_EQ(actual.isSeparator ? "-" : actual.title, title);
    EXPECT_EQ(actual.action, action);
    EXPECT_EQ(actual.enabled, i != 0) << "only the heading is disabled";
    EXPECT_EQ(actual.keyEquivalent, action == MenuAction::quit ? "q" : "");
  }
}

TEST_F(ShellTest, LaunchAtLoginToggleMovesTheMarkOnlyWhenTheItemIsEnabled) {
  using Status = LoginItem::Status;
  const std::string awaits =
      "systemLog.write(Launch-at-login toggle failed: the login item awaits approval in System "
      "Settings)";
  const std::string settings = "loginItem.openSystemSettingsLoginItems";
  const struct {
    const char* name;
    Status before;
    Status afterRegister;
    std::optional<std::string> error;
    std::vector<std::string> calls;
  } cases[] = {
      {"enabled: switched off",
       Status::enabled,
       Status::enabled,
       std::nullopt,
       {"loginItem.status", "loginItem.unregisterService", "statusItem.setMenuItemState(4,0)"}},
      {"not registered: switched on",
       Status::notRegistered,
       Status::enabled,
       std::nullopt,
       {"loginItem.status", "loginItem.registerService", "loginItem.status",
        "statusItem.setMenuItemState(4,1)"}},
      {"switched off in System Settings: sent there, not registered",
       Status::requiresApproval,
       Status::enabled,
       std::nullopt,
       {"loginItem.status", awaits, settings}},
      {"registered, awaiting approval: sent to System Settings",
       Status::notRegistered,
       Status::requiresApproval,
       std::nullopt,
       {"loginItem.status", "loginItem.registerService", "loginItem.status", awaits, settings}},
      {"a failed registration that awaits approval: sent there too",
       Status::notRegistered,
       Status::requiresApproval,
       "Operation not permitted",
       {"loginItem.status", "loginItem.registerService",
        "systemLog.write(Launch-at-login toggle failed: Operation not permitted)",
        "loginItem.status", settings}},
      {"any other failed registration: logged",
       Status::notRegistered,
       Status::notRegistered,
       "Invalid argument",
       {"loginItem.status", "loginItem.registerService",
        "systemLog.write(Launch-at-login toggle failed: Invalid argument)", "loginItem.status"}},
      {"a failed unregistration: logged, the mark kept",
       Status::enabled,
       Status::enabled,
       "Invalid argument",
       {"loginItem.status", "loginItem.unregisterService",
        "systemLog.write(Launch-at-login toggle failed: Invalid argument)"}},
  };
  launch();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    loginItem.currentStatus = c.before;
    loginItem.statusAfterRegister = c.afterRegister;
    loginItem.registerError = loginItem.unregisterError = c.error;
    loginItem.statusAfterFailedRegister = c.afterRegister;
    record->clear();
    item().choose(4);
    EXPECT_EQ(record->calls(), c.calls);
  }
}

TEST_F(ShellTest, AutoPasteIsWordedAsTheDesktopWordsIt) {
  // Trusted, then not: the menu item, what choosing it does, the paste's
  // last log line.
  auto autoPasteTexts = [this](const DesktopConventions& conventions) {
    std::vector<std::string> texts;
    for (const bool trusted : {true, false}) {
      accessibility.trusted = trusted;
      delegate = std::make_shared<AppDelegate>(environment(conventions));
      delegate->applicationDidFinishLaunching();
      texts.push_back(item().menu.items.at(5).title);
      record->clear();
      item().choose(5);
      for (const std::string& call : record->calls()) {
        if (call.rfind("alert.", 0) == 0 || call.rfind("workspace.openURL", 0) == 0) {
          texts.push_back(call);
        }
      }
      delegate->store().add(CapturedText{"pasted", std::nullopt});
      delegate->performMenuAction(MenuAction::openHistory, 2);
      panels.panels.back()->rootView.clickRow(delegate->store().items().at(0).id);
      mainLoop.advance(1);
      texts.push_back(log.messages().back());
    }
    return texts;
  };
  EXPECT_THAT(autoPasteTexts(DesktopConventions::macOS(Brand::appName)),
              ElementsAre("Accessibility: granted ✓",
                          "alert.runModal(Accessibility is already enabled ✓,Auto-paste should "
                          "work. If it doesn't, toggle Pellimore Clip off and on in System "
                          "Settings → Privacy & Security → Accessibility.)",
                          "posting ⌘V (frontmost=nil)", "Enable Accessibility (for auto-paste)…",
                          "workspace.openURL(x-apple.systempreferences:com.apple.preference."
                          "security?Privacy_Accessibility)",
                          "NOT posting ⌘V — Accessibility not granted. Item is on the clipboard; "
                          "user can press ⌘V manually. (frontmost=nil)"));
  const std::vector<std::string> linux = autoPasteTexts(DesktopConventions::x11());
  EXPECT_THAT(linux, Each(Not(AnyOf(HasSubstr("⌘"), HasSubstr("System Settings"),
                                    HasSubstr("Accessibility"), HasSubstr("openURL")))));
  EXPECT_THAT(linux, Contains(AllOf(StartsWith("alert."), HasSubstr("XTest extension"))));
  EXPECT_THAT(linux, Contains(StartsWith("NOT posting Ctrl+V")));
}

TEST_F(ShellTest, TheAlertHandsTheFocusBackAndAReopenOpensThePopup) {
  accessibility.trusted = true;
  launch();
  workspace.bringToFront("Notes");
  record->clear();
  item().choose(5);
  const DesktopConventions texts = DesktopConventions::macOS(Brand::appName);
  const std::string alert =
      "alert.runModal(" + texts.pasteAllowedAlert + "," + texts.pasteAllowedAdvice + ")";
  EXPECT_EQ(
      record->only({"workspace.frontmostApplication", alert, "app[Notes].activate"}),
      (std::vector<std::string>{"workspace.frontmostApplication", alert, "app[Notes].activate"}));

  record->clear();
  delegate->applicationShouldHandleReopen();
  EXPECT_EQ(record->count("panel.makeKeyAndOrderFront"), 1);
}

TEST_F(ShellTest, MenuCommandsReachTheirSeams) {
  launch();
  delegate->store().add(CapturedText{"pinned", std::nullopt});
  delegate->store().togglePin(delegate->store().items()[0].id);
  item().choose(6);
  EXPECT_TRUE(delegate->store().items().empty()) << "Clear All History takes pinned ones too";
  for (const std::size_t index : {2, 8, 9, 11}) {
    item().choose(index);
  }
  const std::vector<std::string> steps{
      "panelFactory.createPanel", "windowFactory.createWindow(About Pellimore Clip)",
      "workspace.openURL(" + std::string(Brand::website) + ")", "application.terminate"};
  EXPECT_EQ(record->only(steps), steps);
}

TEST_F(ShellTest, HotKeyTogglesThePopupAndTheMonitorFeedsTheStore) {
  launch();
  pasteboard.copyText("copied just before");
  hotKeys.press();
  mainLoop.runPending();
  EXPECT_EQ(record->count("panel.makeKeyAndOrderFront"), 1);
  ASSERT_EQ(delegate->store().items().size(), 1U) << "opening polls once, not waiting a tick";
  pasteboard.copyText("copied elsewhere");
  mainLoop.advance(0.5);
  ASSERT_EQ(delegate->store().items().size(), 2U);
  EXPECT_EQ(delegate->store().items()[0].text, "copied elsewhere");
}

TEST_F(ShellTest, HotKeyIsTheLayoutsVKeyAndIsRegisteredAgainWhenThatKeyChanges) {
  layout.keyV = 47;  // Dvorak
  launch();
  layout.select(47);
  layout.select(std::nullopt);  // the ANSI position then
  EXPECT_THAT(record->matching("hotKeys"),
              ElementsAre("hotKeys.installEventHandler(1,0x6b657962,5)",
                          "hotKeys.registerEventHotKey(47,0x300,0x434c4950,1,0)",
                          "hotKeys.unregisterEventHotKey", "hotKeys.removeEventHandler",
                          "hotKeys.installEventHandler(1,0x6b657962,5)",
                          "hotKeys.registerEventHotKey(9,0x300,0x434c4950,1,0)"));
  hotKeys.press();
  mainLoop.runPending();
  EXPECT_EQ(record->count("panel.makeKeyAndOrderFront"), 1);
}

TEST_F(ShellTest, CallbacksDoNothingOnceTheDelegateIsGone) {
  launch();
  auto onNewItem = delegate->monitor().onNewItem;
  auto onPressed = delegate->hotKey()->onPressed;
  std::weak_ptr<AppDelegate> weak = delegate;
  delegate.reset();
  ASSERT_TRUE(weak.expired());
  record->clear();
  onNewItem(CapturedText{"late", std::nullopt});
  onPressed();
  EXPECT_THAT(record->calls(), IsEmpty());
  EXPECT_THAT(files.callsOf(FaultyFileSystem::Operation::writeFileAtomically), IsEmpty());
}

/// Its application object tells its delegate that launching finished; then a
/// later start asks twice for the popup.
struct RecordingPlatform : AppPlatform, ApplicationHost, Recorder {
  RecordingPlatform(std::shared_ptr<CallRecord> shared, AppEnvironment appEnvironment,
                    FakeInstanceChannel& channel)
      : Recorder(std::move(shared)), environment_(std::move(appEnvironment)), channel_(channel) {}
  void installCrashHandler() override { record->add("crashHandler.install"); }
  ApplicationHost& sharedApplication() override {
    return noted<ApplicationHost&>("platform.sharedApplication", *this);
  }
  AppEnvironment environment() override { return noted("platform.environment", environment_); }
  InstanceChannel& instanceChannel() override { return channel_; }
  void setDelegate(ApplicationDelegate* newDelegate) override {
    delegate = noted("host.setDelegate", newDelegate);
  }
  void setActivationPolicy(ActivationPolicy policy) override {
    record->add("host.setActivationPolicy", static_cast<int>(policy));
  }
  int run() override {
    delegate->applicationDidFinishLaunching();
    channel_.onOpenRequest();
    channel_.onOpenRequest();
    return 3;
  }
  AppEnvironment environment_;
  FakeInstanceChannel& channel_;
  ApplicationDelegate* delegate = nullptr;
};

TEST_F(ShellTest, RunAppInstallsTheCrashHandlerFirstAndLaunchesFromTheEventLoop) {
  RecordingPlatform platform(record, environment(), instances);
  EXPECT_EQ(runApp(platform), 3);
  // The store and monitor are built between asking for the environment and
  // handing over the delegate; launching starts by keeping the poll awake.
  const std::vector<std::string> start(record->calls().begin(), record->calls().begin() + 7);
  EXPECT_THAT(start,
              ::testing::ElementsAre("crashHandler.install", "platform.sharedApplication",
                                     "platform.environment", "instance.listen", "host.setDelegate",
                                     "host.setActivationPolicy(1)",  // an accessory
                                     record->matching("activity.begin").at(0)));
  EXPECT_EQ(statusBar.items.size(), 1U) << "the delegate outlived the call to run";
  EXPECT_EQ(record->count("panel.makeKeyAndOrderFront"), 2) << "a later start opens, never closes";
  EXPECT_EQ(record->count("panel.orderOut"), 0);
}

TEST_F(ShellTest, ALaterStartAsksTheRunningOneForItsPopupOrSaysWhyNotAndLeaves) {
  SingleInstance running(files, instances, systemLog);
  ASSERT_EQ(running.claim(), std::nullopt);
  RecordingPlatform platform(record, environment(), instances);
  const std::string error = "cannot connect to /run/x.socket: Connection refused";
  const std::string line = "launch: Pellimore Clip is already running but did not answer: " + error;
  EXPECT_EQ(runApp(platform), 0);
  instances.requestError = error;
  EXPECT_EQ(runApp(platform), 1);
  EXPECT_THAT(
      record->only({"instance.requestOpen", "instance.listen", "host.setDelegate",
                    "systemLog.write(" + line + ")"}),
      ElementsAre("instance.requestOpen", "instance.requestOpen", "systemLog.write(" + line + ")"));
  EXPECT_THAT(log.messages(), ElementsAre(line));
}

TEST_F(ShellTest, AnUnusableLockFileOrChannelIsLoggedAndTheAppRunsAnyway) {
  files.fail(FaultyFileSystem::Operation::lockExclusively, "cannot open x.lock: Read-only");
  instances.listenError = "socket path too long: /x";
  SingleInstance instance(files, instances, systemLog);
  EXPECT_EQ(instance.claim(), std::nullopt);
  instance.serve([] {});
  EXPECT_THAT(
      log.messages(),
      ElementsAre("launch: running without the instance lock: cannot open x.lock: Read-only",
                  "launch: later starts cannot reach this one: socket path too long: /x"));
  EXPECT_EQ(record->count("instance.requestOpen"), 0);

  // A channel that had to meet elsewhere says where.
  instances.listenError.reset();
  instances.fallback = "/var/folders/T/pellimore-clip.socket";
  instance.serve([] {});
  EXPECT_EQ(log.messages().back(),
            "launch: the history folder's path is too long for a socket; later starts reach this "
            "one at /var/folders/T/pellimore-clip.socket");
}

}  // namespace
