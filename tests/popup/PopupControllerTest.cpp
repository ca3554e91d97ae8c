// Showing and hiding the popup, and the paste flow's order, on the shared
// call record.
#include "popup/PopupController.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "capture/ClipboardMonitor.h"
#include "history/ClipboardStore.h"
#include "popup/KeyablePanel.h"
#include "views/HistoryView.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string notPosting =
    "NOT posting ⌘V — Accessibility not granted. Item is on the clipboard; user can press ⌘V "
    "manually. (frontmost=";

class PopupControllerTest : public ShellFixture {
 public:
  PopupControllerTest() { store.add(CapturedText{"hello", std::nullopt}); }

  FakePanel& panel() { return *panels.panels.at(0); }
  /// Shows the popup and clicks the entry, the record starting at the click.
  /// As the panel hides, the record notes the log so far, the clipboard and
  /// the change count the monitor is told to skip.
  void showAndPaste(bool trusted) {
    controller->show();
    accessibility.trusted = trusted;
    panel().onOrderOut = [this] {
      for (const std::string& message : log.messages()) {
        record->add("log: " + message);
      }
      record->add("pasteboard", pasteboard.contents().string.value_or("nothing"));
      record->add("ignoreChangeCount", monitor->ignoreChangeCount);
    };
    record->clear();
    panel().rootView.clickRow(store.items().at(0).id);
  }

  ClipboardStore store{files, clock, pasteboard, mainLoop, priority};
  std::shared_ptr<ClipboardMonitor> monitor =
      std::make_shared<ClipboardMonitor>(pasteboard, imageConverter, rtfConverter, mainLoop);
  std::shared_ptr<PopupController> controller = std::make_shared<PopupController>(
      store, *monitor, workspace, application, screens, panels, accessibility, mainLoop, keys,
      layout, pasteboard, DesktopConventions::macOS(Brand::appName));
};

TEST_F(PopupControllerTest, ShowRemembersTheFrontAppThenPlacesAndFocusesThePanelUnhidden) {
  record->clear();
  controller->hide();  // nothing to hide yet
  controller->show();
  EXPECT_THAT(record->calls(),
              ElementsAre("workspace.frontmostApplication", "panelFactory.createPanel",
                          "panel.setDelegate", "panel.setFrameOrigin(500,140)",
                          "application.unhideWithoutActivation", "panel.makeKeyAndOrderFront"));

  controller->toggle();
  EXPECT_FALSE(panel().isVisible());
  screens.mouse = Point2D{300, 400};
  record->clear();
  controller->toggle();  // the same panel, at the pointer
  EXPECT_THAT(record->calls(),
              ElementsAre("workspace.frontmostApplication", "panel.setFrameOrigin(80,78)",
                          "application.unhideWithoutActivation", "panel.makeKeyAndOrderFront"));

  screens.screenList.clear();
  screens.main.reset();
  record->clear();
  controller->show();  // no screen at all: where it was
  EXPECT_THAT(record->matching("panel.setFrameOrigin"), IsEmpty());

  workspace.voiceOver = true;  // it reads the active application only
  record->clear();
  controller->show();
  EXPECT_THAT(record->calls(),
              ElementsAre("workspace.frontmostApplication", "application.unhideWithoutActivation",
                          "application.activateIgnoringOtherApps", "panel.makeKeyAndOrderFront"));
}

TEST_F(PopupControllerTest, PrepareBuildsThePanelHiddenThenReadsTheTextsOnLaterTurns) {
  store.add(CapturedText{"world", std::nullopt});
  record->clear();
  controller->prepare();
  EXPECT_THAT(record->calls(),
              ElementsAre("panelFactory.createPanel", "panel.setDelegate", "panel.prepare"));
  EXPECT_FALSE(panel().isVisible());
  EXPECT_EQ(mainLoop.pendingTasks(), 1);
  mainLoop.runPending();
  EXPECT_FALSE(panel().rootView.readAheadForSearch()) << "both texts read";
  record->clear();
  controller->show();
  EXPECT_EQ(record->count("panelFactory.createPanel"), 0);
  EXPECT_EQ(record->count("panel.makeKeyAndOrderFront"), 1);
}

TEST_F(PopupControllerTest, DismissalsHandTheFocusBackButLosingItOnlyHides) {
  workspace.bringToFront("Notes");
  const std::pair<std::function<void()>, std::vector<std::string>> dismissals[] = {
      {[this] { panel().delegate->windowDidResignKey(); }, {"panel.orderOut"}},
      {[this] { panel().rootView.keyEscape(); }, {"panel.orderOut", "app[Notes].activate"}},
      {[this] { controller->toggle(); }, {"panel.orderOut", "app[Notes].activate"}}};
  for (const auto& [dismiss, calls] : dismissals) {
    controller->show();
    record->clear();
    dismiss();
    mainLoop.advance(1);
    EXPECT_EQ(record->calls(), calls);
  }
  // A hand-back the system refuses steps back instead, as with none known.
  workspace.frontmost->refusesActivation = true;
  controller->show();
  record->clear();
  controller->toggle();
  EXPECT_THAT(record->calls(),
              ElementsAre("panel.orderOut", "app[Notes].activate", "application.hide"));
  workspace.frontmost->active = true;  // behind the panel: nothing to ask or hide
  controller->show();
  record->clear();
  controller->toggle();
  EXPECT_THAT(record->calls(), ElementsAre("panel.orderOut"));
}

TEST_F(PopupControllerTest, ThisProcessInFrontIsNeverRememberedAsThePreviousApp) {
  workspace.bringToFront("Pellimore Clip", application.pid);
  controller->show();
  record->clear();
  controller->toggle();  // nothing else known: step back instead
  EXPECT_THAT(record->calls(), ElementsAre("panel.orderOut", "application.hide"));

  workspace.bringToFront("Notes", 17);
  controller->toggle();
  controller->toggle();
  workspace.bringToFront("Pellimore Clip", application.pid);
  showAndPaste(/*trusted=*/true);
  EXPECT_EQ(record->count("app[Notes].activate"), 1);
  EXPECT_THAT(record->matching("app[Pellimore"), IsEmpty());
}

TEST_F(PopupControllerTest, PasteWritesHidesReactivatesThenPostsCommandVAfterTheDelay) {
  workspace.bringToFront("Notes");
  showAndPaste(/*trusted=*/true);
  const std::int64_t written = pasteboard.changeCount();
  // The skip is set in the same turn as the write, before the panel hides.
  EXPECT_THAT(record->calls(),
              ElementsAre("accessibility.isProcessTrusted",
                          "log: paste requested: kind=text accessibilityTrusted=true prevApp=Notes",
                          "pasteboard(hello)", "ignoreChangeCount(" + std::to_string(written) + ")",
                          "panel.orderOut", "app[Notes].activate"));
  record->clear();
  workspace.bringToFront("TextEdit");
  mainLoop.advance(0.219);
  EXPECT_THAT(record->calls(), IsEmpty());
  mainLoop.advance(0.001);
  EXPECT_EQ(log.messages().back(), "posting ⌘V (frontmost=TextEdit)");
  EXPECT_EQ(record->matching("keys.post").size(), 2U);
}

TEST_F(PopupControllerTest, CommandVIsPostedOnlyWhenTrustedAtTheRequest) {
  workspace.bringToFront("Notes");
  for (const bool atRequest : {true, false}) {
    for (const bool later : {true, false}) {
      SCOPED_TRACE(std::to_string(atRequest) + " then " + std::to_string(later));
      showAndPaste(atRequest);
      accessibility.trusted = later;
      mainLoop.advance(1);
      EXPECT_EQ(record->count("app[Notes].activate"), 1);
      EXPECT_EQ(log.messages().back(),
                atRequest ? "posting ⌘V (frontmost=Notes)" : notPosting + "Notes)");
      EXPECT_EQ(record->matching("keys.post").size(), atRequest ? 2U : 0U);
    }
  }
}

TEST_F(PopupControllerTest, XtermInFrontGetsShiftInsertAndTheEntryInPrimaryToo) {
  workspace.bringToFront("Terminal");
  workspace.frontmost->className = "XTerm";
  showAndPaste(/*trusted=*/true);
  // The selection first, the key once it has had the time to get there.
  mainLoop.advance(PopupController::pasteDelay + PopupController::primarySelectionDelay / 2);
  EXPECT_EQ(pasteboard.primary, "hello");
  EXPECT_THAT(record->matching("keys.post"), IsEmpty());
  mainLoop.advance(PopupController::primarySelectionDelay);
  EXPECT_EQ(log.messages().back(), "posting Shift+Insert (frontmost=Terminal)");
  EXPECT_EQ(record->matching("keys.post"),
            (std::vector<std::string>{"keys.post(0,down,0x20000)", "keys.post(0,up,0x20000)"}));
  EXPECT_EQ(record->count("keys.createKeyboardEvent(114,down,source)"), 1);
}

TEST_F(PopupControllerTest, PreviousAppIsNamedOrNilAndReactivatedWhenThereIsOne) {
  showAndPaste(/*trusted=*/true);
  mainLoop.advance(1);
  EXPECT_THAT(log.messages(),
              ElementsAre("paste requested: kind=text accessibilityTrusted=true prevApp=nil",
                          "posting ⌘V (frontmost=nil)"));
  EXPECT_THAT(record->matching("app["), IsEmpty());
  EXPECT_EQ(record->count("application.hide"), 1) << "the focus still goes elsewhere";

  workspace.bringToFront(std::nullopt);
  showAndPaste(/*trusted=*/false);
  EXPECT_EQ(log.messages().back(),
            "paste requested: kind=text accessibilityTrusted=false prevApp=nil");
  EXPECT_EQ(record->count("app[nil].activate"), 1);
}

TEST_F(PopupControllerTest, MonitorSkipsThePastedWriteButCapturesTheNextCopy) {
  std::vector<std::string> captured;
  monitor->onNewItem = [&captured](const Captured& value) {
    captured.push_back(std::get<CapturedText>(value).text);
  };
  showAndPaste(/*trusted=*/true);
  monitor->check();
  pasteboard.copyText("fresh");
  monitor->check();
  EXPECT_THAT(captured, ElementsAre("fresh"));
}

TEST(KeyablePanelTest, PopupFloatsBorderlessBufferedAndTakesTheKeyboardWithoutActivating) {
  // AppKit's values: level 3 floats above normal windows; backing 2 is the
  // buffered store, the only one current systems draw.
  const PanelConfig config = KeyablePanel::config();
  EXPECT_EQ(config.level, 3);
  EXPECT_EQ(config.backing, 2u);
  EXPECT_EQ(config.styleMask, 128u) << "borderless and non-activating, nothing else";
  EXPECT_TRUE(config.canBecomeKey);
  EXPECT_FALSE(config.hidesOnDeactivate) << "the popup hides itself when it loses focus";
}

}  // namespace
