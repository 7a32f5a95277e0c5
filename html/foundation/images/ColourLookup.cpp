#include "html/foundation/images/ColourLookup.h"

#include <algorithm>
#include <cstdlib>

TFastColorLookup::TFastColorLookup(const std::vector<TRGBQuad>& palette)
    : PaletteEntries(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(std::min<size_t>(palette.size(), 256))),
      InverseTable(32768, -1) {
  ColorCount = static_cast<int>(PaletteEntries.size());
  for (int i = 0; i < ColorCount; ++i) {
    const TRGBQuad& e = PaletteEntries[static_cast<size_t>(i)];
    int key = (e.rgbRed >> 3) | (e.rgbGreen >> 3) << 5 | (e.rgbBlue >> 3) << 10;
    if (InverseTable[static_cast<size_t>(key)] < 0) InverseTable[static_cast<size_t>(key)] = static_cast<int16_t>(i);
  }
}

int TFastColorLookup::NearestColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
  int key = (red >> 3) | (green >> 3) << 5 | (blue >> 3) << 10;
  int index = InverseTable[static_cast<size_t>(key)];
  if (index < 0) {
    int best = 1 << 30;
    for (int i = 0; i < ColorCount; ++i) {
      const TRGBQuad& e = PaletteEntries[static_cast<size_t>(i)];
      int d = std::abs(e.rgbRed - red) + std::abs(e.rgbGreen - green) + std::abs(e.rgbBlue - blue);
      if (d < best) {
        best = d;
        index = i;
      }
    }
    InverseTable[static_cast<size_t>(key)] = static_cast<int16_t>(index);
  }
  const TRGBQuad& e = PaletteEntries[static_cast<size_t>(index)];
  outRed = e.rgbRed;
  outGreen = e.rgbGreen;
  outBlue = e.rgbBlue;
  return index;
}

int TNetscapeColorLookup::NearestColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
  int r = (red + 3) / 51, g = (green + 3) / 51, b = (blue + 3) / 51;
  outRed = r * 51;
  outGreen = g * 51;
  outBlue = b * 51;
  return r * 36 + g * 6 + b;
}

std::vector<TRGBQuad> CreateNetscapePalette() {
  std::vector<TRGBQuad> palette;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        palette.push_back(TRGBQuad{static_cast<uint8_t>(b * 51), static_cast<uint8_t>(g * 51), static_cast<uint8_t>(r * 51), 0});
  return palette;
}

std::vector<TRGBQuad> SystemDefaultPalette() {
  std::vector<TRGBQuad> palette;
  for (uint32_t rgb : {0x000000u, 0x800000u, 0x008000u, 0x808000u, 0x000080u, 0x800080u, 0x008080u, 0xC0C0C0u,
                       0xC0DCC0u, 0xA6CAF0u, 0xFFFBF0u, 0xA0A0A4u, 0x808080u, 0xFF0000u, 0x00FF00u, 0xFFFF00u,
                       0x0000FFu, 0xFF00FFu, 0x00FFFFu, 0xFFFFFFu})
    palette.push_back(QuadOfRgb(rgb));
  return palette;
}
