// The keyword analysis of the text tab, its hashtag marks and the text report.
#include "tests/app/AppFixture.h"

namespace {

std::vector<std::string> Column(const TStringGrid& grid, int col) {
  std::vector<std::string> cells;
  for (int r = 1; r < grid.RowCount(); ++r) cells.push_back(StringToUtf8(grid.Cells(col, r)));
  return cells;
}

class TextAnalysisTest : public AppFixture {
 protected:
  void SetUp() override { Start(); }
  void Analyse(const String& text) {
    Form1->text_ori->SetText(text);
    Form1->Button19->Click();
  }
};

TEST_F(TextAnalysisTest, RatesEachWordByDensityAndWdf) {
  Form1->Memo5->SetText(u"vorher");
  Analyse(u"Das Auto. Das Haus");
  // Word lines Das, Auto, Das, Haus (N = 4): Das 2/4 = 50 %, WDF ln 3 / ln 4 = 0,79.
  EXPECT_EQ(GridRows(*Form1->StringGrid5),
            (std::vector<std::string>{"Nr.|Keyword|Summe|KW-Dichte|WDF", "1|Das|2|50|0,8", "2|Auto|1|25|0,5",
                                      "3|Haus|1|25|0,5"}));
  EXPECT_EQ(Read("tmp_tags_single_plain.txt"), "Das\r\nAuto\r\nDas\r\nHaus");
  EXPECT_EQ(Form1->Memo5->Lines().Count(), 0);
  EXPECT_EQ(Status(), " Textanalysemodus fertig gestellt");
}

const char16_t* const kFilterText = u"Das Auto fährt. Das Haus  steht, das Auto? Ja";

struct TFilterCase {
  const char* name;
  const char16_t* minimum;
  const char16_t* kwhaeuf;
  const char16_t* length;
  const char16_t* blacklist;
  std::vector<std::string> keywords;
};

class TextFilterTest : public TextAnalysisTest, public ::testing::WithParamInterface<TFilterCase> {};

TEST_P(TextFilterTest, KeepsTheWordsThatPassEveryFilter) {
  const TFilterCase& c = GetParam();
  Form1->minimum->UserSetText(c.minimum);
  Form1->kwhaeuf->UserSetText(c.kwhaeuf);
  Form1->Zeichenanzahl->UserSetText(c.length);
  Form1->Memo9->SetText(c.blacklist);
  Analyse(kFilterText);
  EXPECT_EQ(Column(*Form1->StringGrid5, 1), c.keywords);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, TextFilterTest,
    ::testing::Values(
        // Two blanks give an empty word line; "Das" and "das" count apart.
        TFilterCase{"Defaults", u"1", u"1", u"0", u"",
                    {"Das", "Auto", "fährt", "Haus", "", "steht", "das", "Ja"}},
        TFilterCase{"Minimum", u"2", u"1", u"0", u"", {"Das", "Auto"}},
        TFilterCase{"Frequency", u"1", u"2", u"0", u"", {"Das", "Auto"}},
        TFilterCase{"Length", u"1", u"1", u"4", u"", {"Auto", "fährt", "Haus", "steht"}},
        // Whole blacklist lines only: "Auto" stays beside "Autobahn".
        TFilterCase{"Blacklist", u"1", u"1", u"1", u"Autobahn\r\nJa\r\ndas\r\n",
                    {"Das", "Auto", "fährt", "Haus", "steht"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextAnalysisTest, CountsAndRatesOverAllWordLines) {
  Analyse(kFilterText);
  // N = 10: Das 2 -> 20 %, ln 3 / ln 10 = 0,48; fährt 1 -> 10 %, ln 2 / ln 10 = 0,30.
  std::vector<std::string> rows = GridRows(*Form1->StringGrid5);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[1], "1|Das|2|20|0,5");
  EXPECT_EQ(rows[3], "3|fährt|1|10|0,3");
  EXPECT_EQ(rows[5], "5||1|10|0,3");
}

struct TEdgeCase {
  const char* name;
  const char16_t* text;
  std::vector<std::string> rows;
};

class TextEdgeTest : public TextAnalysisTest, public ::testing::WithParamInterface<TEdgeCase> {};

TEST_P(TextEdgeTest, GivesTheRows) {
  Analyse(GetParam().text);
  EXPECT_EQ(GridRows(*Form1->StringGrid5), GetParam().rows);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Status(), " Textanalysemodus fertig gestellt");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextEdgeTest,
    ::testing::Values(
        TEdgeCase{"Empty", u"", {"Nr.|Keyword|Summe|KW-Dichte|WDF"}},
        // One word line: rated as a text of two lines, WDF ln 2 / ln 2.
        TEdgeCase{"OneWord", u"Wort", {"Nr.|Keyword|Summe|KW-Dichte|WDF", "1|Wort|1|100|1"}},
        TEdgeCase{"Punctuation", u"Ja! Nein? So, gut.",
                  {"Nr.|Keyword|Summe|KW-Dichte|WDF", "1|Ja|1|25|0,5", "2|Nein|1|25|0,5", "3|So|1|25|0,5",
                   "4|gut|1|25|0,5"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextAnalysisTest, NonNumericFilterEndsTheAnalysis) {
  Form1->kwhaeuf->UserSetText(u"zwei");
  Form1->text_ori->SetText(u"Das Auto");
  app.RunHandler([&] { Form1->Button19->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("zwei"), std::string::npos) << Messages()[0];
  EXPECT_EQ(GridRows(*Form1->StringGrid5), (std::vector<std::string>{"Nr.|Keyword|Summe|KW-Dichte|WDF"}));
}

TEST_F(TextAnalysisTest, HashtagMarksFindKeywordsInsideCountedHashtags) {
  FillGrid(*Form1->StringGrid4, {"Nr.|Hashtag / KW|Summe", "1|Autohaus|3"});
  Analyse(u"Das Auto. Das Haus KW");
  EXPECT_EQ(Form1->ComboBox1->Items().Count(), 2);
  Form1->Button27->Click();
  EXPECT_EQ(Form1->StringGrid5->Cells(5, 0), u"G-Hashtags");
  EXPECT_EQ(Column(*Form1->StringGrid5, 1), (std::vector<std::string>{"Das", "Auto", "Haus", "KW"}));
  EXPECT_EQ(Column(*Form1->StringGrid5, 5), (std::vector<std::string>{"N/A", "X", "N/A", "X"}));
}

TEST_F(TextAnalysisTest, ReportHoldsTheEscapedTextAndTheKeywordTable) {
  Analyse(u"");
  Form1->text_ori->SetText(u"Erster <b>Satz</b> & mehr\r\nZweite Zeile\r\n");
  // Suggestions an earlier crawl left in the hidden memo stay out of the report.
  Form1->Memo3->SetText(u"auto kaufen\r\n");
  Form1->Generiere1->Click();
  EXPECT_EQ(Read("report.html"),
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n"
            "<html><head><title>page-break-before</title>\r\n"
            "</head><body>\r\n"
            "<b>Inhalte</b>\r\n"
            "<p><a href=\"#text1\">Original-Text</a></p>\r\n"
            "<p><a href=\"#text2\">KW-Analyse</a></p>\r\n"
            "<p id=\"text1\"><b>Originaltext</b></p>\r\n"
            "<p><b>Beginn</b></p>\r\n"
            "Erster &lt;b&gt;Satz&lt;/b&gt; &amp; mehr\r\n"
            "Zweite Zeile\r\n"
            "</br></br><b>Ende</b>\r\n"
            "<h2 style=\"page-break-before:always\" id=\"text2\">KW-Analyse</h2>\r\n"
            "<p>und ihr Text</p>\r\n"
            "  <table>\r\n"
            "  <tr>\r\n"
            "    <td align=\"left\" valign=\"top\">Nr.</td>\r\n"
            "    <td align=\"left\" valign=\"top\">Keyword</td>\r\n"
            "    <td align=\"left\" valign=\"top\">Summe</td>\r\n"
            "    <td align=\"left\" valign=\"top\">KW-Dichte</td>\r\n"
            "    <td align=\"left\" valign=\"top\">WDF</td>\r\n"
            "  </tr>\r\n"
            "  </table>\r\n"
            "</body></html>\r\n");
}

TEST_F(TextAnalysisTest, ReportParsesAsHtmlWithTheTextAsText) {
  Analyse(u"a<script>b");
  Form1->text_ori->SetText(u"a<script>alert(1)</script>");
  Form1->Generiere1->Click();
  const std::string html = Read("report.html");
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_NE(html.find("<td align=\"left\" valign=\"top\">a&lt;script&gt;b</td>"), std::string::npos);
}

}  // namespace
