#include "html/foundation/fonts/FontSizes.h"

#include "html/foundation/css/Lengths.h"
#include "html/foundation/globals/EngineSettings.h"

const std::array<double, 8> HtmlFontSizeBase = {0, 8, 10, 12, 14, 18, 24, 36};
const std::array<double, 8> PreHtmlFontSizeBase = {0, 7, 8, 10, 12, 15, 20, 30};

void SetFontSizeTables(double pointSize) {
  THtmlEngineSettings& settings = EngineSettings();
  for (size_t i = 1; i <= 7; ++i) {
    settings.HtmlFontSizes[i] = pointSize * HtmlFontSizeBase[i] / 12;
    settings.PreHtmlFontSizes[i] = pointSize * PreHtmlFontSizeBase[i] / 12;
  }
}

double FontSizeStep(int step, double size) {
  const auto& t = EngineSettings().HtmlFontSizes;
  size_t i = 4;
  if (size < t[i]) {
    while (i > 1 && size < t[i]) --i;
    // Between t[i] and t[i + 1]: the nearer one, the lower on a tie.
    if (size > t[i] && t[i + 1] - size < size - t[i]) ++i;
  } else if (size > t[i]) {
    while (i < 7 && size > t[i]) ++i;
    if (size < t[i] && size - t[i - 1] <= t[i] - size) --i;
  }
  int target = static_cast<int>(i) + step;
  size_t reference = i;
  if (target < 1) {
    target = 1;
    reference = 2;
  } else if (target > 7) {
    target = 7;
    reference = 6;
  }
  return size * t[static_cast<size_t>(target)] / t[reference];
}

double FontSizeToPoints(const String& text, bool quirks, double parentSize) {
  long double n;
  String unit;
  if (SplitNumberUnit(text, n, unit)) {
    const long double ppi = ScreenPixelsPerInch();
    const double p = parentSize;
    if (unit == u"in") return static_cast<double>(n * 72);
    if (unit == u"cm") return static_cast<double>(n * 72 * 0.39370078740157480316L);
    if (unit == u"mm") return static_cast<double>(n * 72 * 0.039370078740157480314L);
    if (unit == u"pt") return static_cast<double>(n);
    if (unit == u"px" || unit.empty()) return static_cast<double>(n * 72 / ppi);
    if (unit == u"pc") return static_cast<double>(n * 12);
    if (unit == u"em") return static_cast<double>(p * n);
    if (unit == u"ex") return static_cast<double>(p * n * 0.5L);
    if (unit == u"%") return static_cast<double>(p * n / 100);
    return EngineSettings().DefaultPointSize;
  }
  const auto& sizes = EngineSettings().HtmlFontSizes;
  const size_t q = quirks ? 1 : 0;
  if (text == u"smaller") return FontSizeStep(-1, parentSize);
  if (text == u"larger") return FontSizeStep(1, parentSize);
  if (text == u"xx-small" || text == u"x-small") return sizes[1 + q];
  if (text == u"small") return sizes[2 + q];
  if (text == u"medium") return sizes[3 + q];
  if (text == u"large") return sizes[4 + q];
  if (text == u"x-large") return sizes[5 + q];
  if (text == u"xx-large") return sizes[7];
  return EngineSettings().DefaultPointSize;
}
