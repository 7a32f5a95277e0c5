// Reports, charts and the spreadsheet export of the main window: the HTML table and CSV
// texts, charts made from the sum row with their popup styles, JPEG snapshots decoded by
// libjpeg-turbo's djpeg, and workbooks read back through Python's zipfile.

#include "app/GridReports.h"
#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/ChartSnapshot.h"
#include "platform/chart/PieSeries.h"
#include "tests/app/AppFixture.h"
#include "tests/support/Pictures.h"
#include "tests/support/Process.h"
#include "tests/support/XlsxCells.h"

#include <ostream>

namespace {

struct StyleCase {
  const char* name;
  TFontStyles style;
  std::string open, close;
  friend void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }
};

class HtmlTable : public AppFixture, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(HtmlTable, WritesEveryCellEscapedAndEmptyOnesAsABlank) {
  Start();
  TStringGrid& grid = *Form1->StringGrid1;
  FillGrid(grid, {"Nr.|\"LinkedIn", "1|", "2|<a href=\"x\">&amp;</a>"});
  TFont font = grid.Font();
  font.SetStyle(GetParam().style);
  grid.SetFont(font);
  Form1->Memo1->Lines().Add(u"alt");
  GridToHtmlTable(grid, *Form1->Memo1);
  const std::string td = "    <td align=\"left\" valign=\"top\">" + GetParam().open;
  const std::string end = GetParam().close + "</td>\r\n";
  EXPECT_EQ(StringToUtf8(Form1->Memo1->Text()),
            "  <table>\r\n"
            "  <tr>\r\n" + td + "Nr." + end + td + "&quot;LinkedIn" + end + "  </tr>\r\n"
            "  <tr>\r\n" + td + "1" + end + td + " " + end + "  </tr>\r\n"
            "  <tr>\r\n" + td + "2" + end + td + "&lt;a href=&quot;x&quot;&gt;&amp;amp;&lt;/a&gt;" + end + "  </tr>\r\n"
            "  </table>\r\n");
}

INSTANTIATE_TEST_SUITE_P(Styles, HtmlTable,
                         ::testing::Values(StyleCase{"Plain", 0, "", ""}, StyleCase{"Bold", fsBold, "<b>", "</b>"},
                                           StyleCase{"ItalicUnderline", fsItalic | fsUnderline, "<i><u>", "</u></i>"},
                                           StyleCase{"All", fsBold | fsItalic | fsUnderline | fsStrikeOut,
                                                     "<b><i><u>", "</u></i></b>"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFixture, CsvExportQuotesWhatNeedsItAndOverwrites) {
  home.WriteFile("exp_gplushashtags.csv", "old content that is longer than the new one ......................");
  Start();
  FillGrid(*Form1->StringGrid1, {"Nr.|URL|Likes", "1|a,b|sag \"hi\"", "2||mit Leerzeichen", "Summe: |Größe €|3\t4"});
  Form1->ErgebnisseExcel1->Click();
  EXPECT_EQ(Form1->ReportCsvPath, Utf8ToString(home.PathOf("exp_gplushashtags.csv")));
  // Code page 1252 without a byte-order mark.
  EXPECT_EQ(Read("exp_gplushashtags.csv"),
            "Nr.,URL,Likes\r\n"
            "1,\"a,b\",\"sag \"\"hi\"\"\"\r\n"
            "2,,\"mit Leerzeichen\"\r\n"
            "\"Summe: \",\"Gr\xf6\xdf" "e \x80\",\"3\t4\"\r\n");
}

std::vector<std::pair<std::string, double>> Points(const TChartSeries& s) {
  std::vector<std::pair<std::string, double>> points;
  for (int i = 0; i < s.Count(); ++i) points.emplace_back(StringToUtf8(s.Point(i).Label), s.Point(i).Value);
  return points;
}

class ChartFixture : public AppFixture {
 protected:
  void SetUp() override {
    Start();
    FillGrid(*Form1->StringGrid1,
             {"Nr.|URL|FB-Likes|FB-Shares|FB-Comments|FB-Clicks|FB-Summe / Total|Delicious|GooglePlus|Buzz|Twitter|Diggs|"
              "Pinterest|\"LinkedIn",
              "1|u|1|2|3|4|5|6|7|8|9|10|11|12", "Summe: ||10|20|30|40|50|60|70|80|90|100|110|3000000000"});
    Form1->projekte->UserSetText(u"shop");
  }
};

TEST_F(ChartFixture, StartsWithoutTitleAndInactive) {
  EXPECT_EQ(Form1->Chart1->Title(), u"");
  EXPECT_FALSE(Form1->Series1().Active());
  EXPECT_EQ(Form1->Series1().Title(), u"Facebook - Likes");
  EXPECT_EQ(Form1->Chart1->LegendTitle(), u"Legende");
  EXPECT_TRUE(Form1->Chart1->View3D());
  EXPECT_EQ(Form1->Chart1->Color(), clWhite);
}

TEST_F(ChartFixture, OverviewAndFacebookChartsComeFromTheSumRow) {
  Form1->Komplettberblick1->Click();
  EXPECT_EQ(Form1->Chart1->Title(), u"Auswertung - Komplettüberblick");
  EXPECT_EQ(Form1->Series1().Title(), u"Socialmedia - Alles");
  EXPECT_TRUE(Form1->Series1().Active());
  EXPECT_EQ(Points(Form1->Series1()), (std::vector<std::pair<std::string, double>>{{"Facebook (komplett)", 50},
                                                                                  {"Delicious", 60},
                                                                                  {"GooglePlus", 70},
                                                                                  {"Buzz", 80},
                                                                                  {"Twitter", 90},
                                                                                  {"Diggs", 100},
                                                                                  {"Pinterest", 110},
                                                                                  {"Linkedin", 3000000000.0}}));
  Form1->Facebook1->Click();
  EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabSheet7);
  EXPECT_EQ(Form1->PageControl4->ActivePage(), Form1->TabSheet10);
  EXPECT_EQ(Form1->Chart1->Title(), u"Auswertung - Facebook - shop");
  EXPECT_EQ(Form1->Series1().Title(), u"Facebook - Signalverteilung");
  EXPECT_EQ(Points(Form1->Series1()), (std::vector<std::pair<std::string, double>>{
                                          {"FB-Likes", 10}, {"FB-Shares", 20}, {"FB-Comments", 30}, {"FB-Clicks", 40}}));
}

TEST_F(ChartFixture, LastRowThatIsNoSumRowEndsWithTheConversionMessage) {
  Form1->StringGrid1->SetCell(4, 2, u"N/A");
  app.RunHandler([&] { Form1->Facebook1->Click(); });
  EXPECT_EQ(Messages(), (std::vector<std::string>{"'N/A' ist kein gültiger Integerwert."}));
  EXPECT_EQ(Points(Form1->Series1()),
            (std::vector<std::pair<std::string, double>>{{"FB-Likes", 10}, {"FB-Shares", 20}}));
}

TEST_F(ChartFixture, PopupStylesKeepThePoints) {
  Form1->Facebook1->Click();
  Form1->Balken1->Click();
  EXPECT_NE(dynamic_cast<TBarSeries*>(&Form1->Series1()), nullptr);
  Form1->switch21->Click();
  Form1->N3Daus2->Click();
  Form1->Linie2->Click();
  ASSERT_NE(dynamic_cast<TPieSeries*>(&Form1->Series1()), nullptr);
  EXPECT_EQ(Points(Form1->Series1()).size(), 4u);
  EXPECT_EQ(Form1->Series1().Title(), u"Facebook - Signalverteilung");
  EXPECT_EQ(Form1->Series1().MarksStyle(), smsPercent);
  EXPECT_EQ(Form1->Series1().MarkText(0), u"10 %");
  EXPECT_FALSE(Form1->Chart1->View3D());
  Form1->N3Dan2->Click();
  Form1->switch1->Click();
  EXPECT_TRUE(Form1->Chart1->View3D());
  EXPECT_EQ(Form1->Series1().MarkText(0), u"10");
  Form1->Button28->Click();
  EXPECT_EQ(Form1->Series1().Count(), 0);
}

// Width and height of a JPEG file as djpeg decodes it.
std::pair<int, int> DecodedSize(const std::string& jpeg) {
  TCommandResult decoded = RunCommand("djpeg -pnm " + ShellQuote(jpeg), {}, TErrorOutput::Separate);
  if (decoded.ExitCode != 0) return {0, 0};
  TTestPicture picture = ReadPnm(decoded.Output);
  return {picture.Width, picture.Height};
}

TEST_F(ChartFixture, SnapshotsGoIntoTheProjectFolderAtTheChartsSize) {
  // The chart fills its tab.
  const std::pair size{Form1->Chart1->Width(), Form1->Chart1->Height()};
  ASSERT_GT(size.first * size.second, 0);
  Form1->AuswertungberblickAlles1->Click();
  EXPECT_EQ(Form1->Series1().Count(), 8);
  EXPECT_EQ(DecodedSize(home.PathOf("reporting/alles/shop/shop_01012024.jpg")), size);

  Form1->AuswertungFacebook1->Click();
  EXPECT_EQ(Form1->Chart1->Title(), u"Auswertung - Facebook - shop");
  EXPECT_EQ(Form1->Series1().Count(), 4);
  EXPECT_EQ(Status(), " Analyse fertig gestellt");
  EXPECT_EQ(DecodedSize(home.PathOf("reporting/facebook/shop/shop_01012024.jpg")), size);

  Form1->Diagramm2Click(Form1);
  EXPECT_EQ(DecodedSize(home.PathOf("test.jpg")), size);
}

TEST_F(ChartFixture, SnapshotInAnExistingReportingFolder) {
  home.WriteFile("reporting/suggest/keep.txt", "x");
  app.RunHandler([&] { Form1->AuswertungFacebook1->Click(); });
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(DecodedSize(home.PathOf("reporting/facebook/shop/shop_01012024.jpg")), (std::pair{Form1->Chart1->Width(), Form1->Chart1->Height()}));
}

class SpreadsheetExport : public AppFixture {
 protected:
  std::vector<String> opened;
  bool opens = true;
  void StartRecording() {
    Start();
    Form1->SpreadsheetOpener = [this](const String& file) {
      opened.push_back(file);
      return opens;
    };
  }
};

TEST_F(SpreadsheetExport, WordMatrixAndSuggestionsGoIntoNewWorkbooks) {
  StartRecording();
  FillGrid(*Form1->StringGrid3, {"Nr.|schuhe|taschen", "1|#rot|", "2|#blau & grün|#leder"});
  FillGrid(*Form1->StringGrid7, {"Nummer|Original-KW|KW-1", "0|schuhe|schuhe damen"});
  Form1->ErgebnisseExcel2->Click();
  clock.Advance(1000);
  Form1->ExportExcel1->Click();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], Utf8ToString(home.PathOf("export/20240101_000000.xlsx")));
  EXPECT_EQ(ReadXlsxCells(StringToUtf8(opened[0])),
            (std::map<std::string, String>{{"A1", u"Nr."},
                                           {"B1", u"schuhe"},
                                           {"C1", u"taschen"},
                                           {"A2", u"1"},
                                           {"B2", u"#rot"},
                                           {"A3", u"2"},
                                           {"B3", u"#blau & grün"},
                                           {"C3", u"#leder"}}));
  EXPECT_EQ(ReadXlsxCells(StringToUtf8(opened[1])),
            (std::map<std::string, String>{
                {"A1", u"Nummer"}, {"B1", u"Original-KW"}, {"C1", u"KW-1"}, {"A2", u"0"}, {"B2", u"schuhe"}, {"C2", u"schuhe damen"}}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SpreadsheetExport, WithoutADesktopTheUserLearnsWhereTheFileIs) {
  opens = false;
  StartRecording();
  FillGrid(*Form1->StringGrid7, {"Nummer|Original-KW"});
  Form1->ExportExcel1->Click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find(home.PathOf("export/20240101_000000.xlsx")), std::string::npos) << Messages()[0];
}

}  // namespace
