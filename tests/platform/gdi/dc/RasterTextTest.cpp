// Text on the raster device context, checked by bounding boxes rather than glyph pixels.
#include <gtest/gtest.h>

#include "platform/gdi/dc/MeasureDC.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/fonts/FontResolver.h"
#include "platform/rtl/Unicode.h"
#include "tests/platform/gdi/dc/RasterTestSupport.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {

TFontHandle Arial(int height, bool underline = false) {
  TLogFont f;
  f.lfFaceName = S("Arial");
  f.lfHeight = height;
  f.lfUnderline = underline;
  return TFontHandle::Create(f);
}

class RasterText : public ::testing::Test {
 protected:
  RasterText() : img(200, 60), dc(img.Buffer()) {
    dc.SelectFont(Arial(-20));
    dc.SetBkMode(TRANSPARENT);
  }
  TPixelImage img;
  TRasterDC dc;
};

TEST_F(RasterText, InkLiesInTheTextCell) {
  const String text = u"Wendrel Hg";
  TSize extent = dc.GetTextExtentPoint32(text);
  TTextMetric tm = dc.GetTextMetrics();
  dc.TextOut(10, 5, text);
  TRect ink = InkBox(img);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Left, 12);
  EXPECT_LE(ink.Right, 10 + extent.cx + 1);
  EXPECT_GE(ink.Right, 10 + extent.cx - 3);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Bottom, 5 + tm.tmHeight);
  // "H" reaches up to cap height and "g" below the baseline.
  EXPECT_LT(ink.Top, 5 + tm.tmAscent - 10);
  EXPECT_GT(ink.Bottom, 5 + tm.tmAscent + 2);
}

TEST_F(RasterText, AlignmentToBaselineAndRight) {
  dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
  dc.TextOut(150, 40, u"HHH");  // no descenders: the ink ends on the baseline
  TRect ink = InkBox(img);
  EXPECT_EQ(ink.Bottom, 40);
  EXPECT_LE(ink.Right, 150);
  EXPECT_GE(ink.Right, 147);
  EXPECT_NEAR(ink.Left, 150 - dc.GetTextExtentPoint32(u"HHH").cx, 3);
}

TEST_F(RasterText, UpdateCurrentPositionMovesOnByTheExtent) {
  dc.SetTextAlign(TA_UPDATECP);
  dc.MoveToEx(5, 5);
  dc.TextOut(0, 0, u"ab");
  EXPECT_EQ(dc.GetCurrentPositionEx(), (TPoint{5 + dc.GetTextExtentPoint32(u"ab").cx, 5}));
  TRect ink = InkBox(img);
  EXPECT_GE(ink.Left, 5);
  EXPECT_GE(ink.Top, 5);
}

TEST_F(RasterText, OpaqueBackgroundFillsExactlyTheTextCell) {
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(0x0000FF);
  dc.SetTextColor(0x000000);
  dc.TextOut(20, 10, u"x y");
  TSize extent = dc.GetTextExtentPoint32(u"x y");
  EXPECT_EQ(InkBox(img), (TRect{20, 10, 20 + extent.cx, 10 + extent.cy}));
}

TEST_F(RasterText, ClippedAndOpaqueRectangle) {
  TRect r{10, 10, 40, 30};
  dc.SetBkColor(0x00FF00);
  dc.ExtTextOut(5, 8, ETO_CLIPPED | ETO_OPAQUE, &r, u"WWWWWWWW", nullptr);
  EXPECT_EQ(InkBox(img), r);
  img.Fill(0xFFFFFF);
  dc.ExtTextOut(5, 8, ETO_CLIPPED, &r, u"WWWWWWWW", nullptr);
  TRect ink = InkBox(img);
  EXPECT_GE(ink.Left, r.Left);
  EXPECT_LE(ink.Right, r.Right);
  EXPECT_EQ(ink.Right, r.Right) << "the clipped text runs to the rectangle's edge";
}

TEST_F(RasterText, PerCharacterAdvancesAndJustification) {
  // Three characters 40 pixels apart.
  const int dx[] = {40, 40, 40};
  dc.TextOut(0, 0, u"");
  dc.ExtTextOut(10, 5, 0, nullptr, u"III", dx);
  TRect ink = InkBox(img);
  EXPECT_GE(ink.Width(), 80);
  EXPECT_LE(ink.Width(), 80 + 6);
  // Justification widens the drawn text exactly as it widens the measured text.
  img.Fill(0xFFFFFF);
  dc.SetTextJustification(30, 1);
  TSize extent = dc.GetTextExtentPoint32(u"I I");
  dc.TextOut(10, 5, u"I I");
  EXPECT_NEAR(InkBox(img).Right, 10 + extent.cx, 3);
}

TEST_F(RasterText, UnderlineSpansTheTextWidth) {
  dc.SelectFont(Arial(-20, true));
  dc.TextOut(10, 5, u"a  a");
  TTextMetric tm = dc.GetTextMetrics();
  // the row of the underline: black under the blanks in the middle
  int middle = 10 + dc.GetTextExtentPoint32(u"a ").cx;
  int row = -1;
  for (int y = 5 + tm.tmAscent; y < 5 + tm.tmHeight && row < 0; ++y)
    if (img.At(middle, y) == 0) row = y;
  ASSERT_GE(row, 0);
  int left = 0, right = 0;
  for (int x = 0; x < img.Width(); ++x)
    if (img.At(x, row) == 0) {
      if (right == 0) left = x;
      right = x + 1;
    }
  EXPECT_EQ(left, 10);
  EXPECT_EQ(right, 10 + dc.GetTextExtentPoint32(u"a  a").cx);
}

// A character beyond the Basic Multilingual Plane is one glyph, not two missing ones: drawn
// as text it gives the pixels of its glyph drawn by index, also when the advance of its
// surrogate pair is split over both units.
TEST(TextSurrogatePairs, APairIsOneGlyphWithTheAdvanceOfBothUnits) {
  TLogFont f;
  f.lfFaceName = S("DejaVu Sans");
  f.lfHeight = -28;
  TFontHandle font = TFontHandle::Create(f);
  const TRealizedFont& realized = font.Realized();
  unsigned smile = realized.GlyphIndex(0x1F600), b = realized.GlyphIndex(U'b');
  ASSERT_NE(smile, 0u) << "DejaVu Sans has U+1F600";
  auto draw = [&](std::u16string_view text, uint32_t options, std::vector<int> dx) {
    TPixelImage img(120, 50);
    TRasterDC dc(img.Buffer());
    dc.SelectFont(font);
    dc.SetBkMode(TRANSPARENT);
    dc.ExtTextOut(4, 4, options, nullptr, text, dx.data());
    return Picture(img);
  };
  int advance = realized.GlyphAdvance(smile);
  std::string glyphs = draw(std::u16string{static_cast<char16_t>(smile), static_cast<char16_t>(b)}, ETO_GLYPH_INDEX, {advance, 20});
  EXPECT_EQ(draw(u"\U0001F600b", 0, {advance, 0, 20}), glyphs);
  EXPECT_EQ(draw(u"\U0001F600b", 0, {advance - 6, 6, 20}), glyphs) << "the advance split over the two units";
}

TEST(TextTransforms, WidthEscapementAndScaledMapping) {
  TLogFont f;
  f.lfFaceName = S("Arial");
  f.lfHeight = -20;
  TMeasureDC dc;
  dc.SelectFont(TFontHandle::Create(f));
  int natural = dc.GetTextExtentPoint32(u"mmmmmmmmmm").cx;
  int average = dc.GetTextMetrics().tmAveCharWidth;
  f.lfWidth = 2 * average;
  dc.SelectFont(TFontHandle::Create(f));
  EXPECT_NEAR(dc.GetTextExtentPoint32(u"mmmmmmmmmm").cx, 2 * natural, 10);
  EXPECT_EQ(dc.GetTextMetrics().tmHeight, TRealizedFont(TLogFont{.lfHeight = -20, .lfFaceName = u"Arial"}).TextMetric().tmHeight);

  // A quarter turn: the text runs upwards from the reference point.
  f.lfWidth = 0;
  f.lfEscapement = f.lfOrientation = 900;
  TPixelImage img(60, 200);
  TRasterDC raster(img.Buffer());
  raster.SelectFont(TFontHandle::Create(f));
  raster.SetBkMode(TRANSPARENT);
  raster.SetTextAlign(TA_BASELINE);
  raster.TextOut(40, 180, u"Wendrel");
  TRect ink = InkBox(img);
  EXPECT_GT(ink.Height(), 3 * ink.Width());
  EXPECT_LE(ink.Bottom, 181);
  EXPECT_NEAR(ink.Top, 180 - raster.GetTextExtentPoint32(u"Wendrel").cx, 3);
  EXPECT_LE(ink.Right, 41);

  // Under a mapping that halves every unit the text is drawn at half its size.
  f.lfEscapement = f.lfOrientation = 0;
  TPixelImage half(200, 60);
  TRasterDC scaled(half.Buffer());
  scaled.SelectFont(TFontHandle::Create(f));
  scaled.SetBkMode(TRANSPARENT);
  scaled.SetMapMode(MM_ANISOTROPIC);
  scaled.SetWindowExtEx(2, 2);
  scaled.SetViewportExtEx(1, 1);
  int logicalWidth = scaled.GetTextExtentPoint32(u"HHHH").cx;
  scaled.TextOut(0, 0, u"HHHH");
  EXPECT_NEAR(InkBox(half).Right, logicalWidth / 2, 2);
}

TEST(DrawTextLayout, WordBreakCalcRectAndCentring) {
  TMeasureDC dc;
  dc.SelectFont(Arial(-16));
  int lineHeight = dc.GetTextMetrics().tmHeight;
  int two = dc.GetTextExtentPoint32(u"alpha beta").cx;
  TRect r{0, 0, two + 2, 0};
  int height = dc.DrawText(u"alpha beta alpha beta", r, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(height, 2 * lineHeight);
  EXPECT_EQ(r, (TRect{0, 0, two, 2 * lineHeight}));
  // A word wider than the rectangle stays whole.
  TRect narrow{0, 0, 5, 0};
  EXPECT_EQ(dc.DrawText(u"unbreakable", narrow, DT_WORDBREAK | DT_CALCRECT), lineHeight);
  EXPECT_EQ(narrow.Width(), dc.GetTextExtentPoint32(u"unbreakable").cx);
  // Line ends and the prefix character.
  TRect lines{0, 0, 100, 0};
  EXPECT_EQ(dc.DrawText(u"a\r\nb\nc", lines, DT_CALCRECT), 3 * lineHeight);
  TRect prefix{0, 0, 100, 0};
  dc.DrawText(u"&Datei && mehr", prefix, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(prefix.Width(), dc.GetTextExtentPoint32(u"Datei & mehr").cx);

  TPixelImage img(120, 40);
  TRasterDC raster(img.Buffer());
  raster.SelectFont(Arial(-16));
  raster.SetBkMode(TRANSPARENT);
  TRect box{0, 0, 120, 40};
  raster.DrawText(u"HH", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  TRect ink = InkBox(img);
  EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 60, 2);
  int top = (40 - lineHeight) / 2;
  EXPECT_GE(ink.Top, top);
  EXPECT_LE(ink.Bottom, top + lineHeight);
  // Without DT_NOCLIP the text stays in the rectangle.
  img.Fill(0xFFFFFF);
  TRect tiny{10, 10, 20, 20};
  raster.DrawText(u"WWWW", tiny, DT_LEFT);
  EXPECT_LE(InkBox(img).Right, 20);
}

TEST(TextMonochrome, TextOnAOneBitBufferIsBlackOrWhite) {
  TPixelImage img(60, 30, 0xFFFFFF, true);
  TRasterDC dc(img.Buffer());
  dc.SelectFont(Arial(-18));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(0x0000FF);
  dc.TextOut(2, 2, u"Ab");
  bool any = false;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      uint32_t p = img.At(x, y);
      ASSERT_TRUE(p == 0 || p == 0xFFFFFF);
      any |= p == 0;
    }
  EXPECT_TRUE(any);
}

// Characters that Arial lacks (symbols, CJK, an emoji) come out as the glyphs of the family
// fontconfig falls back to, exactly as that family draws them at the same em size and
// advance, not as missing-glyph boxes; Greek and Cyrillic stay Arial's own.
TEST(TextFallback, CharactersTheFontLacksAreDrawnInTheFallbackFamily) {
  TLogFont arial;
  arial.lfFaceName = S("Arial");
  arial.lfHeight = -24;
  for (char32_t c : {U'\u2603', U'\u2713', U'\u4E2D', U'\U0001F600'}) {
    SCOPED_TRACE(static_cast<int>(c));
    String text;
    AppendCodePoint(text, c);
    TLogFont fallback = arial;
    fallback.lfFaceName = FallbackFamilyForChar(arial, c);
    ASSERT_FALSE(fallback.lfFaceName.empty());
    auto draw = [&](const TLogFont& font) {
      TPixelImage img(60, 40);
      TRasterDC dc(img.Buffer());
      dc.SelectFont(TFontHandle::Create(font));
      dc.SetBkMode(TRANSPARENT);
      dc.TextOut(8, 4, text);
      return std::make_pair(Picture(img), dc.GetTextExtentPoint32(text).cx);
    };
    const auto [drawn, width] = draw(arial);
    const auto [expected, fallbackWidth] = draw(fallback);
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(width, fallbackWidth);
    // The missing glyph, drawn by its index, looks otherwise.
    TPixelImage box(60, 40);
    TRasterDC dc(box.Buffer());
    dc.SelectFont(TFontHandle::Create(arial));
    dc.SetBkMode(TRANSPARENT);
    const char16_t notdef = 0;
    dc.ExtTextOut(8, 4, ETO_GLYPH_INDEX, nullptr, std::u16string_view(&notdef, 1), nullptr);
    EXPECT_NE(drawn, Picture(box));
  }

  // A line of mixed scripts, for a person to look at: Latin, Greek, Cyrillic and umlauts in
  // Arial; the snowman, check mark, arrow, CJK and emoji in their fallback families.
  TPixelImage line(520, 44);
  TRasterDC dc(line.Buffer());
  dc.SelectFont(TFontHandle::Create(arial));
  dc.SetBkMode(TRANSPARENT);
  const String mixed = u"Wendrel \u03B1\u03B2\u03B3 \u0416\u0434 \u00E4\u00F6 \u2603\u2713\u21E8 \u4E2D\u6587 \U0001F600";
  dc.TextOut(6, 8, mixed);
  EXPECT_TRUE(MatchesReference(PictureOf(line), "gdi/text_fallback", {.Channel = 8, .Pixels = 20}));
}

}  // namespace
