// The popup's life cycle and the paste flow.
#include "popup/PopupController.h"

#include <optional>
#include <string>
#include <utility>

#include "capture/ClipboardMonitor.h"
#include "diagnostics/Log.h"
#include "history/ClipboardItem.h"
#include "history/ClipboardItemKind.h"
#include "history/ClipboardStore.h"
#include "platform/Accessibility.h"
#include "platform/Application.h"
#include "platform/DesktopConventions.h"
#include "platform/KeyEventPoster.h"
#include "platform/MainLoop.h"
#include "platform/Panel.h"
#include "platform/PanelFactory.h"
#include "platform/Pasteboard.h"
#include "platform/RunningApplication.h"
#include "platform/Screens.h"
#include "platform/Workspace.h"
#include "popup/KeyablePanel.h"
#include "popup/PanelPlacement.h"
#include "popup/PasteHelper.h"
#include "popup/PasteKeystroke.h"
#include "views/HistoryView.h"

namespace {

std::string nameOrNil(const std::shared_ptr<RunningApplication>& app) {
  if (!app) {
    return "nil";
  }
  std::optional<std::string> name = app->localizedName();
  return name ? *name : "nil";
}

}  // namespace

PopupController::PopupController(ClipboardStore& store, ClipboardMonitor& monitor,
                                 Workspace& workspace, Application& application, Screens& screens,
                                 PanelFactory& panelFactory, Accessibility& accessibility,
                                 MainLoop& mainLoop, KeyEventPoster& keyEventPoster,
                                 KeyboardLayout& keyboardLayout, Pasteboard& pasteboard,
                                 const DesktopConventions& conventions)
    : store_(store),
      monitor_(monitor),
      workspace_(workspace),
      application_(application),
      screens_(screens),
      panelFactory_(panelFactory),
      accessibility_(accessibility),
      mainLoop_(mainLoop),
      keyEventPoster_(keyEventPoster),
      keyboardLayout_(keyboardLayout),
      pasteboard_(pasteboard),
      pasteKeyText_(conventions.pasteKeyText),
      pasteBlockedReason_(conventions.pasteBlockedReason),
      previousApp_(workspace, application) {}

PopupController::~PopupController() {
  if (panel_) {
    panel_->setDelegate(nullptr);
  }
}

void PopupController::show() {
  // The poll may be throttled while the system naps; the list must not miss
  // the copy the user made just before opening it.
  monitor_.check();
  previousApp_.remember();
  if (!panel_) {
    buildPanel();
  }
  placePanel();
  // A refused hand-back hid this application, and its windows with it.
  application_.unhideWithoutActivation();
  // VoiceOver follows the active application, which the panel leaves as it
  // was; without this it would go on reading the application behind.
  if (workspace_.isVoiceOverEnabled()) {
    application_.activateIgnoringOtherApps();
  }
  panel_->makeKeyAndOrderFront();
}

void PopupController::hide() {
  if (panel_) {
    panel_->orderOut();
  }
}

void PopupController::toggle() {
  if (panel_ && panel_->isVisible()) {
    dismiss();
    return;
  }
  show();
}

void PopupController::prepare() {
  if (!panel_) {
    buildPanel();
    panel_->prepare();
  }
  readAheadForSearch();
}

void PopupController::readAheadForSearch() {
  // A bounded piece per turn: a key pressed meanwhile waits for that at most.
  std::weak_ptr<PopupController> weakSelf = weak_from_this();
  mainLoop_.post([weakSelf] {
    std::shared_ptr<PopupController> self = weakSelf.lock();
    if (self && self->view_->readAheadForSearch()) {
      self->readAheadForSearch();
    }
  });
}

void PopupController::dismiss() {
  hide();
  previousApp_.handBack();
}

void PopupController::windowDidResignKey() {
  hide();
}

void PopupController::buildPanel() {
  std::weak_ptr<PopupController> weakSelf = weak_from_this();
  view_ = std::make_unique<HistoryView>(
      store_,
      [weakSelf](const ClipboardItem& item) {
        if (std::shared_ptr<PopupController> self = weakSelf.lock()) {
          self->paste(item);
        }
      },
      [weakSelf] {
        if (std::shared_ptr<PopupController> self = weakSelf.lock()) {
          self->dismiss();
        }
      });
  panel_ = panelFactory_.createPanel(KeyablePanel::config(), *view_);
  panel_->setDelegate(this);
}

void PopupController::placePanel() {
  std::optional<Point2D> origin = panelOrigin(screens_.screens(), screens_.mainScreen(),
                                              screens_.mouseLocation(), panel_->frame().size);
  if (!origin) {
    return;
  }
  panel_->setFrameOrigin(*origin);
}

void PopupController::paste(const ClipboardItem& item) {
  // Read once: granting or revoking during the delay must not change this
  // paste.
  const bool trusted = accessibility_.isProcessTrusted();
  // Same turn as the write, so the monitor's next tick already skips it.
  monitor_.ignoreChangeCount = store_.writeToPasteboard(item);

  Log::write("paste requested: kind=" + std::string(kindName(item.kind)) +
             " accessibilityTrusted=" + (trusted ? "true" : "false") +
             " prevApp=" + nameOrNil(previousApp_.application()));

  dismiss();

  // The task holds seams owned by the application, never the controller.
  Workspace& workspace = workspace_;
  KeyEventPoster& poster = keyEventPoster_;
  KeyboardLayout& layout = keyboardLayout_;
  Pasteboard& pasteboard = pasteboard_;
  MainLoop& mainLoop = mainLoop_;
  mainLoop_.postDelayed(pasteDelay, [trusted, &workspace, &poster, &layout, &pasteboard, &mainLoop,
                                     usualKey = pasteKeyText_, reason = pasteBlockedReason_] {
    // The keys go to the window in front now, so its class picks them.
    const std::shared_ptr<RunningApplication> front = workspace.frontmostApplication();
    const std::string frontmost = nameOrNil(front);
    const PasteKeystroke keystroke =
        PasteKeystroke::forWindowClass(front ? front->windowClass() : std::nullopt);
    const std::string key = keystroke.name.empty() ? usualKey : keystroke.name;
    if (!trusted) {
      Log::write("NOT posting " + key + " — " + reason +
                 ". Item is on the clipboard; user can press " + key +
                 " manually. (frontmost=" + frontmost + ")");
      return;
    }
    auto post = [&poster, &layout, keystroke,
                 line = "posting " + key + " (frontmost=" + frontmost + ")"] {
      Log::write(line);
      PasteHelper::paste(poster, layout, keystroke);
    };
    if (!keystroke.pastesPrimary) {
      post();
      return;
    }
    if (std::optional<std::string> text = pasteboard.string()) {
      pasteboard.setPrimaryString(*text);
    }
    mainLoop.postDelayed(primarySelectionDelay, post);
  });
}
