// Palette lookups of the colour reduction: the nearest entry of a palette (cached per 5-5-5
// colour cell) and the 6 x 6 x 6 cube computed without a table.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/bitmaps/PixelFormat.h"

class TColorLookup {
 public:
  virtual ~TColorLookup() = default;
  // The palette index for a colour; the chosen entry's components come back in the outs.
  virtual int NearestColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) = 0;
  int ColorCount = 0;
};

class TFastColorLookup : public TColorLookup {
 public:
  // Up to 256 entries of the palette.
  explicit TFastColorLookup(const std::vector<TRGBQuad>& palette);
  // The smallest |dr| + |dg| + |db| (the first of equals); every colour of a 5-5-5 cell
  // gets the entry found for the first colour of that cell looked up.
  int NearestColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override;

 private:
  std::vector<TRGBQuad> PaletteEntries;
  std::vector<int16_t> InverseTable;  // 32,768 cells, -1: not looked up yet
};

class TNetscapeColorLookup : public TColorLookup {
 public:
  TNetscapeColorLookup() { ColorCount = 216; }
  // Each level = (value + 3) / 51; index = red level * 36 + green level * 6 + blue level.
  int NearestColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override;
};

// 216 entries: entry r * 36 + g * 6 + b = (r * 51, g * 51, b * 51).
std::vector<TRGBQuad> CreateNetscapePalette();
// The 20 colours of the system's default palette.
std::vector<TRGBQuad> SystemDefaultPalette();
