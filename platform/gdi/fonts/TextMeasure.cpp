#include "platform/gdi/fonts/TextMeasure.h"

std::vector<int> TextAdvances(const TRealizedFont& font, std::u16string_view text, const TTextSpacing& spacing) {
  std::vector<int> advances = font.Advances(text);
  if (spacing.CharExtra == 0 && spacing.BreakCount == 0) return advances;
  const Char breakChar = font.TextMetric().tmBreakChar;
  int share = 0, remainder = 0;
  if (spacing.BreakCount > 0) {
    share = spacing.BreakExtra / spacing.BreakCount;
    remainder = spacing.BreakExtra % spacing.BreakCount;  // same sign as BreakExtra
  }
  for (size_t i = 0; i < text.size(); ++i) {
    bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF && i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
    if (low) continue;  // the second half of a pair
    int& advance = advances[i];
    advance += spacing.CharExtra;
    if (spacing.BreakCount > 0 && text[i] == breakChar) {
      advance += share;
      if (remainder > 0) {
        ++advance;
        --remainder;
      } else if (remainder < 0) {
        --advance;
        ++remainder;
      }
    }
  }
  return advances;
}

TSize TextExtent(const TRealizedFont& font, std::u16string_view text, const TTextSpacing& spacing) {
  int width = 0;
  for (int a : TextAdvances(font, text, spacing)) width += a;
  return {width, font.TextMetric().tmHeight};
}

TTextFit FitText(const TRealizedFont& font, std::u16string_view text, int maxExtent, const TTextSpacing& spacing) {
  TTextFit fit;
  std::vector<int> advances = TextAdvances(font, text, spacing);
  fit.PartialExtents.resize(advances.size());
  int running = 0;
  bool fitting = true;
  for (size_t i = 0; i < advances.size(); ++i) {
    running += advances[i];
    fit.PartialExtents[i] = running;
    if (fitting && (maxExtent < 0 || running <= maxExtent))
      fit.Fit = static_cast<int>(i + 1);
    else
      fitting = false;
  }
  fit.Extent = {running, font.TextMetric().tmHeight};
  return fit;
}
