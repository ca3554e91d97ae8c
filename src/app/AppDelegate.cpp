// Start-up wiring and the status menu's commands.
#include "app/AppDelegate.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "app/Brand.h"
#include "app/Url.h"
#include "capture/ClipboardMonitor.h"
#include "diagnostics/Log.h"
#include "platform/Accessibility.h"
#include "platform/AlertPresenter.h"
#include "platform/Application.h"
#include "platform/HeapTrim.h"
#include "platform/KeyboardLayout.h"
#include "platform/LoginItem.h"
#include "platform/Pasteboard.h"
#include "platform/ProcessActivity.h"
#include "platform/StatusBar.h"
#include "platform/StatusItem.h"
#include "platform/SystemLog.h"
#include "popup/HotKey.h"
#include "popup/PasteHelper.h"
#include "popup/PopupController.h"
#include "popup/PreviousApplication.h"

namespace {

// Captures from this size on leave enough freed temporaries of their reading
// behind to be worth handing back.
constexpr std::size_t largeCaptureBytes = std::size_t{256} << 10;

std::size_t capturedBytes(const Captured& captured) {
  if (const auto* text = std::get_if<CapturedText>(&captured)) {
    return text->text.size() + (text->rtf ? text->rtf->size() : 0);
  }
  if (const auto* image = std::get_if<CapturedImage>(&captured)) {
    return image->png.size();
  }
  std::size_t bytes = 0;
  for (const std::string& path : std::get<CapturedFiles>(captured).paths) {
    bytes += path.size() + 1;
  }
  return bytes;
}

MenuItemDescription heading(std::string title) {
  MenuItemDescription item;
  item.title = std::move(title);
  item.enabled = false;
  return item;
}

MenuItemDescription command(std::string title, MenuAction action, std::string keyEquivalent = {}) {
  MenuItemDescription item;
  item.title = std::move(title);
  item.action = action;
  item.keyEquivalent = std::move(keyEquivalent);
  return item;
}

}  // namespace

AppDelegate::AppDelegate(const AppEnvironment& environment)
    : environment_(environment),
      store_(environment.fileSystem, environment.clock, environment.pasteboard,
             environment.mainLoop, environment.threadPriority),
      monitor_(std::make_shared<ClipboardMonitor>(environment.pasteboard,
                                                  environment.imageConverter,
                                                  environment.rtfConverter, environment.mainLoop)),
      aboutController_(environment.windowFactory, environment.application,
                       environment.resourceBundle, environment.workspace) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching() {
  popup_ = std::make_shared<PopupController>(
      store_, *monitor_, environment_.workspace, environment_.application, environment_.screens,
      environment_.panelFactory, environment_.accessibility, environment_.mainLoop,
      environment_.keyEventPoster, environment_.keyboardLayout, environment_.pasteboard,
      environment_.conventions);

  std::weak_ptr<AppDelegate> weakSelf = weak_from_this();
  monitor_->onNewItem = [weakSelf](const Captured& captured) {
    auto self = weakSelf.lock();
    if (!self) {
      return;
    }
    self->store_.add(captured);
    if (capturedBytes(captured) >= largeCaptureBytes) {
      // On a later turn, once the monitor has freed what it read too.
      self->environment_.mainLoop.post(trimHeap);
    }
  };
  monitor_->onOwnerGone = [weakSelf]() -> std::optional<std::int64_t> {
    auto self = weakSelf.lock();
    if (!self || self->store_.items().empty()) {
      return std::nullopt;
    }
    return self->store_.writeToPasteboard(self->store_.items().front());
  };
  monitor_->start();
  // Without it the system may nap this windowless process and stretch the
  // half-second poll to many seconds, losing copies made in between.
  pollActivity_ = environment_.processActivity.begin(
      "Polling the pasteboard twice a second so that no copy is missed");

  registerHotKey();
  layoutObservation_ = environment_.keyboardLayout.observeChanges([weakSelf] {
    if (auto self = weakSelf.lock()) {
      self->registerHotKey();
    }
  });

  statusItem_ = environment_.statusBar.statusItemWithLength(StatusBar::variableLength);
  setStatusIcon();
  bool loginItemEnabled = environment_.loginItem.status() == LoginItem::Status::enabled;
  bool trusted = environment_.accessibility.isProcessTrusted();
  // Asked of the system, not found out by reading: reads are what it guards.
  const bool captureDenied =
      environment_.pasteboard.accessBehavior() == Pasteboard::AccessBehavior::alwaysDeny;
  if (captureDenied) {
    Log::write("launch: pasteboard access denied — copies cannot be captured");
  }
  menu_ = buildMenu(loginItemEnabled, trusted, captureDenied);
  if (statusItem_) {
    statusItem_->setMenu(menu_);
  }

  checkAccessibility();
  renewLoginItem();
  reportUnwritableFolder();

  // On a later turn, so that launching ends first; the hot key then finds
  // the popup built.
  std::weak_ptr<PopupController> weakPopup = popup_;
  environment_.mainLoop.post([weakPopup] {
    if (auto popup = weakPopup.lock()) {
      popup->prepare();
    }
  });
}

void AppDelegate::registerHotKey() {
  const std::uint16_t keyCode = PasteHelper::keyCodeForV(environment_.keyboardLayout);
  if (hotKey_ && hotKey_->keyCode() == keyCode) {
    return;
  }
  hotKey_.reset();  // unregisters the old key
  hotKey_ = std::make_shared<HotKey>(environment_.hotKeyRegistrar, environment_.mainLoop, keyCode,
                                     hotKeyModifiers);
  std::weak_ptr<AppDelegate> weakSelf = weak_from_this();
  hotKey_->onPressed = [weakSelf] {
    if (auto self = weakSelf.lock()) {
      self->openHistory();
    }
  };
  hotKey_->registerHotKey();
}

void AppDelegate::setStatusIcon() {
  if (!statusItem_ || !statusItem_->hasButton()) {
    return;
  }
  auto image = Brand::image(environment_.resourceBundle, statusIconAsset);
  if (image) {
    image->setTemplate(true);
    image->setSize(statusIconSize);
  } else {
    image = environment_.statusBar.imageWithSystemSymbolName(statusIconFallbackSymbol,
                                                             std::string(Brand::appName));
  }
  if (image) {
    statusItem_->setButtonImage(std::move(image));
  }
}

MenuDescription AppDelegate::buildMenu(bool loginItemEnabled, bool trusted, bool captureDenied) {
  const std::string appName(Brand::appName);
  MenuDescription menu;
  menu.autoenablesItems = false;
  auto& items = menu.items;
  items.push_back(heading(appName));
  items.push_back(MenuItemDescription::separator());
  items.push_back(command("Open Clipboard History  (" + environment_.conventions.hotKeyText + ")",
                          MenuAction::openHistory));
  items.push_back(MenuItemDescription::separator());
  items.push_back(command("Launch at Login", MenuAction::toggleLaunchAtLogin));
  items.back().state =
      loginItemEnabled ? MenuItemDescription::State::on : MenuItemDescription::State::off;
  items.push_back(command(trusted ? environment_.conventions.pasteAllowedTitle
                                  : environment_.conventions.pasteBlockedTitle,
                          MenuAction::fixAccessibility));
  items.push_back(command("Clear All History", MenuAction::clearHistory));
  items.push_back(MenuItemDescription::separator());
  items.push_back(command("About " + appName, MenuAction::showAbout));
  items.push_back(command("Visit " + std::string(Brand::webDomain), MenuAction::visitWebsite));
  if (captureDenied) {
    items.push_back(heading("Clipboard access denied: new copies are not recorded"));
  }
  items.push_back(MenuItemDescription::separator());
  items.push_back(command("Quit " + appName, MenuAction::quit, "q"));

  std::weak_ptr<MenuTarget> target = weak_from_this();
  for (auto& item : items) {
    if (item.action != MenuAction::none) {
      item.target = target;
    }
  }
  menu.onWillOpen = [weakSelf = weak_from_this()] {
    if (auto self = weakSelf.lock()) {
      self->menuWillOpen();
    }
  };
  return menu;
}

void AppDelegate::menuWillOpen() {
  // The user approves or revokes the login item in System Settings, which
  // tells us nothing; a stale mark would make the next click do the opposite.
  const bool enabled = environment_.loginItem.status() == LoginItem::Status::enabled;
  setMenuItemState(launchAtLoginItemIndex,
                   enabled ? MenuItemDescription::State::on : MenuItemDescription::State::off);
}

void AppDelegate::setMenuItemState(std::size_t index, MenuItemDescription::State state) {
  if (index < menu_.items.size()) {
    menu_.items[index].state = state;
  }
  if (statusItem_) {
    statusItem_->setMenuItemState(index, state);
  }
}

void AppDelegate::checkAccessibility() {
  if (environment_.accessibility.answersLater()) {
    environment_.accessibility.isProcessTrustedWithPrompt();
    return;
  }
  if (environment_.accessibility.isProcessTrusted()) {
    Log::write("launch: Accessibility already granted");
    return;
  }
  if (!environment_.accessibility.hasPrompt()) {
    Log::write(
        "launch: Accessibility NOT granted — nothing here can grant it; a chosen entry "
        "stays on the clipboard to paste by hand");
    return;
  }
  Log::write("launch: Accessibility NOT granted — prompting");
  environment_.accessibility.isProcessTrustedWithPrompt();
}

void AppDelegate::reportUnwritableFolder() {
  // The debug log sits in the same folder, so only the system log can carry
  // this; the first failed save says it once more.
  SystemLog& systemLog = environment_.systemLog;
  store_.onFirstSaveFailure = [&systemLog](const std::string& error) {
    systemLog.write("the clipboard history could not be saved: " + error);
  };
  if (store_.folderWritable() && !Log::lastWriteFailed()) {
    return;
  }
  systemLog.write("cannot write to " + store_.baseURL() +
                  "; the clipboard history will be lost at quit and the debug log is not kept");
}

void AppDelegate::askForLoginItemApproval() {
  environment_.systemLog.write(
      "Launch-at-login toggle failed: the login item awaits approval in System Settings");
  environment_.loginItem.openSystemSettingsLoginItems();
}

void AppDelegate::renewLoginItem() {
  // Re-registering keeps the item pointing at this copy of the application
  // after it has been moved or updated; a failure changes nothing.
  if (environment_.loginItem.status() != LoginItem::Status::enabled) {
    return;
  }
  environment_.loginItem.registerService();
}

void AppDelegate::performMenuAction(MenuAction action, std::size_t itemIndex) {
  switch (action) {
    case MenuAction::none:
      return;
    case MenuAction::openHistory:
      openHistory();
      return;
    case MenuAction::toggleLaunchAtLogin:
      toggleLaunchAtLogin(itemIndex);
      return;
    case MenuAction::fixAccessibility:
      fixAccessibility();
      return;
    case MenuAction::clearHistory:
      clearHistory();
      return;
    case MenuAction::showAbout:
      showAbout();
      return;
    case MenuAction::visitWebsite:
      visitWebsite();
      return;
    case MenuAction::quit:
      quit();
      return;
  }
}

void AppDelegate::openHistory() {
  if (!popup_) {
    return;
  }
  popup_->toggle();
}

void AppDelegate::toggleLaunchAtLogin(std::size_t senderIndex) {
  LoginItem& loginItem = environment_.loginItem;
  const LoginItem::Status before = loginItem.status();
  // Switched off by the user in System Settings, the item can only be
  // switched on there again: registering fails until they allow it.
  if (before == LoginItem::Status::requiresApproval) {
    askForLoginItemApproval();
    return;
  }
  const bool wasEnabled = before == LoginItem::Status::enabled;
  auto error = wasEnabled ? loginItem.unregisterService() : loginItem.registerService();
  if (error) {
    environment_.systemLog.write("Launch-at-login toggle failed: " + *error);
    if (!wasEnabled && loginItem.status() == LoginItem::Status::requiresApproval) {
      loginItem.openSystemSettingsLoginItems();
    }
    return;
  }
  // The system may accept the registration yet wait for the user to allow
  // it; until then the item is not enabled and the mark stays off.
  if (!wasEnabled && loginItem.status() == LoginItem::Status::requiresApproval) {
    askForLoginItemApproval();
    return;
  }
  setMenuItemState(senderIndex,
                   wasEnabled ? MenuItemDescription::State::off : MenuItemDescription::State::on);
}

void AppDelegate::applicationShouldHandleReopen() {
  if (popup_) {
    popup_->show();
  }
}

void AppDelegate::runAlert(const std::string& message, const std::string& informative) {
  PreviousApplication previous(environment_.workspace, environment_.application);
  previous.remember();
  environment_.alertPresenter.runModal(message, informative);
  previous.handBack();
}

void AppDelegate::fixAccessibility() {
  const DesktopConventions& texts = environment_.conventions;
  if (environment_.accessibility.isProcessTrusted()) {
    runAlert(texts.pasteAllowedAlert, texts.pasteAllowedAdvice);
    return;
  }
  environment_.accessibility.isProcessTrustedWithPrompt();
  if (texts.accessibilitySettingsURL.empty()) {
    runAlert(texts.pasteBlockedAlert, texts.pasteBlockedAdvice);
    return;
  }
  Url::openIfValid(environment_.workspace, texts.accessibilitySettingsURL);
}

void AppDelegate::clearHistory() {
  store_.clearAll();
}

void AppDelegate::showAbout() {
  aboutController_.show();
}

void AppDelegate::visitWebsite() {
  Url::openIfValid(environment_.workspace, Brand::website);
}

void AppDelegate::applicationWillTerminate() {
  store_.finishWrites(std::chrono::steady_clock::now() + HistoryWriter::shutdownWait);
}

void AppDelegate::quit() {
  environment_.application.terminate();
}
