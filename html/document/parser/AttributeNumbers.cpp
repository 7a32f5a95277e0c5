// The integer value of an attribute's text (WIDTH="50%", COLS="*", SIZE="+1", WIDTH="100px").
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "html/document/parser/HtmlParser.h"
#include "platform/rtl/Rounding.h"
#include "platform/rtl/StrUtils.h"

namespace {

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

// The length of the number at the start of Text: sign, digits, a fraction, an exponent.
size_t NumberLength(const String& text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  const size_t mantissa = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i < text.size() && text[i] == u'.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  if (i == mantissa || (i == mantissa + 1 && text[mantissa] == u'.')) return 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

bool THtmlParser::ValueToInteger(const String& text, int& value) {
  String s = Trim(text);
  if (s.empty()) return false;
  if (s.back() == u'%') {
    s.pop_back();
  } else if (s.back() == u'*') {
    s.pop_back();
    if (s.empty()) {
      value = 1;
      return true;
    }
  }
  if (s.empty() || !(IsDigit(s[0]) || s[0] == u'+' || s[0] == u'-' || s[0] == u'.')) return false;
  const size_t length = NumberLength(s);
  if (length == 0) return true;  // no number after the sign: the value stays
  std::string ascii;
  for (size_t i = s[0] == u'+' ? 1 : 0; i < length; ++i) ascii += static_cast<char>(s[i]);
  double number = 0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), number);
  if (result.ec != std::errc()) return true;  // beyond a double: the value stays
  if (std::isnan(number)) return true;
  constexpr double limit = 2147483647.0;
  number = std::clamp(number, -limit, limit);
  value = static_cast<int>(Round(number));
  return true;
}
