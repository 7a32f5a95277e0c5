// Floating-point numbers to text and back under the format settings.
#pragma once

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The platform's conversion. precision: significant digits (1 to 17; a double holds no
// more); digits: decimals for ffFixed, ffNumber and ffCurrency, minimum exponent digits for
// ffGeneral and ffExponent. Rounding goes half away from zero on the shortest decimal
// digits that identify the double (0.125 to two decimals is 0.13, 2.675 is 2.67 because
// the double lies below 2.675). NaN and infinities give "NAN", "INF" and "-INF".
//  ffGeneral: shortest of fixed ("0,0001", "123,456") and scientific ("1E15", "1,5E-5");
//             scientific when the integer part needs more than precision digits or the
//             value is below 0.0001; no trailing zeros.
//  ffExponent: "-d,ddddE+ddd" with precision digits in all.
//  ffFixed:   "-ddd,dd"; ffNumber adds thousand separators; ffCurrency places the currency
//             string as CurrencyFormat and NegCurrFormat say. Values whose integer part
//             needs more than precision digits are written as ffGeneral.
String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings = FormatSettings());

// FloatToStrF(value, ffGeneral, 15, 0).
String FloatToStr(double value, const TFormatSettings& settings = FormatSettings());

// Accepted: optional blanks, a sign, digits with at most one decimal separator of the
// settings (no thousand separators), an optional exponent "E" or "e" with a sign, optional
// blanks. Values beyond the range of a double fail; values too small become 0. StrToFloat
// raises EConvertError "'<s>' ist kein gültiger Gleitkommawert".
double StrToFloat(const String& s, const TFormatSettings& settings = FormatSettings());
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings = FormatSettings());
double StrToFloatDef(const String& s, double fallback, const TFormatSettings& settings = FormatSettings());
