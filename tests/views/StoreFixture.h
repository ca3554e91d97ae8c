// A real history store over a scratch folder, with a hand-set clock, for the
// view tests; entries are added the way captures add them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "FakePasteboard.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "history/ClipboardStore.h"

class StoreFixture : public ::testing::Test {
 protected:
  StoreFixture() {
    files.setApplicationSupportDirectory(dir.path());
    store = std::make_unique<ClipboardStore>(files, clock, pasteboard);
  }

  /// Adds a text capture and returns its id; the clock then moves on a
  /// second, so every entry is newer than the one before.
  Uuid addText(const std::string& text) {
    store->add(CapturedText{text, std::nullopt});
    clock.advance(std::chrono::seconds(1));
    return store->items().front().id;
  }

  Uuid addPinned(const std::string& text) {
    const Uuid id = addText(text);
    store->togglePin(id);
    return id;
  }

  Uuid addFiles(const std::vector<std::string>& paths) {
    store->add(CapturedFiles{paths});
    clock.advance(std::chrono::seconds(1));
    return store->items().front().id;
  }

  Uuid addImage(const Bytes& png) {
    store->add(CapturedImage{png});
    clock.advance(std::chrono::seconds(1));
    return store->items().front().id;
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
  std::unique_ptr<ClipboardStore> store;
};
