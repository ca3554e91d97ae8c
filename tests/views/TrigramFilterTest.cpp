// The long-text prefilter must never turn away a query that occurs.
#include "views/TrigramFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string longText() {
  std::string text;
  while (text.size() < TrigramFilter::minimumTextSize * 4)
    text += "meeting notes and report for the quarter, caf\u00E9 d\u00E9j\u00E0 vu. ";
  return text;
}

}  // namespace

TEST(TrigramFilterTest, EveryRunOfTheTextMayBeContained) {
  const std::string text = longText();
  const TrigramFilter filter(text);
  for (std::size_t start = 0; start < 200; ++start) {
    for (std::size_t length = 1; length < 40; ++length)
      ASSERT_TRUE(filter.mayContain(std::string_view(text).substr(start, length)))
          << start << "+" << length;
  }
}

TEST(TrigramFilterTest, RejectsQueriesWithRunsTheTextLacks) {
  const TrigramFilter filter(longText());
  EXPECT_FALSE(filter.mayContain("xyzzy"));
  EXPECT_FALSE(filter.mayContain("meeting notes zzz"));
}

TEST(TrigramFilterTest, ShortTextsAndShortQueriesAlwaysPass) {
  EXPECT_TRUE(TrigramFilter("tiny").mayContain("xyzzy"));
  EXPECT_TRUE(TrigramFilter(longText()).mayContain("zz"));
}
