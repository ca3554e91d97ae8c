// Calendar arithmetic done by hand, because gmtime_r may take locks and is
// not safe inside a signal handler.
#include "diagnostics/LogTimestamp.h"

namespace {

constexpr std::int64_t secondsPerDay = 86400;

bool isLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t daysInYear(std::int64_t year) {
  return isLeapYear(year) ? 366 : 365;
}

std::int64_t daysInMonth(std::int64_t year, int month) {
  static const std::int64_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) {
    return 29;
  }
  return days[month - 1];
}

char* putDigits(char* out, std::int64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  return out + width;
}

}  // namespace

void formatLogTimestamp(std::int64_t epochSeconds, char* out) {
  // Keep the year within four digits: 0000-01-01 to 9999-12-31 23:59:59.
  constexpr std::int64_t earliest = -62167219200;
  constexpr std::int64_t latest = 253402300799;
  if (epochSeconds < earliest) {
    epochSeconds = earliest;
  }
  if (epochSeconds > latest) {
    epochSeconds = latest;
  }

  std::int64_t days = epochSeconds / secondsPerDay;
  std::int64_t secondOfDay = epochSeconds % secondsPerDay;
  if (secondOfDay < 0) {
    secondOfDay += secondsPerDay;
    --days;
  }

  std::int64_t year = 1970;
  while (days < 0) {
    --year;
    days += daysInYear(year);
  }
  while (days >= daysInYear(year)) {
    days -= daysInYear(year);
    ++year;
  }
  int month = 1;
  while (days >= daysInMonth(year, month)) {
    days -= daysInMonth(year, month);
    ++month;
  }

  out = putDigits(out, year, 4);
  *out++ = '-';
  out = putDigits(out, month, 2);
  *out++ = '-';
  out = putDigits(out, days + 1, 2);
  *out++ = ' ';
  out = putDigits(out, secondOfDay / 3600, 2);
  *out++ = ':';
  out = putDigits(out, secondOfDay / 60 % 60, 2);
  *out++ = ':';
  out = putDigits(out, secondOfDay % 60, 2);
  const char zone[] = " +0000";
  for (char c : zone) {
    if (c != '\0') {
      *out++ = c;
    }
  }
}
