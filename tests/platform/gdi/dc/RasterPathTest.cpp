// Paths, arcs, pies and curves on the raster device context; the measuring context's
// bookkeeping of the current position; glyph-index text and ANSI character widths.
#include <gtest/gtest.h>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"

namespace {

TEST(RasterPath, FillAndStrokeAFinishedPath) {
  TPixelImage img(12, 10);
  TRasterDC dc(img.Buffer());
  EXPECT_FALSE(dc.FillPath());  // no path yet
  dc.BeginPath();
  dc.MoveToEx(2, 2);
  dc.LineTo(10, 2);
  dc.LineTo(10, 8);
  dc.LineTo(2, 8);
  dc.CloseFigure();
  dc.EndPath();
  EXPECT_EQ(InkBox(img), TRect{}) << "drawing into a path draws nothing";
  dc.SelectBrush(CreateSolidBrush(0x0000FF));
  EXPECT_TRUE(dc.FillPath());
  EXPECT_EQ(InkBox(img), (TRect{2, 2, 10, 8}));
  EXPECT_FALSE(dc.StrokePath()) << "filling consumed the path";

  img.Fill(0xFFFFFF);
  dc.BeginPath();
  dc.Rectangle(2, 2, 10, 8);
  dc.EndPath();
  dc.SelectPen(CreatePen(PS_SOLID, 1, 0));
  EXPECT_TRUE(dc.StrokePath());
  EXPECT_EQ(img.At(2, 2), 0u);
  EXPECT_EQ(img.At(5, 5), 0xFFFFFFu);
  dc.BeginPath();
  dc.MoveToEx(0, 0);
  dc.LineTo(5, 5);
  dc.AbortPath();
  EXPECT_FALSE(dc.StrokePath());
}

TEST(RasterPath, DashedBorderStrokedAlongAPath) {
  // A geometric dashed pen with square caps and mitred joins, as borders are drawn.
  TPixelImage img(60, 20);
  TRasterDC dc(img.Buffer());
  dc.SelectPen(CreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 4, 0));
  dc.BeginPath();
  dc.MoveToEx(6, 10);
  dc.LineTo(54, 10);
  dc.EndPath();
  dc.StrokePath();
  TRect ink = InkBox(img);
  EXPECT_EQ(ink.Top, 8);
  EXPECT_EQ(ink.Bottom, 12);
  EXPECT_GE(ink.Left, 4);
  // There are gaps: some pixels on the line stay white.
  int white = 0;
  for (int x = ink.Left; x < ink.Right; ++x) white += img.At(x, 10) == 0xFFFFFF;
  EXPECT_GT(white, 4);
}

TEST(RasterCurves, ArcPieAndRoundRectStayInTheirRectangle) {
  TPixelImage img(40, 40);
  TRasterDC dc(img.Buffer());
  dc.SelectBrush(CreateSolidBrush(0x00FF00));
  // The quarter from the right going counter-clockwise to the top.
  dc.Pie(0, 0, 40, 40, 40, 20, 20, 0);
  TRect ink = InkBox(img);
  EXPECT_GE(ink.Left, 19);
  EXPECT_LE(ink.Bottom, 21);
  EXPECT_LE(ink.Right, 40);
  EXPECT_EQ(img.At(30, 10), 0x00FF00u);
  EXPECT_EQ(img.At(10, 30), 0xFFFFFFu);

  img.Fill(0xFFFFFF);
  dc.Arc(0, 0, 40, 40, 0, 20, 40, 20);  // the lower half, from left to right
  ink = InkBox(img);
  EXPECT_GE(ink.Top, 19);
  EXPECT_LE(ink.Bottom, 40);

  img.Fill(0xFFFFFF);
  dc.RoundRect(5, 5, 35, 30, 10, 10);
  EXPECT_EQ(InkBox(img), (TRect{5, 5, 35, 30}));
  EXPECT_EQ(img.At(5, 5), 0xFFFFFFu) << "the corner is rounded off";

  img.Fill(0xFFFFFF);
  EXPECT_FALSE(dc.PolyBezier({{0, 0}, {10, 10}}));
  EXPECT_TRUE(dc.PolyBezier({{2, 30}, {10, 2}, {30, 2}, {38, 30}}));
  ink = InkBox(img);
  EXPECT_EQ(ink.Left, 2);
  EXPECT_GE(ink.Top, 8);
  EXPECT_LE(ink.Right, 39);
}

TEST(MeasureDC, CurrentPositionFollowsTextAndLines) {
  TMeasureDC dc;
  TLogFont f;
  f.lfFaceName = S("Arial");
  f.lfHeight = -16;
  dc.SelectFont(TFontHandle::Create(f));
  int w = dc.GetTextExtentPoint32(u"abc").cx;
  dc.SetTextAlign(TA_UPDATECP);
  dc.MoveToEx(10, 3);
  dc.TextOut(0, 0, u"abc");
  EXPECT_EQ(dc.GetCurrentPositionEx(), (TPoint{10 + w, 3}));
  dc.SetTextAlign(TA_UPDATECP | TA_RIGHT);
  dc.TextOut(0, 0, u"abc");
  EXPECT_EQ(dc.GetCurrentPositionEx(), (TPoint{10, 3}));
  dc.SetTextAlign(TA_UPDATECP | TA_CENTER);
  dc.TextOut(0, 0, u"abc");
  EXPECT_EQ(dc.GetCurrentPositionEx(), (TPoint{10, 3}));
  dc.LineTo(50, 60);
  EXPECT_EQ(dc.GetCurrentPositionEx(), (TPoint{50, 60}));
  EXPECT_EQ(dc.Pixels(), nullptr);
  EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 24);
}

TEST(FontWidths, AnsiCodesGlyphIndicesAndGlyphText) {
  TMeasureDC dc;
  TLogFont f;
  f.lfFaceName = S("Arial");
  f.lfHeight = -1000;
  dc.SelectFont(TFontHandle::Create(f));
  // Code 128 of code page 1252 is the euro sign; code 32 the blank.
  std::vector<TABC> ansi = dc.GetCharABCWidthsA(32, 255);
  ASSERT_EQ(ansi.size(), 224u);
  std::vector<TABC> euro = dc.GetCharABCWidths(0x20AC, 0x20AC);
  auto width = [](const TABC& abc) { return abc.abcA + static_cast<int>(abc.abcB) + abc.abcC; };
  EXPECT_EQ(width(ansi[128 - 32]), width(euro[0]));
  EXPECT_EQ(width(ansi[0]), dc.GetCharWidth32(32, 32)[0]);
  EXPECT_EQ(width(ansi[0]), 278);  // Arial's blank at an em of 1000

  // Text given as glyph indices draws like the characters it stands for.
  f.lfHeight = -24;
  TPixelImage a(100, 40), b(100, 40);
  TRasterDC da(a.Buffer()), db(b.Buffer());
  da.SelectFont(TFontHandle::Create(f));
  db.SelectFont(TFontHandle::Create(f));
  std::vector<uint16_t> glyphs = da.GetGlyphIndices(u"Wg", 0);
  String glyphText(glyphs.begin(), glyphs.end());
  da.ExtTextOut(5, 5, 0, nullptr, u"Wg", nullptr);
  db.ExtTextOut(5, 5, ETO_GLYPH_INDEX, nullptr, glyphText, nullptr);
  EXPECT_FALSE(InkBox(a).IsEmpty());
  EXPECT_EQ(Picture(a), Picture(b));
}

}  // namespace
