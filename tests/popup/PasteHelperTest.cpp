// The synthetic Command-V: both events made before either is posted, each
// carrying only the Command flag, and whatever could be made still posted.
#include "popup/PasteHelper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ShellFixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(PasteHelperTest, PostsTheLayoutsVKeyDownThenUpWithOnlyTheCommandFlagWhileShiftIsHeld) {
  // QWERTY, Dvorak (whose "v" sits on the ANSI period key), and a layout
  // that names no key for "v".
  const std::pair<std::optional<std::uint16_t>, std::string> layouts[] = {
      {9, "9"}, {47, "47"}, {std::nullopt, "9"}};
  for (const auto& [keyV, posted] : layouts) {
    FakeKeyEventPoster poster;
    FakeKeyboardLayout layout;
    layout.keyV = keyV;
    poster.heldModifierFlags = 0x20000 | PasteHelper::commandFlag;  // Shift and Command
    PasteHelper::paste(poster, layout);
    EXPECT_THAT(
        poster.record->calls(),
        ElementsAre("keys.createSource(0)", "keys.createKeyboardEvent(" + posted + ",down,source)",
                    "keys.createKeyboardEvent(" + posted + ",up,source)",
                    "keys.post(0,down,0x100000)", "keys.post(0,up,0x100000)"));
  }
}

TEST(PasteHelperTest, PostsWhateverCouldBeCreated) {
  FakeKeyEventPoster poster;
  FakeKeyboardLayout layout;
  poster.failSource = true;
  PasteHelper::paste(poster, layout);
  EXPECT_THAT(poster.record->matching("keys.post"),
              ElementsAre("keys.post(0,down,0x100000)", "keys.post(0,up,0x100000)"));
  poster.failEvents = true;
  poster.record->clear();
  PasteHelper::paste(poster, layout);
  EXPECT_THAT(poster.record->matching("keys.post"), IsEmpty());
}

}  // namespace
