// Tests for the global hot key.
#include "popup/HotKey.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "FakeHotKeyRegistrar.h"
#include "ManualMainLoop.h"

using ::testing::ElementsAre;

namespace {

constexpr std::uint32_t keyV = 9;
constexpr std::uint32_t shiftCommand = 0x300;

class HotKeyTest : public ::testing::Test {
 protected:
  std::shared_ptr<HotKey> makeRegistered() {
    auto hotKey = std::make_shared<HotKey>(registrar, mainLoop, keyV, shiftCommand);
    hotKey->onPressed = [this] { ++presses; };
    hotKey->registerHotKey();
    return hotKey;
  }

  // Declared before any HotKey so they outlive queued presses.
  FakeHotKeyRegistrar registrar;
  ManualMainLoop mainLoop;
  int presses = 0;
};

TEST_F(HotKeyTest, ConstructionRegistersNothing) {
  HotKey hotKey(registrar, mainLoop, keyV, shiftCommand);

  EXPECT_TRUE(registrar.record->calls().empty());
}

TEST_F(HotKeyTest, RegisterInstallsTheHandlerThenRegistersShiftCommandVAsClipOne) {
  auto hotKey = makeRegistered();

  EXPECT_THAT(registrar.record->calls(),
              ElementsAre("hotKeys.installEventHandler(6b657962,5)",
                          "hotKeys.registerEventHotKey(9,300,434c4950,1,0)"));
  ASSERT_EQ(registrar.handlers.size(), 1u);
  EXPECT_EQ(registrar.handlers[0].userData, hotKey.get());
  EXPECT_EQ(registrar.handlers[0].target, registrar.applicationEventTarget());
  ASSERT_EQ(registrar.hotKeys.size(), 1u);
  EXPECT_EQ(registrar.hotKeys[0].target, registrar.applicationEventTarget());
}

TEST_F(HotKeyTest, PressRunsOnPressedOnceLaterOnTheMainLoop) {
  auto hotKey = makeRegistered();

  ASSERT_EQ(registrar.press(keyV, shiftCommand), 1);

  EXPECT_EQ(presses, 0) << "must not run inside the event handler";
  EXPECT_THAT(registrar.lastStatuses, ElementsAre(0));
  mainLoop.runPending();
  EXPECT_EQ(presses, 1);
  mainLoop.runPending();
  EXPECT_EQ(presses, 1);
}

TEST_F(HotKeyTest, RepeatedPressesQueueOneCallEach) {
  auto hotKey = makeRegistered();

  registrar.press(keyV, shiftCommand);
  registrar.press(keyV, shiftCommand);
  registrar.press(keyV, shiftCommand);
  mainLoop.runPending();

  EXPECT_EQ(presses, 3);
}

TEST_F(HotKeyTest, OtherCombinationsDoNotFire) {
  auto hotKey = makeRegistered();

  registrar.press(keyV, 0x100);
  mainLoop.runPending();

  EXPECT_EQ(presses, 0);
}

TEST_F(HotKeyTest, ClearingOnPressedSilencesPresses) {
  auto hotKey = makeRegistered();
  hotKey->onPressed = nullptr;

  registrar.press(keyV, shiftCommand);

  EXPECT_NO_THROW(mainLoop.runPending());
  EXPECT_EQ(presses, 0);
}

TEST_F(HotKeyTest, OnPressedIsReadWhenTheQueuedPressRunsNotWhenItIsQueued) {
  auto hotKey = makeRegistered();
  int laterPresses = 0;

  registrar.press(keyV, shiftCommand);
  hotKey->onPressed = [&laterPresses] { ++laterPresses; };
  mainLoop.runPending();

  EXPECT_EQ(presses, 0);
  EXPECT_EQ(laterPresses, 1);
}

TEST_F(HotKeyTest, NullUserDataIsHandledWithoutQueueingAnything) {
  auto hotKey = makeRegistered();
  registrar.handlers[0].userData = nullptr;

  registrar.press(keyV, shiftCommand);

  EXPECT_THAT(registrar.lastStatuses, ElementsAre(0));
  EXPECT_EQ(mainLoop.pendingTasks(), 0);
}

TEST_F(HotKeyTest, DestructionUnregistersTheKeyBeforeRemovingTheHandler) {
  auto hotKey = makeRegistered();
  registrar.record->clear();

  hotKey.reset();

  EXPECT_THAT(registrar.record->calls(),
              ElementsAre("hotKeys.unregisterEventHotKey", "hotKeys.removeEventHandler"));
  EXPECT_TRUE(registrar.hotKeys.empty());
  EXPECT_TRUE(registrar.handlers.empty());
  EXPECT_EQ(registrar.press(keyV, shiftCommand), 0);
}

TEST_F(HotKeyTest, DestructionOfAnUnregisteredKeyRemovesNothing) {
  auto hotKey = std::make_shared<HotKey>(registrar, mainLoop, keyV, shiftCommand);

  hotKey.reset();

  EXPECT_TRUE(registrar.record->calls().empty());
}

TEST_F(HotKeyTest, FailedRegistrationStillRemovesTheInstalledHandlerOnDestruction) {
  registrar.registerStatus = -9878;  // eventHotKeyExistsErr
  auto hotKey = makeRegistered();
  registrar.record->clear();

  hotKey.reset();

  EXPECT_THAT(registrar.record->calls(), ElementsAre("hotKeys.removeEventHandler"));
}

TEST_F(HotKeyTest, RegisteringTwiceKeepsOneHandlerAndOneKey) {
  auto hotKey = makeRegistered();

  hotKey->registerHotKey();
  registrar.press(keyV, shiftCommand);
  mainLoop.runPending();

  EXPECT_EQ(registrar.handlers.size(), 1u);
  EXPECT_EQ(registrar.hotKeys.size(), 1u);
  EXPECT_EQ(presses, 1);
}

TEST_F(HotKeyTest, PressPendingWhenTheLastOwnerLetsGoStillRunsThenCleansUp) {
  auto hotKey = makeRegistered();
  std::weak_ptr<HotKey> watch = hotKey;
  registrar.press(keyV, shiftCommand);

  hotKey.reset();

  EXPECT_FALSE(watch.expired()) << "the queued press keeps the object alive";
  EXPECT_EQ(registrar.handlers.size(), 1u);
  mainLoop.runPending();
  EXPECT_EQ(presses, 1);
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(registrar.handlers.empty());
  EXPECT_TRUE(registrar.hotKeys.empty());
}

}  // namespace
