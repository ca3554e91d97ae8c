// Tests for the synthetic Command-V.
#include "popup/PasteHelper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeKeyEventPoster.h"

using ::testing::ElementsAre;

namespace {

constexpr std::uint64_t shiftFlag = 0x20000;

class PasteHelperTest : public ::testing::Test {
 protected:
  FakeKeyEventPoster poster;
};

TEST_F(PasteHelperTest, CreatesBothEventsBeforePostingDownThenUpAndReleasesThem) {
  PasteHelper::paste(poster);

  EXPECT_THAT(poster.record->calls(),
              ElementsAre("keys.createSource(0)", "keys.createKeyboardEvent(9,down)",
                          "keys.setFlags(down,0x100000)", "keys.createKeyboardEvent(9,up)",
                          "keys.setFlags(up,0x100000)", "keys.post(0,down)", "keys.post(0,up)",
                          "keys.release(down)", "keys.release(up)", "keys.releaseSource"));
}

TEST_F(PasteHelperTest, PostsKeyVWithOnlyTheCommandFlagWhileShiftIsHeld) {
  poster.heldModifierFlags = shiftFlag | PasteHelper::commandFlag;

  PasteHelper::paste(poster);

  ASSERT_EQ(poster.posted.size(), 2u);
  for (const auto& event : poster.posted) {
    EXPECT_EQ(event.virtualKey, 9);
    EXPECT_EQ(event.flags, 0x100000u);
    EXPECT_EQ(event.tap, 0u);
    EXPECT_TRUE(event.hadSource);
  }
  EXPECT_TRUE(poster.posted[0].keyDown);
  EXPECT_FALSE(poster.posted[1].keyDown);
}

TEST_F(PasteHelperTest, MissingSourceStillPostsBothEventsWithoutOne) {
  poster.failSource = true;

  PasteHelper::paste(poster);

  ASSERT_EQ(poster.posted.size(), 2u);
  EXPECT_FALSE(poster.posted[0].hadSource);
  EXPECT_EQ(poster.record->count("keys.releaseSource"), 0);
}

TEST_F(PasteHelperTest, MissingKeyDownPostsALoneKeyUp) {
  poster.failKeyDown = true;

  PasteHelper::paste(poster);

  ASSERT_EQ(poster.posted.size(), 1u);
  EXPECT_FALSE(poster.posted[0].keyDown);
  EXPECT_EQ(poster.posted[0].flags, PasteHelper::commandFlag);
}

TEST_F(PasteHelperTest, MissingKeyUpPostsALoneKeyDown) {
  poster.failKeyUp = true;

  PasteHelper::paste(poster);

  ASSERT_EQ(poster.posted.size(), 1u);
  EXPECT_TRUE(poster.posted[0].keyDown);
}

TEST_F(PasteHelperTest, NothingCreatedMeansNothingPostedAndNoThrow) {
  poster.failSource = true;
  poster.failKeyDown = true;
  poster.failKeyUp = true;

  EXPECT_NO_THROW(PasteHelper::paste(poster));

  EXPECT_TRUE(poster.posted.empty());
}

}  // namespace
