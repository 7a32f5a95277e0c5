// Scenes drawn through the metafile recorder, rendered to PDF and checked by independent
// tools: qpdf --check passes, pdftoppm's raster of the page matches the metafile player's
// raster of the same metafile (aliased on both sides, within a tolerance for edges that
// round to the other pixel), and pdftotext gives the text back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/fonts/FontHandle.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/EmfRecordWriter.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/pdf/emf/EmfTestTools.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/TempDirectory.h"

namespace {

constexpr int kWidth = 240, kHeight = 160;

TLogFont Font(const char16_t* face, int height, int weight = FW_NORMAL, bool italic = false) {
  TLogFont lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfFaceName = face;
  return lf;
}

void Shapes(TDeviceContext& dc) {
  dc.SelectPen(CreatePen(PS_SOLID, 3, 0x0000C0));
  dc.SelectBrush(CreateSolidBrush(0x40A040));
  dc.Rectangle(10, 10, 70, 50);
  dc.SelectBrush(NullBrush());
  dc.Ellipse(80, 10, 150, 60);
  dc.SelectPen(NullPen());
  dc.SelectBrush(CreateSolidBrush(0xC08000));
  dc.RoundRect(160, 10, 230, 60, 20, 20);
  dc.Polygon({{10, 70}, {60, 70}, {35, 110}});
  dc.SelectPen(CreatePen(PS_SOLID, 0, 0));  // a one-pixel line
  dc.MoveToEx(70, 70);
  dc.LineTo(120, 110);
  dc.LineTo(120, 70);
  dc.MoveToEx(0, 0);  // a real move to the corner
  dc.LineTo(5, 150);
  dc.SelectPen(CreatePen(PS_SOLID, 5, 0x800080));
  dc.Polyline({{130, 80}, {170, 150}, {200, 80}});
  dc.PolyBezier({{10, 150}, {40, 110}, {80, 190}, {110, 140}});
}

void RegionsAndClipping(TDeviceContext& dc) {
  dc.FillRgn(TRegion::FromEllipse({10, 10, 90, 70}), CreateSolidBrush(0xFF0000));
  dc.FillRgn(TRegion::FromPolygon({{100, 10}, {150, 70}, {100, 70}}, ALTERNATE), CreateSolidBrush(0x00A000));
  int level = dc.SaveDC();
  dc.IntersectClipRect({160, 10, 230, 70});
  dc.ExcludeClipRect({180, 30, 210, 50});
  dc.SelectPen(NullPen());
  dc.SelectBrush(CreateSolidBrush(0x0000FF));
  dc.Rectangle(150, 0, 240, 80);
  dc.RestoreDC(level);
  TRegion round = TRegion::FromEllipse({20, 80, 120, 150});
  dc.SelectClipRgn(&round);
  dc.SelectBrush(CreateSolidBrush(0x808000));
  dc.Rectangle(0, 80, 240, 160);
  dc.SelectClipRgn(nullptr);
  dc.FillRect({150, 100, 230, 150}, CreateSolidBrush(0x00FFFF));
}

void Bitmaps(TDeviceContext& dc) {
  TPixelImage pixels(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.Set(x, y, x < 8 ? (y < 8 ? 0xFF0000 : 0x00FF00) : (y < 8 ? 0x0000FF : 0x000000));
  dc.StretchDIBits(10, 10, 64, 64, 0, 0, 16, 16, pixels.Buffer(), SRCCOPY);
  dc.StretchDIBits(100, 10, 32, 32, 0, 0, 16, 16, pixels.Buffer(), SRCCOPY);  // the same image again
  TPixelImage other(40, 40, 0xFF8000);
  TRasterDC source(other.Buffer());
  dc.BitBlt(150, 20, 40, 40, &source, 0, 0, SRCCOPY);
  dc.SelectBrush(CreateSolidBrush(0x00C0C0));
  dc.PatBlt(10, 100, 200, 40, PATCOPY);
}

void Text(TDeviceContext& dc) {
  dc.SetBkMode(TRANSPARENT);
  dc.SelectFont(TFontHandle::Create(Font(u"Arial", -20)));
  dc.TextOut(10, 10, u"Left Arial");
  dc.SelectFont(TFontHandle::Create(Font(u"Times New Roman", -22, FW_BOLD)));
  dc.SetTextAlign(TA_RIGHT | TA_TOP);
  dc.SetTextColor(0x0000C0);
  dc.TextOut(230, 40, u"Right Times");
  dc.SelectFont(TFontHandle::Create(Font(u"Courier New", -18, FW_NORMAL, true)));
  dc.SetTextAlign(TA_CENTER | TA_BASELINE);
  dc.SetTextColor(0x008000);
  dc.TextOut(120, 95, u"Centre Courier");
  dc.SelectFont(TFontHandle::Create(Font(u"Arial", -16)));
  dc.SetTextAlign(TA_LEFT | TA_TOP);
  dc.SetTextColor(0);
  // Justified: the spaces take the extra width.
  std::u16string words = u"spread out words";
  std::vector<int> dx;
  for (Char c : words) dx.push_back(dc.GetTextExtentPoint32(std::u16string(1, c)).cx + (c == u' ' ? 30 : 0));
  dc.ExtTextOut(10, 120, 0, nullptr, words, dx.data());
}

// Lines in path brackets stroked with pens chosen after the bracket ends (as box borders are
// drawn): dashes of 3 widths with square caps, round dots; and a filled path whose inner
// square is a hole, as the overlap alternates.
void PathBrackets(TDeviceContext& dc) {
  auto line = [&dc](int y, const TLogPen& pen) {
    dc.BeginPath();
    dc.MoveToEx(20, y);
    dc.LineTo(220, y);
    dc.EndPath();
    TLogPen old = dc.SelectPen(pen);
    dc.StrokePath();
    dc.SelectPen(old);
  };
  line(30, {PS_GEOMETRIC | PS_JOIN_MITER | PS_DASH | PS_ENDCAP_SQUARE, 4, 0x000080});
  line(70, {PS_GEOMETRIC | PS_JOIN_MITER | PS_DOT, 6, 0x008000});
  dc.SelectBrush(CreateSolidBrush(0x0000FF));
  dc.SelectPen(NullPen());
  dc.BeginPath();
  dc.Rectangle(20, 90, 50, 118);
  dc.Rectangle(28, 98, 42, 110);
  dc.EndPath();
  dc.FillPath();
}

// Radio buttons as the form controls draw them (a white disc, two arcs of a 2-pixel pen and
// the dot), arcs of other spans including a whole ellipse, pies with and without an outline,
// a pie and an arc as figures of a filled path, and a row of single pixels.
void ArcsPiesAndPixels(TDeviceContext& dc) {
  for (int x : {10, 40}) {
    dc.SelectBrush(CreateSolidBrush(0xFFFFFF));
    dc.SelectPen(CreatePen(PS_SOLID, 1, 0xFFFFFF));
    dc.Ellipse(x, 10, x + 14, 24);
    dc.SelectPen(CreatePen(PS_SOLID, 2, 0x808080));
    dc.Arc(x, 10, x + 14, 24, x + 12, 12, x + 2, 22);
    dc.SelectPen(CreatePen(PS_SOLID, 2, 0xC00000));
    dc.Arc(x, 10, x + 14, 24, x + 2, 22, x + 12, 12);
  }
  dc.SelectPen(CreatePen(PS_SOLID, 1, 0));
  dc.SelectBrush(CreateSolidBrush(0));
  dc.Ellipse(45, 15, 49, 19);
  dc.SelectPen(CreatePen(PS_SOLID, 3, 0x008000));
  dc.Arc(20, 40, 120, 120, 120, 40, 20, 120);  // the upper left half
  dc.SelectPen(CreatePen(PS_SOLID, 2, 0x800080));
  dc.Arc(70, 30, 110, 60, 110, 45, 110, 45);  // the whole ellipse
  dc.SelectPen(CreatePen(PS_SOLID, 2, 0x000080));
  dc.SelectBrush(CreateSolidBrush(0x00C0C0));
  dc.Pie(140, 10, 230, 90, 230, 50, 185, 10);  // a quarter
  dc.SelectPen(NullPen());
  dc.SelectBrush(CreateSolidBrush(0xC06000));
  dc.Pie(130, 100, 190, 150, 190, 100, 130, 100);  // a wedge at the top
  dc.SelectBrush(CreateSolidBrush(0x4040FF));
  dc.BeginPath();
  dc.Pie(195, 100, 235, 150, 235, 150, 195, 150);
  dc.Arc(60, 125, 120, 155, 120, 140, 60, 140);
  dc.EndPath();
  dc.FillPath();
  for (int x = 10; x < 60; ++x)
    for (int y = 140; y < 143; ++y) dc.SetPixel(x, y, 0x0000FF);
}

// Table cells each drawn inside a clip rectangle, on a page taller than the screen that the
// metafile is recorded for, played at half its size; one cell with a hole cut out of the
// page before any other clip.
void ClippedCellsDownATallPage(TDeviceContext& dc) {
  dc.SelectPen(NullPen());
  for (int y = 20; y + 30 < 1600; y += 60) {
    int level = dc.SaveDC();
    dc.IntersectClipRect({20, y, 120, y + 30});
    dc.SelectBrush(CreateSolidBrush(0xC00000));
    dc.Rectangle(0, y - 10, 240, y + 50);
    dc.RestoreDC(level);
  }
  int level = dc.SaveDC();
  dc.ExcludeClipRect({160, 1300, 200, 1500});
  dc.SelectBrush(CreateSolidBrush(0x0000C0));
  dc.Rectangle(140, 1250, 230, 1550);
  dc.RestoreDC(level);
}

// How much pdftoppm's raster of the metafile rendered to PDF at the scale differs from the
// metafile player's raster of it; the PDF passes qpdf --check and is left at pdfPath.
struct TComparison {
  double Share = 1;
  int Inked = 0;  // pixels the player drew
  int Pixels = 0;
};
TComparison CompareWithPlayer(const std::string& emf, int width, int height, double scale, const TTempDirectory& dir,
                              const std::string& pdfPath) {
  const int w = static_cast<int>(std::lround(width * scale)), h = static_cast<int>(std::lround(height * scale));
  TPixelImage expected(w, h);
  TRasterDC raster(expected.Buffer());
  PlayEnhMetafile(raster, emf, {0, 0, w, h});

  TPdfDocument doc(false, 0, false, FixedPdfEnvironment({u"Arial", u"Courier New", u"Times New Roman"}));
  doc.EmbedTrueTypeFonts = true;
  doc.AddPage();
  TMetafile metafile;
  metafile.SetData(emf);
  RenderEmfToCanvas(doc.Canvas(), metafile, scale, 0, 0);
  EXPECT_TRUE(doc.WriteToFile(Utf8ToString(pdfPath)));
  ExpectQpdfCheckPasses(pdfPath);

  // 96 pixels per inch: one pixel of the page per pixel of the metafile at scale 1.
  std::string ppm = dir.PathOf("page");
  TCommandResult run = RunCommand("pdftoppm -r 96 -aa no -aaVector no -x 0 -y 0 -W " + std::to_string(w) + " -H " +
                                  std::to_string(h) + " -singlefile " + ShellQuote(pdfPath) + " " + ShellQuote(ppm));
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  TTestPicture actual = ReadPictureFile(ppm + ".ppm");
  TComparison c;
  c.Pixels = w * h;
  if (actual.Width != w || actual.Height != h) {
    ADD_FAILURE() << "pdftoppm gave " << actual.Width << " x " << actual.Height;
    return c;
  }
  int64_t differing = CountDifferent(PictureOf(expected), actual, 96);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) c.Inked += expected.At(x, y) != 0xFFFFFF;
  c.Share = static_cast<double>(differing) / c.Pixels;
  return c;
}

struct Scene {
  const char* Name;
  std::function<void(TDeviceContext&)> Draw;
  double Tolerance;  // share of the pixels that may differ
  const char* Text = "";
  int Width = kWidth, Height = kHeight;
  double Scale = 1;
};

class Scenes : public ::testing::TestWithParam<Scene> {};

TEST_P(Scenes, MatchTheMetafilePlayerAndPassTheValidators) {
  const Scene& s = GetParam();
  TMetafileRecorder recorder;
  s.Draw(recorder);
  std::string emf = recorder.Finish(s.Width, s.Height);

  TTempDirectory dir;
  std::string pdf = dir.PathOf("scene.pdf");
  TComparison c = CompareWithPlayer(emf, s.Width, s.Height, s.Scale, dir, pdf);
  EXPECT_GT(c.Inked, c.Pixels / 50) << "the scene draws something";
  EXPECT_LE(c.Share, s.Tolerance) << s.Name << ": " << c.Share * c.Pixels << " of " << c.Pixels << " pixels differ";

  if (*s.Text) {
    TCommandResult text = RunCommand("pdftotext -layout " + ShellQuote(pdf) + " -");
    ASSERT_EQ(text.ExitCode, 0) << text.Output;
    std::istringstream words(s.Text);
    for (std::string word; words >> word;) EXPECT_NE(text.Output.find(word), std::string::npos) << word << "\n" << text.Output;
  }
}

// SCALEWINDOWEXTEX and SCALEVIEWPORTEXTEX (written by other programs) multiply the extents of
// an anisotropic mapping: the square is stretched to twice its width, or to half.
TEST(ScaledExtents, MatchTheMetafilePlayer) {
  using W = TEmfRecordWriter;
  for (uint32_t type : {EMR_SCALEVIEWPORTEXTEX, EMR_SCALEWINDOWEXTEX}) {
    TMetafileRecorder recorder;
    std::string emf = WithRecords(recorder.Finish(kWidth, kHeight),
                                  {W(EMR_SETMAPMODE).U32(MM_ANISOTROPIC).Finish(), W(EMR_SETWINDOWEXTEX).I32(100).I32(100).Finish(),
                                   W(EMR_SETVIEWPORTEXTEX).I32(100).I32(100).Finish(),
                                   W(type).I32(2).I32(1).I32(3).I32(2).Finish(),
                                   W(EMR_CREATEBRUSHINDIRECT).U32(1).U32(BS_SOLID).U32(0x0000C0).U32(0).Finish(),
                                   W(EMR_SELECTOBJECT).U32(1).Finish(),
                                   W(EMR_RECTANGLE).Rect({10, 10, 60, 60}).Finish()});
    TTempDirectory dir;
    TComparison c = CompareWithPlayer(emf, kWidth, kHeight, 1, dir, dir.PathOf("scaled.pdf"));
    EXPECT_GT(c.Inked, 500) << type;
    EXPECT_LE(c.Share, 0.01) << type << ": " << c.Share * c.Pixels << " pixels differ";
  }
}

// The content stream of the path brackets: the dash pattern in points (4 pixels are 3 points),
// the caps of the pens, one stroke per bracket, the alternate fill.
TEST(PathBracketContent, StrokesWithDashPatternsAndFillsAlternately) {
  TMetafileRecorder recorder;
  PathBrackets(recorder);
  const std::string content = RenderedContent(recorder.Finish(kWidth, kHeight));
  EXPECT_NE(content.find("0.5 0 0 RG\n[6 6 ] 0 d\n3 w\n2 J\n15 819.5 m\n165 819.5 l\nS\n"), std::string::npos) << content;
  EXPECT_NE(content.find("[0 9 ] 0 d\n4.5 w\n1 J\n"), std::string::npos) << content;
  EXPECT_EQ(Occurrences(content, "S\n"), 2) << content;
  EXPECT_NE(content.find("h\nf*\n"), std::string::npos) << content;
}

INSTANTIATE_TEST_SUITE_P(Recorded, Scenes,
                         ::testing::Values(Scene{"Shapes", Shapes, 0.04}, Scene{"Regions", RegionsAndClipping, 0.02},
                                           Scene{"Bitmaps", Bitmaps, 0.02}, Scene{"PathBrackets", PathBrackets, 0.012},
                                           Scene{"Text", Text, 0.06, "Left Arial Right Times Centre Courier spread out words"},
                                           Scene{"ArcsPiesAndPixels", ArcsPiesAndPixels, 0.03},
                                           Scene{"ClippedCellsDownATallPage", ClippedCellsDownATallPage, 0.02, "", 240, 1600, 0.5}),
                         [](const testing::TestParamInfo<Scene>& info) { return std::string(info.param.Name); });

}  // namespace
