// Which characters of a row's text the colour emoji font draws.
#include "platform/linux/ui/QtFont.h"

#include <gtest/gtest.h>

TEST(QtFontTest, EmojiAreCutIntoRunsOfWholeCharacters) {
  // A skin tone and a joiner stay with their emoji; a heart asked for as an
  // emoji is one, a plain heart is text.
  EXPECT_EQ(QtFont::emojiRuns("a👍🏽👨‍👩‍👧 ❤️❤"),
            (std::vector<std::pair<QString, bool>>{{"a", false},
                                                   {"👍🏽👨‍👩‍👧", true},
                                                   {" ", false},
                                                   {"❤️", true},
                                                   {"❤", false}}));
}
