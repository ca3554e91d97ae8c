// Which characters of a row's text the colour emoji font draws: a skin tone
// and a joiner stay with their emoji, a plain heart is text.
#include "platform/linux/ui/QtFont.h"

#include <gtest/gtest.h>

TEST(QtFontTest, EmojiAreCutIntoRunsOfWholeCharacters) {
  EXPECT_EQ(QtFont::emojiRuns("a👍🏽👨‍👩‍👧 ❤️❤"),
            (std::vector<std::pair<QString, bool>>{{"a", false},
                                                   {"👍🏽👨‍👩‍👧", true},
                                                   {" ", false},
                                                   {"❤️", true},
                                                   {"❤", false}}));
}
