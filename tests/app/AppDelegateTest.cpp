// Start-up wiring, the status menu and its commands, against recording
// substitutes.
#include "app/AppDelegate.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ShellFixture.h"
#include "app/Brand.h"
#include "capture/ClipboardMonitor.h"
#include "popup/HotKey.h"

namespace {

using State = MenuItemDescription::State;

const std::string settingsURL =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

class AppDelegateTest : public ShellFixture {
 protected:
  /// Builds the delegate and finishes launching, with the record starting at
  /// the launch.
  void launch(DesktopConventions conventions = DesktopConventions::macOS()) {
    delegate = std::make_shared<AppDelegate>(environment(std::move(conventions)));
    record->clear();
    delegate->applicationDidFinishLaunching();
  }

  FakeStatusItem& item() { return *statusBar.items.at(0); }
  const MenuItemDescription& menuItem(std::size_t index) { return item().menu.items.at(index); }
  bool popupVisible() { return !panels.panels.empty() && panels.panels[0]->isVisible(); }
  /// Position of `call` in the record; fails the test when it is missing.
  std::size_t position(const std::string& call) {
    const auto& calls = record->calls();
    auto found = std::find(calls.begin(), calls.end(), call);
    EXPECT_NE(found, calls.end()) << call;
    return static_cast<std::size_t>(found - calls.begin());
  }
  std::size_t positionStartingWith(const std::string& prefix) {
    const auto& calls = record->calls();
    auto found = std::find_if(calls.begin(), calls.end(),
                              [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    EXPECT_NE(found, calls.end()) << prefix;
    return static_cast<std::size_t>(found - calls.begin());
  }

  std::shared_ptr<AppDelegate> delegate;
};

TEST_F(AppDelegateTest, ConstructionBuildsStoreThenMonitorAndNoWindowOrStatusItem) {
  delegate = std::make_shared<AppDelegate>(environment());
  EXPECT_EQ(record->calls(), (std::vector<std::string>{"fileSystem.readFile(history.json)",
                                                       "pasteboard.changeCount"}));
  EXPECT_EQ(delegate->popup(), nullptr);
  EXPECT_EQ(delegate->hotKey(), nullptr);
  EXPECT_EQ(delegate->statusItem(), nullptr);
  EXPECT_FALSE(delegate->aboutController().hasWindow());
}

TEST_F(AppDelegateTest, LaunchRunsItsStepsInOrder) {
  bundle.addImage("PellimoreMarkTemplate");
  loginItem.currentStatus = LoginItem::Status::enabled;
  accessibility.trusted = true;
  launch();

  const std::string icon = "image[/bundle/Resources/PellimoreMarkTemplate.png]";
  std::vector<std::size_t> steps{
      position("mainLoop.scheduleRepeating"),
      positionStartingWith("hotKeys.registerEventHotKey("),
      position("statusBar.statusItemWithLength(-1)"),
      position(icon + ".setTemplate(1)"),
      position(icon + ".setSize(19x15)"),
      position("statusItem.setButtonImage(/bundle/Resources/PellimoreMarkTemplate.png)"),
      position("statusItem.setMenu"),
      position("loginItem.registerService"),
  };
  EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
  EXPECT_NE(delegate->popup(), nullptr);
  EXPECT_EQ(mainLoop.activeTimers(), 1);
  EXPECT_EQ(log.messages(), std::vector<std::string>{"launch: Accessibility already granted"});
}

TEST_F(AppDelegateTest, HotKeyIsShiftCommandV) {
  launch();
  ASSERT_EQ(hotKeys.hotKeys.size(), 1U);
  EXPECT_EQ(hotKeys.hotKeys[0].keyCode, 9U);
  EXPECT_EQ(hotKeys.hotKeys[0].modifiers, 768U);
  EXPECT_EQ(delegate->hotKey()->keyCode(), 9U);
}

TEST_F(AppDelegateTest, MenuHasTheTwelveItemsWithTitlesActionsAndStates) {
  launch();
  const auto& menu = item().menu;
  EXPECT_FALSE(menu.autoenablesItems);
  ASSERT_EQ(menu.items.size(), 12U);

  struct Expected {
    bool separator;
    std::string title;
    MenuAction action;
    std::string key;
    bool enabled;
  };
  const std::vector<Expected> expected{
      {false, "Pellimore Clip", MenuAction::none, "", false},
      {true, "", MenuAction::none, "", true},
      {false, "Open Clipboard History  (⇧⌘V)", MenuAction::openHistory, "", true},
      {true, "", MenuAction::none, "", true},
      {false, "Launch at Login", MenuAction::toggleLaunchAtLogin, "", true},
      {false, "Enable Accessibility (for auto-paste)…", MenuAction::fixAccessibility, "", true},
      {false, "Clear All History", MenuAction::clearHistory, "", true},
      {true, "", MenuAction::none, "", true},
      {false, "About Pellimore Clip", MenuAction::showAbout, "", true},
      {false, "Visit " + std::string(Brand::webDomain), MenuAction::visitWebsite, "", true},
      {true, "", MenuAction::none, "", true},
      {false, "Quit Pellimore Clip", MenuAction::quit, "q", true},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("item " + std::to_string(i + 1));
    const auto& actual = menu.items[i];
    EXPECT_EQ(actual.isSeparator, expected[i].separator);
    EXPECT_EQ(actual.title, expected[i].title);
    EXPECT_EQ(actual.action, expected[i].action);
    EXPECT_EQ(actual.keyEquivalent, expected[i].key);
    EXPECT_EQ(actual.enabled, expected[i].enabled);
    EXPECT_EQ(actual.state, State::off);
    if (actual.action == MenuAction::none) {
      EXPECT_TRUE(actual.target.expired());
    } else {
      EXPECT_EQ(actual.target.lock().get(), static_cast<MenuTarget*>(delegate.get()));
    }
  }
}

TEST_F(AppDelegateTest, LinuxMenuWritesTheShortcutItsOwnWay) {
  launch(DesktopConventions::x11());
  EXPECT_EQ(menuItem(2).title, "Open Clipboard History  (Shift+Super+V)");
  EXPECT_EQ(menuItem(11).title, "Quit Pellimore Clip");
}

TEST_F(AppDelegateTest, HeadingCannotBeChosen) {
  launch();
  EXPECT_FALSE(item().choose(0));
}

TEST_F(AppDelegateTest, LaunchAtLoginIsCheckedExactlyWhenTheLoginItemIsEnabled) {
  loginItem.currentStatus = LoginItem::Status::requiresApproval;
  launch();
  EXPECT_EQ(menuItem(4).state, State::off);
  EXPECT_EQ(record->count("loginItem.registerService"), 0);

  loginItem.currentStatus = LoginItem::Status::enabled;
  launch();
  EXPECT_EQ(statusBar.items.back()->menu.items.at(4).state, State::on);
}

TEST_F(AppDelegateTest, EnabledLoginItemIsRenewedAndItsFailureIgnored) {
  loginItem.currentStatus = LoginItem::Status::enabled;
  loginItem.registerError = "The operation couldn’t be completed.";
  launch();
  EXPECT_EQ(record->count("loginItem.registerService"), 1);
  EXPECT_TRUE(systemLog.lines.empty());
  EXPECT_EQ(menuItem(4).state, State::on);
}

TEST_F(AppDelegateTest, UntrustedLaunchLogsThenPrompts) {
  accessibility.trusted = false;
  launch();
  EXPECT_EQ(menuItem(5).title, "Enable Accessibility (for auto-paste)…");
  EXPECT_EQ(log.messages(),
            std::vector<std::string>{"launch: Accessibility NOT granted — prompting"});
  EXPECT_EQ(record->count("accessibility.isProcessTrustedWithPrompt"), 1);
  EXPECT_LT(position("log: launch: Accessibility NOT granted — prompting"),
            position("accessibility.isProcessTrustedWithPrompt"));
}

TEST_F(AppDelegateTest, AccessibilityIsCheckedAfterTheMenuAndBeforeTheLoginItemRenewal) {
  loginItem.currentStatus = LoginItem::Status::enabled;
  launch();
  const std::size_t prompt = position("log: launch: Accessibility NOT granted — prompting");
  EXPECT_LT(position("statusItem.setMenu"), prompt);
  EXPECT_LT(prompt, position("loginItem.registerService"));
}

TEST_F(AppDelegateTest, TrustedLaunchLogsAndDoesNotPrompt) {
  accessibility.trusted = true;
  launch();
  EXPECT_EQ(menuItem(5).title, "Accessibility: granted ✓");
  EXPECT_EQ(record->count("accessibility.isProcessTrustedWithPrompt"), 0);
}

TEST_F(AppDelegateTest, GrantingWhileRunningLeavesTheTitleUntilNextLaunch) {
  launch();
  accessibility.trusted = true;
  item().choose(5);
  EXPECT_EQ(menuItem(5).title, "Enable Accessibility (for auto-paste)…");
  EXPECT_EQ(item().menusSet, 1);
}

TEST_F(AppDelegateTest, MissingIconAssetFallsBackToTheSystemSymbol) {
  launch();
  EXPECT_EQ(record->count("statusBar.imageWithSystemSymbolName(doc.on.clipboard,Pellimore Clip)"),
            1);
  auto* image = dynamic_cast<FakeImage*>(item().buttonImage.get());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->name, "symbol:doc.on.clipboard");
  EXPECT_EQ(image->accessibilityDescription, "Pellimore Clip");
  EXPECT_FALSE(image->isTemplate);
}

TEST_F(AppDelegateTest, StatusItemWithoutButtonGetsNoImageButStillItsMenu) {
  bundle.addImage("PellimoreMarkTemplate");
  statusBar.itemsHaveButton = false;
  launch();
  EXPECT_EQ(record->count("statusItem.setMenu"), 1);
  EXPECT_EQ(item().menu.items.size(), 12U);
  for (const auto& call : record->calls()) {
    EXPECT_EQ(call.find("setButtonImage"), std::string::npos) << call;
  }
}

TEST_F(AppDelegateTest, MonitorCapturesIntoTheStore) {
  launch();
  pasteboard.copyText("copied elsewhere");
  mainLoop.advance(0.5);
  ASSERT_EQ(delegate->store().items().size(), 1U);
  EXPECT_EQ(delegate->store().items()[0].text, "copied elsewhere");
}

TEST_F(AppDelegateTest, HotKeyAndMenuItemBothToggleThePopup) {
  launch();
  hotKeys.press(9, 768);
  mainLoop.runPending();
  EXPECT_TRUE(popupVisible());
  item().choose(2);
  EXPECT_FALSE(popupVisible());
  item().choose(2);
  EXPECT_TRUE(popupVisible());
  hotKeys.press(9, 768);
  mainLoop.runPending();
  EXPECT_FALSE(popupVisible());
}

TEST_F(AppDelegateTest, CallbacksDoNothingOnceTheDelegateIsGone) {
  launch();
  auto onNewItem = delegate->monitor().onNewItem;
  auto onPressed = delegate->hotKey()->onPressed;
  std::weak_ptr<AppDelegate> weak = delegate;
  delegate.reset();
  ASSERT_TRUE(weak.expired());
  record->clear();
  onNewItem(CapturedText{"late", std::nullopt});
  onPressed();
  EXPECT_TRUE(record->calls().empty());
  EXPECT_EQ(files.callsOf(FaultyFileSystem::Operation::writeFileAtomically).size(), 0U);
}

TEST_F(AppDelegateTest, MenuItemsDoNothingOnceTheDelegateIsGone) {
  launch();
  auto menu = item().menu;
  delegate.reset();
  FakeStatusItem orphan(true, record);
  orphan.setMenu(menu);
  record->clear();
  EXPECT_FALSE(orphan.choose(11));
  EXPECT_EQ(record->count("application.terminate"), 0);
}

class LaunchAtLoginToggleTest : public AppDelegateTest {};

TEST_F(LaunchAtLoginToggleTest, TogglingTwiceReturnsToTheFirstState) {
  launch();
  item().choose(4);
  EXPECT_EQ(menuItem(4).state, State::on);
  EXPECT_EQ(loginItem.currentStatus, LoginItem::Status::enabled);
  item().choose(4);
  EXPECT_EQ(menuItem(4).state, State::off);
  EXPECT_EQ(loginItem.currentStatus, LoginItem::Status::notRegistered);
  EXPECT_EQ(delegate->menu().items[4].state, State::off);
  EXPECT_TRUE(systemLog.lines.empty());
}

TEST_F(LaunchAtLoginToggleTest, FailedRegisterKeepsTheMarkAndWritesTheSystemLog) {
  loginItem.currentStatus = LoginItem::Status::requiresApproval;
  launch();
  loginItem.registerError = "Operation not permitted";
  item().choose(4);
  EXPECT_EQ(menuItem(4).state, State::off);
  EXPECT_EQ(record->count("statusItem.setMenuItemState(4,1)"), 0);
  EXPECT_EQ(systemLog.lines,
            std::vector<std::string>{"Launch-at-login toggle failed: Operation not permitted"});
  EXPECT_EQ(log.messages().size(), 1U);  // only the launch line
}

TEST_F(LaunchAtLoginToggleTest, FailedUnregisterKeepsTheMark) {
  loginItem.currentStatus = LoginItem::Status::enabled;
  launch();
  loginItem.unregisterError = "Invalid argument";
  item().choose(4);
  EXPECT_EQ(menuItem(4).state, State::on);
  EXPECT_EQ(systemLog.lines,
            std::vector<std::string>{"Launch-at-login toggle failed: Invalid argument"});
}

class AccessibilityCommandTest : public AppDelegateTest {};

TEST_F(AccessibilityCommandTest, TrustedShowsTheAlertAndOpensNothing) {
  accessibility.trusted = true;
  launch();
  record->clear();
  item().choose(5);
  ASSERT_EQ(alerts.alerts.size(), 1U);
  EXPECT_EQ(alerts.alerts[0].messageText, "Accessibility is already enabled ✓");
  EXPECT_EQ(alerts.alerts[0].informativeText,
            "Auto-paste should work. If it doesn't, toggle Pellimore Clip off and on in System "
            "Settings → Privacy & Security → Accessibility.");
  EXPECT_TRUE(workspace.openedURLs.empty());
  EXPECT_EQ(record->count("accessibility.isProcessTrustedWithPrompt"), 0);
}

TEST_F(AccessibilityCommandTest, UntrustedPromptsThenOpensTheSettingsPage) {
  launch();
  record->clear();
  item().choose(5);
  EXPECT_TRUE(alerts.alerts.empty());
  EXPECT_LT(position("accessibility.isProcessTrustedWithPrompt"),
            position("workspace.openURL(" + settingsURL + ")"));
}

TEST_F(AccessibilityCommandTest, UnusableSettingsAddressOpensNothing) {
  auto conventions = DesktopConventions::x11();
  conventions.accessibilitySettingsURL = "no settings page here";
  launch(conventions);
  item().choose(5);
  EXPECT_EQ(record->count("accessibility.isProcessTrustedWithPrompt"), 2);
  EXPECT_TRUE(workspace.openedURLs.empty());
}

class MenuCommandTest : public AppDelegateTest {};

TEST_F(MenuCommandTest, ClearAllHistoryClearsPinnedEntriesToo) {
  launch();
  delegate->store().add(CapturedText{"one", std::nullopt});
  delegate->store().add(CapturedText{"two", std::nullopt});
  delegate->store().togglePin(delegate->store().items()[0].id);
  item().choose(6);
  EXPECT_TRUE(delegate->store().items().empty());
  EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(MenuCommandTest, AboutShowsTheSameWindowEachTime) {
  launch();
  item().choose(8);
  item().choose(8);
  EXPECT_EQ(windows.windows.size(), 1U);
  EXPECT_EQ(record->count("window.makeKeyAndOrderFront"), 2);
}

TEST_F(MenuCommandTest, VisitOpensTheWebsite) {
  launch();
  item().choose(9);
  EXPECT_EQ(workspace.openedURLs, std::vector<std::string>{std::string(Brand::website)});
}

TEST_F(MenuCommandTest, QuitTerminatesTheApplication) {
  launch();
  item().choose(11);
  EXPECT_EQ(record->count("application.terminate"), 1);
}

}  // namespace
