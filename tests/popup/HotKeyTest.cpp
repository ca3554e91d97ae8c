// The global hot key: registration and its undoing in order, and presses
// that run later on the main loop.
#include "popup/HotKey.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ManualMainLoop.h"
#include "ScopedTestLog.h"
#include "ShellFixture.h"

using ::testing::ElementsAre;

namespace {

class HotKeyTest : public ::testing::Test {
 public:
  std::shared_ptr<HotKey> makeRegistered() {
    auto hotKey = std::make_shared<HotKey>(registrar, mainLoop, 9, 0x300);
    hotKey->onPressed = [this] { ++presses; };
    hotKey->registerHotKey();
    return hotKey;
  }

  // Declared before any HotKey so they outlive queued presses.
  ScopedTestLog log;
  FakeHotKeyRegistrar registrar;
  ManualMainLoop mainLoop;
  int presses = 0;
};

TEST_F(HotKeyTest, RegistersOnceOnRequestUnregistersTheKeyBeforeTheHandlerAndLogsAFailure) {
  std::make_shared<HotKey>(registrar, mainLoop, 9, 0x300).reset();  // never registered
  auto hotKey = makeRegistered();
  hotKey->registerHotKey();
  hotKey.reset();
  EXPECT_THAT(registrar.record->calls(),
              ElementsAre("hotKeys.installEventHandler(1,0x6b657962,5)",          // hot key pressed
                          "hotKeys.registerEventHotKey(9,0x300,0x434c4950,1,0)",  // 'CLIP' 1
                          "hotKeys.unregisterEventHotKey", "hotKeys.removeEventHandler"));

  registrar.record->clear();
  EXPECT_TRUE(log.messages().empty());
  registrar.registerStatus = -9878;  // eventHotKeyExistsErr: another application holds it
  makeRegistered().reset();
  EXPECT_EQ(registrar.record->calls().back(), "hotKeys.removeEventHandler");
  EXPECT_EQ(registrar.record->count("hotKeys.unregisterEventHotKey"), 0);
  EXPECT_THAT(log.messages(), ElementsAre("hot key registration failed: -9878"));
}

TEST_F(HotKeyTest, EachPressRunsOnPressedAsItIsThenLaterOnTheMainLoop) {
  auto hotKey = makeRegistered();
  EXPECT_EQ(registrar.press(), 0);
  registrar.press();
  EXPECT_EQ(presses, 0) << "must not run inside the event handler";
  mainLoop.runPending();
  EXPECT_EQ(presses, 2);
  registrar.press();
  hotKey->onPressed = nullptr;
  mainLoop.runPending();
  registrar.press();
  hotKey->onPressed = [this] { presses += 10; };
  mainLoop.runPending();
  EXPECT_EQ(presses, 12);
}

TEST_F(HotKeyTest, PressWithoutUserDataOrWhileTheLastOwnerLetsGoIsIgnored) {
  auto hotKey = makeRegistered();
  registrar.handlerData = nullptr;
  EXPECT_EQ(registrar.press(), 0);
  registrar.handlerData = hotKey.get();
  registrar.onUnregister = [this] { EXPECT_EQ(registrar.press(), 0); };
  hotKey.reset();
  EXPECT_EQ(mainLoop.pendingTasks(), 0);
}

TEST_F(HotKeyTest, PressQueuedBeforeTheLastOwnerLetsGoStillRunsThenCleansUp) {
  auto hotKey = makeRegistered();
  std::weak_ptr<HotKey> watch = hotKey;
  registrar.press();
  hotKey.reset();
  EXPECT_FALSE(watch.expired()) << "the queued press keeps the object alive";
  mainLoop.runPending();
  EXPECT_EQ(presses, 1);
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(registrar.record->calls().back(), "hotKeys.removeEventHandler");
}

}  // namespace
