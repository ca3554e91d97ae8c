// The hand-written calendar arithmetic behind the log's timestamps.
#include "diagnostics/LogTimestamp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LogTimestampTest, RendersLeapDaysCenturiesAndTheClampedRange) {
  struct Case {
    const char* name;
    std::int64_t seconds;
    const char* expected;
  };
  const Case cases[] = {
      {"the epoch", 0, "1970-01-01 00:00:00 +0000"},
      {"an ordinary time", 1772373909, "2026-03-01 14:05:09 +0000"},
      {"the end of a year", 1767225599, "2025-12-31 23:59:59 +0000"},
      {"a leap day's last second", 1709251199, "2024-02-29 23:59:59 +0000"},
      {"the day after a leap day", 1709251200, "2024-03-01 00:00:00 +0000"},
      {"2000 is a leap year", 951782400, "2000-02-29 00:00:00 +0000"},
      {"2100 is not", 4107542400, "2100-03-01 00:00:00 +0000"},
      {"one second before the epoch", -1, "1969-12-31 23:59:59 +0000"},
      {"a leap year before the epoch", -366 * 86400LL, "1968-12-31 00:00:00 +0000"},
      {"past year 9999, clamped", 253402300800, "9999-12-31 23:59:59 +0000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char out[logTimestampLength];
    formatLogTimestamp(c.seconds, out);
    EXPECT_EQ(std::string(out, logTimestampLength), c.expected);
  }
}

}  // namespace
