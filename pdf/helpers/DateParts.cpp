#include "pdf/helpers/DateParts.h"

#include <chrono>
#include <cmath>

namespace {

using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};

}  // namespace

TDateParts DecodeDateParts(TDateTime value) {
  double days = std::trunc(value);
  auto ms = static_cast<int64_t>(std::llround(std::fabs(value - days) * 86400000.0));
  if (ms >= 86400000) {
    ms -= 86400000;
    days += value < 0 ? -1 : 1;
  }
  year_month_day ymd{kEpoch + std::chrono::days{static_cast<int64_t>(days)}};
  TDateParts p;
  p.Year = static_cast<int>(ymd.year());
  p.Month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  p.Day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  int64_t secs = ms / 1000;
  p.Hour = static_cast<int>(secs / 3600);
  p.Minute = static_cast<int>(secs / 60 % 60);
  p.Second = static_cast<int>(secs % 60);
  return p;
}

bool TryEncodeDateParts(const TDateParts& p, TDateTime& value) {
  if (p.Year < 1 || p.Year > 9999 || p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59 ||
      p.Second < 0 || p.Second > 59)
    return false;
  year_month_day ymd{year{p.Year}, month{static_cast<unsigned>(p.Month)}, day{static_cast<unsigned>(p.Day)}};
  if (p.Month < 1 || p.Day < 1 || !ymd.ok()) return false;
  double days = static_cast<double>((sys_days{ymd} - kEpoch).count());
  double time = (p.Hour * 3600 + p.Minute * 60 + p.Second) / 86400.0;
  // Before the epoch the fraction counts forward from the day, as the day count does not.
  value = days < 0 ? days - time : days + time;
  return true;
}
