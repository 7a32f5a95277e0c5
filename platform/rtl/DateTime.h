// Calendar arithmetic on TDateTime: whole days since 30 Dec 1899, the fraction the time of
// day. Before that day the value is negative while its fraction still counts forwards
// from midnight: -1.25 is 29 Dec 1899, 06:00.
#pragma once

#include <cstdint>

#include "platform/rtl/Types.h"

bool IsLeapYear(uint16_t year);

// Years 1 to 9999; anything else raises EConvertError "Ungültiges Argument zum Codieren
// des Datums" (or "... der Zeit" for EncodeTime).
TDateTime EncodeDate(uint16_t year, uint16_t month, uint16_t day);
TDateTime EncodeTime(uint16_t hour, uint16_t minute, uint16_t second, uint16_t millisecond);

// The value is first rounded to whole milliseconds, so 23:59:59.9999 is the next day.
// A date before 1 Jan 0001 or after 31 Dec 9999 decodes as 0, 0, 0.
void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& millisecond);

// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime value);
