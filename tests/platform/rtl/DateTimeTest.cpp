#include <gtest/gtest.h>

#include <ctime>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/rtl/EnglishSettings.h"

namespace {

// The C library's proleptic Gregorian calendar serves as the reference: day numbers,
// dates and weekdays must agree with timegm/gmtime_r over the whole range of years.
TEST(DateTime, CalendarAgreesWithTheCLibrary) {
  auto check = [](int64_t day) {
    const time_t seconds = static_cast<time_t>((day - 25569) * 86400);
    tm t{};
    ASSERT_NE(gmtime_r(&seconds, &t), nullptr);
    const auto y = static_cast<uint16_t>(t.tm_year + 1900), m = static_cast<uint16_t>(t.tm_mon + 1),
               d = static_cast<uint16_t>(t.tm_mday);
    ASSERT_EQ(EncodeDate(y, m, d), static_cast<double>(day)) << y << "-" << m << "-" << d;
    uint16_t y2, m2, d2;
    // 18:00 on that day: before 1899 the fraction is subtracted.
    DecodeDate(static_cast<double>(day) + (day < 0 ? -0.75 : 0.75), y2, m2, d2);
    ASSERT_EQ(y2 * 10000 + m2 * 100 + d2, y * 10000 + m * 100 + d) << "day " << day;
    ASSERT_EQ(DayOfWeek(static_cast<double>(day)), t.tm_wday + 1) << "day " << day;
  };
  for (int64_t day = -693593; day <= 2958465; day += 61) check(day);
  for (int64_t day = -40000; day <= 80000; ++day) check(day);  // 1790 to 2119, every day
  check(2958465);
}

TEST(EncodeDate, KnownDaysAndInvalidArguments) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);

  const uint16_t invalid[][3] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, 1, 0}, {2024, 0, 1},
                                 {2024, 13, 1}, {0, 1, 1},     {10000, 1, 1}};
  for (const auto& d : invalid) {
    try {
      EncodeDate(d[0], d[1], d[2]);
      ADD_FAILURE() << "no exception for " << d[0] << "-" << d[1] << "-" << d[2];
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Ungültiges Argument zum Codieren des Datums");
    }
  }
}

TEST(EncodeTime, FractionOfTheDayAndInvalidArguments) {
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
  const uint16_t invalid[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
  for (const auto& t : invalid) {
    try {
      EncodeTime(t[0], t[1], t[2], t[3]);
      ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), u"Ungültiges Argument zum Codieren der Zeit");
    }
  }
}

TEST(DecodeTime, RoundTripsEveryMinuteAndRoundsToMilliseconds) {
  for (uint16_t h = 0; h < 24; ++h)
    for (uint16_t n = 0; n < 60; ++n) {
      const uint16_t s = (h * 7 + n) % 60, ms = (h * 61 + n * 17) % 1000;
      uint16_t h2, n2, s2, ms2;
      DecodeTime(EncodeDate(2024, 3, 5) + EncodeTime(h, n, s, ms), h2, n2, s2, ms2);
      ASSERT_EQ((h2 * 100 + n2) * 100000 + s2 * 1000 + ms2, (h * 100 + n) * 100000 + s * 1000 + ms);
    }
  // Half a millisecond before midnight is the next day.
  const TDateTime late = EncodeDate(2024, 12, 31) + 86399999.6 / 86400000.0;
  uint16_t y, m, d, h, n, s, ms;
  DecodeDate(late, y, m, d);
  DecodeTime(late, h, n, s, ms);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20250101);
  EXPECT_EQ(h + n + s + ms, 0);
}

TEST(DecodeDate, NegativeValuesCountTheTimeForwardsFromMidnight) {
  struct Case {
    TDateTime value;
    String text;
  };
  const Case cases[] = {
      {-1.25, u"29.12.1899 06:00"},
      {-0.25, u"30.12.1899 06:00"},
      {-1.75, u"29.12.1899 18:00"},
      {-36522.5, u"01.01.1800 12:00"},
      {-693593, u"01.01.0001 00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(u"dd.mm.yyyy hh:nn", c.value), c.text) << c.value;

  uint16_t y, m, d;
  DecodeDate(-693594, y, m, d);
  EXPECT_EQ(y + m + d, 0) << "before year 1";
  DecodeDate(2958466, y, m, d);
  EXPECT_EQ(y + m + d, 0) << "after year 9999";
}

TEST(FormatDateTime, FormatLettersUnderGermanSettings) {
  const TDateTime tuesday = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct Case {
    String format, expected;
  };
  const Case cases[] = {
      {u"d.m.yy", u"5.3.24"},
      {u"dd.mm.yyyy", u"05.03.2024"},
      {u"DD.MM.YYYY", u"05.03.2024"},
      {u"ddd dddd", u"Di Dienstag"},
      {u"mmm mmmm", u"Mrz März"},
      {u"ddddd", u"05.03.2024"},
      {u"dddddd", u"Dienstag, 5. März 2024"},
      {u"h:n:s", u"14:7:9"},
      {u"hh:nn:ss", u"14:07:09"},
      {u"hh:mm", u"14:07"},   // m right after h is the minute
      {u"h mm", u"14 07"},
      {u"mm hh", u"03 14"},
      {u"z zzz", u"45 045"},
      {u"t", u"14:07"},
      {u"tt", u"14:07:09"},
      {u"c", u"05.03.2024 14:07:09"},
      {u"", u"05.03.2024 14:07:09"},
      {u"h:nn am/pm", u"2:07 pm"},
      {u"h:nn AM/PM", u"2:07 PM"},
      {u"hh a/p", u"02 p"},
      {u"hh ampm", u"02 PM"},
      {u"yyyy/mm/dd", u"2024.03.05"},  // "/" is the date separator of the settings
      {u"yyyymmdd_hhnnss", u"20240305_140709"},
      {u"'Heute ist' dddd", u"Heute ist Dienstag"},
      {u"\"d\"d", u"d5"},
      {u"hh' Uhr 'mm", u"14 Uhr 07"},
      {u"'offen", u"offen"},
      {u"#-+ [x]", u"#-+ [x]"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, tuesday), c.expected) << StringToUtf8(c.format);
}

TEST(FormatDateTime, MidnightNoonYearsAndSeparators) {
  const TDateTime day = EncodeDate(2005, 1, 9);
  EXPECT_EQ(FormatDateTime(u"c", day), u"09.01.2005");
  EXPECT_EQ(FormatDateTime(u"yy", day), u"05");
  EXPECT_EQ(FormatDateTime(u"yyyy", EncodeDate(33, 6, 1)), u"0033");
  EXPECT_EQ(FormatDateTime(u"h am/pm", day), u"12 am");
  EXPECT_EQ(FormatDateTime(u"h am/pm", day + 0.5), u"12 pm");
  EXPECT_EQ(FormatDateTime(u"h:nn am/pm", day + EncodeTime(0, 30, 0, 0)), u"12:30 am");

  TFormatSettings fs;
  fs.TimeSeparator = u'.';
  fs.DateSeparator = u'-';
  EXPECT_EQ(FormatDateTime(u"dd/mm hh:nn", day + 0.75, fs), u"09-01 18.00");
}

TEST(DateToStr, TimeToStrAndDateTimeToStrFollowTheSettings) {
  const TDateTime value = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
  EXPECT_EQ(DateToStr(value), u"05.03.2024");
  EXPECT_EQ(TimeToStr(value), u"14:07:09");
  EXPECT_EQ(DateTimeToStr(value), u"05.03.2024 14:07:09");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), u"05.03.2024");

  ScopedFormatSettings english(EnglishSettings());
  EXPECT_EQ(DateToStr(value), u"3/5/2024");
  EXPECT_EQ(TimeToStr(value), u"2:07:09 PM");
  EXPECT_EQ(DateTimeToStr(value), u"3/5/2024 2:07:09 PM");
  EXPECT_EQ(FormatDateTime(u"dddd, mmmm d", value), u"Tuesday, March 5");
}

TEST(FormatDateTime, SelfReferringSettingsDoNotRecurseForever) {
  TFormatSettings fs;
  fs.ShortDateFormat = u"c";
  fs.LongTimeFormat = u"tt";
  EXPECT_NO_THROW(FormatDateTime(u"c", EncodeDate(2024, 3, 5) + 0.5, fs));
}

}  // namespace
