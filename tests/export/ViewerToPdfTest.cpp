// Real HTML through the export's own viewer into PDF pages, read back with poppler: tables
// whose header and footer rows repeat on every page, the page raster against the same page
// metafile played back on the screen, and the colours of links and of the page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "export/Html2Pdf.h"
#include "export/HtmlView.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "tests/export/ExportTestPages.h"
#include "tests/support/PdfWords.h"
#include "tests/support/Pictures.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

TTestPicture PictureOf(TBitmap& bitmap) {
  TTestPicture picture(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      TColor c = bitmap.Canvas().Pixel(x, y);
      picture.Set(x, y, (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
    }
  return picture;
}

bool IsDark(uint32_t rgb) { return (rgb >> 16) < 100 && ((rgb >> 8) & 0xFF) < 100 && (rgb & 0xFF) < 100; }

// The first and last rows holding a dark pixel.
std::pair<int, int> DarkRows(const TTestPicture& p) {
  int first = -1, last = -1;
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x)
      if (IsDark(p.Rgb(x, y))) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

class ViewerToPdf : public testing::Test {
 protected:
  ViewerToPdf() : parent(new TForm(&app)), view(HtmlViewFactory(*parent)) {}

  // Loads the HTML into the export's viewer and writes it through THtml2Pdf with the margins
  // (centimetres, all four alike); answers the PDF's path.
  std::string Convert(const std::string& html, double margin, bool pageNumbers = false, bool scaleToFit = false) {
    dir.WriteFile("doc.html", html);
    view->LoadDocumentFile(Utf8ToString(dir.PathOf("doc.html")));
    THtml2Pdf doc;
    doc.Viewer = view.get();
    doc.MarginLeft = doc.MarginTop = doc.MarginRight = doc.MarginBottom = margin;
    doc.PrintPageNumbers = pageNumbers;
    doc.ScaleToFit = scaleToFit;
    doc.RenderPages();
    const std::string pdf = dir.PathOf("doc.pdf");
    EXPECT_TRUE(doc.WriteToFile(Utf8ToString(pdf)));
    RunTool("qpdf --check " + ShellQuote(pdf));
    return pdf;
  }

  TTempDirectory dir;
  TApplication app;
  TForm* parent;  // owned by app
  std::unique_ptr<THtmlView> view;
};

// A long table: a header and a footer row, and body rows of two lines in their second cell,
// so that a row cut by a page would leave one line on each page.
std::string LongTable(int rows) {
  std::string html =
      "<html><body><p>Before the table.</p><table border=1 cellpadding=4>"
      "<thead><tr><th>HeadLeft</th><th>HeadRight</th></tr></thead>"
      "<tfoot><tr><td>FootLeft</td><td>FootRight</td></tr></tfoot><tbody>";
  for (int i = 1; i <= rows; ++i) {
    char row[160];
    std::snprintf(row, sizeof row, "<tr><td>R%03dA</td><td>R%03dB<br>R%03dC</td></tr>", i, i, i);
    html += row;
  }
  return html + "</tbody></table><p>After the table.</p></body></html>";
}

TEST_F(ViewerToPdf, TableHeaderAndFooterRowsOnEveryPageAndNoRowCutInTwo) {
  const int rows = 120;
  const std::string pdf = Convert(LongTable(rows), 1, true);
  const int pages = std::stoi(PdfInfoField(pdf, "Pages"));
  ASSERT_GE(pages, 3);
  const std::vector<TPdfWord> words = PdfWords(pdf);
  const double printableTop = 28.35, printableBottom = 842 - 28.35;

  // Per page: the header's and footer's boxes and the body rows' extent.
  struct TPageWords {
    std::vector<TPdfWord> heads, foots;
    double rowsTop = 1e9, rowsBottom = -1;
    int firstRow = 0, lastRow = 0;
  };
  std::map<int, TPageWords> byPage;
  std::map<int, std::vector<TPdfWord>> rowWords;  // row number: its three words
  for (const TPdfWord& w : words) {
    TPageWords& p = byPage[w.Page];
    if (w.Text == "HeadLeft" || w.Text == "HeadRight") p.heads.push_back(w);
    if (w.Text == "FootLeft" || w.Text == "FootRight") p.foots.push_back(w);
    int row = 0;
    char column = 0;
    if (std::sscanf(w.Text.c_str(), "R%3d%c", &row, &column) == 2 && w.Text.size() == 5) {
      rowWords[row].push_back(w);
      p.rowsTop = std::min(p.rowsTop, w.YMin);
      p.rowsBottom = std::max(p.rowsBottom, w.YMax);
      if (p.firstRow == 0) p.firstRow = row;
      p.lastRow = row;
    }
    if (w.Text.rfind("Page", 0) != 0 && w.Text.find('/') == std::string::npos && w.Text != "-" &&
        w.Text != "doc.html") {
      EXPECT_GE(w.YMin, printableTop - 1) << w.Text << " on page " << w.Page;
      EXPECT_LE(w.YMax, printableBottom + 1) << w.Text << " on page " << w.Page;
    }
  }
  int previousLast = 0;
  for (int page = 1; page <= pages; ++page) {
    const TPageWords& p = byPage[page];
    if (p.lastRow == 0) continue;  // a page after the table
    ASSERT_EQ(p.heads.size(), 2u) << "page " << page;
    ASSERT_EQ(p.foots.size(), 2u) << "page " << page;
    EXPECT_LT(p.heads[0].YMax, p.rowsTop) << "header above the rows on page " << page;
    EXPECT_GT(p.foots[0].YMin, p.rowsBottom) << "footer below the rows on page " << page;
    // The rows go on where the last page stopped.
    EXPECT_EQ(p.firstRow, previousLast + 1) << "page " << page;
    previousLast = p.lastRow;
  }
  EXPECT_EQ(previousLast, rows);
  ASSERT_EQ(rowWords.size(), static_cast<size_t>(rows));
  for (const auto& [row, ws] : rowWords) {
    ASSERT_EQ(ws.size(), 3u) << "row " << row << " drawn more than once or not whole";
    EXPECT_EQ(ws[0].Page, ws[1].Page) << "row " << row;
    EXPECT_EQ(ws[0].Page, ws[2].Page) << "row " << row;
  }
}

// One element wider than the page does not widen the rest: without "Scale to fit" the
// paragraph wraps within the printable width and keeps every word on the page, and only the
// wide element runs past the right margin; with it the whole page is shrunk and every word
// of both is on it.
TEST_F(ViewerToPdf, AWideElementLeavesTheParagraphsOnThePage) {
  std::string paragraph = "<p>";
  for (int i = 1; i <= 80; ++i) paragraph += "Word" + std::to_string(i) + " ";
  std::string preLine;  // about 1600 pixels of Courier
  for (int i = 1; i <= 40; ++i) preLine += "P" + std::to_string(100 + i) + " ";
  const struct {
    const char* name;
    std::string wide;
  } cases[] = {
      {"long preformatted line", "<pre>" + preLine + "</pre>"},
      // The paragraph follows inside the same block, which must not widen to the line.
      {"long preformatted line in the paragraph's block", "<div><pre>" + preLine + "</pre>"},
      {"long preformatted line in the paragraph's list item", "<ul><li><pre>" + preLine + "</pre>"},
      {"relatively positioned block", "<div style=\"position:relative;left:30px\">shifted</div>"},
      {"wide table", "<table width=1200 border=1><tr><td>wide table</td></tr></table>"},
  };
  const double rightMargin = 595 - 28.35;
  for (const auto& c : cases)
    for (const bool scaleToFit : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (scaleToFit ? ", Scale to fit" : ", full size"));
      const std::vector<TPdfWord> words = PdfWords(Convert("<html><body>" + c.wide + paragraph + "</p></body></html>", 1, false, scaleToFit));
      std::map<std::string, int> counts;
      for (const TPdfWord& w : words) {
        ++counts[w.Text];
        if (w.Text.starts_with("Word")) {
          EXPECT_LE(w.XMax, rightMargin + 0.5) << w.Text;
        }
      }
      for (int i = 1; i <= 80; ++i) EXPECT_EQ(counts["Word" + std::to_string(i)], 1) << "Word" << i;
      // The end of the preformatted line is cut at full size and shrunk onto the page.
      if (c.wide.find("<pre>") != std::string::npos) {
        EXPECT_EQ(counts["P140"], scaleToFit ? 1 : 0);
      }
    }
}

// Without margins or scaling, one pixel of the page metafile is one point x 96 / 72: the PDF
// rasterised at 96 pixels per inch shows what the viewer's page metafile shows when it is
// played back on the screen, text at the same height.
TEST_F(ViewerToPdf, PageRasterMatchesTheViewersPlaybackOfTheSamePage) {
  const std::string html =
      "<html><body><h1>Heading of the page</h1><p>A paragraph of <b>plain</b> words, <i>some</i> in "
      "italics, and <a href=\"next.html\">a link</a>.</p><table border=1><tr><td>Cell one</td>"
      "<td>Cell two</td></tr></table><pre>Preformatted line</pre></body></html>";
  const std::string pdf = Convert(html, 0);
  RunTool("pdftoppm -r 96 -f 1 -l 1 -singlefile " + ShellQuote(pdf) + " " + ShellQuote(dir.PathOf("page")));
  const TTestPicture fromPdf = ReadPictureFile(dir.PathOf("page.ppm"));

  TPageMetafiles pages =
      view->RenderPageMetafiles(PointsToPixels(595), PointsToPixels(842), TPageBlockWidth::KeepPageWidth);
  ASSERT_FALSE(pages.empty());
  TBitmap played(1, 1, pf24bit);
  pages[0]->AssignTo(played);
  const TTestPicture expected = PictureOf(played);
  ASSERT_GE(fromPdf.Width, expected.Width);
  ASSERT_GE(fromPdf.Height, expected.Height);
  const TTestPicture cropped = TopLeftOf(fromPdf, expected.Width, expected.Height);
  WritePictureFile(expected, WENDREL_BUILD_DIR "/pictures/export/viewer_page_played.png");
  WritePictureFile(cropped, WENDREL_BUILD_DIR "/pictures/export/viewer_page_from_pdf.png");
  WritePictureFile(DifferencePicture(expected, cropped, 96), WENDREL_BUILD_DIR "/pictures/export/viewer_page.diff.png");
  // The ink starts and ends on the same rows (text is smoothed only in the PDF's raster).
  const auto [firstPlayed, lastPlayed] = DarkRows(expected);
  const auto [firstPdf, lastPdf] = DarkRows(cropped);
  ASSERT_GE(firstPlayed, 0);
  EXPECT_NEAR(firstPdf, firstPlayed, 1);
  EXPECT_NEAR(lastPdf, lastPlayed, 1);
  // What may differ: glyph edges of hinted screen text against outlines, and a line of the
  // PDF whose font is narrower than the screen's advances spreads the difference over its
  // spaces (some 1,800 pixels on this page). A missing or misplaced element costs more.
  EXPECT_LT(CountDifferent(expected, cropped, 96), 3000);
}

TEST_F(ViewerToPdf, LinksKeepTheirColourOnAWhitePage) {
  const std::string pdf =
      Convert("<html><body><p>Plain words then <a href=\"next.html\">LinkedWords</a>.</p></body></html>", 1);
  const TTestPicture page = RasterisePdfPage(pdf, 1);
  // The page of a document without a background colour of its own is white, margins and
  // printable area alike.
  for (auto [x, y] : {std::pair{5, 5}, std::pair{300, 400}, std::pair{560, 800}})
    EXPECT_EQ(page.Rgb(x, y), 0xFFFFFFu) << x << "," << y;
  // The link's words are drawn in the link colour (blue), the other words in black.
  const std::vector<TPdfWord> words = PdfWords(pdf);
  auto inkOf = [&](const std::string& text) {
    int blue = 0, black = 0;
    for (const TPdfWord& w : words)
      if (w.Text.rfind(text, 0) == 0)
        for (int y = static_cast<int>(w.YMin); y <= static_cast<int>(w.YMax); ++y)
          for (int x = static_cast<int>(w.XMin); x <= static_cast<int>(w.XMax); ++x) {
            const uint32_t rgb = page.Rgb(x, y);
            if ((rgb & 0xFF) > 150 && (rgb >> 16) < 100) ++blue;
            if (IsDark(rgb)) ++black;
          }
    return std::pair{blue, black};
  };
  const auto [linkBlue, linkBlack] = inkOf("LinkedWords");
  EXPECT_GT(linkBlue, 10);
  EXPECT_EQ(linkBlack, 0);
  const auto [plainBlue, plainBlack] = inkOf("Plain");
  EXPECT_EQ(plainBlue, 0);
  EXPECT_GT(plainBlack, 5);
}

// The only word of the text; fails the test when it is missing or doubled.
TPdfWord OnlyWord(const std::vector<TPdfWord>& words, const std::string& text) {
  std::vector<TPdfWord> found;
  for (const TPdfWord& w : words)
    if (w.Text == text) found.push_back(w);
  EXPECT_EQ(found.size(), 1u) << text;
  return found.empty() ? TPdfWord{} : found.front();
}

// A side box placed from the right edge of the page beside a column with a wide right margin
// stays in that margin, clear of the column's words, at full size and scaled to fit.
TEST_F(ViewerToPdf, AnAbsoluteSideBoxStaysBesideTheColumn) {
  std::string column;
  for (int i = 1; i <= 60; ++i) column += "Col" + std::to_string(i) + " ";
  const std::string html =
      "<html><body><div style=\"margin-right:200px\"><h1>Heading</h1><p>" + column +
      "</p><div style=\"position:absolute;top:10px;right:10px;width:150px;border:1px solid black\">"
      "<p>SideOne SideTwo</p><ul><li>SideThree</li></ul></div><p>After the box.</p></div></body></html>";
  for (const bool scaleToFit : {false, true}) {
    SCOPED_TRACE(scaleToFit ? "Scale to fit" : "full size");
    const std::vector<TPdfWord> words = PdfWords(Convert(html, 1, false, scaleToFit));
    double columnRight = 0;
    for (int i = 1; i <= 60; ++i) columnRight = std::max(columnRight, OnlyWord(words, "Col" + std::to_string(i)).XMax);
    for (const char* side : {"SideOne", "SideTwo", "SideThree"}) {
      const TPdfWord w = OnlyWord(words, side);
      EXPECT_GT(w.XMin, columnRight) << side;
      EXPECT_LE(w.XMax, 595 - 28.35 + 0.5) << side;
    }
  }
}

// Preformatted text directly in a list item or a definition stays in it, indented like the
// item's text, and so does the text after it; the list goes on numbering its items.
TEST_F(ViewerToPdf, PreformattedTextStaysInItsListItem) {
  const std::string html =
      "<html><body><ol><li>ItemOne<pre>CodeOne</pre>AfterOne"
      "<li>ItemTwo<ul><li>Nested<pre>CodeNested</pre>AfterNested</ul>"
      "<li>ItemThree</ol><dl><dt>Term<dd>Meaning<pre>CodeMeaning</pre>AfterMeaning</dl></body></html>";
  for (const bool scaleToFit : {false, true}) {
    SCOPED_TRACE(scaleToFit ? "Scale to fit" : "full size");
    const std::vector<TPdfWord> words = PdfWords(Convert(html, 1, false, scaleToFit));
    const struct {
      const char* item;
      std::vector<const char*> within;
    } items[] = {{"ItemOne", {"CodeOne", "AfterOne", "ItemTwo", "ItemThree"}},
                 {"Nested", {"CodeNested", "AfterNested"}},
                 {"Meaning", {"CodeMeaning", "AfterMeaning"}}};
    for (const auto& item : items) {
      const double edge = OnlyWord(words, item.item).XMin;
      for (const char* text : item.within) EXPECT_NEAR(OnlyWord(words, text).XMin, edge, 0.5) << text;
    }
    EXPECT_GT(OnlyWord(words, "Nested").XMin, OnlyWord(words, "ItemTwo").XMin + 10);
    EXPECT_GT(OnlyWord(words, "Meaning").XMin, OnlyWord(words, "Term").XMin + 10);
    for (const char* number : {"1.", "2.", "3."}) OnlyWord(words, number);
    EXPECT_LT(OnlyWord(words, "3.").XMax, OnlyWord(words, "ItemThree").XMin);
  }
}

}  // namespace
