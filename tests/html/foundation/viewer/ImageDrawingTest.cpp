#include "html/foundation/viewer/ImageDrawing.h"

#include <gtest/gtest.h>

#include "html/foundation/images/GdiPlusImages.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"

namespace {

constexpr TColor kPaper = 0xF0F0F0;

// A picture from letters: r red, g green, b blue, y yellow; and a mask from 'T' (white,
// transparent) and 'o' (black, opaque).
TBitmap Picture(const std::vector<std::string>& rows) {
  TBitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), pf24bit);
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      char c = rows[y][x];
      TColor color = c == 'r' ? clRed : c == 'g' ? clLime : c == 'b' ? clBlue : c == 'y' ? clYellow
                     : c == 'T' ? clWhite : clBlack;
      bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y), color);
    }
  if (rows[0].find_first_of("To") != std::string::npos) bitmap.SetPixelFormat(pf1bit);
  return bitmap;
}

TBitmap Paper(int width, int height) {
  TBitmap bitmap(width, height, pf32bit);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, kPaper);
  return bitmap;
}

// The row as letters: '.' paper, the picture letters, '?' anything else.
std::string Row(TBitmap& bitmap, int y) {
  std::string s;
  for (int x = 0; x < bitmap.Width(); ++x) {
    TColor p = bitmap.GetPixel(x, y);
    s += p == kPaper ? '.' : p == clRed ? 'r' : p == clLime ? 'g' : p == clBlue ? 'b' : p == clYellow ? 'y' : '?';
  }
  return s;
}

TEST(ImageDrawing, MaskedBitmapsKeepTheTransparentPixels) {
  struct Case {
    const char* name;
    std::string picture, mask;
    int width;  // drawn width (stretched)
    std::string result;
  };
  const Case cases[] = {
      {"all opaque", "rgby", "oooo", 4, "rgby"},
      {"holes", "rgby", "ToTo", 4, ".g.y"},
      {"all transparent", "rgby", "TTTT", 4, "...."},
      {"stretched twice", "rg", "To", 4, "..gg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap picture = Picture({c.picture}), mask = Picture({c.mask});
    TBitmap target = Paper(c.width, 1);
    DrawMaskedBitmap(target.Canvas().Handle(), picture, mask, 0, 0, c.width, 1);
    target.Canvas();
    EXPECT_EQ(Row(target, 0), c.result);
  }
}

TEST(ImageDrawing, MaskedBitmapOnAMonochromeDeviceDrawsNothing) {
  TBitmap picture = Picture({"rg"}), mask = Picture({"oo"});
  TBitmap mono(2, 1, pf1bit);
  mono.SetPixel(0, 0, clWhite);
  mono.SetPixel(1, 0, clWhite);
  ASSERT_EQ(mono.Canvas().Handle().GetDeviceCaps(BITSPIXEL), 1);
  DrawMaskedBitmap(mono.Canvas().Handle(), picture, mask, 0, 0, 2, 1);
  mono.Canvas();
  EXPECT_EQ(mono.GetPixel(0, 0), clWhite);
  EXPECT_EQ(mono.GetPixel(1, 0), clWhite);
}

TEST(ImageDrawing, PrintedStripsThroughTheMask) {
  struct Case {
    const char* name;
    int stripTop, stripHeight;
    int scale;  // viewport extent / window extent, as on a printer canvas
    std::vector<std::string> rows;
  };
  const std::vector<std::string> picture = {"rgby", "yrgb"}, mask = {"ToTo", "oToT"};
  const Case cases[] = {
      {"whole image", 0, 2, 1, {".g.y", "y.g."}},
      {"second row only", 1, 1, 1, {"y.g.", "...."}},
      {"printer scale 2", 0, 1, 2, {"..gg..yy", "..gg..yy"}},
      {"empty strip", 0, 0, 1, {"....", "...."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBitmap image = Picture(picture), holes = Picture(mask);
    TBitmap target = Paper(4 * c.scale, 2);
    TCanvas& canvas = target.Canvas();
    TDeviceContext& dc = canvas.Handle();
    if (c.scale != 1) {
      dc.SetMapMode(MM_ANISOTROPIC);
      dc.SetWindowExtEx(1, 1);
      dc.SetViewportExtEx(c.scale, c.scale);
    }
    PrintMaskedBitmap(canvas, 0, 0, 4, c.stripHeight, image, holes, c.stripTop, c.stripHeight);
    target.Canvas();
    for (size_t y = 0; y < c.rows.size(); ++y) EXPECT_EQ(Row(target, static_cast<int>(y)), c.rows[y]) << y;
    TRegion left;
    EXPECT_FALSE(dc.GetClipRgn(left));  // the clipping is put back
  }
}

// One image that cannot be drawn does not end the page: stretched over 20000 x 20000
// pixels, the blend of an alpha image needs more than one picture may take, so the image
// is left out; the next one still draws.
TEST(ImageDrawing, AnImageThatFailsToDrawIsLeftOut) {
  TGpBitmap image(2, 1);
  TBitmap target = Paper(4, 1);
  TDeviceContext& dc = target.Canvas().Handle();
  EXPECT_NO_THROW(PaintGpImageStretched(dc, image, 0, 0, 20000, 20000));
  EXPECT_NO_THROW(PaintGpImageStretchedScaled(dc, image, 0, 0, 20000, 20000, 1.0, 1.0));
  TBitmap picture = Picture({"rgby"}), mask = Picture({"oooo"});
  PrintMaskedBitmap(target.Canvas(), 0, 0, 4, 1, picture, mask, 0, 1);
  target.Canvas();
  EXPECT_EQ(Row(target, 0), "rgby");
}

}  // namespace
