// Civil-date conversion through the standard calendar types.
#include "history/UtcTimestamp.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace UtcTimestamp {

namespace {

using std::chrono::days;
using std::chrono::seconds;

void appendDigits(char*& out, long value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  out += width;
}

// The value of `width` decimal digits at `pos`, or -1.
int digitsAt(std::string_view text, std::size_t pos, std::size_t width) {
  int value = 0;
  for (std::size_t i = pos; i < pos + width; ++i) {
    if (text[i] < '0' || text[i] > '9')
      return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

void append(std::string& out, TimePoint time) {
  // Clocks with a wide range could go past four-digit years, which the form
  // cannot hold; such a time is clamped rather than written unreadable.
  constexpr std::chrono::sys_seconds first{
      std::chrono::sys_days{std::chrono::year(0) / std::chrono::January / 1}};
  constexpr std::chrono::sys_seconds last{
      std::chrono::sys_days{std::chrono::year(9999) / std::chrono::December / 31} + seconds(86399)};
  auto wholeSeconds = std::clamp(std::chrono::floor<seconds>(time), first, last);
  auto day = std::chrono::floor<days>(wholeSeconds);
  std::chrono::year_month_day date{day};
  std::chrono::hh_mm_ss timeOfDay{wholeSeconds - day};

  char buffer[20];
  char* cursor = buffer;
  appendDigits(cursor, static_cast<int>(date.year()), 4);
  *cursor++ = '-';
  appendDigits(cursor, static_cast<unsigned>(date.month()), 2);
  *cursor++ = '-';
  appendDigits(cursor, static_cast<unsigned>(date.day()), 2);
  *cursor++ = 'T';
  appendDigits(cursor, timeOfDay.hours().count(), 2);
  *cursor++ = ':';
  appendDigits(cursor, timeOfDay.minutes().count(), 2);
  *cursor++ = ':';
  appendDigits(cursor, static_cast<long>(timeOfDay.seconds().count()), 2);
  *cursor = 'Z';
  out.append(buffer, sizeof buffer);
}

std::string format(TimePoint time) {
  std::string text;
  append(text, time);
  return text;
}

std::optional<TimePoint> parse(std::string_view text) {
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z')
    return std::nullopt;
  int year = digitsAt(text, 0, 4);
  int month = digitsAt(text, 5, 2);
  int day = digitsAt(text, 8, 2);
  int hour = digitsAt(text, 11, 2);
  int minute = digitsAt(text, 14, 2);
  int second = digitsAt(text, 17, 2);
  if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
    return std::nullopt;
  std::chrono::year_month_day date{std::chrono::year(year),
                                   std::chrono::month(static_cast<unsigned>(month)),
                                   std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59)
    return std::nullopt;

  // Counted in seconds first: years far from 1970 overflow a nanosecond clock.
  std::chrono::sys_days dayPoint{date};
  std::int64_t total = static_cast<std::int64_t>(dayPoint.time_since_epoch().count()) * 86400 +
                       std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
  constexpr auto latest = std::chrono::floor<seconds>(TimePoint::max().time_since_epoch()).count();
  constexpr auto earliest = std::chrono::ceil<seconds>(TimePoint::min().time_since_epoch()).count();
  if (total > latest)
    total = latest;
  if (total < earliest)
    total = earliest;
  return TimePoint(std::chrono::duration_cast<TimePoint::duration>(seconds(total)));
}

}  // namespace UtcTimestamp
