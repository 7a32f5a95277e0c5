#include "html/foundation/css/Lengths.h"

#include <cmath>
#include <limits>

#include "html/foundation/css/DocumentLimits.h"
#include "html/foundation/css/PropertyIndex.h"
#include "html/foundation/globals/TextHelpers.h"

int ScreenPixelsPerInch() { return 96; }

namespace {
bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }
}  // namespace

bool SplitNumberUnit(const String& text, long double& number, String& unit) {
  size_t i = 0;
  const size_t n = text.size();
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == u'.') {
    size_t j = i + 1, frac = 0;
    while (j < n && IsDigit(text[j])) ++j, ++frac;
    if (frac > 0 || digits > 0) {
      digits += frac;
      i = j;
    }
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  std::string ascii(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(i));
  number = std::strtold(ascii.c_str(), nullptr);
  unit = TrimText(text.substr(i));
  return true;
}

int32_t RoundToInt32(long double value, int32_t fallback) {
  if (std::isnan(value)) return fallback;
  constexpr long double lo = std::numeric_limits<int32_t>::min();
  constexpr long double hi = std::numeric_limits<int32_t>::max();
  if (value <= lo) return std::numeric_limits<int32_t>::min();
  if (value >= hi) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::nearbyintl(value));  // default rounding: halves to even
}

int32_t LengthToPixels(const String& text, bool relative, int32_t base, int32_t fallback,
                       int32_t exSize, int32_t emSize) {
  long double n;
  String unit;
  if (!SplitNumberUnit(text, n, unit)) return fallback;
  const long double ppi = ScreenPixelsPerInch();
  long double r;
  if (unit == u"%") r = base * n / 100;
  else if (unit == u"in") r = n * ppi;
  else if (unit == u"cm") r = n * ppi * 0.39370078740157480316L;
  else if (unit == u"mm") r = n * ppi * 0.039370078740157480314L;
  else if (unit == u"pt") r = n * ppi / 72;
  else if (unit == u"pc") r = n * ppi / 6;
  else if (unit == u"px") r = n;
  else if (unit == u"em") r = n * emSize;
  else if (unit == u"ex") r = n * exSize;
  else if (unit.empty()) r = relative ? n * base : n;
  else return fallback;
  if (std::isnan(r)) return fallback;
  return RoundToInt32(ClampDocumentLength(r), fallback);
}

int32_t ValueToPixels(const TPropValue& value, bool relative, int32_t base, int32_t fallback,
                      int32_t exSize, int32_t emSize) {
  if (value.IsText()) return LengthToPixels(value.AsText(), relative, base, fallback, exSize, emSize);
  if (value.IsInt() && value.AsInt() != UnsetSentinel) return value.AsInt();
  return fallback;
}

bool EqualsAutoSentinel(const TPropValue& value) { return value.IsInt() && value.AsInt() == AutoSentinel; }
bool EqualsUnsetSentinel(const TPropValue& value) { return value.IsInt() && value.AsInt() == UnsetSentinel; }

String UrlFromCssText(const String& text) {
  const size_t start = text.find(u"url(");
  if (start == String::npos) return String();
  size_t i = start + 4;
  auto blank = [](Char c) { return c == u' ' || c == u'\n' || c == u'\f' || c == u'\r'; };
  while (i < text.size() && blank(text[i])) ++i;
  if (i < text.size() && (text[i] == u'"' || text[i] == u'\'')) {
    const size_t close = text.find(text[i], i + 1);
    return text.substr(i + 1, close == String::npos ? String::npos : close - i - 1);
  }
  int depth = 0;
  size_t j = i;
  for (; j < text.size(); ++j) {
    const Char c = text[j];
    if (blank(c)) break;
    if (c == u'(') ++depth;
    else if (c == u')') {
      if (depth == 0) break;
      --depth;
    }
  }
  return text.substr(i, j - i);
}

String UrlFromCssValue(const TPropValue& value) {
  return value.IsText() ? UrlFromCssText(value.AsText()) : String();
}
