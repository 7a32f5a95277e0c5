#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
// Days from 1 Jan 1970 back to 30 Dec 1899.
constexpr int64_t kUnixDelta = 25569;
// Day numbers (30 Dec 1899 = 0) of 1 Jan 0001 and 31 Dec 9999.
constexpr int64_t kFirstDay = -693593;
constexpr int64_t kLastDay = 2958465;

// Days since 1 Jan 1970 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
}

// Whole day number and milliseconds since midnight, as the platform splits a TDateTime.
void Split(TDateTime value, int64_t& day, int64_t& msec) {
  const int64_t total = Round(value * static_cast<double>(kMSecsPerDay));
  day = total / kMSecsPerDay;
  msec = (total < 0 ? -total : total) % kMSecsPerDay;
}

int DaysInMonth(uint16_t year, uint16_t month) {
  static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

}  // namespace

bool IsLeapYear(uint16_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

TDateTime EncodeDate(uint16_t year, uint16_t month, uint16_t day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    throw EConvertError(S("Ungültiges Argument zum Codieren des Datums"));
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixDelta);
}

TDateTime EncodeTime(uint16_t hour, uint16_t minute, uint16_t second, uint16_t millisecond) {
  if (hour >= 24 || minute >= 60 || second >= 60 || millisecond >= 1000)
    throw EConvertError(S("Ungültiges Argument zum Codieren der Zeit"));
  const int64_t msec = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<TDateTime>(msec) / static_cast<TDateTime>(kMSecsPerDay);
}

void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day) {
  int64_t dayNumber, msec;
  Split(value, dayNumber, msec);
  if (dayNumber < kFirstDay || dayNumber > kLastDay) {
    year = month = day = 0;
    return;
  }
  int64_t y;
  unsigned m, d;
  CivilFromDays(dayNumber - kUnixDelta, y, m, d);
  year = static_cast<uint16_t>(y);
  month = static_cast<uint16_t>(m);
  day = static_cast<uint16_t>(d);
}

void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& millisecond) {
  int64_t dayNumber, msec;
  Split(value, dayNumber, msec);
  millisecond = static_cast<uint16_t>(msec % 1000);
  second = static_cast<uint16_t>(msec / 1000 % 60);
  minute = static_cast<uint16_t>(msec / 60000 % 60);
  hour = static_cast<uint16_t>(msec / 3600000);
}

int DayOfWeek(TDateTime value) {
  int64_t dayNumber, msec;
  Split(value, dayNumber, msec);
  // 30 Dec 1899 was a Saturday.
  return static_cast<int>(((dayNumber + 6) % 7 + 7) % 7) + 1;
}
