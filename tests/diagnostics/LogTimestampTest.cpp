// The hand-written calendar arithmetic behind the log's timestamps.
#include "diagnostics/LogTimestamp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string render(std::int64_t seconds) {
  char out[logTimestampLength];
  formatLogTimestamp(seconds, out);
  return std::string(out, logTimestampLength);
}

TEST(LogTimestampTest, RendersTheDocumentedShape) {
  EXPECT_EQ(render(1772373909), "2026-03-01 14:05:09 +0000");
  EXPECT_EQ(render(0), "1970-01-01 00:00:00 +0000");
}

TEST(LogTimestampTest, HandlesLeapDaysAndCenturyRules) {
  EXPECT_EQ(render(1709251199), "2024-02-29 23:59:59 +0000");
  EXPECT_EQ(render(1709251200), "2024-03-01 00:00:00 +0000");
  EXPECT_EQ(render(951782400), "2000-02-29 00:00:00 +0000");
  EXPECT_EQ(render(4107542400), "2100-03-01 00:00:00 +0000");
  EXPECT_EQ(render(1767225599), "2025-12-31 23:59:59 +0000");
}

TEST(LogTimestampTest, TimesBeforeTheEpochAndBeyondFourDigitYears) {
  EXPECT_EQ(render(-1), "1969-12-31 23:59:59 +0000");
  EXPECT_EQ(render(-86400 * 366), "1968-12-31 00:00:00 +0000");
  EXPECT_EQ(render(253402300800), "9999-12-31 23:59:59 +0000");
}

}  // namespace
