// TCanvas: the objects it selects before drawing, text with the brush as background, pictures.
#include <gtest/gtest.h>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Exceptions.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"

namespace {

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : img(10, 8), dc(img.Buffer()), canvas(&dc) {}
  TPixelImage img;
  TRasterDC dc;
  TCanvas canvas;
};

TEST_F(CanvasTest, PenBrushAndModes) {
  canvas.Pen().SetColor(clRed);
  canvas.Brush().SetColor(clBlue);
  canvas.Rectangle(0, 0, 4, 3);
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetStyle(psClear);
  canvas.Rectangle(5, 0, 9, 3);  // neither pen nor brush: nothing
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmNot);
  canvas.MoveTo(0, 5);
  canvas.LineTo(3, 5);
  canvas.LineTo(3, 7);
  EXPECT_EQ(Picture(img),
            "rrrr......\n"
            "rbbr......\n"
            "rrrr......\n"
            "..........\n"
            "..........\n"
            "####......\n"
            "...#......\n"
            "..........\n");
  EXPECT_EQ(canvas.PenPos(), (TPoint{3, 7}));
}

TEST_F(CanvasTest, SystemColoursResolveWhenDrawing) {
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect({0, 0, 2, 2});
  EXPECT_EQ(PixelToColorRef(img.At(1, 1)), GetSysColor(COLOR_BTNFACE));
  SetSysColor(COLOR_BTNFACE, 0x123456);
  canvas.FillRect({0, 0, 2, 2});
  EXPECT_EQ(PixelToColorRef(img.At(1, 1)), 0x123456u);
  ResetSysColors();
  EXPECT_EQ(ColorToRGB(0x12345678), 0x345678u);
  EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
}

TEST_F(CanvasTest, FontSizeAndTextMeasure) {
  canvas.Font().SetName(u"Arial");
  canvas.Font().SetSize(12);
  EXPECT_EQ(canvas.Font().Height(), -16);
  TLogFont f;
  f.lfFaceName = u"Arial";
  f.lfHeight = -16;
  TRasterDC plain;
  plain.SelectFont(TFontHandle::Create(f));
  EXPECT_EQ(canvas.TextExtent(u"Maß"), plain.GetTextExtentPoint32(u"Maß"));
  EXPECT_EQ(canvas.TextHeight(u"x"), plain.GetTextMetrics().tmHeight);
  canvas.Font().SetStyle(fsBold);
  EXPECT_GT(canvas.TextWidth(u"Wendrel"), plain.GetTextExtentPoint32(u"Wendrel").cx);
}

TEST(CanvasText, TextRectClipsAndFillsWithTheBrush) {
  TPixelImage img(80, 30);
  TRasterDC dc(img.Buffer());
  TCanvas canvas(&dc);
  canvas.Font().SetName(u"Arial");
  canvas.Font().SetHeight(-14);
  canvas.Brush().SetColor(clYellow);
  canvas.TextRect({10, 5, 40, 25}, 12, 8, u"WWWWWWWWWW");
  EXPECT_EQ(InkBox(img), (TRect{10, 5, 40, 25}));
  EXPECT_EQ(img.At(10, 5), 0xFFFF00u);
  // A clear brush leaves the background.
  img.Fill(0xFFFFFF);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(2, 2, u"ab");
  EXPECT_EQ(img.At(2, 2), 0xFFFFFFu);
  EXPECT_FALSE(InkBox(img).IsEmpty());
}

TEST(CanvasText, CanvasWithoutDeviceContextRaises) {
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), EInvalidOperation);
}

TEST(CanvasPictures, TransparentBitmapKeepsTheDestination) {
  TBitmap bitmap(4, 2, pf24bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) bitmap.SetPixel(x, y, x == 0 || x == 3 ? clFuchsia : clRed);
  bitmap.SetTransparentColor(clFuchsia);
  bitmap.SetTransparent(true);
  TPixelImage img(6, 2, 0x00FF00);
  TRasterDC dc(img.Buffer());
  TCanvas canvas(&dc);
  canvas.Draw(1, 0, bitmap);
  EXPECT_EQ(Picture(img), "ggrrgg\nggrrgg\n");
  // Opaque, stretched to twice the width.
  bitmap.SetTransparent(false);
  img.Fill(0x00FF00);
  canvas.StretchDraw({0, 0, 8, 1}, bitmap);
  EXPECT_EQ(img.At(0, 0), 0xFF00FFu);
  EXPECT_EQ(img.At(2, 0), 0xFF0000u);
  EXPECT_EQ(img.At(0, 1), 0x00FF00u);
}

TEST(CanvasPictures, CopyRectBetweenCanvases) {
  TPixelImage a(4, 4, 0x0000FF), b(4, 4);
  TRasterDC da(a.Buffer()), db(b.Buffer());
  TCanvas ca(&da), cb(&db);
  cb.CopyRect({1, 1, 3, 3}, ca, {0, 0, 2, 2});
  EXPECT_EQ(Picture(b), "....\n.bb.\n.bb.\n....\n");
  cb.SetCopyMode(SRCINVERT);
  cb.CopyRect({1, 1, 3, 3}, ca, {0, 0, 2, 2});
  EXPECT_EQ(b.At(1, 1), 0x000000u);  // blue XOR blue
  EXPECT_EQ(cb.Pixel(0, 0), clWhite);
  cb.SetPixel(0, 0, clRed);
  EXPECT_EQ(cb.Pixel(0, 0), clRed);
  EXPECT_EQ(cb.Pixel(9, 9), -1);
}

}  // namespace
