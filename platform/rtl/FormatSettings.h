// The number, currency and date conventions that text conversions follow. The program
// runs with German settings wherever it is started; the Linux locale is never read.
#pragma once

#include <array>
#include <cstdint>

#include "platform/rtl/Types.h"

struct TFormatSettings {
  Char DecimalSeparator = u',';
  Char ThousandSeparator = u'.';
  Char DateSeparator = u'.';
  Char TimeSeparator = u':';

  // Format letters as FormatDateTime reads them.
  String ShortDateFormat = u"dd.mm.yyyy";
  String LongDateFormat = u"dddd, d. mmmm yyyy";
  String ShortTimeFormat = u"hh:nn";
  String LongTimeFormat = u"hh:nn:ss";
  String TimeAMString = u"AM";
  String TimePMString = u"PM";

  String CurrencyString = u"€";
  // Placement of the currency string: 0 "€1", 1 "1€", 2 "€ 1", 3 "1 €".
  uint8_t CurrencyFormat = 3;
  // Placement for negative amounts, 0 to 15: "(€1)", "-€1", "€-1", "€1-", "(1€)", "-1€",
  // "1-€", "1€-", "-1 €", "-€ 1", "1 €-", "€ 1-", "€ -1", "1- €", "(€ 1)", "(1 €)".
  uint8_t NegCurrFormat = 8;
  uint8_t CurrencyDecimals = 2;

  // January first; days from Sunday.
  std::array<String, 12> ShortMonthNames = {u"Jan", u"Feb", u"Mrz", u"Apr", u"Mai", u"Jun",
                                            u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez"};
  std::array<String, 12> LongMonthNames = {u"Januar", u"Februar", u"März",     u"April",
                                           u"Mai",    u"Juni",    u"Juli",     u"August",
                                           u"September", u"Oktober", u"November", u"Dezember"};
  std::array<String, 7> ShortDayNames = {u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa"};
  std::array<String, 7> LongDayNames = {u"Sonntag",    u"Montag",  u"Dienstag", u"Mittwoch",
                                        u"Donnerstag", u"Freitag", u"Samstag"};
};

// The settings every conversion uses unless it is given others; German until swapped.
const TFormatSettings& FormatSettings();

// Puts other settings in place for its lifetime and restores the previous ones after
// (tests, and code that must write text for another convention).
class ScopedFormatSettings {
 public:
  explicit ScopedFormatSettings(const TFormatSettings& settings);
  ~ScopedFormatSettings();
  ScopedFormatSettings(const ScopedFormatSettings&) = delete;
  ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

 private:
  TFormatSettings previous_;
};
