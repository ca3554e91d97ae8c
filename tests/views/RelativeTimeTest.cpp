// An entry's age at the boundaries of each unit.
#include "views/RelativeTime.h"

#include <gtest/gtest.h>

#include <chrono>

#include "FakeClock.h"

using namespace std::chrono_literals;

class RelativeTimeTest : public ::testing::Test {
 protected:
  std::string ageOf(std::chrono::duration<double> age) {
    return relativeTime(clock.now() - std::chrono::duration_cast<TimePoint::duration>(age), clock);
  }
  FakeClock clock;
};

TEST_F(RelativeTimeTest, UnderFiveSecondsIsJustNow) {
  EXPECT_EQ(ageOf(0s), "just now");
  EXPECT_EQ(ageOf(4.9s), "just now");
}

TEST_F(RelativeTimeTest, FutureDatesAreJustNow) {
  EXPECT_EQ(ageOf(-10s), "just now");
  EXPECT_EQ(ageOf(-100000s), "just now");
}

TEST_F(RelativeTimeTest, SecondsFromFiveToFiftyNine) {
  EXPECT_EQ(ageOf(5s), "5s ago");
  EXPECT_EQ(ageOf(42.7s), "42s ago");
  EXPECT_EQ(ageOf(59s), "59s ago");
}

TEST_F(RelativeTimeTest, MinutesUnderAnHour) {
  EXPECT_EQ(ageOf(60s), "1m ago");
  EXPECT_EQ(ageOf(3599s), "59m ago");
}

TEST_F(RelativeTimeTest, HoursUnderADay) {
  EXPECT_EQ(ageOf(3600s), "1h ago");
  EXPECT_EQ(ageOf(86399s), "23h ago");
}

TEST_F(RelativeTimeTest, DaysFromExactlyOneDay) {
  EXPECT_EQ(ageOf(86400s), "1d ago");
  EXPECT_EQ(ageOf(400h), "16d ago");
}
