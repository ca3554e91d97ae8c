// Every substitute the application delegate needs, all writing to one call
// record so tests can check the order of calls across seams.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CallRecord.h"
#include "FakeAccessibility.h"
#include "FakeAlertPresenter.h"
#include "FakeApplication.h"
#include "FakeClock.h"
#include "FakeHotKeyRegistrar.h"
#include "FakeImageConverter.h"
#include "FakeKeyEventPoster.h"
#include "FakeLoginItem.h"
#include "FakePanelFactory.h"
#include "FakePasteboard.h"
#include "FakeResourceBundle.h"
#include "FakeRtfConverter.h"
#include "FakeScreens.h"
#include "FakeStatusBar.h"
#include "FakeSystemLog.h"
#include "FakeWindowFactory.h"
#include "FakeWorkspace.h"
#include "FaultyFileSystem.h"
#include "ManualMainLoop.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "app/AppEnvironment.h"

/// Records the reads that show the monitor being built.
class RecordingPasteboard : public FakePasteboard {
 public:
  explicit RecordingPasteboard(std::shared_ptr<CallRecord> record) : record_(std::move(record)) {}
  std::int64_t changeCount() const override {
    record_->add("pasteboard.changeCount");
    return FakePasteboard::changeCount();
  }

 private:
  std::shared_ptr<CallRecord> record_;
};

/// Records the history file's read, which shows the store being built.
class RecordingFileSystem : public FaultyFileSystem {
 public:
  explicit RecordingFileSystem(std::shared_ptr<CallRecord> record) : record_(std::move(record)) {}
  std::optional<std::string> readFile(const std::string& path) override {
    record_->add("fileSystem.readFile(" + path.substr(path.rfind('/') + 1) + ")");
    return FaultyFileSystem::readFile(path);
  }

 private:
  std::shared_ptr<CallRecord> record_;
};

/// Records the monitor's poll timer being scheduled.
class RecordingMainLoop : public ManualMainLoop {
 public:
  explicit RecordingMainLoop(std::shared_ptr<CallRecord> record) : record_(std::move(record)) {}
  std::unique_ptr<Timer> scheduleRepeating(double intervalSeconds,
                                           std::function<void()> action) override {
    record_->add("mainLoop.scheduleRepeating");
    return ManualMainLoop::scheduleRepeating(intervalSeconds, std::move(action));
  }

 private:
  std::shared_ptr<CallRecord> record_;
};

/// Notes the last debug-log line at the moment the prompt is asked for, so
/// the order of line and prompt can be checked.
class PromptWatchingAccessibility : public FakeAccessibility {
 public:
  explicit PromptWatchingAccessibility(const ScopedTestLog& log) : log_(log) {}
  bool isProcessTrustedWithPrompt() override {
    auto messages = log_.messages();
    record->add("log: " + (messages.empty() ? std::string() : messages.back()));
    return FakeAccessibility::isProcessTrustedWithPrompt();
  }

 private:
  const ScopedTestLog& log_;
};

class ShellFixture : public ::testing::Test {
 protected:
  ShellFixture() {
    files.setApplicationSupportDirectory(dir.path());
    workspace.record = record;
    application.record = record;
    panels.record = record;
    accessibility.record = record;
    keys.record = record;
    hotKeys.record = record;
    statusBar.record = record;
    bundle.record = record;
    loginItem.record = record;
    alerts.record = record;
    systemLog.record = record;
    windows.record = record;
    const Screen screen{Rect2D{Point2D{0, 0}, Size2D{1440, 900}},
                        Rect2D{Point2D{0, 70}, Size2D{1440, 805}}};
    screens.screenList = {screen};
    screens.main = screen;
    screens.mouse = Point2D{720, 700};
  }

  AppEnvironment environment(DesktopConventions conventions = DesktopConventions::macOS()) {
    return AppEnvironment{files,         clock,     pasteboard,  imageConverter, rtfConverter,
                          mainLoop,      workspace, application, screens,        panels,
                          accessibility, keys,      hotKeys,     statusBar,      bundle,
                          loginItem,     alerts,    systemLog,   windows,        conventions};
  }

  std::shared_ptr<CallRecord> record = std::make_shared<CallRecord>();
  ScopedTestLog log;
  TempDir dir;
  RecordingFileSystem files{record};
  FakeClock clock;
  RecordingPasteboard pasteboard{record};
  FakeImageConverter imageConverter;
  FakeRtfConverter rtfConverter;
  RecordingMainLoop mainLoop{record};
  FakeWorkspace workspace;
  FakeApplication application;
  FakeScreens screens;
  FakePanelFactory panels;
  PromptWatchingAccessibility accessibility{log};
  FakeKeyEventPoster keys;
  FakeHotKeyRegistrar hotKeys;
  FakeStatusBar statusBar;
  FakeResourceBundle bundle;
  FakeLoginItem loginItem;
  FakeAlertPresenter alerts;
  FakeSystemLog systemLog;
  FakeWindowFactory windows;
};
