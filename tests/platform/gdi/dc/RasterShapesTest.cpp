// Exact pixels of the raster device context: rectangles, lines, pens, focus rectangles,
// raster operations, clipping and mapping.
#include <gtest/gtest.h>

#include "platform/gdi/dc/RasterDC.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"

namespace {

constexpr COLORREF kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kBlack = 0, kWhite = 0xFFFFFF;

class RasterShapes : public ::testing::Test {
 protected:
  RasterShapes() : img(8, 6), dc(img.Buffer()) {}
  TPixelImage img;
  TRasterDC dc;
};

TEST_F(RasterShapes, RectangleIncludesTopLeftAndExcludesBottomRight) {
  dc.SelectBrush(CreateSolidBrush(kRed));
  dc.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Picture(img),
            "........\n"
            ".#####..\n"
            ".#rrr#..\n"
            ".#rrr#..\n"
            ".#####..\n"
            "........\n");
}

TEST_F(RasterShapes, RectangleWithoutPenLosesRightAndBottomEdge) {
  dc.SelectPen(NullPen());
  dc.SelectBrush(CreateSolidBrush(kRed));
  dc.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Picture(img),
            "........\n"
            ".rrrr...\n"
            ".rrrr...\n"
            ".rrrr...\n"
            "........\n"
            "........\n");
}

TEST_F(RasterShapes, FillRectFrameRectAndReversedCorners) {
  dc.FillRect({6, 4, 2, 1}, CreateSolidBrush(kBlue));
  dc.FrameRect({0, 0, 3, 3}, CreateSolidBrush(kBlack));
  EXPECT_EQ(Picture(img),
            "###.....\n"
            "#.#bbb..\n"
            "###bbb..\n"
            "..bbbb..\n"
            "........\n"
            "........\n");
}

TEST_F(RasterShapes, LinesLeaveOutTheirLastPoint) {
  dc.MoveToEx(1, 0);
  dc.LineTo(5, 0);  // horizontal: x 1..4
  dc.MoveToEx(0, 1);
  dc.LineTo(4, 5);  // diagonal: (0,1) .. (3,4)
  dc.SelectPen(CreatePen(PS_SOLID, 1, kRed));
  dc.Polyline({{7, 5}, {7, 1}, {5, 1}});  // up, then left: (7,5)..(7,2), (7,1)..(6,1)
  EXPECT_EQ(Picture(img),
            ".####...\n"
            "#.....rr\n"
            ".#.....r\n"
            "..#....r\n"
            "...#...r\n"
            ".......r\n");
  EXPECT_EQ(dc.GetCurrentPositionEx(), (TPoint{4, 5}));
}

TEST_F(RasterShapes, DottedCosmeticPenFillsGapsOnlyWithOpaqueBackground) {
  TPixelImage wide(12, 2);
  TRasterDC line(wide.Buffer());
  line.SelectPen(CreatePen(PS_DOT, 1, kBlack));
  line.SetBkColor(kRed);
  line.MoveToEx(0, 0);
  line.LineTo(12, 0);
  line.SetBkMode(TRANSPARENT);
  line.MoveToEx(0, 1);
  line.LineTo(12, 1);
  EXPECT_EQ(Picture(wide), "###rrr###rrr\n###...###...\n");
}

TEST_F(RasterShapes, HugeCoordinatesDrawOnlyTheVisiblePart) {
  const int big = 1000000000;
  dc.FillRect({-big, -big, big, 1}, CreateSolidBrush(kBlue));
  dc.SelectBrush(CreateSolidBrush(kRed));
  dc.SelectPen(NullPen());
  dc.Ellipse(-big, 4, big, 2 * big);  // its top edge crosses the picture
  dc.SelectPen(CreatePen(PS_SOLID, 1, kBlack));
  dc.MoveToEx(-big, 2);
  dc.LineTo(big, 2);
  dc.MoveToEx(-big, -big + 3);
  dc.LineTo(big, big + 3);  // the diagonal y = x + 3
  EXPECT_EQ(Picture(img, {0, 0, 8, 4}),
            "bbbbbbbb\n"
            "........\n"
            "########\n"
            "#.......\n");
  EXPECT_EQ(img.At(2, 5), 0x000000u);
  EXPECT_EQ(img.At(4, 5), 0xFF0000u);
}

TEST(RasterPens, InsideFramePenStaysInsideTheRectangle) {
  struct TCase {
    uint32_t Style;
    TRect Ink;
  };
  // Width 3 on (2,2)-(12,10): an inside-frame pen keeps to the rectangle, a solid pen is
  // centred on the outline through the edge pixels.
  for (const TCase& c : {TCase{PS_INSIDEFRAME, {2, 2, 12, 10}}, TCase{PS_SOLID, {1, 1, 13, 11}}}) {
    TPixelImage img(16, 14);
    TRasterDC dc(img.Buffer());
    dc.SelectPen(CreatePen(c.Style, 3, kBlack));
    dc.SelectBrush(NullBrush());
    dc.Rectangle(2, 2, 12, 10);
    EXPECT_EQ(InkBox(img), c.Ink) << c.Style;
    EXPECT_EQ(img.At(c.Ink.Left + 2, c.Ink.Top + 2), 0x000000u);
    EXPECT_EQ(img.At(c.Ink.Left + 3, c.Ink.Top + 3), 0xFFFFFFu) << "the frame is three pixels wide";
  }
}

TEST(RasterPens, WideLineCoversItsWidthAroundTheCentre) {
  TPixelImage img(12, 9);
  TRasterDC dc(img.Buffer());
  dc.SelectPen(CreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 3, kBlack));
  dc.MoveToEx(2, 4);
  dc.LineTo(10, 4);
  EXPECT_EQ(InkBox(img), (TRect{2, 3, 10, 6}));
}

TEST_F(RasterShapes, FocusRectangleInvertsEveryOtherPixelAndTwiceRestores) {
  dc.FillRect({0, 0, 8, 6}, CreateSolidBrush(kBlack));
  dc.DrawFocusRect({1, 1, 7, 5});
  EXPECT_EQ(Picture(img),
            "########\n"
            "#.#.#.##\n"
            "######.#\n"
            "#.######\n"
            "##.#.#.#\n"
            "########\n");
  dc.DrawFocusRect({1, 1, 7, 5});
  EXPECT_EQ(InkBox(img, 0x000000), TRect{});
}

TEST_F(RasterShapes, BinaryRasterOperations) {
  struct TCase {
    int Rop2;
    uint32_t Dest, Expected;
  };
  // Pen red (0xFF0000 as a pixel) over a grey destination.
  const TCase cases[] = {
      {R2_COPYPEN, 0x808080, 0xFF0000}, {R2_XORPEN, 0x808080, 0x7F8080}, {R2_NOT, 0x808080, 0x7F7F7F},
      {R2_MASKPEN, 0x808080, 0x800000}, {R2_MERGEPEN, 0x808080, 0xFF8080}, {R2_NOP, 0x808080, 0x808080},
      {R2_BLACK, 0x808080, 0x000000},   {R2_WHITE, 0x808080, 0xFFFFFF},   {R2_NOTCOPYPEN, 0x808080, 0x00FFFF},
  };
  for (const TCase& c : cases) {
    img.Fill(c.Dest);
    dc.SetROP2(c.Rop2);
    dc.SelectPen(CreatePen(PS_SOLID, 1, kRed));
    dc.MoveToEx(0, 0);
    dc.LineTo(2, 0);
    EXPECT_EQ(img.At(0, 0), c.Expected) << c.Rop2;
  }
}

TEST_F(RasterShapes, ClipRegions) {
  TRegion clip;
  EXPECT_FALSE(dc.GetClipRgn(clip));
  dc.IntersectClipRect({1, 1, 7, 5});
  dc.ExcludeClipRect({3, 2, 5, 4});
  int saved = dc.SaveDC();
  dc.IntersectClipRect({0, 0, 2, 2});
  dc.RestoreDC(saved);
  dc.FillRect({0, 0, 8, 6}, CreateSolidBrush(kBlack));
  EXPECT_EQ(Picture(img),
            "........\n"
            ".######.\n"
            ".##..##.\n"
            ".##..##.\n"
            ".######.\n"
            "........\n");
  ASSERT_TRUE(dc.GetClipRgn(clip));
  EXPECT_EQ(clip.Box(), (TRect{1, 1, 7, 5}));
  TRect box;
  EXPECT_EQ(dc.GetClipBox(box), COMPLEXREGION);
  EXPECT_EQ(dc.GetPixel(3, 2), CLR_INVALID);  // outside the clip region
  dc.SelectClipRgn(nullptr);
  EXPECT_EQ(dc.GetPixel(3, 2), kWhite);
  TRegion ellipse = TRegion::FromEllipse({0, 0, 8, 6});
  dc.SelectClipRgn(&ellipse);
  dc.FillRect({0, 0, 8, 6}, CreateSolidBrush(kRed));
  EXPECT_EQ(img.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(img.At(4, 3), 0xFF0000u);
}

TEST(RasterMapping, FillRgnMapsTheRegionLikeARectangle) {
  TPixelImage img(20, 20);
  TRasterDC dc(img.Buffer());
  TRegion quad = TRegion::FromPolygon({{0, 0}, {8, 0}, {8, 8}, {0, 8}}, ALTERNATE);
  dc.SetWindowOrgEx(-2, -1);
  dc.FillRgn(quad, CreateSolidBrush(kBlack));
  EXPECT_EQ(InkBox(img), (TRect{2, 1, 10, 9}));
  img.Fill(0xFFFFFF);
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowOrgEx(0, 0);
  dc.SetWindowExtEx(2, 2);
  dc.SetViewportExtEx(1, 1);
  dc.FillRgn(quad, CreateSolidBrush(kBlack));
  EXPECT_EQ(InkBox(img), (TRect{0, 0, 4, 4}));
}

TEST(RasterMapping, WindowAndViewportExtentsAndOrigins) {
  TPixelImage img(20, 20);
  TRasterDC dc(img.Buffer());
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExtEx(100, 100);
  dc.SetViewportExtEx(50, 25);
  dc.SetViewportOrgEx(4, 2);
  dc.SetWindowOrgEx(10, 0);
  EXPECT_EQ(dc.LPtoDP({30, 40}), (TPoint{14, 12}));
  EXPECT_EQ(dc.DPtoLP({14, 12}), (TPoint{30, 40}));
  dc.FillRect({10, 0, 30, 40}, CreateSolidBrush(kBlack));
  EXPECT_EQ(InkBox(img), (TRect{4, 2, 14, 12}));
  // Isotropic: the larger scale shrinks to the smaller one.
  dc.SetMapMode(MM_ISOTROPIC);
  dc.SetWindowExtEx(100, 100);
  dc.SetViewportExtEx(50, 25);
  EXPECT_EQ(dc.GetViewportExtEx(), (TSize{25, 25}));
  // Metric modes count y upwards.
  dc.SetMapMode(MM_LOMETRIC);
  dc.SetViewportOrgEx(0, 0);
  dc.SetWindowOrgEx(0, 0);
  EXPECT_EQ(dc.LPtoDP({254, 254}), (TPoint{96, -96}));
  // Restoring a saved state brings the mapping back.
  int level = dc.SaveDC();
  dc.SetMapMode(MM_TEXT);
  dc.RestoreDC(level);
  EXPECT_EQ(dc.GetMapMode(), MM_LOMETRIC);
  EXPECT_FALSE(dc.RestoreDC(5));
}

TEST(RasterFill, EllipseAndPolygonStayInsideTheirBounds) {
  TPixelImage img(24, 16);
  TRasterDC dc(img.Buffer());
  dc.SelectBrush(CreateSolidBrush(kRed));
  dc.Ellipse(2, 3, 20, 13);
  EXPECT_EQ(InkBox(img), (TRect{2, 3, 20, 13}));
  EXPECT_EQ(img.At(11, 8), 0xFF0000u);
  EXPECT_EQ(img.At(2, 3), 0xFFFFFFu);

  img.Fill(0xFFFFFF);
  dc.SelectPen(NullPen());
  dc.SetPolyFillMode(WINDING);
  std::vector<TPoint> twice = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0}, {4, 4}, {12, 4}, {12, 12}, {4, 12}, {4, 4}};
  dc.Polygon(twice);
  EXPECT_EQ(img.At(6, 6), 0xFF0000u);
  img.Fill(0xFFFFFF);
  dc.SetPolyFillMode(ALTERNATE);
  dc.Polygon(twice);
  EXPECT_EQ(img.At(6, 6), 0xFFFFFFu);
  EXPECT_EQ(img.At(2, 2), 0xFF0000u);
}

TEST(RasterFill, HatchedBrushKeepsTheBackgroundWhenTransparent) {
  TPixelImage img(8, 8, 0x00FF00);
  TRasterDC dc(img.Buffer());
  dc.SetBkMode(TRANSPARENT);
  dc.FillRect({0, 0, 8, 8}, CreateHatchBrush(HS_HORIZONTAL, kBlack));
  EXPECT_EQ(Picture(img, {0, 0, 3, 2}), "###\nggg\n");
  dc.SetBkMode(OPAQUE);
  dc.FillRect({0, 0, 8, 8}, CreateHatchBrush(HS_VERTICAL, kBlack));
  EXPECT_EQ(Picture(img, {0, 0, 3, 2}), "#..\n#..\n");
}

TEST(RasterMonochrome, ColoursBecomeBlackOrWhite) {
  TPixelImage img(4, 1, 0xFFFFFF, true);
  TRasterDC dc(img.Buffer());
  EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 1);
  dc.SetPixel(0, 0, kRed);
  dc.SetPixel(1, 0, 0xE0E0E0);
  dc.FillRect({2, 0, 4, 1}, CreateSolidBrush(kBlue));
  EXPECT_EQ(Picture(img), "#.##\n");
}

TEST(RasterDevice, Capabilities) {
  TPixelImage img(30, 20);
  TRasterDC dc(img.Buffer());
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
  EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
  EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
  EXPECT_EQ(dc.GetDeviceCaps(PLANES), 1);
  EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 30);
  EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 20);
}

}  // namespace
