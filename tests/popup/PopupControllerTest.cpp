// Tests for showing and hiding the popup and for the paste flow, against
// recording substitutes that share one call record.
#include "popup/PopupController.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CallRecord.h"
#include "FakeAccessibility.h"
#include "FakeApplication.h"
#include "FakeClock.h"
#include "FakeImageConverter.h"
#include "FakeKeyEventPoster.h"
#include "FakePanelFactory.h"
#include "FakePasteboard.h"
#include "FakeRtfConverter.h"
#include "FakeScreens.h"
#include "FakeWorkspace.h"
#include "FaultyFileSystem.h"
#include "ManualMainLoop.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "capture/ClipboardMonitor.h"
#include "history/ClipboardStore.h"
#include "popup/KeyablePanel.h"
#include "views/HistoryView.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Adds the pasteboard's writes, and the change-count read that ends them,
// to the shared record.
class RecordingPasteboard : public FakePasteboard {
 public:
  explicit RecordingPasteboard(std::shared_ptr<CallRecord> record) : record_(std::move(record)) {}

  std::int64_t changeCount() const override {
    record_->add("pasteboard.changeCount");
    return FakePasteboard::changeCount();
  }
  void clearContents() override {
    record_->add("pasteboard.clearContents");
    FakePasteboard::clearContents();
  }
  void setData(const Bytes& data, PasteboardDataType type) override {
    record_->add("pasteboard.setData");
    FakePasteboard::setData(data, type);
  }
  void setString(const std::string& text) override {
    record_->add("pasteboard.setString(" + text + ")");
    FakePasteboard::setString(text);
  }
  void writeFileURLs(const std::vector<std::string>& paths) override {
    record_->add("pasteboard.writeFileURLs");
    FakePasteboard::writeFileURLs(paths);
  }

 private:
  std::shared_ptr<CallRecord> record_;
};

const Screen screen{Rect2D{Point2D{0, 0}, Size2D{1440, 900}}, Rect2D{Point2D{0, 70}, Size2D{1440, 805}}};

const std::string notPostingLine =
    "NOT posting \xE2\x8C\x98V \xE2\x80\x94 Accessibility not granted. Item is on the clipboard; "
    "user can press \xE2\x8C\x98V manually. (frontmost=";

class PopupControllerTest : public ::testing::Test {
 protected:
  PopupControllerTest() {
    files.setApplicationSupportDirectory(dir.path());
    workspace.record = record;
    application.record = record;
    panels.record = record;
    accessibility.record = record;
    keys.record = record;
    screens.screenList = {screen};
    screens.main = screen;
    screens.mouse = Point2D{720, 700};
    store.add(CapturedText{"hello", std::nullopt});
    record->clear();
  }

  FakePanel& panel() { return *panels.panels.at(0); }
  HistoryView& view() { return panel().rootView(); }
  const ClipboardItem& firstItem() { return store.items().at(0); }

  /// Shows the popup over `frontName` (nothing when empty), then has the
  /// view paste the first entry, with the record starting at the paste.
  void showAndPaste(std::optional<std::string> frontName, bool trusted) {
    if (frontName) {
      notes = workspace.bringToFront(*frontName);
    }
    controller->show();
    accessibility.trusted = trusted;
    panel().onOrderOut = [this] {
      for (const std::string& message : log.messages()) {
        record->add("log: " + message);
      }
      record->add("ignoreChangeCount=" + std::to_string(monitor->ignoreChangeCount));
    };
    record->clear();
    view().clickRow(firstItem().id);
  }

  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
  ScopedTestLog log;
  TempDir dir;
  FaultyFileSystem files;
  FakeClock clock;
  RecordingPasteboard pasteboard{record};
  ClipboardStore store{files, clock, pasteboard};
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  ManualMainLoop mainLoop;
  std::shared_ptr<ClipboardMonitor> monitor =
      std::make_shared<ClipboardMonitor>(pasteboard, imageConverter, rtfConverter, mainLoop);
  FakeWorkspace workspace;
  FakeApplication application;
  FakeScreens screens;
  FakePanelFactory panels;
  FakeAccessibility accessibility;
  FakeKeyEventPoster keys;
  std::shared_ptr<FakeRunningApplication> notes;
  std::shared_ptr<PopupController> controller = std::make_shared<PopupController>(
      store, *monitor, workspace, application, screens, panels, accessibility, mainLoop, keys);
};

TEST_F(PopupControllerTest, ConstructionBuildsNoPanel) {
  EXPECT_TRUE(panels.panels.empty());
  EXPECT_THAT(record->calls(), IsEmpty());
}

TEST_F(PopupControllerTest, FirstShowBuildsThePanelThenPlacesActivatesAndFocusesIt) {
  workspace.bringToFront("Notes");

  controller->show();

  EXPECT_THAT(record->calls(),
              ElementsAre("workspace.frontmostApplication", "panelFactory.createPanel",
                          "panel.setDelegate", "panel.setFrameOrigin(500,140)",
                          "application.activateIgnoringOtherApps", "panel.makeKeyAndOrderFront"));
  EXPECT_EQ(panel().config(), KeyablePanel::config());
  EXPECT_EQ(panel().delegate(), controller.get());
  EXPECT_TRUE(panel().isVisible());
  EXPECT_TRUE(panel().isKey());
}

TEST_F(PopupControllerTest, PanelCarriesThePopupProperties) {
  controller->show();

  const PanelConfig& config = panel().config();
  EXPECT_EQ(config.contentRect, (Rect2D{Point2D{0, 0}, Size2D{440, 560}}));
  EXPECT_EQ(config.styleMask, 0u);
  EXPECT_EQ(config.backing, 2u);
  EXPECT_FALSE(config.defer);
  EXPECT_FALSE(config.opaque);
  EXPECT_TRUE(config.clearBackground);
  EXPECT_TRUE(config.hasShadow);
  EXPECT_EQ(config.level, 3);
  EXPECT_FALSE(config.movableByWindowBackground);
  EXPECT_FALSE(config.hidesOnDeactivate);
  EXPECT_FALSE(config.releasedWhenClosed);
  EXPECT_EQ(config.collectionBehavior, 0x101u);
  EXPECT_TRUE(config.canBecomeKey);
  EXPECT_TRUE(config.canBecomeMain);
}

TEST_F(PopupControllerTest, NoScreenAtAllShowsThePanelWhereItWas) {
  screens.screenList.clear();
  screens.main.reset();

  controller->show();

  EXPECT_EQ(record->count("panel.makeKeyAndOrderFront"), 1);
  EXPECT_EQ(panel().frame().origin, (Point2D{0, 0}));
  for (const std::string& call : record->calls()) {
    EXPECT_EQ(call.rfind("panel.setFrameOrigin", 0), std::string::npos) << call;
  }
}

TEST_F(PopupControllerTest, ToggleTwiceShowsThenHidesAndTheNextShowReusesPanelAndView) {
  controller->toggle();
  ASSERT_EQ(panels.panels.size(), 1u);
  EXPECT_TRUE(panel().isVisible());
  HistoryView* firstView = &view();

  controller->toggle();
  EXPECT_FALSE(panel().isVisible());

  screens.mouse = Point2D{300, 400};
  controller->toggle();
  EXPECT_EQ(panels.panels.size(), 1u);
  EXPECT_EQ(record->count("panelFactory.createPanel"), 1);
  EXPECT_EQ(&view(), firstView);
  EXPECT_TRUE(panel().isVisible());
  EXPECT_EQ(panel().frame().origin, (Point2D{80, 78}));
}

TEST_F(PopupControllerTest, HideBeforeAnyShowDoesNothing) {
  controller->hide();
  controller->windowDidResignKey();

  EXPECT_THAT(record->calls(), IsEmpty());
}

TEST_F(PopupControllerTest, ResignKeyHidesWithoutPastingOrReactivating) {
  notes = workspace.bringToFront("Notes");
  controller->show();
  const std::int64_t countBefore = pasteboard.FakePasteboard::changeCount();
  record->clear();

  panel().resignKey();
  mainLoop.advance(1);

  EXPECT_THAT(record->calls(), ElementsAre("panel.orderOut"));
  EXPECT_FALSE(panel().isVisible());
  EXPECT_EQ(notes->activations, 0);
  EXPECT_EQ(pasteboard.FakePasteboard::changeCount(), countBefore);
  EXPECT_TRUE(keys.posted.empty());
}

TEST_F(PopupControllerTest, ViewCloseHidesWithoutReactivating) {
  notes = workspace.bringToFront("Notes");
  controller->show();
  record->clear();

  view().keyEscape();

  EXPECT_THAT(record->calls(), ElementsAre("panel.orderOut"));
  EXPECT_EQ(notes->activations, 0);
}

TEST_F(PopupControllerTest, TrustedPasteRunsEveryStepInOrderAndPostsAfterTheDelay) {
  showAndPaste("Notes", /*trusted=*/true);
  const std::int64_t written = pasteboard.FakePasteboard::changeCount();

  EXPECT_THAT(record->calls(),
              ElementsAre("accessibility.isProcessTrusted", "pasteboard.clearContents",
                          "pasteboard.setString(hello)", "pasteboard.changeCount",
                          "log: paste requested: kind=text accessibilityTrusted=true prevApp=Notes",
                          "ignoreChangeCount=" + std::to_string(written), "panel.orderOut",
                          "app[Notes].activate"));
  EXPECT_EQ(monitor->ignoreChangeCount, written);
  EXPECT_FALSE(panel().isVisible());
  EXPECT_THAT(mainLoop.requestedDelays, ElementsAre(0.22));

  record->clear();
  workspace.bringToFront("TextEdit");
  mainLoop.advance(0.219);
  EXPECT_TRUE(keys.posted.empty());
  EXPECT_THAT(record->calls(), IsEmpty());

  mainLoop.advance(0.001);
  EXPECT_THAT(log.messages(),
              ElementsAre("paste requested: kind=text accessibilityTrusted=true prevApp=Notes",
                          "posting \xE2\x8C\x98V (frontmost=TextEdit)"));
  ASSERT_EQ(keys.posted.size(), 2u);
  EXPECT_EQ(record->calls().front(), "workspace.frontmostApplication");
  EXPECT_EQ(record->calls().at(1), "keys.createSource(0)");
}

TEST_F(PopupControllerTest, UntrustedPasteStillWritesAndReactivatesButPostsNothing) {
  showAndPaste("Notes", /*trusted=*/false);

  EXPECT_EQ(record->calls().front(), "accessibility.isProcessTrusted");
  EXPECT_EQ(record->count("app[Notes].activate"), 1);
  EXPECT_EQ(pasteboard.contents().string, "hello");

  workspace.frontmost.reset();
  mainLoop.advance(0.22);

  EXPECT_TRUE(keys.posted.empty());
  EXPECT_EQ(record->count("keys.createSource(0)"), 0);
  EXPECT_THAT(log.messages(),
              ElementsAre("paste requested: kind=text accessibilityTrusted=false prevApp=Notes",
                          notPostingLine + "nil)"));
}

TEST_F(PopupControllerTest, GrantingAccessDuringTheDelayDoesNotPost) {
  showAndPaste("Notes", /*trusted=*/false);

  accessibility.trusted = true;
  mainLoop.advance(1);

  EXPECT_TRUE(keys.posted.empty());
  EXPECT_EQ(log.messages().back(), notPostingLine + "Notes)");
}

TEST_F(PopupControllerTest, RevokingAccessDuringTheDelayStillPosts) {
  showAndPaste("Notes", /*trusted=*/true);

  accessibility.trusted = false;
  mainLoop.advance(1);

  EXPECT_EQ(keys.posted.size(), 2u);
  EXPECT_EQ(record->count("accessibility.isProcessTrusted"), 1);
}

TEST_F(PopupControllerTest, NoPreviousAppLogsNilActivatesNothingAndStillPosts) {
  showAndPaste(std::nullopt, /*trusted=*/true);

  EXPECT_EQ(log.messages().at(0),
            "paste requested: kind=text accessibilityTrusted=true prevApp=nil");
  for (const std::string& call : record->calls()) {
    EXPECT_EQ(call.find("activate"), std::string::npos) << call;
  }

  mainLoop.advance(0.22);
  EXPECT_EQ(keys.posted.size(), 2u);
  EXPECT_EQ(log.messages().at(1), "posting \xE2\x8C\x98V (frontmost=nil)");
}

TEST_F(PopupControllerTest, PreviousAppWithoutANameIsLoggedAsNilButReactivated) {
  workspace.bringToFront(std::nullopt);
  showAndPaste(std::nullopt, /*trusted=*/false);

  EXPECT_EQ(log.messages().at(0),
            "paste requested: kind=text accessibilityTrusted=false prevApp=nil");
  EXPECT_EQ(record->count("app[nil].activate"), 1);
}

TEST_F(PopupControllerTest, MonitorSkipsThePastedWriteButCapturesTheNextCopy) {
  std::vector<std::string> captured;
  monitor->onNewItem = [&captured](const Captured& value) {
    captured.push_back(std::get<CapturedText>(value).text);
  };
  showAndPaste("Notes", /*trusted=*/true);

  monitor->check();
  EXPECT_THAT(captured, IsEmpty());

  pasteboard.copyText("fresh");
  monitor->check();
  EXPECT_THAT(captured, ElementsAre("fresh"));
}

TEST_F(PopupControllerTest, DelayedKeystrokeDoesNotNeedTheController) {
  showAndPaste("Notes", /*trusted=*/true);
  std::weak_ptr<PopupController> watch = controller;

  controller.reset();
  EXPECT_TRUE(watch.expired());
  mainLoop.advance(0.22);

  EXPECT_EQ(keys.posted.size(), 2u);
}

}  // namespace
