// Calendar fields of the day-count TDateTime (through rtl's calendar), as the PDF engine
// writes and reads dates.
#pragma once

#include "platform/rtl/Types.h"

struct TDateParts {
  int Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0;
};

// Splits a date-time into its fields, to the whole second (the fraction is rounded to
// the millisecond first, so 23:59:59.9995 is the next day).
TDateParts DecodeDateParts(TDateTime value);
// Joins fields into a date-time; false when a field is out of range or the date does
// not exist (30 February).
bool TryEncodeDateParts(const TDateParts& parts, TDateTime& value);
