// A real history store over a scratch folder, with a hand-set clock, a
// recording file system and a captured log: the store's own tests and every
// test that takes a store as given start from it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "FakeClock.h"
#include "FakePasteboard.h"
#include "FaultyFileSystem.h"
#include "ManualMainLoop.h"
#include "RecordingThreadPriority.h"
#include "ScopedTestLog.h"
#include "TempDir.h"
#include "history/ClipboardStore.h"

class StoreFixture : public ::testing::Test {
 protected:
  StoreFixture() {
    files.setApplicationSupportDirectory(dir.path());
    reopen();
  }

  /// A new store over the same folder, as at the next launch.
  void reopen() {
    store.reset();
    store = std::make_unique<ClipboardStore>(files, clock, pasteboard, mainLoop, priority);
  }
  /// Waits for the store's writes and runs what they handed back.
  void settle() {
    ASSERT_TRUE(store->finishWrites(std::chrono::steady_clock::now() + std::chrono::seconds(10)));
    mainLoop.runPending();
  }

  /// Adds a capture, waits for its write, returns the front id, moves the clock 1 s on.
  Uuid add(Captured captured) {
    store->add(std::move(captured));
    settle();
    clock.advance(std::chrono::seconds(1));
    return store->items().front().id;
  }
  Uuid addText(const std::string& text) { return add(CapturedText{text, std::nullopt}); }
  Uuid addPinned(const std::string& text) {
    const Uuid id = addText(text);
    store->togglePin(id);
    return id;
  }

  const ClipboardItem& item(const Uuid& id) const {
    for (const ClipboardItem& entry : store->items()) {
      if (entry.id == id)
        return entry;
    }
    throw std::runtime_error("no such entry");
  }

  TempDir dir;
  FaultyFileSystem files;
  FakeClock clock;
  FakePasteboard pasteboard;
  RecordingThreadPriority priority;
  ManualMainLoop mainLoop;
  ScopedTestLog log;
  std::unique_ptr<ClipboardStore> store;
};
