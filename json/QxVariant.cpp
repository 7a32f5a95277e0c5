#include "json/QxVariant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/rtl/Compare.h"
#include "platform/rtl/Unicode.h"

namespace {

const char* TypeName(const TqxVariant& v) {
  switch (v.index()) {
    case 0: return "Null";
    case 1: return "Double";
    case 2: return "String";
    default: return "Boolean";
  }
}

[[noreturn]] void RaiseCast(const TqxVariant& v, const char* target) {
  throw EVariantTypeCastError(S(std::string("Variante des Typs (") + TypeName(v) +
                                ") konnte nicht in Typ (" + target + ") konvertiert werden"));
}

String Trimmed(const String& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= u' ') ++b;
  while (e > b && s[e - 1] <= u' ') --e;
  return s.substr(b, e - b);
}

// German number text: optional sign, digits with an optional decimal comma, optional
// exponent. False when the text is no such number or out of the double range.
bool TextToDouble(const String& text, double& out) {
  const String s = Trimmed(text);
  std::string ascii;
  size_t i = 0;
  auto digits = [&] {
    size_t start = i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ascii.push_back(static_cast<char>(s[i++]));
    return i - start;
  };
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    if (s[i] == u'-') ascii.push_back('-');
    ++i;
  }
  size_t mantissa = digits();
  if (i < s.size() && s[i] == u',') {
    ascii.push_back('.');
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
    if (digits() == 0) return false;
  }
  if (i != s.size()) return false;
  const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), out);
  return r.ec == std::errc() && r.ptr == ascii.data() + ascii.size();
}

String DoubleToText(double value) {
  if (std::isnan(value)) return u"NAN";
  if (std::isinf(value)) return value > 0 ? u"INF" : u"-INF";
  if (value == 0) return u"0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);  // [-]d.ddddddddddddddde[+-]x
  std::string text(buf);
  const size_t ePos = text.find('e');
  const int exponent = std::stoi(text.substr(ePos + 1));
  const bool negative = text[0] == '-';
  std::string digits;
  for (size_t k = negative ? 1 : 0; k < ePos; ++k)
    if (text[k] != '.') digits.push_back(text[k]);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= 15 || std::fabs(value) < 0.00001) {
    out += digits[0];
    if (digits.size() > 1) out += "," + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0," + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "," + digits.substr(whole);
    }
  }
  return S(out);
}

}  // namespace

double VariantToDouble(const TqxVariant& v) {
  if (const double* d = std::get_if<double>(&v)) return *d;
  if (const bool* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
  if (const String* s = std::get_if<String>(&v)) {
    double d = 0;
    if (TextToDouble(*s, d)) return d;
  }
  RaiseCast(v, "Double");
}

String VariantToWideString(const TqxVariant& v) {
  if (const String* s = std::get_if<String>(&v)) return *s;
  if (const double* d = std::get_if<double>(&v)) return DoubleToText(*d);
  if (const bool* b = std::get_if<bool>(&v)) return *b ? u"True" : u"False";
  RaiseCast(v, "String");
}

bool VariantToBoolean(const TqxVariant& v) {
  if (const bool* b = std::get_if<bool>(&v)) return *b;
  if (const double* d = std::get_if<double>(&v)) return *d != 0;
  if (const String* s = std::get_if<String>(&v)) {
    const String t = Trimmed(*s);
    if (SameText(t, u"True")) return true;
    if (SameText(t, u"False")) return false;
    double d = 0;
    if (TextToDouble(t, d)) return d != 0;
  }
  RaiseCast(v, "Boolean");
}

String VarToStr(const TqxVariant& v) { return VarIsNull(v) ? String() : VariantToWideString(v); }
