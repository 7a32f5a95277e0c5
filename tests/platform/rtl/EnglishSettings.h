// An English-style settings object for tests that swap the German defaults out.
#pragma once

#include "platform/rtl/FormatSettings.h"

inline TFormatSettings EnglishSettings() {
  TFormatSettings fs;
  fs.DecimalSeparator = u'.';
  fs.ThousandSeparator = u',';
  fs.DateSeparator = u'/';
  fs.ShortDateFormat = u"m/d/yyyy";
  fs.LongDateFormat = u"dddd, mmmm d, yyyy";
  fs.ShortTimeFormat = u"h:nn AMPM";
  fs.LongTimeFormat = u"h:nn:ss AMPM";
  fs.CurrencyString = u"$";
  fs.CurrencyFormat = 0;
  fs.NegCurrFormat = 0;
  fs.ShortMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
  fs.LongMonthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                       u"July",    u"August",   u"September", u"October", u"November", u"December"};
  fs.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  fs.LongDayNames = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
  return fs;
}
