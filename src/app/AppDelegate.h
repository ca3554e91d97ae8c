// The application delegate: owns the store, the monitor, the popup, the hot
// key, the status item and the About window for the whole run, wires them
// together when launching finishes, and carries out the status menu's
// commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "app/AboutWindowController.h"
#include "app/AppEnvironment.h"
#include "history/ClipboardStore.h"
#include "platform/ApplicationDelegate.h"
#include "platform/Geometry.h"
#include "platform/KeyboardLayout.h"
#include "platform/MenuDescription.h"
#include "platform/MenuTarget.h"
#include "platform/ProcessActivity.h"

class ClipboardMonitor;
class HotKey;
class PopupController;
class StatusItem;

class AppDelegate : public ApplicationDelegate,
                    public MenuTarget,
                    public std::enable_shared_from_this<AppDelegate> {
 public:
  /// Command (256) plus Shift (512), in the event manager's encoding.
  static constexpr std::uint32_t hotKeyModifiers = 768;
  static constexpr const char* statusIconAsset = "PellimoreMarkTemplate";
  static constexpr Size2D statusIconSize{19, 15};
  /// Shown in the status bar when the icon asset is missing.
  static constexpr const char* statusIconFallbackSymbol = "doc.on.clipboard";
  /// Where "Launch at Login" sits in the status menu.
  static constexpr std::size_t launchAtLoginItemIndex = 4;

  /// Creates the store (which loads the history), the idle monitor and the
  /// About controller, in that order. Must be owned by a shared_ptr: the
  /// monitor, hot-key and menu callbacks hold it weakly.
  explicit AppDelegate(const AppEnvironment& environment);
  ~AppDelegate() override;
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  /// Popup, capture into the store, monitor start, hot key, status item with
  /// its icon and menu, the Accessibility check, and the login-item renewal.
  void applicationDidFinishLaunching() override;
  /// Opens the popup, as a later start does.
  void applicationShouldHandleReopen() override;
  /// Waits, for a bounded time, for the history writes still to come.
  void applicationWillTerminate() override;
  void performMenuAction(MenuAction action, std::size_t itemIndex) override;

  /// Shows the popup, or hides it when it is open.
  void openHistory();
  /// Flips the login item; `senderIndex` is the menu item whose check mark
  /// follows it. A failure leaves the mark and goes to the system log.
  void toggleLaunchAtLogin(std::size_t senderIndex);
  /// The status menu is about to show: "Launch at Login" is checked exactly
  /// when the login item is enabled now.
  void menuWillOpen();
  /// Trusted: an alert saying so. Otherwise: the system prompt and the
  /// settings page.
  void fixAccessibility();
  /// Clears everything at once, pinned entries included, without asking.
  void clearHistory();
  void showAbout();
  void visitWebsite();
  void quit();

  /// The menu as launching built it, with its check mark kept current.
  const MenuDescription& menu() const { return menu_; }
  ClipboardStore& store() { return store_; }
  ClipboardMonitor& monitor() { return *monitor_; }
  AboutWindowController& aboutController() { return aboutController_; }
  /// Empty until launching has finished.
  PopupController* popup() const { return popup_.get(); }
  HotKey* hotKey() const { return hotKey_.get(); }
  StatusItem* statusItem() const { return statusItem_.get(); }

 private:
  void setStatusIcon();
  /// In the kept menu and in the status item's.
  void setMenuItemState(std::size_t index, MenuItemDescription::State state);
  /// `captureDenied` adds a line, below the commands, saying that copies
  /// cannot be recorded.
  MenuDescription buildMenu(bool loginItemEnabled, bool trusted, bool captureDenied);
  void checkAccessibility();
  /// Tells the system log when the history folder or the debug log cannot be
  /// written, and arranges for the first failed save to be told too.
  void reportUnwritableFolder();
  void renewLoginItem();
  /// Says that the login item waits for the user's approval and shows them
  /// where to give it.
  void askForLoginItemApproval();
  /// Runs the alert, then gives the focus back to the application that was
  /// in front, as every other window of ours does when it goes.
  void runAlert(const std::string& message, const std::string& informative);
  /// Registers Shift-Command and the key that types "v" now, replacing the
  /// registration for another key.
  void registerHotKey();

  AppEnvironment environment_;
  ClipboardStore store_;
  std::shared_ptr<ClipboardMonitor> monitor_;
  /// Held from the monitor's start for the rest of the run.
  std::unique_ptr<ProcessActivity::Activity> pollActivity_;
  std::shared_ptr<PopupController> popup_;
  std::shared_ptr<HotKey> hotKey_;
  std::unique_ptr<KeyboardLayout::Observation> layoutObservation_;
  std::unique_ptr<StatusItem> statusItem_;
  AboutWindowController aboutController_;
  MenuDescription menu_;
};
