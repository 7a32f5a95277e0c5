// The suggestion crawls and the trend crawl against a test server standing in for the
// suggest and trends services.
#include "tests/app/AppFixture.h"

namespace {

// A suggest answer in the service's toolbar format.
std::string SuggestAnswer(const std::vector<std::string>& suggestions) {
  std::string xml = "<?xml version=\"1.0\"?><toplevel>";
  for (const std::string& s : suggestions)
    xml += "<CompleteSuggestion><suggestion data=\"" + s + "\"/></CompleteSuggestion>";
  return xml + "</toplevel>";
}

std::vector<std::string> Lines(const TStrings& lines) {
  std::vector<std::string> texts;
  for (int i = 0; i < lines.Count(); ++i) texts.push_back(StringToUtf8(lines.Get(i)));
  return texts;
}

const std::string kTitles = "Nummer|Original-KW|KW-1|KW-2|KW-3|KW-4|KW-5|KW-6|KW-7|KW-8|KW-9|KW-10";

class KeywordCrawlTest : public AppFixture {
 protected:
  void StartWithSuggest() {
    Server();
    home.PointServiceAt(TWebService::Suggest, Server().BaseUrl());
    home.PointServiceAt(TWebService::Trends, Server().BaseUrl());
    Start();
  }
};

struct TSuggestCase {
  const char* name;
  int answers;
};

class SingleSuggestionCrawlTest : public KeywordCrawlTest, public ::testing::WithParamInterface<TSuggestCase> {};

TEST_P(SingleSuggestionCrawlTest, FillsRowOneAndTheKeywordList) {
  std::vector<std::string> suggestions;
  for (int i = 1; i <= GetParam().answers; ++i) suggestions.push_back("auto kaufen " + std::to_string(i));
  Server().Answer("/complete/search", THttpAnswer(SuggestAnswer(suggestions), "text/xml; charset=utf-8"));
  StartWithSuggest();
  Form1->Memo8->SetText(u"alt\r\n");
  Form1->Edit2->UserSetText(u"auto kaufen");
  Form1->Button6->Click();

  EXPECT_EQ(Server().LastRequest().Query, "output=toolbar&q=auto+kaufen&hl=DE");
  const TStringGrid& grid = *Form1->StringGrid7;
  EXPECT_EQ(grid.RowCount(), 4);  // titles, the keyword, two empty rows
  EXPECT_EQ(GridRows(grid)[0].substr(0, kTitles.size()), kTitles);
  EXPECT_EQ(grid.ColCount(), std::max(12, 2 + GetParam().answers));
  EXPECT_EQ(StringToUtf8(grid.Cells(0, 1)), "0");
  EXPECT_EQ(StringToUtf8(grid.Cells(1, 1)), "auto kaufen");
  std::vector<std::string> expected{"auto kaufen"};
  for (int i = 0; i < GetParam().answers; ++i) {
    EXPECT_EQ(StringToUtf8(grid.Cells(2 + i, 1)), suggestions[i]);
    expected.push_back(suggestions[i]);
  }
  EXPECT_EQ(grid.Cells(2 + GetParam().answers, 1), u"");
  EXPECT_EQ(GridRows(grid)[2], std::string(grid.ColCount() - 1, '|'));
  // The keyword and every suggestion pass "0" and an empty blacklist, in column order.
  EXPECT_EQ(Lines(Form1->Memo8->Lines()), expected);
  EXPECT_EQ(Form1->Memo1->Lines().Count(), 0);
  EXPECT_EQ(Status(), " analysiere: auto+kaufen");
  EXPECT_EQ(Form1->PageControl2->ActivePage(), Form1->TabSheet6);
  EXPECT_TRUE(std::filesystem::is_directory(home.PathOf("reporting/suggest")));
  EXPECT_EQ(Read("debug/tmp.txt").find("<CompleteSuggestion>\r\n\r\n<suggestion data=\"auto kaufen 1\"/>\r\n") !=
                std::string::npos,
            GetParam().answers > 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, SingleSuggestionCrawlTest,
                         ::testing::Values(TSuggestCase{"None", 0}, TSuggestCase{"One", 1},
                                           TSuggestCase{"Twelve", 12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeywordCrawlTest, KeywordListTakesLongEnoughCellsThatNoBlacklistLineNames) {
  Server().Answer("/complete/search",
                  THttpAnswer(SuggestAnswer({"Auto", "auto teile", "autobahn", "ab", "a&b"}), "text/xml"));
  StartWithSuggest();
  Form1->Zeichenanzahl->UserSetText(u"3");
  // "Auto" stays although "Autobahn" is blacklisted; "autobahn" differs in case.
  Form1->Memo9->SetText(u"Autobahn\r\nauto teile\r\n\r\n");
  Form1->Edit2->UserSetText(u"c++ & co");
  Form1->Button6->Click();
  EXPECT_EQ(Server().LastRequest().Params.at("q"), "c++ & co");
  EXPECT_EQ(Lines(Form1->Memo8->Lines()), (std::vector<std::string>{"c++ & co", "Auto", "autobahn", "a&b"}));
}

TEST_F(KeywordCrawlTest, NonNumericLengthEndsTheSingleCrawlAfterTheGrid) {
  Server().Answer("/complete/search", THttpAnswer(SuggestAnswer({"auto"}), "text/xml"));
  StartWithSuggest();
  Form1->Zeichenanzahl->UserSetText(u"drei");
  Form1->Edit2->UserSetText(u"a");
  app.RunHandler([&] { Form1->Button6->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("drei"), std::string::npos) << Messages()[0];
  EXPECT_EQ(StringToUtf8(Form1->StringGrid7->Cells(2, 1)), "auto");
  EXPECT_EQ(Form1->Memo8->Lines().Count(), 0);
}

TEST_F(KeywordCrawlTest, ListCrawlWritesOneRowPerKeyword) {
  Server().Answer("/complete/search", [](const TRecordedRequest& r) {
    const std::string q = r.Params.at("q");
    if (q == "leer") return THttpAnswer(SuggestAnswer({}), "text/xml");
    return THttpAnswer(SuggestAnswer({q + " 1", q + " 2"}), "text/xml");
  });
  StartWithSuggest();
  Form1->Memo8->SetText(u"auto\r\nrote rosen\r\nleer");
  Form1->Button26->Click();

  std::vector<std::string> queries;
  for (const TRecordedRequest& r : Server().Requests()) queries.push_back(r.Query);
  EXPECT_EQ(queries, (std::vector<std::string>{"output=toolbar&q=auto&hl=DE", "output=toolbar&q=rote+rosen&hl=DE",
                                                "output=toolbar&q=leer&hl=DE"}));
  std::vector<std::string> rows = GridRows(*Form1->StringGrid7);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[1], "0|auto|auto 1|auto 2||||||||");
  EXPECT_EQ(rows[2], "1|rote rosen|rote rosen 1|rote rosen 2||||||||");
  EXPECT_EQ(rows[3], "2|leer||||||||||");
  EXPECT_EQ(rows[4], "|||||||||||");
  EXPECT_EQ(rows[5], "|||||||||||");
  EXPECT_EQ(Status(), " analysiere: leer");
  EXPECT_EQ(Form1->Memo8->Lines().Count(), 3);  // the list crawl leaves the list alone
}

TEST_F(KeywordCrawlTest, ListCrawlOfAnEmptyListLeavesTitlesAndTwoEmptyRows) {
  StartWithSuggest();
  FillGrid(*Form1->StringGrid7, {"a|b", "1|old", "2|older"});
  Form1->Button26->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid7), (std::vector<std::string>{kTitles, "|||||||||||", "|||||||||||"}));
  EXPECT_TRUE(Server().Requests().empty());
}

TEST_F(KeywordCrawlTest, AFailedRequestKeepsTheRowsBefore) {
  Server().Answer("/complete/search", [](const TRecordedRequest& r) {
    if (r.Params.at("q") == "kaputt") return THttpAnswer("fehler").WithStatus(500);
    return THttpAnswer(SuggestAnswer({"gut 1"}), "text/xml");
  });
  StartWithSuggest();
  Form1->Memo8->SetText(u"gut\r\nkaputt\r\nnie");
  app.RunHandler([&] { Form1->Button26->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("500"), std::string::npos) << Messages()[0];
  EXPECT_EQ(Server().Requests().size(), 2u);
  std::vector<std::string> rows = GridRows(*Form1->StringGrid7);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1], "0|gut|gut 1|||||||||");
  EXPECT_EQ(rows[2], "1|kaputt||||||||||");
}

// Rising queries in the trends service's table format.
const char* const kTrendAnswer =
    "{\"version\":\"0.6\",\"table\":{\"cols\":[{\"id\":\"query\",\"type\":\"string\"},"
    "{\"id\":\"value\",\"type\":\"number\"}],\"rows\":["
    "{\"c\":[{\"v\":\"auto kaufen\"},{\"v\":250,\"f\":\"+250%\"}]},"
    "{\"c\":[{\"v\":\"e auto\"},{\"v\":\"Breakout\",\"f\":\"Breakout\"}]}]}}";

TEST_F(KeywordCrawlTest, TrendCrawlListsRisingQueriesAndKeepsTheServiceCookie) {
  Server().Answer("/trends/fetchComponent",
                  THttpAnswer(kTrendAnswer, "application/json").WithHeader("Set-Cookie", "NID=abc123; Path=/"));
  Server().Answer("/complete/search", THttpAnswer(SuggestAnswer({}), "text/xml"));
  StartWithSuggest();
  Form1->Memo5->SetText(u"tag1\r\ntag2");
  Form1->gplusappcode->UserSetText(u"KEY-1");
  Form1->kw_trend->UserSetText(u"auto");
  Form1->Button23->Click();

  TRecordedRequest first = Server().LastRequest();
  EXPECT_EQ(first.Query, "hl=de-DE&q=auto&geo=DE&cid=RISING_QUERIES_0_0&export=3&w=500&h=300");
  EXPECT_TRUE(first.Cookies.empty());
  EXPECT_EQ(GridRows(*Form1->StringGrid6),
            (std::vector<std::string>{"Nr.|Key/Phrase|Trends/Zuwachs|Trends/Zuwachs in %", "1|auto kaufen|250|+250%",
                                      "2|e auto|Breakout|Breakout"}));
  EXPECT_EQ(Status(), " fertig gecrawled");
  EXPECT_EQ(Form1->Memo5->Lines().Count(), 0);
  EXPECT_EQ(Read("acc_gplus.txt"), "KEY-1\r\n");
  EXPECT_NE(Read("hashtags_plain.txt").find("\"c\":[{\r\n\"v\":\"auto kaufen\"\r\n},{"), std::string::npos);

  // The cookie manager stays attached: the next trend and suggestion requests send it.
  Form1->Button23->Click();
  EXPECT_EQ(Server().LastRequest().Cookies, (std::map<std::string, std::string>{{"NID", "abc123"}}));
  Form1->Edit2->UserSetText(u"x");
  Form1->Button6->Click();
  EXPECT_EQ(Server().LastRequest().Path, "/complete/search");
  EXPECT_EQ(Server().LastRequest().Cookies, (std::map<std::string, std::string>{{"NID", "abc123"}}));
}

TEST_F(KeywordCrawlTest, TrendAnswerWithoutRowsLeavesTheTitles) {
  Server().Answer("/trends/fetchComponent", THttpAnswer("{\"table\":{\"rows\":[]}}", "application/json"));
  StartWithSuggest();
  FillGrid(*Form1->StringGrid6, {"x|y", "1|alt|3|4"});
  Form1->kw_trend->UserSetText(u"nichts");
  Form1->Button23->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid6),
            (std::vector<std::string>{"Nr.|Key/Phrase|Trends/Zuwachs|Trends/Zuwachs in %"}));
}

}  // namespace
