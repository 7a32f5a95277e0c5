#include "html/foundation/images/ColourReduction.h"

#include <gtest/gtest.h>

#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/images/ColourLookup.h"
#include "html/foundation/images/ColourQuantizer.h"
#include "platform/gdi/bitmaps/Bitmap.h"

namespace {

// A 24-bit bitmap from rows of 0xRRGGBB colours.
TBitmap Image24(const std::vector<std::vector<uint32_t>>& rows) {
  TBitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), pf24bit);
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      uint32_t rgb = rows[y][x];
      bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y), TColor((rgb & 0xFF) << 16 | (rgb & 0xFF00) | rgb >> 16));
    }
  return bitmap;
}

std::vector<int> Indexes(const TBitmap& bitmap) {
  std::vector<int> out;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) out.push_back(bitmap.Image().GetIndex(x, y));
  return out;
}

TEST(ColourReduction, TinyImagesByPaletteAndDither) {
  // Grey 128 on the cube of 51 steps: level 2 is index 86, level 3 index 129. Dithered, the
  // error of the first row reaches the second, which runs from right to left: its left
  // pixel collects the most and turns lighter.
  const uint32_t grey = 0x808080;
  struct Case {
    const char* name;
    std::vector<std::vector<uint32_t>> rows;
    int palette, dither;
    std::vector<int> indexes;
  };
  const Case cases[] = {
      {"pure red, cube, Floyd-Steinberg", {{0xFF0000}}, pkNetscape, dkFloydSteinberg, {180}},
      {"grey, cube, nearest", {{grey, grey}, {grey, grey}}, pkNetscape, dkNearest, {86, 86, 86, 86}},
      {"grey, cube, Floyd-Steinberg (serpentine)", {{grey, grey}, {grey, grey}}, pkNetscape, dkFloydSteinberg,
       {86, 86, 129, 86}},
      {"system palette, exact colours", {{0x808080, 0xC0DCC0, 0xFFFFFF, 0x000000}}, pkSystem, dkNearest,
       {12, 8, 19, 0}},
      {"unknown dither: palette but no pixels", {{0xFFFFFF}}, pkSystem, 7, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap source = Image24(c.rows);
    std::unique_ptr<TBitmap> reduced = ReduceBitmapColors(source, c.palette, c.dither);
    EXPECT_EQ(reduced->PixelFormat(), pf8bit);
    EXPECT_EQ(Indexes(*reduced), c.indexes);
    EXPECT_EQ(source.PixelFormat(), pf24bit);  // the source is not touched
  }
}

TEST(ColourReduction, DitheringKeepsTheAverage) {
  // A flat colour between two cube levels comes out as a mix whose mean is close to it.
  std::vector<std::vector<uint32_t>> rows(16, std::vector<uint32_t>(16, 0x4A4A4A));
  std::unique_ptr<TBitmap> reduced = ReduceBitmapColors(Image24(rows), pkNetscape, dkFloydSteinberg);
  double sum = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) sum += reduced->GetPixel(x, y) & 0xFF;
  EXPECT_NEAR(sum / 256, 0x4A, 3);
}

TEST(ColourReduction, NetscapeLevels) {
  TNetscapeColorLookup lookup;
  int r, g, b;
  struct Case {
    int value, level;
  };
  for (Case c : {Case{0, 0}, Case{47, 0}, Case{48, 1}, Case{98, 1}, Case{99, 2}, Case{255, 5}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(lookup.NearestColor(c.value, 0, 0, r, g, b), c.level * 36);
    EXPECT_EQ(r, c.level * 51);
  }
}

TEST(ColourReduction, FastLookupFirstOfEqualsAndCellCache) {
  std::vector<TRGBQuad> palette = {QuadOfRgb(0x000000), QuadOfRgb(0x0A0000), QuadOfRgb(0x140000)};
  TFastColorLookup lookup(palette);
  int r, g, b;
  EXPECT_EQ(lookup.NearestColor(5, 0, 0, r, g, b), 0);  // 0 and 1 are 5 away: the first wins
  EXPECT_EQ(lookup.NearestColor(20, 0, 0, r, g, b), 2);  // exact entry
  // 16..23 share a cell with 20: 17 takes the entry found for that cell.
  EXPECT_EQ(lookup.NearestColor(17, 0, 0, r, g, b), 2);
}

TEST(ColourReduction, OptimizedPaletteHoldsAFewColoursExactly) {
  TBitmap source = Image24({{0x123456, 0xABCDEF, 0x123456}, {0xFF8000, 0x654321, 0xABCDEF}});
  std::vector<TRGBQuad> palette = CreateOptimizedPaletteFromBitmap(source, 256, 8, true);
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(RgbOfQuad(palette[0]), 0x000000u);
  EXPECT_EQ(RgbOfQuad(palette[255]), 0xFFFFFFu);
  std::unique_ptr<TBitmap> reduced = ReduceBitmapColors(source, pkOptimized, dkNearest);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(reduced->GetPixel(x, y), source.GetPixel(x, y)) << x << "," << y;

  // More colours than allowed: merged down to at most the limit.
  TColorQuantizer quantizer(4, 8);
  for (int i = 0; i < 64; ++i) quantizer.AddPixel(i * 4, 255 - i * 4, i);
  EXPECT_LE(quantizer.LeafCount, 4);
  EXPECT_EQ(static_cast<int>(quantizer.FillColorTable().size()), quantizer.LeafCount);
}

TEST(ColourReduction, ForScreenByDepth) {
  TBitmap source = Image24({{0x808080}});
  EXPECT_EQ(ReduceBitmapForScreen(nullptr), nullptr);
  TBitmap empty;
  EXPECT_EQ(ReduceBitmapForScreen(&empty), nullptr);

  uint8_t oldDepth = ScreenColorDepth;
  ScreenColorDepth = 4;
  EXPECT_EQ(Indexes(*ReduceBitmapForScreen(&source)), std::vector<int>{12});
  ScreenColorDepth = 8;
  std::vector<TRGBQuad> oldCube = CubePalette;
  CubePalette = BuildCubePalette(DefaultPalette(pf8bit));
  std::unique_ptr<TBitmap> onCube = ReduceBitmapForScreen(&source);
  EXPECT_EQ(onCube->Image().Palette(), CubePalette);
  CubePalette = oldCube;
  ScreenColorDepth = oldDepth;

  TBitmap device(1, 1, pfDevice);
  device.SetPixel(0, 0, TColor(0x123456));
  std::unique_ptr<TBitmap> copy = ReduceBitmapForScreen(&device);
  EXPECT_EQ(copy->PixelFormat(), pfDevice);  // copied, not reduced
  EXPECT_EQ(copy->GetPixel(0, 0), TColor(0x123456));
}

}  // namespace
