// THtml2Pdf: the sizes it asks the viewer for, the page geometry in the written file (read
// back with poppler's tools), the footer, orientation and paper, and its refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "export/Html2Pdf.h"
#include "html/foundation/css/DocumentLimits.h"
#include "pdf/objects/PdfStream.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Unicode.h"
#include "tests/export/ExportTestPages.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/Pictures.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

void SetMargins(THtml2Pdf& doc, double left, double top, double right, double bottom) {
  doc.MarginLeft = left;
  doc.MarginTop = top;
  doc.MarginRight = right;
  doc.MarginBottom = bottom;
}

std::string WritePdf(THtml2Pdf& doc, const TTempDirectory& dir, const std::string& name = "out.pdf") {
  std::string path = dir.PathOf(name);
  EXPECT_TRUE(doc.WriteToFile(Utf8ToString(path)));
  RunTool("qpdf --check " + ShellQuote(path));
  return path;
}

TEST(Html2PdfUnits, CentimetresToPointsAndPointsToPixels) {
  EXPECT_NEAR(THtml2Pdf::CmToPoints(1), 28.346, 0.001);
  EXPECT_NEAR(595 - THtml2Pdf::CmToPoints(2), 538.31, 0.005);
  EXPECT_NEAR(842 - THtml2Pdf::CmToPoints(2), 785.31, 0.005);
  EXPECT_EQ(PointsToPixels(595 - THtml2Pdf::CmToPoints(2)), 718);
  EXPECT_EQ(PointsToPixels(72, 120), 120);
  // Halves go to the even neighbour: 1.5 pt is 2 px, 0.375 pt (0.5 px) is 0 px.
  EXPECT_EQ(PointsToPixels(1.5), 2);
  EXPECT_EQ(PointsToPixels(0.375), 0);
}

struct SizeCase {
  const char* name;
  int neededWidth;
  bool scaleToFit;
  TSize rendered;  // what the viewer is asked to page
};

class Html2PdfSizes : public testing::TestWithParam<SizeCase> {};

// A4 with 1 cm margins: 538.31 x 785.31 points printable, 718 x 1047 pixels.
TEST_P(Html2PdfSizes, ViewerIsAskedForThePrintableSizeOverTheScale) {
  const SizeCase& c = GetParam();
  THtml2Pdf doc;
  TTestPages pages(c.neededWidth, 1);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.ScaleToFit = c.scaleToFit;
  doc.RenderPages();
  // Only pages that may be shrunk need the width the document needs; the others keep the
  // printable width, and blocks keep it too.
  EXPECT_EQ(pages.MeasuredWidths, c.scaleToFit ? std::vector<int>{718} : std::vector<int>{});
  EXPECT_EQ(pages.MeasuredHeights, c.scaleToFit ? std::vector<int>{1047} : std::vector<int>{});
  EXPECT_EQ(pages.RenderedBlockWidths, std::vector<TPageBlockWidth>{c.scaleToFit ? TPageBlockWidth::WidenToContent
                                                                                 : TPageBlockWidth::KeepPageWidth});
  ASSERT_EQ(pages.RenderedSizes.size(), 1u);
  EXPECT_EQ(pages.RenderedSizes[0], c.rendered);
  EXPECT_EQ(doc.Pages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Html2PdfSizes,
    testing::Values(SizeCase{"Fits", 718, true, {718, 1047}},
                    SizeCase{"TwiceTooWideShrunkToHalf", 1436, true, {1436, 2094}},
                    SizeCase{"TooWideWithoutScaleToFitLaidOutAtThePrintableWidth", 1436, false, {718, 1047}},
                    SizeCase{"NarrowWithoutScaleToFit", 400, false, {718, 1047}},
                    SizeCase{"NarrowNeverEnlarged", 400, true, {400, 1047}},
                    // Shrunk 2.8 million times, a page would be 2.9e9 pixels high: it is paged
                    // at twice the deepest flow, which holds the whole document as well.
                    SizeCase{"ShrunkMillionsOfTimesPagedAtTwiceTheDeepestFlow", 2'000'000'000, true,
                             {2'000'000'000, 2 * MaxFlowY}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Html2PdfPages, ClipToPrintableAreaEndsItsPathBeforeTheContent) {
  THtml2Pdf doc;
  doc.CompressStreams = false;
  TTestPages pages(718, 1);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.RenderPages();
  TTempDirectory dir;
  std::string path = WritePdf(doc, dir);
  std::string bytes = dir.ReadFile("out.pdf");
  EXPECT_NE(bytes.find("q\n28.35 28.35 538.31 785.31 re\nW\nn\n"), std::string::npos);
}

TEST(Html2PdfPages, ShrunkDocumentFillsThePrintableWidthAndTheWideOneIsCutAtTheMargin) {
  TTempDirectory dir;
  for (bool scale : {true, false}) {
    THtml2Pdf doc;
    TTestPages pages(1436, 1);
    doc.Viewer = &pages;
    SetMargins(doc, 1, 1, 1, 1);
    doc.ScaleToFit = scale;
    doc.RenderPages();
    TTestPicture page = RasterisePdfPage(WritePdf(doc, dir, scale ? "scaled.pdf" : "cut.pdf"), 1);
    ASSERT_EQ(page.Width, 595);
    ASSERT_EQ(page.Height, 842);
    // The band starts at the left margin, 28.35 points in, and the top margin.
    EXPECT_EQ(page.Rgb(27, 35), 0xFFFFFFu);
    EXPECT_EQ(page.Rgb(30, 27), 0xFFFFFFu);
    EXPECT_EQ(page.Rgb(30, 35), 0x0000FFu);
    // The red bar at the document's right edge ends at the right margin when shrunk; cut
    // off, the band runs on to the margin and stops there.
    EXPECT_EQ(page.Rgb(563, 35), scale ? 0xFF0000u : 0x0000FFu) << scale;
    EXPECT_EQ(page.Rgb(568, 35), 0xFFFFFFu) << scale;
    // Shrunk, the band is 40 x 0.375 = 15 points high; at full size 30.
    EXPECT_EQ(page.Rgb(300, 28 + 20), scale ? 0xFFFFFFu : 0x0000FFu) << scale;
  }
}

TEST(Html2PdfPages, EachPageIsDrawnBeforeTheNextIsMade) {
  for (bool numbers : {false, true}) {
    THtml2Pdf doc;
    TTestPages pages(718, 3);
    std::vector<size_t> drawnBefore;
    pages.BeforeEachPage = [&] { drawnBefore.push_back(doc.Pages().size()); };
    doc.Viewer = &pages;
    SetMargins(doc, 1, 1, 1, 1);
    doc.PrintPageNumbers = numbers;
    doc.RenderPages();
    EXPECT_EQ(doc.Pages().size(), 3u);
    EXPECT_EQ(drawnBefore, (std::vector<size_t>{0, 1, 2})) << numbers;
    // The page count of the footer is asked for at the size of the pages, and only then.
    const std::vector<TSize> counted = numbers ? std::vector<TSize>{{718, 1047}} : std::vector<TSize>{};
    EXPECT_EQ(pages.CountedSizes, counted) << numbers;
  }
}

// Without margins and scaling a PDF page, rasterised at the screen's 96 pixels per inch,
// shows what the page metafile shows when it is played back on the screen.
TEST(Html2PdfPages, PageRasterMatchesThePageMetafilePlayedBack) {
  THtml2Pdf doc;
  TTestPages pages(793, 1);
  doc.Viewer = &pages;
  doc.RenderPages();
  ASSERT_EQ(pages.RenderedSizes.at(0), (TSize{793, 1123}));
  TTempDirectory dir;
  std::string pdf = WritePdf(doc, dir);
  RunTool("pdftoppm -r 96 -singlefile " + ShellQuote(pdf) + " " + ShellQuote(dir.PathOf("page")));
  TTestPicture fromPdf = ReadPictureFile(dir.PathOf("page.ppm"));

  TPageMetafiles again = TTestPages(793, 1).RenderPageMetafiles(793, 1123, TPageBlockWidth::KeepPageWidth);
  TBitmap played(1, 1, pf24bit);
  again.at(0)->AssignTo(played);
  const TTestPicture expected = PictureOf(played.Image());
  ASSERT_GE(fromPdf.Width, expected.Width);
  ASSERT_GE(fromPdf.Height, expected.Height);
  const TTestPicture cropped = TopLeftOf(fromPdf, expected.Width, expected.Height);
  // Text edges are smoothed in the PDF's raster and not on the screen's.
  WritePictureFile(cropped, WENDREL_BUILD_DIR "/pictures/export/page_from_pdf.png");
  WritePictureFile(DifferencePicture(expected, cropped, 96), WENDREL_BUILD_DIR "/pictures/export/page_from_pdf.diff.png");
  EXPECT_LT(CountDifferent(expected, cropped, 96), 400);
}

struct FooterCase {
  const char* name;
  String footerFormat;
  int pageCount;
  std::vector<std::string> footers;
};

class Html2PdfFooters : public testing::TestWithParam<FooterCase> {};

TEST_P(Html2PdfFooters, EveryPageCarriesItsNumberAndTheCount) {
  const FooterCase& c = GetParam();
  THtml2Pdf doc;
  TTestPages pages(718, c.pageCount);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.PrintPageNumbers = true;
  doc.FooterFormat = c.footerFormat;
  doc.RenderPages();
  TTempDirectory dir;
  std::string path = WritePdf(doc, dir);
  EXPECT_EQ(PdfInfoField(path, "Pages"), std::to_string(c.pageCount));
  for (int i = 0; i < c.pageCount; ++i) {
    std::string text = PdfPageText(path, i + 1);
    EXPECT_NE(text.find("Body of page " + std::to_string(i + 1)), std::string::npos) << text;
    EXPECT_NE(text.find(c.footers[i]), std::string::npos) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Html2PdfFooters,
    testing::Values(FooterCase{"EmptyPattern", u"", 3, {"Page 1/3", "Page 2/3", "Page 3/3"}},
                    FooterCase{"FileName", FooterFormatFor(u"/home/u/report.html"), 2,
                               {"report.html - Page 1/2", "report.html - Page 2/2"}},
                    FooterCase{"PercentInName", FooterFormatFor(u"50%-d.html"), 1, {"50%-d.html - Page 1/1"}},
                    FooterCase{"NameOutsideCodePage", FooterFormatFor(u"\u043E\u0442\u0447\u0451\u0442.html"), 1,
                               {"\u043E\u0442\u0447\u0451\u0442.html - Page 1/1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Html2PdfFooter, BlackArialServedByAnEmbeddedLiberationSansSubset) {
  THtml2Pdf doc;
  TTestPages pages(718, 1);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.PrintPageNumbers = true;
  doc.RenderPages();
  TTempDirectory dir;
  std::string path = WritePdf(doc, dir);
  std::string fonts = RunTool("pdffonts " + ShellQuote(path));
  size_t at = fonts.find("+LiberationSans");
  ASSERT_NE(at, std::string::npos) << fonts;
  std::string line = fonts.substr(at, fonts.find('\n', at) - at);
  // Embedded subset with a ToUnicode map.
  EXPECT_NE(line.find("WinAnsi          yes yes yes"), std::string::npos) << line;

  // The baseline lies 9 points below the bottom margin (842 - 28.35 + 9 from the top): the
  // glyphs above it are black, whatever colours the page's drawing left behind.
  TTestPicture page = RasterisePdfPage(path, 1);
  int black = 0, coloured = 0;
  for (int y = 814; y <= 823; ++y)
    for (int x = 260; x <= 335; ++x) {
      uint32_t rgb = page.Rgb(x, y);
      int r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
      if (r < 80 && g < 80 && b < 80) ++black;
      if (std::max({r, g, b}) - std::min({r, g, b}) > 40) ++coloured;
    }
  EXPECT_GT(black, 20);
  EXPECT_EQ(coloured, 0);
  // Centred between the margins: nothing of it in the outer thirds.
  for (int y = 814; y <= 823; ++y) {
    EXPECT_EQ(page.Rgb(200, y), 0xFFFFFFu);
    EXPECT_EQ(page.Rgb(395, y), 0xFFFFFFu);
  }
}

TEST(Html2PdfPaper, OrientationAndPaperSizeKeepEachOther) {
  struct Step {
    const char* what;
    bool isPaper;
    int value;  // paper index, or 1 for landscape
    int width, height;
  };
  const Step steps[] = {
      {"landscape A4", false, 1, 842, 595},        {"Letter keeps landscape", true, 3, 792, 612},
      {"Legal keeps landscape", true, 4, 1008, 612}, {"portrait", false, 0, 612, 1008},
      {"A5 keeps portrait", true, 1, 419, 595},     {"portrait again changes nothing", false, 0, 419, 595},
      {"no paper chosen keeps the size", true, -1, 419, 595}, {"index past the table too", true, 9, 419, 595},
  };
  THtml2Pdf doc;
  for (const Step& s : steps) {
    if (s.isPaper)
      doc.ApplyPaperSize(s.value);
    else
      doc.SetOrientation(s.value != 0);
    EXPECT_EQ(doc.PageWidth(), s.width) << s.what;
    EXPECT_EQ(doc.PageHeight(), s.height) << s.what;
    EXPECT_EQ(doc.IsLandscape(), s.width > s.height) << s.what;
  }
}

TEST(Html2PdfPaper, LetterLandscapePagesAreWrittenThatSize) {
  THtml2Pdf doc;
  TTestPages pages(718, 2);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.SetOrientation(true);
  doc.ApplyPaperSize(3);
  doc.RenderPages();
  TTempDirectory dir;
  std::string path = WritePdf(doc, dir);
  EXPECT_EQ(PdfInfoField(path, "Pages"), "2");
  EXPECT_EQ(PdfInfoField(path, "Page size"), "792 x 612 pts (letter)");
  // 792 - 2 cm = 735.31 points = 980 pixels wide, 612 - 2 cm = 555.31 points = 740 high.
  // Not shrunk, the pages are laid out at the printable width.
  EXPECT_EQ(pages.RenderedSizes.at(0), (TSize{980, 740}));
}

TEST(Html2PdfRefusals, MarginsLeavingNoPrintableAreaAddNoPageAndAskNothing) {
  struct Case {
    double left, top, right, bottom;
    const char* reason;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const char* noRoom = "The margins leave no printable area on the page (595 x 842 points).";
  // A4 is 20.99 cm wide and 29.7 cm high.
  for (Case c : {Case{10.5, 1, 10.5, 1, noRoom}, Case{21, 0, 0, 0, noRoom}, Case{1, 15, 1, 14.9, noRoom},
                 Case{1, 30, 1, 1, noRoom},
                 // 0.11 points of height: less than a pixel, so no page would be made.
                 Case{1, 15, 1, 14.7, noRoom}, Case{1, 1e300, 1, 1, noRoom},
                 Case{-1e300, 1, 1, 1, "The Left margin (-1E300 cm) is not a length on the page"},
                 Case{1, -0.5, 1, 1, "The Top margin (-0,5 cm) is not a length"},
                 Case{1, 1, 1, std::nan(""), "The Bottom margin (NAN cm)"},
                 Case{1, 1, inf, 1, "The Right margin (INF cm)"}}) {
    THtml2Pdf doc;
    TTestPages pages(718, 1);
    doc.Viewer = &pages;
    SetMargins(doc, c.left, c.top, c.right, c.bottom);
    try {
      doc.RenderPages();
      ADD_FAILURE() << "no refusal: " << c.left << " " << c.top << " " << c.right << " " << c.bottom;
    } catch (const EHtml2PdfError& e) {
      EXPECT_EQ(StringToUtf8(e.Message()).rfind(c.reason, 0), 0u) << StringToUtf8(e.Message());
    }
    EXPECT_TRUE(doc.Pages().empty());
    EXPECT_TRUE(pages.MeasuredWidths.empty());
  }
}

TEST(Html2PdfRefusals, ZeroMarginsAndAPixelOfRoomArePaged) {
  // 29.7 cm less 0.75 points (one pixel) of height is still a page.
  for (double bottom : {0.0, 29.7 - 0.76 / 72 * 2.54 - 1}) {
    THtml2Pdf doc;
    TTestPages pages(718, 1);
    doc.Viewer = &pages;
    SetMargins(doc, 0, 1, 0, bottom);
    doc.RenderPages();
    EXPECT_FALSE(doc.Pages().empty()) << bottom;
  }
}

TEST(Html2PdfRefusals, NothingToPageWritesNoFile) {
  THtml2Pdf doc;
  TTestPages pages(718, 0);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.RenderPages();
  EXPECT_TRUE(doc.Pages().empty());
  TTempDirectory dir;
  EXPECT_FALSE(doc.WriteToFile(Utf8ToString(dir.PathOf("empty.pdf"))));
  EXPECT_FALSE(dir.Exists("empty.pdf"));
}

TEST(Html2PdfRefusals, FooterPatternThatDoesNotFormatPassesTheError) {
  THtml2Pdf doc;
  TTestPages pages(718, 1);
  doc.Viewer = &pages;
  SetMargins(doc, 1, 1, 1, 1);
  doc.PrintPageNumbers = true;
  doc.FooterFormat = u"50% - Page %d/%d";
  EXPECT_THROW(doc.RenderPages(), EConvertError);
}

}  // namespace
