// Blits between device contexts: ternary raster operations, monochrome conversion through
// text and background colours, masked drawing, stretching.
#include <gtest/gtest.h>

#include "platform/gdi/dc/RasterDC.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"

namespace {

constexpr COLORREF kBlack = 0, kWhite = 0xFFFFFF;

TEST(RasterBlit, TernaryOperations) {
  struct TCase {
    uint32_t Rop;
    uint32_t Expected;
  };
  // Source 0xF0F0F0, destination 0x3C3C3C, pattern (the brush) 0x0000FF as a pixel.
  const TCase cases[] = {
      {SRCCOPY, 0xF0F0F0},    {SRCAND, 0x303030},  {SRCPAINT, 0xFCFCFC},  {SRCINVERT, 0xCCCCCC},
      {NOTSRCCOPY, 0x0F0F0F}, {PATCOPY, 0x0000FF}, {WHITENESS, 0xFFFFFF}, {BLACKNESS, 0x000000},
      {DSTINVERT, 0xC3C3C3},  {PATINVERT, 0x3C3CC3},
  };
  TPixelImage source(2, 2, 0xF0F0F0);
  TRasterDC sourceDC(source.Buffer());
  for (const TCase& c : cases) {
    TPixelImage dest(2, 2, 0x3C3C3C);
    TRasterDC dc(dest.Buffer());
    dc.SelectBrush(CreateSolidBrush(0xFF0000));  // blue as a colour value: pixel 0x0000FF
    EXPECT_TRUE(dc.BitBlt(0, 0, 2, 2, &sourceDC, 0, 0, c.Rop));
    EXPECT_EQ(dest.At(1, 1), c.Expected) << std::hex << c.Rop;
  }
  TPixelImage dest(2, 2);
  TRasterDC dc(dest.Buffer());
  EXPECT_FALSE(dc.BitBlt(0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));  // a source operation needs a source
  EXPECT_TRUE(dc.PatBlt(0, 0, 1, 1, BLACKNESS));
  EXPECT_EQ(Picture(dest), "#.\n..\n");
}

TEST(RasterBlit, MonochromeSourceTakesTextAndBackgroundColours) {
  TPixelImage mask(3, 1, 0xFFFFFF, true);
  mask.Set(1, 0, 0x000000);
  TRasterDC maskDC(mask.Buffer());
  TPixelImage dest(3, 1, 0x00FF00);
  TRasterDC dc(dest.Buffer());
  dc.SetTextColor(0x0000FF);  // red
  dc.SetBkColor(0xFF0000);    // blue
  dc.BitBlt(0, 0, 3, 1, &maskDC, 0, 0, SRCCOPY);
  EXPECT_EQ(Picture(dest), "brb\n");
}

TEST(RasterBlit, ColourSourceOnMonochromeMakesTheSourceBackgroundWhite) {
  TPixelImage colour(3, 1, 0x00FF00);
  colour.Set(1, 0, 0xFF0000);
  TRasterDC colourDC(colour.Buffer());
  colourDC.SetBkColor(0x00FF00);  // green is the background: it becomes white
  TPixelImage mono(3, 1, 0x000000, true);
  TRasterDC monoDC(mono.Buffer());
  monoDC.BitBlt(0, 0, 3, 1, &colourDC, 0, 0, SRCCOPY);
  EXPECT_EQ(Picture(mono), ".#.\n");
}

TEST(RasterBlit, MaskedDrawingKeepsTheDestinationUnderTransparentPixels) {
  // A 4x2 picture whose middle pixels are opaque; its mask is white where it is transparent.
  TPixelImage picture(4, 2, 0x0000FF);
  TPixelImage mask(4, 2, 0xFFFFFF, true);
  for (int y = 0; y < 2; ++y)
    for (int x = 1; x < 3; ++x) {
      picture.Set(x, y, 0xFF0000);
      mask.Set(x, y, 0x000000);
    }
  TRasterDC pictureDC(picture.Buffer()), maskDC(mask.Buffer());
  // Clear the picture's transparent pixels: AND with the inverted mask.
  TPixelImage inverted(4, 2, 0xFFFFFF, true);
  TRasterDC invertedDC(inverted.Buffer());
  invertedDC.BitBlt(0, 0, 4, 2, &maskDC, 0, 0, NOTSRCCOPY);
  pictureDC.SetTextColor(kBlack);
  pictureDC.SetBkColor(kWhite);
  pictureDC.BitBlt(0, 0, 4, 2, &invertedDC, 0, 0, SRCAND);
  EXPECT_EQ(Picture(picture), "#rr#\n#rr#\n");

  TPixelImage dest(6, 2, 0x00FF00);
  TRasterDC dc(dest.Buffer());
  dc.SetTextColor(kBlack);
  dc.SetBkColor(kWhite);
  dc.BitBlt(1, 0, 4, 2, &maskDC, 0, 0, SRCAND);
  dc.BitBlt(1, 0, 4, 2, &pictureDC, 0, 0, SRCPAINT);
  EXPECT_EQ(Picture(dest), "ggrrgg\nggrrgg\n");
}

TEST(RasterBlit, StretchMirrorAndShrinkModes) {
  TPixelImage source(2, 1, 0x000000);
  source.Set(1, 0, 0xFF0000);
  TRasterDC sourceDC(source.Buffer());
  TPixelImage dest(4, 2);
  TRasterDC dc(dest.Buffer());
  dc.StretchBlt(0, 0, 4, 1, &sourceDC, 0, 0, 2, 1, SRCCOPY);
  dc.StretchBlt(4, 1, -4, 1, &sourceDC, 0, 0, 2, 1, SRCCOPY);  // mirrored
  EXPECT_EQ(Picture(dest), "##rr\nrr##\n");
  // Shrinking a one-bit picture keeps black pixels with BLACKONWHITE and white ones with WHITEONBLACK.
  TPixelImage stripes(4, 1, 0xFFFFFF, true);
  stripes.Set(1, 0, 0x000000);
  TRasterDC stripesDC(stripes.Buffer());
  TPixelImage small(1, 1, 0x808080, true);
  TRasterDC smallDC(small.Buffer());
  smallDC.SetStretchBltMode(BLACKONWHITE);
  smallDC.StretchBlt(0, 0, 1, 1, &stripesDC, 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(small.At(0, 0), 0x000000u);
  smallDC.SetStretchBltMode(WHITEONBLACK);
  smallDC.StretchBlt(0, 0, 1, 1, &stripesDC, 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(small.At(0, 0), 0xFFFFFFu);
}

TEST(RasterBlit, ClippedAndOutsideTheSource) {
  TPixelImage source(2, 2, 0x000000);
  TRasterDC sourceDC(source.Buffer());
  TPixelImage dest(4, 4);
  TRasterDC dc(dest.Buffer());
  dc.IntersectClipRect({0, 0, 4, 1});
  dc.BitBlt(0, 0, 4, 4, &sourceDC, 0, 0, SRCCOPY);  // the source holds only 2 x 2 pixels
  EXPECT_EQ(Picture(dest), "##..\n....\n....\n....\n");
}

TEST(RasterBlit, StretchDIBitsUsesTheBitsOwnColours) {
  TPixelImage bits(2, 1, 0xFFFFFF, true);
  bits.Set(0, 0, 0x000000);
  TPixelImage dest(2, 1, 0x00FF00);
  TRasterDC dc(dest.Buffer());
  dc.SetTextColor(0x0000FF);
  dc.StretchDIBits(0, 0, 2, 1, 0, 0, 2, 1, bits.Buffer(), SRCCOPY);
  EXPECT_EQ(Picture(dest), "#.\n");
}

// A one-for-one colour copy takes a short way; MERGECOPY with a white brush (pattern AND
// source) gives the same pixels the long way. Both must agree wherever the copy reaches past
// the source's edges or is cut by a clip region.
TEST(RasterBlit, PlainCopiesAgreeWithThePixelByPixelPath) {
  TPixelImage source(7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) source.Set(x, y, 0x010203u * static_cast<uint32_t>(x + 7 * y + 1));
  TRasterDC sourceDC(source.Buffer());
  struct TCase {
    int X, Y, Width, Height, SourceX, SourceY;
  };
  const TCase cases[] = {
      {0, 0, 7, 5, 0, 0}, {2, 1, 7, 5, 0, 0}, {0, 0, 9, 7, -2, -1}, {1, 1, 6, 4, 3, 2}, {-3, -2, 12, 9, 0, 0},
  };
  for (const TCase& c : cases) {
    TPixelImage quick(10, 8, 0x3C3C3C), slow(10, 8, 0x3C3C3C);
    TRasterDC quickDC(quick.Buffer()), slowDC(slow.Buffer());
    for (TRasterDC* dc : {&quickDC, &slowDC}) {
      dc->IntersectClipRect({1, 0, 9, 8});
      dc->ExcludeClipRect({4, 3, 6, 5});
    }
    slowDC.SelectBrush(CreateSolidBrush(0xFFFFFF));
    EXPECT_TRUE(quickDC.BitBlt(c.X, c.Y, c.Width, c.Height, &sourceDC, c.SourceX, c.SourceY, SRCCOPY));
    EXPECT_TRUE(slowDC.BitBlt(c.X, c.Y, c.Width, c.Height, &sourceDC, c.SourceX, c.SourceY, MERGECOPY));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(quick.At(x, y), slow.At(x, y)) << "case at " << c.X << "," << c.Y << " pixel " << x << "," << y;
  }
}

// Through the per-pixel path too, a copy that does not scale takes every pixel from its own
// column: a source edge worked out as (x / width) * width fell a rounding error short for
// some columns of a 90-pixel copy and mixed in the pixel to its left.
TEST(RasterBlit, UnscaledCopiesThroughThePixelPathTakeTheirOwnColumn) {
  for (const int width : {90, 97, 300}) {
    TPixelImage source(width, 1);
    for (int x = 0; x < width; ++x) source.Set(x, 0, x % 2 ? 0xFFFFFF : 0x000000);
    TRasterDC sourceDC(source.Buffer());
    TPixelImage dest(width, 1, 0x3C3C3C);
    TRasterDC dc(dest.Buffer());
    dc.SelectBrush(CreateSolidBrush(0xFFFFFF));
    EXPECT_TRUE(dc.BitBlt(0, 0, width, 1, &sourceDC, 0, 0, MERGECOPY));
    for (int x = 0; x < width; ++x) ASSERT_EQ(dest.At(x, 0), source.At(x, 0)) << "width " << width << " x " << x;
  }
}

}  // namespace
