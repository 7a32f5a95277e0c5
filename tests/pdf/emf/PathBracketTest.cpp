// Dashed and dotted lines drawn inside path brackets (as box borders are) reach the PDF as
// dashes and dots: the page passes qpdf, its content stream strokes with a dash pattern, and
// pdftoppm's raster shows as many dashes and dots along each line as the metafile player's.
#include <gtest/gtest.h>

#include "pdf/document/PdfDocument.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/gdi/metafile/EmfPlayer.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/gdi/metafile/MetafileRecorder.h"
#include "platform/rtl/Unicode.h"
#include "tests/pdf/PdfTestTools.h"
#include "tests/pdf/emf/EmfTestTools.h"
#include "tests/support/TempDirectory.h"

namespace {

constexpr int kWidth = 240, kHeight = 120;
constexpr int kDashedRow = 30, kDottedRow = 70;

// A horizontal line from x 20 to 220 at row y in a path bracket, stroked with the pen chosen
// after the bracket ends.
void BracketedLine(TDeviceContext& dc, int y, const TLogPen& pen) {
  dc.BeginPath();
  dc.MoveToEx(20, y);
  dc.LineTo(220, y);
  dc.EndPath();
  TLogPen old = dc.SelectPen(pen);
  dc.StrokePath();
  dc.SelectPen(old);
}

std::string Lines() {
  TMetafileRecorder recorder;
  BracketedLine(recorder, kDashedRow, {PS_GEOMETRIC | PS_JOIN_MITER | PS_DASH | PS_ENDCAP_SQUARE, 4, 0x000080});
  BracketedLine(recorder, kDottedRow, {PS_GEOMETRIC | PS_JOIN_MITER | PS_DOT, 6, 0x008000});
  // A filled path: a square with a square hole where the overlap alternates.
  recorder.SelectBrush(CreateSolidBrush(0x0000FF));
  recorder.SelectPen(NullPen());
  recorder.BeginPath();
  recorder.Rectangle(20, 90, 50, 118);
  recorder.Rectangle(28, 98, 42, 110);
  recorder.EndPath();
  recorder.FillPath();
  return recorder.Finish(kWidth, kHeight);
}

// Runs of inked pixels along a row, between x 10 and 230.
int InkRuns(const TPixelImage& image, int y) {
  int runs = 0;
  bool inked = false;
  for (int x = 10; x < 230; ++x) {
    bool now = image.At(x, y) != 0xFFFFFF;
    runs += now && !inked;
    inked = now;
  }
  return runs;
}

TEST(PathBrackets, DashesAndDotsReachThePdf) {
  const std::string emf = Lines();
  TPixelImage expected(kWidth, kHeight);
  TRasterDC raster(expected.Buffer());
  PlayEnhMetafile(raster, emf, {0, 0, kWidth, kHeight});

  TTempDirectory dir;
  TPdfDocument doc(false, 0, false, FixedPdfEnvironment());
  doc.CompressStreams = false;
  doc.AddPage();
  TMetafile metafile;
  metafile.SetData(emf);
  RenderEmfToCanvas(doc.Canvas(), metafile, 1, 0, 0);
  const std::string content = RenderedContent(emf);
  EXPECT_NE(content.find("[6 6 ] 0 d\n3 w\n2 J\n"), std::string::npos) << content;  // 4 px = 3 pt wide
  EXPECT_NE(content.find("[0 9 ] 0 d\n4.5 w\n1 J\n"), std::string::npos) << content;
  EXPECT_EQ(Occurrences(content, "S\n"), 2) << content;
  EXPECT_NE(content.find("h\nf*\n"), std::string::npos) << content;

  std::string pdf = dir.PathOf("lines.pdf");
  ASSERT_TRUE(doc.WriteToFile(Utf8ToString(pdf)));
  ExpectQpdfCheckPasses(pdf);
  std::string ppm = dir.PathOf("page");
  TCommandResult run = RunCommand("pdftoppm -r 96 -aa no -aaVector no -x 0 -y 0 -W " + std::to_string(kWidth) + " -H " +
                                  std::to_string(kHeight) + " -singlefile " + ShellQuote(pdf) + " " + ShellQuote(ppm));
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  TPixelImage actual = ReadPpm(ppm + ".ppm");
  ASSERT_EQ(actual.Width(), kWidth);

  // Dashes of 3 widths (12 px, square caps included) every 16 px; dots of 6 px every 12 px.
  for (int y : {kDashedRow, kDottedRow}) {
    const int player = InkRuns(expected, y), page = InkRuns(actual, y);
    EXPECT_GE(player, y == kDashedRow ? 11 : 15) << "row " << y;
    EXPECT_NEAR(page, player, 1) << "row " << y;
  }
  EXPECT_EQ(actual.At(35, 104), 0xFFFFFFu) << "the hole of the alternately filled square";
  EXPECT_EQ(actual.At(24, 104), 0xFF0000u);
  EXPECT_EQ(expected.At(35, 104), 0xFFFFFFu);
}

}  // namespace
