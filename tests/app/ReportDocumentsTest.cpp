// The program's own HTML reports, written by the social-signal analysis and by the text
// analysis, read back through the HTML engine (parsed, laid out and painted) and converted
// to PDF by the program's command line: every cell of the report's table must be in the
// document's visible text and in the text poppler extracts from the PDF.
#include <functional>
#include <set>

#include "html/document/model/Document.h"
#include "html/document/parser/HtmlParser.h"
#include "html/foundation/charsets/Buffer.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "tests/app/AppFixture.h"
#include "tests/support/PdfWords.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

class ReportDocuments : public AppFixture {
 protected:
  // The report file through the engine: parsed, laid out at 800 pixels and painted; the
  // answer is the document's whole text as a selection of everything gives it.
  std::string VisibleText(const std::string& relative) {
    TStringStream stream(Read(relative));
    auto buffer = TBuffer::CreateFromStream(stream, u"report.html");
    ThtDocument document(nullptr, nullptr);
    document.SetDefaults(u"Arial", u"Courier New", 8, 8, 1, 1252, true, false, clWhite, clBlue, clPurple, clBlue,
                         clBlack, 12);
    THtmlParser parser(buffer.get());
    parser.ParseHtml(&document);
    TBitmap screen(800, 600, pf24bit);
    int scrollWidth = 0, cursor = 0;
    const int height = document.DoLogic(screen.Canvas(), 0, 800, 600, scrollWidth, cursor);
    EXPECT_GT(height, 0);
    for (int top = 0; top < height; top += 600) {
      document.SetYOffset(top);
      document.Draw(screen.Canvas(), TRect{0, 0, 800, 600}, 800, 0, 0, 0, 0);
    }
    document.SelectionStart = 0;
    document.SelectionEnd = document.CursorLength;
    const int length = document.SelectionLength();
    std::vector<Char> text(static_cast<size_t>(length) + 1, 0);
    document.SelectionText(text.data(), length + 1);
    return StringToUtf8(String(text.data()));
  }

  // The report converted to PDF by the program as a script runs it (no display; a program
  // folder of its own whose settings ask for "Scale to fit", so that a table wider than
  // the page is shrunk onto it), read back with pdftotext.
  std::vector<TPdfWord> PdfWordsOf(const std::string& relative) {
    TTempDirectory exportHome;
    exportHome.WriteFile("wendrel.ini", "[Settings]\r\nScaleToFit=1\r\n");
    const std::string pdf = exportHome.PathOf("report.pdf");
    TCommandResult r = RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 WENDREL_HOME=" +
                                      ShellQuote(exportHome.Path()) + " " + ShellQuote(WENDREL_BUILD_DIR "/wendrel") + " " +
                                      ShellQuote(home.PathOf(relative)) + " " + ShellQuote(pdf),
                                  {}, TErrorOutput::Separate);
    EXPECT_EQ(r.ExitCode, 0) << r.Errors;
    RunTool("qpdf --check " + ShellQuote(pdf));
    return PdfWords(pdf);
  }

  using TFinds = std::function<bool(const std::string&)>;
  static TFinds InText(const std::string& text) {
    return [text](const std::string& what) { return text.find(what) != std::string::npos; };
  }
  // A cell's text may be wrapped over several lines of its cell in the PDF.
  static TFinds InPdf(const std::vector<TPdfWord>& words) {
    return [words](const std::string& what) { return HasTextBlock(words, what); };
  }

  static void ExpectEveryCellIn(const TStringGrid& grid, int rows, const TFinds& finds, const char* where) {
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < grid.ColCount(); ++c) {
        const std::string cell = StringToUtf8(grid.Cells(c, r));
        if (cell.empty()) continue;
        EXPECT_TRUE(finds(cell)) << where << ", row " << r << " column " << c << ": " << cell;
      }
  }
};

TEST_F(ReportDocuments, SocialAnalysisReportShowsEveryCellOnScreenAndInThePdf) {
  // Every request answers the same numbers, line by line.
  std::string answer;
  for (int i = 0; i < 32; ++i) answer += (i ? ":" : "") + std::to_string(1000 + i);
  for (const char* path : {"/", "/fql", "/1/urls/count.json"})
    Server().Answer(path, [answer](const TRecordedRequest&) { return THttpAnswer(answer); });
  home.PointServicesAt(Server().BaseUrl());
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|http://site.example/a?x=1&y=<2>", "2|http://site.example/b"});
  Form1->projekte->UserSetText(u"shop");
  Form1->Alles->SetChecked(true);
  Form1->Button2->Click();
  const TStringGrid& grid = *Form1->StringGrid1;
  ASSERT_EQ(grid.RowCount(), 4);  // titles, two URLs, the sum row (not in the report)
  const std::string report = "reporting/alles/shop/socialanalyze_01012024.html";
  const std::string text = VisibleText(report);
  ExpectEveryCellIn(grid, 3, InText(text), "on screen");
  EXPECT_EQ(text.find("Summe:"), std::string::npos);  // the sum row comes after the report
  const std::vector<TPdfWord> words = PdfWordsOf(report);
  ExpectEveryCellIn(grid, 3, InPdf(words), "in the PDF");
  EXPECT_FALSE(HasTextBlock(words, "Summe:"));
}

TEST_F(ReportDocuments, TextReportShowsTheTextAndEveryKeywordCellOnScreenAndInThePdf) {
  Start();
  Form1->text_ori->SetText(u"Erster <b>Satz</b> & mehr\r\nZweite Zeile\r\n");
  FillGrid(*Form1->StringGrid5, {"Nr.|Keyword|Summe|KW-Dichte|WDF", "1|Satz|2|12,5|0,31", "2|Zeile & <Rest>|1|6,25|0,2"});
  Form1->Generiere1->Click();
  const std::string text = VisibleText("report.html");
  const std::vector<TPdfWord> words = PdfWordsOf("report.html");
  for (const TFinds& finds : {InText(text), InPdf(words)}) {
    EXPECT_TRUE(finds("Erster <b>Satz</b> & mehr"));
    EXPECT_TRUE(finds("KW-Analyse"));
  }
  ExpectEveryCellIn(*Form1->StringGrid5, Form1->StringGrid5->RowCount(), InText(text), "on screen");
  ExpectEveryCellIn(*Form1->StringGrid5, Form1->StringGrid5->RowCount(), InPdf(words), "in the PDF");
}

}  // namespace
