// Dates and times as text under the format settings.
#pragma once

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

// Format letters (upper or lower case):
//   d dd        day without / with leading zero     ddd dddd  short / long day name
//   ddddd       ShortDateFormat                      dddddd    LongDateFormat
//   m mm        month without / with leading zero    mmm mmmm  short / long month name
//               (m and mm right after h or hh are the minute instead)
//   yy yyyy     two-digit / four-digit year
//   h hh        hour without / with leading zero (12-hour clock when am/pm follows)
//   n nn        minute      s ss   second      z zzz   millisecond without / with zeros
//   t tt        ShortTimeFormat / LongTimeFormat
//   c           ShortDateFormat, then " " and LongTimeFormat unless the time is midnight
//   am/pm a/p   "am"/"pm" or "a"/"p" in the letter case written; ampm TimeAMString/TimePMString
//   /  :        DateSeparator / TimeSeparator
//   "..." '...' text as it stands
// Every other character stands for itself. An empty format means "c".
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings = FormatSettings());

String DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());      // "ddddd"
String TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());      // "tt"
String DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());  // "c"
