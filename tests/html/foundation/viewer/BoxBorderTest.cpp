#include "html/foundation/viewer/BoxBorder.h"

#include <gtest/gtest.h>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/metafile/MetafileCanvas.h"

namespace {

constexpr TColor kPaper = 0xF0F0F0;

// A bitmap of the given size filled with the paper colour.
TBitmap Paper(int width, int height) {
  TBitmap bitmap(width, height, pf32bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, kPaper);
  return bitmap;
}

// One character per row of column x: 'o' paper, '#' the colour, '?' anything else.
std::string Column(TBitmap& bitmap, int x, int from, int to, TColor color) {
  std::string s;
  for (int y = from; y < to; ++y) {
    TColor p = bitmap.GetPixel(x, y);
    s += p == kPaper ? 'o' : p == color ? '#' : '?';
  }
  return s;
}

TEST(BoxBorder, TopBandsByStyleAndWidth) {
  // Only the top side has a width; column 5 shows the bands from the outer top down.
  struct Case {
    const char* name;
    int width;
    uint8_t style;
    std::string bands;
  };
  const Case cases[] = {
      {"solid 3", 3, bssSolid, "###oo"},
      {"double 3: two 1-pixel bands", 3, bssDouble, "#o#oo"},
      {"double 5: thirds of 2", 5, bssDouble, "##o##"},
      {"double 4", 4, bssDouble, "#oo#o"},
      {"none", 3, bssNone, "ooooo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap bitmap = Paper(10, 10);
    PaintBoxBorder(bitmap.Canvas(), TRect{0, 0, 10, 10}, TRect{0, c.width, 10, 10}, {clRed, clRed, clRed, clRed},
                   {c.style, c.style, c.style, c.style}, clNone, false);
    EXPECT_EQ(Column(bitmap, 5, 0, 5, clRed), c.bands);
  }
}

TEST(BoxBorder, ShadesOfThreeDimensionalStyles) {
  // A 4-pixel frame of $808080: the left column at x = 1 and the right one at x = 8 (halves
  // of groove and ridge: x = 0..1 outer, 2..3 inner).
  const TColor dark = 0x505050, light = 0xC0C0C0;
  struct Case {
    uint8_t style;
    TColor leftOuter, leftInner, rightOuter, rightInner;
  };
  const Case cases[] = {{bssInset, dark, dark, light, light},
                        {bssOutset, light, light, dark, dark},
                        {bssGroove, dark, light, light, dark},
                        {bssRidge, light, dark, dark, light}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    TBitmap bitmap = Paper(20, 20);
    PaintBoxBorder(bitmap.Canvas(), TRect{0, 0, 20, 20}, TRect{4, 4, 16, 16}, {0x808080, 0x808080, 0x808080, 0x808080},
                   {c.style, c.style, c.style, c.style}, clNone, false);
    EXPECT_EQ(bitmap.GetPixel(1, 10), c.leftOuter);
    EXPECT_EQ(bitmap.GetPixel(3, 10), c.leftInner);
    EXPECT_EQ(bitmap.GetPixel(10, 1), c.leftOuter);  // top like left
    EXPECT_EQ(bitmap.GetPixel(18, 10), c.rightOuter);
    EXPECT_EQ(bitmap.GetPixel(16, 10), c.rightInner);
    EXPECT_EQ(bitmap.GetPixel(10, 18), c.rightOuter);  // bottom like right
    EXPECT_EQ(bitmap.GetPixel(10, 10), kPaper);        // inside untouched
  }
}

TEST(BoxBorder, DashedAndDottedLeaveGapsOnTheirBackground) {
  struct Case {
    uint8_t style;
    TColor back;
  };
  for (Case c : {Case{bssDashed, clNone}, Case{bssDotted, clNone}, Case{bssDashed, clYellow}, Case{bssDotted, clYellow}}) {
    SCOPED_TRACE(static_cast<int>(c.style) * 1000 + (c.back == clNone));
    TBitmap bitmap = Paper(200, 20);
    PaintBoxBorder(bitmap.Canvas(), TRect{0, 0, 200, 20}, TRect{0, 4, 200, 20}, {clRed, clRed, clRed, clRed},
                   {bssNone, c.style, bssNone, bssNone}, c.back, false);
    int red = 0, gap = 0, other = 0;
    for (int x = 10; x < 190; ++x) {
      TColor p = bitmap.GetPixel(x, 2);
      (p == clRed ? red : p == (c.back == clNone ? kPaper : c.back) ? gap : other)++;
    }
    EXPECT_GT(red, 20);
    EXPECT_GT(gap, 20);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(bitmap.GetPixel(100, 10), kPaper);  // below the band
  }
}

TEST(BoxBorder, NothingForEqualRectanglesAndClampedToRow5000) {
  TBitmap bitmap = Paper(4, 4);
  PaintBoxBorder(bitmap.Canvas(), TRect{0, 0, 4, 4}, TRect{0, 0, 4, 4}, {clRed, clRed, clRed, clRed},
                 {bssSolid, bssSolid, bssSolid, bssSolid}, clBlue, false);
  EXPECT_EQ(Column(bitmap, 0, 0, 4, clRed), "oooo");

  TBitmap tall = Paper(3, 5010);
  PaintBoxBorder(tall.Canvas(), TRect{0, 0, 3, 20000}, TRect{2, 0, 3, 20000}, {clRed, clRed, clRed, clRed},
                 {bssSolid, bssSolid, bssSolid, bssSolid}, clNone, false);
  EXPECT_EQ(Column(tall, 0, 4995, 5005, clRed), "#####ooooo");
}

// Wide sides are filled as paths, not as regions of one rectangle per scan line: a frame
// 30,000 pixels wide records a few hundred bytes, and played back it covers the same
// pixels as a narrow frame painted the region way.
TEST(BoxBorder, WideSidesRecordAsPathsAndPaintTheWholeRing) {
  TMetafile metafile;
  {
    TMetafileCanvas canvas(metafile);
    PaintBoxBorder(canvas, TRect{-30000, -150, 30100, 4900}, TRect{10, 10, 90, 60}, {clRed, clLime, clBlue, clRed},
                   {bssSolid, bssSolid, bssGroove, bssDouble}, clNone, false);
  }
  EXPECT_LT(metafile.Data().size(), 4096u);

  struct Case {
    const char* name;
    int side;  // ring width: 2 is painted as regions, 80 as paths
  };
  for (const Case& c : {Case{"regions", 2}, Case{"paths", 80}}) {
    SCOPED_TRACE(c.name);
    const int w = c.side;
    TBitmap bitmap = Paper(2 * w + 20, 2 * w + 20);
    PaintBoxBorder(bitmap.Canvas(), TRect{0, 0, 2 * w + 20, 2 * w + 20}, TRect{w, w, w + 20, w + 20},
                   {clRed, clRed, clRed, clRed}, {bssSolid, bssSolid, bssSolid, bssSolid}, clNone, false);
    // Every column through the middle: the ring, the 20 inner rows of paper, the ring.
    const std::string expected = std::string(static_cast<size_t>(w), '#') + std::string(20, 'o') +
                                 std::string(static_cast<size_t>(w), '#');
    EXPECT_EQ(Column(bitmap, w + 10, 0, 2 * w + 20, clRed), expected);
    EXPECT_EQ(Column(bitmap, 0, 0, 2 * w + 20, clRed), std::string(static_cast<size_t>(2 * w + 20), '#'));
    EXPECT_EQ(Column(bitmap, 2 * w + 19, 0, 2 * w + 20, clRed), std::string(static_cast<size_t>(2 * w + 20), '#'));
  }
}

}  // namespace
