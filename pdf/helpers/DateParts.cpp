#include "pdf/helpers/DateParts.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"

TDateParts DecodeDateParts(TDateTime value) {
  uint16_t y, mo, d, h, mi, s, ms;
  DecodeDate(value, y, mo, d);
  DecodeTime(value, h, mi, s, ms);
  return {y, mo, d, h, mi, s};
}

bool TryEncodeDateParts(const TDateParts& p, TDateTime& value) {
  if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12 || p.Day < 1 || p.Day > 31 || p.Hour < 0 ||
      p.Hour > 23 || p.Minute < 0 || p.Minute > 59 || p.Second < 0 || p.Second > 59)
    return false;
  try {
    TDateTime date = EncodeDate(static_cast<uint16_t>(p.Year), static_cast<uint16_t>(p.Month),
                                static_cast<uint16_t>(p.Day));
    TDateTime time = EncodeTime(static_cast<uint16_t>(p.Hour), static_cast<uint16_t>(p.Minute),
                                static_cast<uint16_t>(p.Second), 0);
    // Before the epoch the fraction counts forward from the day, as the day count does not.
    value = date < 0 ? date - time : date + time;
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}
