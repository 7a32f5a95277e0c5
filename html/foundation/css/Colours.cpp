#include "html/foundation/css/Colours.h"

#include <algorithm>
#include <cmath>

#include "html/foundation/css/Lengths.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/globals/EngineSettings.h"
#include "html/foundation/globals/TextHelpers.h"
#include "platform/rtl/HexDigits.h"
#include "platform/rtl/IntConvert.h"

namespace {

bool FindName(const String& lowered, TColor& colour) {
  const auto& list = ColourNameList();
  auto it = std::lower_bound(list.begin(), list.end(), lowered,
                             [](const auto& row, const String& key) { return row.first < key; });
  if (it == list.end() || it->first != lowered) return false;
  colour = it->second;
  return true;
}

// Cuts "(a, b, c[, alpha])" into its three components; false without brackets.
bool SplitComponents(const String& text, String parts[3]) {
  const size_t open = text.find(u'(');
  const size_t close = text.find(u')');
  if (open == String::npos || close == String::npos) return false;
  String rest = close > open ? text.substr(open + 1, close - open - 1) : String();
  rest = TrimText(rest.substr(0, 255));
  for (int k = 0; k < 2; ++k) {
    const size_t comma = rest.find(u',');
    if (comma == String::npos) {
      parts[k].clear();
    } else {
      parts[k] = TrimText(rest.substr(0, comma));
      rest = TrimText(rest.substr(comma + 1));
    }
  }
  const size_t comma = rest.find(u',');
  parts[2] = TrimText(comma == String::npos ? rest : rest.substr(0, comma));
  return true;
}

int RgbComponent(const String& part) {
  int value;
  const size_t percent = part.find(u'%');
  if (percent != String::npos) {
    String number = part;
    number.erase(percent, 1);
    long double n;
    String unit;
    value = SplitNumberUnit(TrimText(number), n, unit) && unit.empty() ? RoundToInt32(n * 2.55L, 0) : 0;
  } else {
    value = StrToIntDef(part, 0);
  }
  return std::clamp(value, 0, 255);
}

int HslPercent(const String& part) {
  String number = part;
  const size_t percent = number.find(u'%');
  if (percent != String::npos) number.erase(percent, 1);
  return std::clamp(StrToIntDef(TrimText(number), 0), 0, 100);
}

bool ReadRgb(const String& text, TColor& colour) {
  String parts[3];
  if (!SplitComponents(text, parts)) return false;
  colour = RgbComponent(parts[0]) + 256 * RgbComponent(parts[1]) + 65536 * RgbComponent(parts[2]);
  return true;
}

bool ReadHsl(const String& text, TColor& colour) {
  String parts[3];
  if (!SplitComponents(text, parts)) return false;
  int hue = StrToIntDef(parts[0], 0) % 360;
  if (hue < 0) hue += 360;
  colour = RgbFromHsl(hue, HslPercent(parts[1]), HslPercent(parts[2]));
  return true;
}

bool ReadHex(String text, bool hashRequired, TColor& colour) {
  bool hadHash = false;
  for (size_t hash; (hash = text.find(u'#')) != String::npos;) {
    text.erase(0, hash + 1);
    hadHash = true;
  }
  if (!hadHash && hashRequired) return false;
  text = TrimText(text);
  if (text.size() <= 3) {
    String doubled;
    for (Char c : text) doubled.append(2, c);
    text = doubled;
  }
  if (text.empty() || text.size() > 8) return false;
  uint32_t number = 0;
  for (Char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return false;
    number = number * 16 + static_cast<uint32_t>(digit);
  }
  const uint32_t r = (number >> 16) & 0xFF, g = (number >> 8) & 0xFF, b = number & 0xFF;
  colour = static_cast<TColor>(r | (g << 8) | (b << 16)) | PaletteRGBFlag;
  return true;
}

double HueChannel(double m1, double m2, double h) {
  if (h < 0) h += 1;
  if (h > 1) h -= 1;
  if (h * 6 < 1) return m1 + (m2 - m1) * h * 6;
  if (h * 2 < 1) return m2;
  if (h * 3 < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
  return m1;
}
}  // namespace

TColor RgbFromHsl(int hue, int saturation, int lightness) {
  const double h = hue / 360.0, s = saturation / 100.0, l = lightness / 100.0;
  auto channel = [](double v) { return static_cast<int>(std::nearbyint(v * 255)); };
  if (s == 0) {
    const int grey = channel(l);
    return grey + 256 * grey + 65536 * grey;
  }
  const double m2 = l <= 0.5 ? l * (s + 1) : l + s - l * s;
  const double m1 = l * 2 - m2;
  return channel(HueChannel(m1, m2, h + 1.0 / 3)) + 256 * channel(HueChannel(m1, m2, h)) +
         65536 * channel(HueChannel(m1, m2, h - 1.0 / 3));
}

bool ParseColorText(const String& text, bool hashRequired, TColor& colour) {
  const String lowered = LowerCaseText(TrimText(text));
  if (lowered.empty()) return false;
  TColourParseCache& cache = EngineSettings().ColourCache;
  if (lowered == cache.Text && !(hashRequired && cache.NeedsNoHash)) {
    colour = cache.Colour;
    return true;
  }
  TColor result = 0;
  bool ok;
  if (const size_t hsl = lowered.find(u"hsl"); hsl != String::npos) {
    ok = ReadHsl(lowered.substr(hsl + 3), result);
  } else {
    const size_t rgb = lowered.find(u"rgb");
    if (rgb == String::npos && lowered[0] != u'#' && FindName(lowered, result)) ok = true;
    else if (rgb != String::npos) ok = ReadRgb(lowered.substr(rgb + 3), result);
    else ok = ReadHex(lowered, hashRequired, result);
  }
  if (!ok) return false;
  cache.Text = lowered;
  cache.Colour = result;
  cache.NeedsNoHash = lowered.find_first_of(u"#(") == String::npos && !FindName(lowered, result);
  colour = cache.Colour;
  return true;
}
