#include "platform/rtl/FloatText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

namespace {

// value = 0.digits × 10^exponent; digits has no trailing zeros and is empty for zero.
struct Decimal {
  bool negative = false;
  int exponent = 0;
  std::string digits;
};

// Rounds |value| to at most `significant` digits and at most `decimals` digits after the
// point, half away from zero, starting from the 17 digits that identify the double.
Decimal ToDecimal(double value, int significant, int decimals) {
  Decimal d;
  if (value == 0) return d;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.16e", std::fabs(value));
  std::string digits = std::string(1, buf[0]) + std::string(buf + 2, 16);
  int exponent = std::atoi(buf + 19) + 1;

  const long keep = std::min<long>(significant, static_cast<long>(exponent) + decimals);
  if (keep < 0) return d;
  const bool roundUp = static_cast<size_t>(keep) < digits.size() && digits[static_cast<size_t>(keep)] >= '5';
  digits.resize(static_cast<size_t>(keep));
  if (roundUp) {
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      ++exponent;
    } else {
      ++digits[i - 1];
    }
  }
  while (!digits.empty() && digits.back() == '0') digits.pop_back();
  if (digits.empty()) return d;
  d.negative = value < 0;
  d.exponent = exponent;
  d.digits = std::move(digits);
  return d;
}

char DigitAt(const Decimal& d, long i) {
  return i >= 0 && static_cast<size_t>(i) < d.digits.size() ? d.digits[static_cast<size_t>(i)] : '0';
}

String Ascii(const std::string& s) { return String(s.begin(), s.end()); }

String ExponentText(int exponent, bool alwaysSign, int minDigits) {
  String out = u"E";
  if (exponent < 0) out += u'-';
  else if (alwaysSign) out += u'+';
  String n = Ascii(std::to_string(std::abs(exponent)));
  if (static_cast<int>(n.size()) < minDigits) out.append(static_cast<size_t>(minDigits) - n.size(), u'0');
  return out + n;
}

// "d,ddd" with at least minFraction digits after the separator.
String Mantissa(const Decimal& d, int minFraction, Char separator) {
  String out(1, static_cast<Char>(DigitAt(d, 0)));
  const long fraction = std::max<long>(minFraction, static_cast<long>(d.digits.size()) - 1);
  if (fraction > 0) {
    out += separator;
    for (long i = 1; i <= fraction; ++i) out += static_cast<Char>(DigitAt(d, i));
  }
  return out;
}

String General(double value, int precision, int digits, const TFormatSettings& fs) {
  const Decimal d = ToDecimal(value, precision, INT_MAX / 2);
  if (d.digits.empty()) return u"0";
  String out = d.negative ? u"-" : u"";
  if (d.exponent > precision || d.exponent < -3)
    return out + Mantissa(d, 0, fs.DecimalSeparator) + ExponentText(d.exponent - 1, false, digits);
  const long n = static_cast<long>(d.digits.size());
  if (d.exponent <= 0) {
    out += u'0';
  } else {
    for (long i = 0; i < d.exponent; ++i) out += static_cast<Char>(DigitAt(d, i));
  }
  if (n > d.exponent) {
    out += fs.DecimalSeparator;
    for (long i = d.exponent; i < n; ++i) out += static_cast<Char>(DigitAt(d, i));
  }
  return out;
}

String Exponent(double value, int precision, int digits, const TFormatSettings& fs) {
  const Decimal d = ToDecimal(value, precision, INT_MAX / 2);
  String out = d.negative ? u"-" : u"";
  const int exponent = d.digits.empty() ? 0 : d.exponent - 1;
  return out + Mantissa(d, precision - 1, fs.DecimalSeparator) + ExponentText(exponent, true, digits);
}

// Unsigned fixed-point text of d with `decimals` decimals, thousands grouped when asked.
String FixedDigits(const Decimal& d, int decimals, bool group, const TFormatSettings& fs) {
  String integral;
  if (d.exponent <= 0) integral = u"0";
  for (long i = 0; i < d.exponent; ++i) {
    if (group && i > 0 && (d.exponent - i) % 3 == 0) integral += fs.ThousandSeparator;
    integral += static_cast<Char>(DigitAt(d, i));
  }
  if (decimals <= 0) return integral;
  integral += fs.DecimalSeparator;
  for (long i = 0; i < decimals; ++i) integral += static_cast<Char>(DigitAt(d, d.exponent + i));
  return integral;
}

String PlaceCurrency(const String& amount, bool negative, const TFormatSettings& fs) {
  const String& c = fs.CurrencyString;
  if (!negative) {
    switch (fs.CurrencyFormat) {
      case 0: return c + amount;
      case 1: return amount + c;
      case 2: return c + u" " + amount;
      default: return amount + u" " + c;
    }
  }
  switch (fs.NegCurrFormat) {
    case 0: return u"(" + c + amount + u")";
    case 1: return u"-" + c + amount;
    case 2: return c + u"-" + amount;
    case 3: return c + amount + u"-";
    case 4: return u"(" + amount + c + u")";
    case 5: return u"-" + amount + c;
    case 6: return amount + u"-" + c;
    case 7: return amount + c + u"-";
    case 8: return u"-" + amount + u" " + c;
    case 9: return u"-" + c + u" " + amount;
    case 10: return amount + u" " + c + u"-";
    case 11: return c + u" " + amount + u"-";
    case 12: return c + u" -" + amount;
    case 13: return amount + u"- " + c;
    case 14: return u"(" + c + u" " + amount + u")";
    default: return u"(" + amount + u" " + c + u")";
  }
}

}  // namespace

String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value < 0 ? u"-INF" : u"INF";
  precision = std::clamp(precision, 1, 17);
  switch (format) {
    case ffGeneral: return General(value, precision, std::clamp(digits, 0, 4), fs);
    case ffExponent: return Exponent(value, precision, std::clamp(digits, 0, 4), fs);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
      digits = std::clamp(digits, 0, 18);
      const Decimal d = ToDecimal(value, precision, digits);
      if (d.exponent > precision) return General(value, precision, 0, fs);
      const String amount = FixedDigits(d, digits, format != ffFixed, fs);
      if (format == ffCurrency) return PlaceCurrency(amount, d.negative, fs);
      return d.negative ? u"-" + amount : amount;
    }
  }
  return String();
}

String FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == u' ') ++i;
  std::string text;  // the number in the syntax of std::from_chars
  if (i < n && (s[i] == u'-' || s[i] == u'+')) {
    if (s[i] == u'-') text += '-';
    ++i;
  }
  int integerDigits = 0, leadingZeros = 0;
  bool seenPoint = false, seenDigit = false, seenNonZero = false;
  for (; i < n; ++i) {
    const Char c = s[i];
    if (c >= u'0' && c <= u'9') {
      seenDigit = true;
      if (!seenPoint) ++integerDigits;
      if (c != u'0') seenNonZero = true;
      else if (!seenNonZero) ++leadingZeros;
      text += static_cast<char>(c);
    } else if (c == fs.DecimalSeparator && !seenPoint) {
      seenPoint = true;
      text += '.';
    } else {
      break;
    }
  }
  if (!seenDigit) return false;
  long exponent = 0;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    ++i;
    bool negative = false;
    if (i < n && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
    const size_t start = i;
    for (; i < n && s[i] >= u'0' && s[i] <= u'9'; ++i)
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - u'0');
    if (i == start) return false;
    if (negative) exponent = -exponent;
    text += 'e' + std::to_string(exponent);
  }
  while (i < n && s[i] == u' ') ++i;
  if (i != n) return false;

  double parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (end != text.data() + text.size()) return false;
  if (error == std::errc::result_out_of_range) {
    // Too small a number becomes zero; too large a one has no double.
    const bool tiny = integerDigits - leadingZeros + exponent < 0;
    if (!tiny) return false;
    parsed = text[0] == '-' ? -0.0 : 0.0;
  } else if (error != std::errc()) {
    return false;
  }
  value = parsed;
  return true;
}

double StrToFloat(const String& s, const TFormatSettings& settings) {
  double value;
  if (!TryStrToFloat(s, value, settings)) throw EConvertError(u"'" + s + S("' ist kein gültiger Gleitkommawert"));
  return value;
}

double StrToFloatDef(const String& s, double fallback, const TFormatSettings& settings) {
  double value;
  return TryStrToFloat(s, value, settings) ? value : fallback;
}
