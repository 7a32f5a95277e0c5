#include "html/document/blocks/ListMarkers.h"

#include <array>

#include "html/foundation/css/PropertyIndex.h"

namespace {
String Decimal(int32_t number) {
  const std::string digits = std::to_string(number);
  return String(digits.begin(), digits.end());
}

// Bijective base 26: 1 "a", 26 "z", 27 "aa", 702 "zz", 703 "aaa".
String Letters(int64_t number, Char first) {
  String text;
  while (number > 0) {
    --number;
    text.insert(text.begin(), static_cast<Char>(first + number % 26));
    number /= 26;
  }
  return text;
}

String Roman(int number, bool upper) {
  static constexpr std::array<int, 13> values{1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
  static constexpr std::array<const char*, 13> symbols{"m", "cm", "d", "cd", "c", "xc", "l", "xl", "x", "ix", "v", "iv", "i"};
  String text;
  for (size_t i = 0; i < values.size(); ++i)
    while (number >= values[i]) {
      for (const char* p = symbols[i]; *p; ++p) text += static_cast<Char>(upper ? *p - 'a' + 'A' : *p);
      number -= values[i];
    }
  return text;
}
}  // namespace

String ListMarkerText(int style, int32_t number) {
  switch (style) {
    case ListLowerAlpha:
    case ListUpperAlpha:
      if (number >= 1) return Letters(number, style == ListLowerAlpha ? u'a' : u'A');
      break;
    case ListLowerRoman:
    case ListUpperRoman:
      if (number >= 1 && number <= 3999) return Roman(number, style == ListUpperRoman);
      break;
    default:
      break;
  }
  return Decimal(number);
}
