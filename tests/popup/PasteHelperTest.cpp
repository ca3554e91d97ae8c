// The synthetic Command-V: both events made before either is posted, each
// carrying only the Command flag, and whatever could be made still posted.
#include "popup/PasteHelper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(PasteHelperTest, PostsKeyVDownThenUpWithOnlyTheCommandFlagWhileShiftIsHeld) {
  FakeKeyEventPoster poster;
  poster.heldModifierFlags = 0x20000 | PasteHelper::commandFlag;  // Shift and Command
  PasteHelper::paste(poster);
  EXPECT_THAT(poster.record->calls(),
              ElementsAre("keys.createSource(0)", "keys.createKeyboardEvent(9,down,source)",
                          "keys.createKeyboardEvent(9,up,source)", "keys.post(0,down,0x100000)",
                          "keys.post(0,up,0x100000)"));
}

TEST(PasteHelperTest, PostsWhateverCouldBeCreated) {
  FakeKeyEventPoster poster;
  poster.failSource = true;
  PasteHelper::paste(poster);
  EXPECT_THAT(poster.record->matching("keys.post"),
              ElementsAre("keys.post(0,down,0x100000)", "keys.post(0,up,0x100000)"));
  poster.failEvents = true;
  poster.record->clear();
  PasteHelper::paste(poster);
  EXPECT_THAT(poster.record->matching("keys.post"), IsEmpty());
}

}  // namespace
