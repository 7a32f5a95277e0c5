// Painting text sections on the raster device context: the selection reversed at exactly the
// characters' extents, and the boxes of inline elements at their pixels. The pictures are
// written under the build folder for a person to look at.
#include <filesystem>
#include <fstream>

#include "html/document/model/InlineList.h"
#include "html/foundation/css/PropertyIndex.h"
#include "html/foundation/viewer/BoxBorder.h"
#include "platform/gdi/bitmaps/DibImage.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/gdi/dc/RasterDC.h"
#include "tests/html/document/inline/SectionFixture.h"

namespace {

constexpr uint32_t White = 0xFFFFFF, Red = 0xFF0000, Blue = 0x0000FF, Yellow = 0xFFFF00;

struct TextPaint : SectionFixture {
  TPixelImage pixels{420, 80, White};
  TRasterDC rasterDC{pixels.Buffer()};
  TCanvas raster{&rasterDC};

  void Paint(TSection& section, int x) { section.Draw(raster, TRect{0, 0, 420, 80}, indents, x, 0, 0); }
  int Baseline(const TSection& section, int line = 0) const {
    const LineRec& l = *section.Lines[static_cast<size_t>(line)];
    return l.DrawY + l.LineHeight - l.Descent;
  }
  void WritePng(const char* name) const {
    TDibImage image(pixels.Width(), pixels.Height(), pf24bit);
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x) image.SetRgb(x, y, pixels.At(x, y));
    const auto dir = std::filesystem::path(WENDREL_BUILD_DIR) / "test-pictures" / "inline";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << EncodePng(image, false);
  }
};

// Half a word selected: its cell is filled in the text colour from the first selected
// character's measured left to the last one's right; nothing else is.
TEST_F(TextPaint, SelectedTextInTheSelectionColours) {
  auto section = FinishedSection(u"The quick brown fox");
  section->Fonts.Items(0)->RunFont->SetColor(static_cast<TColor>(0x0000FF));  // red
  BeginArea(400, 10);
  LayOut(*section, 400, 20, 10);
  document.SelectionStart = 12;  // "own f"
  document.SelectionEnd = 17;
  Paint(*section, 10);
  WritePng("selection.png");

  TDeviceContext& dc = SelectRunFont(canvas, *section->Fonts.Items(0)->RunFont);
  const TTextMetric tm = dc.GetTextMetrics();
  const int left = 10 + Measure(*section, u"The quick br");
  const int right = left + Measure(*section, u"own f");
  const int baseline = Baseline(*section);
  const int top = baseline - tm.tmAscent, bottom = baseline + tm.tmDescent - 1;
  for (int row : {top, bottom}) {
    SCOPED_TRACE(row);
    for (int x = left; x < right; ++x) EXPECT_EQ(pixels.At(x, row), Red) << x;
    EXPECT_NE(pixels.At(left - 1, row), Red);
    EXPECT_NE(pixels.At(right, row), Red);
  }
  // The selected glyphs are written in the inverted colour, cyan.
  int cyan = 0;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x < right; ++x) cyan += pixels.At(x, y) == 0x00FFFF;
  EXPECT_GT(cyan, 10);
  // Unselected text stays transparent: no fill left of the selection.
  for (int x = 10; x < left - 1; ++x) EXPECT_NE(pixels.At(x, top), Red) << x;
}

// The box of an inline element: its background under the text, its borders just outside the
// characters it holds; where it goes on to the next line it has no right side.
TEST_F(TextPaint, InlineBordersAtTheirPixels) {
  auto section = FinishedSection(u"plain boxed words here and more words");
  auto* rec = new InlineRec;
  rec->Box.fill(0);
  rec->Box[BoxEntry(BackgroundColor)] = static_cast<int32_t>(0x00FFFF);  // yellow
  for (int side : {BorderTopWidth, BorderRightWidth, BorderBottomWidth, BorderLeftWidth}) rec->Box[BoxEntry(side)] = 2;
  for (int side : {BorderTopColor, BorderRightColor, BorderBottomColor, BorderLeftColor})
    rec->Box[BoxEntry(side)] = static_cast<int32_t>(0xFF0000);  // blue
  for (int side : {BorderTopStyle, BorderRightStyle, BorderBottomStyle, BorderLeftStyle}) rec->Box[BoxEntry(side)] = bssSolid;
  rec->StartCursor = 6;  // "boxed words here and more"
  rec->EndCursor = 31;
  document.InlineList.Add(rec);
  const int width = Measure(*section, u"plain boxed words here") + 4;
  BeginArea(width, 30);
  LayOut(*section, width, 10, 30);
  document.InlineList.NeedsConverting = false;
  ASSERT_EQ(section->Lines.size(), 2u);
  ASSERT_TRUE(section->Lines[0]->BordersPending);
  Paint(*section, 30);
  WritePng("inline-borders.png");

  const LineRec& first = *section->Lines[0];
  ASSERT_EQ(first.Borders.size(), 1u);
  const BorderRec& box = first.Borders[0];
  EXPECT_FALSE(box.OpenStart);
  EXPECT_TRUE(box.OpenEnd);
  const TFontObj& run = *section->Fonts.Items(0);
  const int left = 30 + Measure(*section, u"plain ");
  const int baseline = Baseline(*section);
  const TRect expected{left, baseline + run.BelowBaseline - run.CellHeight,
                       30 + Measure(*section, u"plain boxed words here "), baseline + run.BelowBaseline};
  EXPECT_EQ(box.Rect, expected);
  const int middle = (expected.Top + expected.Bottom) / 2;
  EXPECT_EQ(pixels.At(left - 1, middle), Blue);
  EXPECT_EQ(pixels.At(left - 2, middle), Blue);
  EXPECT_EQ(pixels.At(left - 3, middle), White);
  EXPECT_EQ(pixels.At(left + 1, expected.Top - 1), Blue);
  EXPECT_EQ(pixels.At(left + 1, expected.Top - 2), Blue);
  EXPECT_EQ(pixels.At(left + 1, expected.Top - 3), White);
  // (the bottom side where the second line's box does not reach)
  const int beyond = expected.Right - 3;
  ASSERT_GT(beyond, 30 + Measure(*section, u"and more") + 2);
  EXPECT_EQ(pixels.At(beyond, expected.Bottom), Blue);
  EXPECT_EQ(pixels.At(beyond, expected.Bottom + 1), Blue);
  EXPECT_EQ(pixels.At(left, expected.Top), Yellow);  // the background (above the glyphs)
  EXPECT_NE(pixels.At(expected.Right, middle), Blue);  // open: no right side
  EXPECT_NE(pixels.At(expected.Right + 1, middle), Blue);

  // The second line: the box starts at the line start without a left side and ends after "more".
  const LineRec& second = *section->Lines[1];
  ASSERT_EQ(second.Borders.size(), 1u);
  EXPECT_TRUE(second.Borders[0].OpenStart);
  EXPECT_FALSE(second.Borders[0].OpenEnd);
  const int right2 = 30 + Measure(*section, u"and more");
  const int middle2 = (second.Borders[0].Rect.Top + second.Borders[0].Rect.Bottom) / 2;
  EXPECT_EQ(second.Borders[0].Rect.Right, right2);
  EXPECT_EQ(pixels.At(right2, middle2), Blue);
  EXPECT_EQ(pixels.At(right2 + 1, middle2), Blue);
  EXPECT_NE(pixels.At(29, middle2), Blue);

  // A later paint shifted by scrolling puts the same boxes 5 pixels higher.
  pixels.Fill(White);
  document.YOffset = 5;
  Paint(*section, 30);
  EXPECT_EQ(pixels.At(left - 1, middle - 5), Blue);
  EXPECT_EQ(pixels.At(left, expected.Top - 5), Yellow);
}

// The dummy caret: a bar as high as the font before the character at an empty selection, or
// after the text when the selection sits at the document's end.
TEST_F(TextPaint, DummyCaret) {
  auto section = FinishedSection(u"Text more");
  BeginArea(400, 10);
  LayOut(*section, 400, 20, 10);
  document.CursorLength = section->CursorLength;
  const TTextMetric tm = SelectRunFont(canvas, *section->Fonts.Items(0)->RunFont).GetTextMetrics();
  struct Case {
    int Selection;
    const char16_t* Before;
  };
  for (const Case& c : {Case{5, u"Text "}, Case{10, u"Text more "}}) {
    pixels.Fill(White);
    document.ShowDummyCaret = true;
    document.SelectionStart = document.SelectionEnd = c.Selection;
    Paint(*section, 10);
    const int x = 10 + Measure(*section, c.Before) - (c.Selection == 10 ? Measure(*section, u" ") : 0);
    const int baseline = Baseline(*section);
    SCOPED_TRACE(c.Selection);
    EXPECT_EQ(pixels.At(x, baseline - tm.tmAscent), 0u);
    EXPECT_EQ(pixels.At(x, baseline + tm.tmDescent - 1), 0u);
    EXPECT_EQ(pixels.At(x, baseline + tm.tmDescent), White);
    EXPECT_EQ(pixels.At(x + 1, baseline - tm.tmAscent), White);
  }
  if (::testing::Test::HasFailure()) WritePng("caret.png");
  pixels.Fill(White);
  document.ShowDummyCaret = false;
  Paint(*section, 10);
  EXPECT_EQ(pixels.At(10 + Measure(*section, u"Text "), Baseline(*section) - tm.tmAscent), White);
}

// On screen a section whose painted bottom lies 41 pixels above the clip is left out, one 39
// pixels above is painted.
TEST_F(TextPaint, SectionsNearTheClipRectangle) {
  auto section = FinishedSection(u"Text");
  BeginArea(400);
  LayOut(*section, 400, 0, 0);
  for (int gap : {39, 41}) {
    section->Lines[0]->DrawX = -1;
    const int clipTop = section->DrawHeight + gap;
    section->Draw(raster, TRect{0, clipTop, 420, clipTop + 80}, indents, 0, 0, 0);
    EXPECT_EQ(section->Lines[0]->DrawX == 0, gap == 39) << gap;
  }
}

// Printed without backgrounds, text too light for paper comes out grey; with backgrounds it
// keeps its colour.
TEST_F(TextPaint, LightTextPrintsGrey) {
  auto section = FinishedSection(u"Pale words WWW");
  section->Fonts.Items(0)->RunFont->SetColor(static_cast<TColor>(0xE8F0F0));
  BeginArea(400);
  LayOut(*section, 400);
  document.Printing = true;
  document.PageBottom = 1000;
  auto count = [&](uint32_t pixel) {
    int n = 0;
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x) n += pixels.At(x, y) == pixel;
    return n;
  };
  for (bool background : {false, true}) {
    pixels.Fill(0);
    document.PrintBackground = background;
    section->Draw(raster, TRect{0, 0, 420, 80}, indents, 0, 0, 0);
    SCOPED_TRACE(background);
    EXPECT_EQ(count(0xA0A0A0) > 20, !background);
    EXPECT_EQ(count(0xF0F0E8) > 20, background);
  }
}

// A printed line that would be cut moves the page bottom up to its top and is not painted.
TEST_F(TextPaint, PrintedLineCrossingThePageBottom) {
  auto section = FinishedSection(u"one two three four five six seven eight nine ten");
  BeginArea(Measure(*section, u"one two") + 2);
  LayOut(*section, Measure(*section, u"one two") + 2);
  ASSERT_GE(section->Lines.size(), 3u);
  const int lineHeight = section->Lines[0]->TotalHeight();
  document.Printing = true;
  document.PageBottom = lineHeight * 2 + lineHeight / 2;
  for (auto& line : section->Lines) line->DrawX = -1;
  section->Draw(raster, TRect{0, 0, 420, 80}, indents, 0, 0, 0);
  EXPECT_EQ(document.PageBottom, lineHeight * 2);
  EXPECT_EQ(section->Lines[1]->DrawX, 0);
  EXPECT_EQ(section->Lines[2]->DrawX, -1);
  EXPECT_FALSE(document.NothingPaintedYet);
}

}  // namespace
