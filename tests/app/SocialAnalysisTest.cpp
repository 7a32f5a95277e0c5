// The social-signal analysis against a test server standing in for the three services:
// answers laid out so that each answer line carries a known number (URL number * 100 +
// line), failing rows, the reports, the sum row, the live chart and repeated runs.
#include <map>

#include "platform/chart/Chart.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"
#include "tests/app/AppFixture.h"
#include "tests/support/LoopbackSocket.h"

#include <ostream>

namespace {

// Line k of the split answer holds values(k); the separators cycle through ":", "," and "}".
std::string AnswerLines(const std::function<std::string(int)>& value, int lastLine = 31) {
  std::string s;
  for (int i = 0; i <= lastLine; ++i) {
    if (i) s += i % 3 == 0 ? "}" : i % 3 == 1 ? ":" : ",";
    s += value(i);
  }
  return s;
}

// The number of the URL ".../p<n>" inside a request value; 0 when none.
int UrlNumber(const std::string& text) {
  size_t at = text.find("/p");
  return at == std::string::npos ? 0 : std::atoi(text.c_str() + at + 2);
}

class SocialAnalysis : public AppFixture {
 protected:
  std::vector<std::string> statuses;  // the status at each request
  // URLs whose number is listed here answer 404; a number in `words` answers a word on line 2.
  std::set<int> missing;
  std::set<int> words;

  void Serve() {
    auto responder = [this](const TRecordedRequest& request) {
      statuses.push_back(Status());
      std::string about = request.Params.count("url") ? request.Params.at("url") : request.Params.count("q") ? request.Params.at("q") : "";
      int n = UrlNumber(about);
      if (n == 0 || missing.count(n)) return THttpAnswer("not found").WithStatus(404);
      return THttpAnswer(AnswerLines([&](int line) {
        if (line == 2 && words.count(n)) return std::string("viele");
        return std::to_string(n * 100 + line);
      }));
    };
    for (const char* path : {"/", "/fql", "/1/urls/count.json"}) Server().Answer(path, responder);
    home.PointServicesAt(Server().BaseUrl());
  }

  void StartWithUrls(int count, const std::string& project = "shop") {
    Serve();
    Start();
    std::vector<std::string> rows{"Nummer|URL"};
    for (int i = 1; i <= count; ++i) rows.push_back(std::to_string(i) + "|http://site.example/p" + std::to_string(i) + "?a=1&b=2");
    FillGrid(*Form1->StringGrid1, rows);
    Form1->projekte->UserSetText(Utf8ToString(project));
  }

  std::string ReportPath(const std::string& network, const std::string& project, const std::string& ext) {
    return "reporting/" + network + "/" + (project.empty() ? "" : project + "/") + "socialanalyze_01012024." + ext;
  }
};

TEST_F(SocialAnalysis, AllNetworksFillRowsWriteReportsAndSum) {
  missing = {2};
  StartWithUrls(3);
  Form1->Alles->SetChecked(true);
  uint64_t start = clock.TickCount64();
  Form1->Button2->Click();

  EXPECT_EQ(clock.TickCount64() - start, 600u);  // 200 ms before each request, on the manual clock
  EXPECT_EQ(statuses, (std::vector<std::string>{" checke URL 1 von 4", " checke URL 2 von 4", " checke URL 3 von 4"}));
  // The row that failed is counted and its reason given.
  const std::string status = " 1 von 3 URLs ließen sich nicht prüfen (N/A). Erster Grund: HTTP-Fehler 404";
  EXPECT_EQ(Status().substr(0, status.size()), status) << Status();
  EXPECT_NE(Status().find(" bei GET " + Server().BaseUrl() + "/?url=http%3A%2F%2Fsite.example%2Fp2"), std::string::npos)
      << Status();
  EXPECT_TRUE(Messages().empty());

  const std::string titles =
      "Nr.|URL|FB-Likes|FB-Shares|FB-Comments|FB-Clicks|FB-Summe / Total|Delicious|GooglePlus|Buzz|Twitter|Diggs|Pinterest|\"LinkedIn";
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{
                titles,
                "1|http://site.example/p1?a=1&b=2|114|116|112|108|110|119|121|123|125|127|129|131",
                "2|http://site.example/p2?a=1&b=2|N/A|N/A|N/A|N/A|N/A|N/A|N/A|N/A|N/A|N/A|N/A|N/A",
                "3|http://site.example/p3?a=1&b=2|314|316|312|308|310|319|321|323|325|327|329|331",
                "Summe: ||428|432|424|416|420|438|442|446|450|454|458|462"}));

  // Each URL goes out percent-encoded as one query value.
  std::vector<TRecordedRequest> requests = Server().Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].Target, "/?url=http%3A%2F%2Fsite.example%2Fp1%3Fa%3D1%26b%3D2");

  std::string csv = Read(ReportPath("alles", "shop", "csv"));
  EXPECT_EQ(csv,
            "Nr.,URL,FB-Likes,FB-Shares,FB-Comments,FB-Clicks,\"FB-Summe / Total\",Delicious,GooglePlus,Buzz,Twitter,"
            "Diggs,Pinterest,\"\"\"LinkedIn\"\r\n"
            "1,http://site.example/p1?a=1&b=2,114,116,112,108,110,119,121,123,125,127,129,131\r\n"
            "2,http://site.example/p2?a=1&b=2,N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A,N/A\r\n"
            "3,http://site.example/p3?a=1&b=2,314,316,312,308,310,319,321,323,325,327,329,331\r\n");

  std::string html = Read(ReportPath("alles", "shop", "html"));
  const std::string td = "    <td align=\"left\" valign=\"top\">";
  EXPECT_EQ(html.rfind("  <table>\r\n  <tr>\r\n" + td + "Nr.</td>\r\n" + td + "URL</td>\r\n", 0), 0u);
  EXPECT_NE(html.find(td + "&quot;LinkedIn</td>\r\n  </tr>\r\n  <tr>\r\n" + td + "1</td>\r\n" + td +
                      "http://site.example/p1?a=1&amp;b=2</td>\r\n"),
            std::string::npos);
  const std::string tail = td + "331</td>\r\n  </tr>\r\n  </table>\r\n";
  ASSERT_GT(html.size(), tail.size());
  EXPECT_EQ(html.substr(html.size() - tail.size()), tail);
  EXPECT_EQ(html.find("Summe: "), std::string::npos);  // the reports come before the sum row

  EXPECT_EQ(Form1->WebBrowser1->LocationURL(), Utf8ToString(home.PathOf(ReportPath("alles", "shop", "html"))));
  EXPECT_EQ(Form1->ReportCsvPath, Utf8ToString(home.PathOf(ReportPath("alles", "shop", "csv"))));
  for (const char* folder : {"facebook", "twitter", "gplus", "pinterest", "delicious"})
    EXPECT_TRUE(std::filesystem::is_directory(home.PathOf(std::string("reporting/") + folder))) << folder;
}

struct NetworkCase {
  const char* name;
  TRadioButton* TForm1::*radio;
  std::string folder;
  int wait;
  std::string firstTarget;
  std::vector<std::string> rows;
  std::string status;
  friend void PrintTo(const NetworkCase& c, std::ostream* os) { *os << c.name; }
};

class SingleNetwork : public SocialAnalysis, public ::testing::WithParamInterface<NetworkCase> {};

TEST_P(SingleNetwork, FillsItsColumnsFromItsLines) {
  const NetworkCase& c = GetParam();
  StartWithUrls(2);
  (Form1->*c.radio)->SetChecked(true);
  uint64_t start = clock.TickCount64();
  Form1->Button2->Click();
  EXPECT_EQ(clock.TickCount64() - start, 2u * c.wait);
  EXPECT_EQ(GridRows(*Form1->StringGrid1), c.rows);
  EXPECT_EQ(Server().Requests().at(0).Target, c.firstTarget);
  EXPECT_EQ(Status(), c.status);
  EXPECT_TRUE(home.Exists(ReportPath(c.folder, "shop", "csv")));
  EXPECT_TRUE(home.Exists(ReportPath(c.folder, "shop", "html")));
  EXPECT_EQ(Form1->WebBrowser1->LocationURL(), u"");  // only the all-networks report is shown
}

const std::string kFql =
    "/fql?q=SELECT%20like_count,%20total_count,%20share_count,%20click_count,%20comment_count%20FROM%20link_stat%20"
    "WHERE%20url%20=%20%22http%3A%2F%2Fsite.example%2Fp1%3Fa%3D1%26b%3D2%22";
const std::string kUrl1 = "http%3A%2F%2Fsite.example%2Fp1%3Fa%3D1%26b%3D2";

INSTANTIATE_TEST_SUITE_P(
    Networks, SingleNetwork,
    ::testing::Values(
        NetworkCase{"Facebook", &TForm1::Facebook, "facebook", 200, kFql,
                    {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total",
                     "1|http://site.example/p1?a=1&b=2|102|106|110|108|104",
                     "2|http://site.example/p2?a=1&b=2|202|206|210|208|204", "Summe: ||304|312|320|316|308"},
                    " Facebook-Analyse fertig gestellt"},
        NetworkCase{"Twitter", &TForm1::Twitter, "twitter", 100, "/1/urls/count.json?url=" + kUrl1,
                    {"Nr.|URL|Tweets", "1|http://site.example/p1?a=1&b=2|101", "2|http://site.example/p2?a=1&b=2|201",
                     "Summe: ||302"},
                    " Twitter-Analyse fertig gestellt"},
        NetworkCase{"Google", &TForm1::google, "gplus", 100, "/?url=" + kUrl1,
                    {"Nr.|URL|Google+", "1|http://site.example/p1?a=1&b=2|121", "2|http://site.example/p2?a=1&b=2|221",
                     "Summe: ||342"},
                    " Google+ - Analyse fertig gestellt"},
        NetworkCase{"Pinterest", &TForm1::Pinterest, "pinterest", 100, "/?url=" + kUrl1,
                    {"Nr.|URL|Pins", "1|http://site.example/p1?a=1&b=2|129", "2|http://site.example/p2?a=1&b=2|229",
                     "Summe: ||358"},
                    " Pinterest - Analyse fertig gestellt"},
        NetworkCase{"Delicious", &TForm1::Delicious, "delicious", 100, "/?url=" + kUrl1,
                    {"Nr.|URL|Delicious", "1|http://site.example/p1?a=1&b=2|119",
                     "2|http://site.example/p2?a=1&b=2|219", "Summe: ||338"},
                    " Delicious - Analyse fertig gestellt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SocialAnalysis, LivePieKeepsRunningSumsAndAWordDoesNotFailTheRow) {
  words = {2};
  missing = {3};
  StartWithUrls(3);
  Form1->Facebook->SetChecked(true);
  Form1->Echtzeitauswertung->SetChecked(true);
  Form1->Button2->Click();

  std::vector<std::string> rows = GridRows(*Form1->StringGrid1);
  EXPECT_EQ(rows[2], "2|http://site.example/p2?a=1&b=2|viele|206|210|208|204");
  EXPECT_EQ(rows[3], "3|http://site.example/p3?a=1&b=2|N/A|N/A|N/A|N/A|N/A");
  EXPECT_EQ(rows[4], "Summe: ||102|312|320|316|308");

  const TChartSeries& pie = Form1->Series1();
  EXPECT_EQ(Form1->Chart1->Title(), u"Auswertung - Facebook");
  EXPECT_EQ(pie.Title(), u"Facebook - Signalverteilung");
  EXPECT_TRUE(pie.Active());
  std::vector<std::pair<std::string, double>> points;
  for (int i = 0; i < pie.Count(); ++i) points.emplace_back(StringToUtf8(pie.Point(i).Label), pie.Point(i).Value);
  EXPECT_EQ(points, (std::vector<std::pair<std::string, double>>{
                        {"FB-Likes", 102}, {"FB-Shares", 312}, {"FB-Comments", 320}, {"FB-Clicks", 316}}));
}

TEST_F(SocialAnalysis, AllNetworksLivePieNamesEveryNetwork) {
  StartWithUrls(1);
  Form1->Alles->SetChecked(true);
  Form1->Echtzeitauswertung->SetChecked(true);
  Form1->Button2->Click();
  const TChartSeries& pie = Form1->Series1();
  EXPECT_EQ(Form1->Chart1->Title(), u"Auswertung");
  EXPECT_EQ(pie.Title(), u"Socialmedia - Alles");
  std::vector<std::pair<std::string, double>> points;
  for (int i = 0; i < pie.Count(); ++i) points.emplace_back(StringToUtf8(pie.Point(i).Label), pie.Point(i).Value);
  EXPECT_EQ(points, (std::vector<std::pair<std::string, double>>{{"Facebook (komplett)", 110},
                                                                 {"Delicious", 119},
                                                                 {"GooglePlus", 121},
                                                                 {"Buzz", 123},
                                                                 {"Twitter", 125},
                                                                 {"Diggs", 127},
                                                                 {"Pinterest", 129},
                                                                 {"Linkedin", 131}}));
}

TEST_F(SocialAnalysis, WithoutLiveEvaluationTheChartIsOnlyCleared) {
  StartWithUrls(2);
  Form1->Series1().Add(5, u"alt");
  Form1->Facebook->SetChecked(true);
  Form1->Button2->Click();
  EXPECT_EQ(Form1->Series1().Count(), 0);
  EXPECT_EQ(Form1->Chart1->Title(), u"");
  EXPECT_FALSE(Form1->Series1().Active());
}

TEST_F(SocialAnalysis, SecondRunReplacesTheSumRowAndNeverRequestsIt) {
  StartWithUrls(2);
  Form1->Twitter->SetChecked(true);
  Form1->Button2->Click();
  Form1->Button2->Click();
  EXPECT_EQ(Server().Requests().size(), 4u);
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{"Nr.|URL|Tweets", "1|http://site.example/p1?a=1&b=2|101",
                                      "2|http://site.example/p2?a=1&b=2|201", "Summe: ||302"}));
  // The report of the second run has no sum row either.
  EXPECT_EQ(Read(ReportPath("twitter", "shop", "csv")),
            "Nr.,URL,Tweets\r\n1,http://site.example/p1?a=1&b=2,101\r\n2,http://site.example/p2?a=1&b=2,201\r\n");
}

TEST_F(SocialAnalysis, ExistingReportingFolderWithoutNetworkFoldersStillGetsTheReports) {
  home.WriteFile("reporting/kelvo/key/keep.txt", "x");
  StartWithUrls(1);
  Form1->Pinterest->SetChecked(true);
  app.RunHandler([&] { Form1->Button2->Click(); });
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(home.Exists(ReportPath("pinterest", "shop", "html")));
  EXPECT_EQ(GridRows(*Form1->StringGrid1).back(), "Summe: ||129");
}

TEST_F(SocialAnalysis, EmptyProjectWritesIntoTheNetworkFolder) {
  StartWithUrls(1, "");
  Form1->Delicious->SetChecked(true);
  Form1->Button2->Click();
  EXPECT_TRUE(home.Exists(ReportPath("delicious", "", "csv")));
  EXPECT_TRUE(home.Exists(ReportPath("delicious", "", "html")));
}

TEST_F(SocialAnalysis, ProjectNameThatLeavesItsFolderGetsNoReports) {
  StartWithUrls(1, "../draussen");
  Form1->Delicious->SetChecked(true);
  Form1->Button2->Click();
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_FALSE(home.Exists("reporting/draussen"));
  EXPECT_FALSE(home.Exists("draussen"));
  EXPECT_EQ(GridRows(*Form1->StringGrid1).back(), "Summe: ||119");
}

TEST_F(SocialAnalysis, TitleRowOnlyAsksNothingAndSumsZero) {
  StartWithUrls(0);
  Form1->Alles->SetChecked(true);
  Form1->Button2->Click();
  EXPECT_TRUE(Server().Requests().empty());
  EXPECT_EQ(GridRows(*Form1->StringGrid1).back(), "Summe: ||0|0|0|0|0|0|0|0|0|0|0|0");
  EXPECT_EQ(Read(ReportPath("alles", "shop", "csv")),
            "Nr.,URL,FB-Likes,FB-Shares,FB-Comments,FB-Clicks,\"FB-Summe / Total\",Delicious,GooglePlus,Buzz,Twitter,"
            "Diggs,Pinterest,\"\"\"LinkedIn\"\r\n");
}

// Services that cannot be reached: every row shows "N/A", so does the sum (no URL was
// counted), and the status says how many URLs could not be checked and why, instead of the
// success text.
struct TUnreachableCase {
  const char* name;
  bool closedPort;       // a refused port on 127.0.0.1, else a host name that never resolves
  std::string meaning;   // the first reason after "<kind> bei GET <request>: "
  std::string kind;
};

void PrintTo(const TUnreachableCase& c, std::ostream* os) { *os << c.name; }

class UnreachableService : public SocialAnalysis, public ::testing::WithParamInterface<TUnreachableCase> {};

TEST_P(UnreachableService, RowsShowNotAvailableAndTheStatusSaysWhy) {
  const TUnreachableCase& c = GetParam();
  TLoopbackSocket closed(false);
  const std::string base = c.closedPort ? "http://127.0.0.1:" + std::to_string(closed.Port()) : "http://dienst.invalid";
  Start();
  home.PointServicesAt(base);
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|http://site.example/p1", "2|http://site.example/p2",
                                 "3|http://site.example/p3", "4|http://site.example/p4"});
  Form1->google->SetChecked(true);
  Form1->Button2->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{"Nr.|URL|Google+", "1|http://site.example/p1|N/A", "2|http://site.example/p2|N/A",
                                      "3|http://site.example/p3|N/A", "4|http://site.example/p4|N/A", "Summe: ||N/A"}));
  const std::string status = " 4 von 4 URLs ließen sich nicht prüfen (N/A). Erster Grund: " + c.kind + " bei GET " +
                             base + "/?url=http%3A%2F%2Fsite.example%2Fp1: " + c.meaning + " (libcurl ";
  EXPECT_EQ(Status().substr(0, status.size()), status) << Status();
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, UnreachableService,
    ::testing::Values(TUnreachableCase{"ClosedPort", true,
                                       "Der Rechner hat die Verbindung abgewiesen: an dieser Adresse und diesem Port "
                                       "nimmt kein Dienst Verbindungen an.",
                                       "Keine Verbindung möglich"},
                      TUnreachableCase{"UnknownHost", false,
                                       "Der Name des Rechners ließ sich nicht auflösen. Ist er richtig geschrieben, "
                                       "und besteht eine Netzverbindung?",
                                       "Rechner nicht gefunden"}),
    [](const auto& info) { return std::string(info.param.name); });

// The sums take the integers only, in 64 bits; a column in which no row holds one has no
// sum.
TEST_F(SocialAnalysis, SumRowAloneCountsOnlyIntegersIn64Bits) {
  Start();
  FillGrid(*Form1->StringGrid1, {"Nr.|URL|A|B|C", "1|u|3000000000|N/A|x", "2|u|3000000000||-4", "3|u|7|wort|1"});
  Form1->Button2->Click();  // no network chosen: only the sum row
  EXPECT_TRUE(Server().Requests().empty());
  EXPECT_EQ(GridRows(*Form1->StringGrid1).back(), "Summe: ||6000000007|N/A|-3");
}

struct FilterCase {
  const char* name;
  bool facebook;
  std::vector<std::string> before, after;
  friend void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }
};

class EmptyRowFilter : public AppFixture, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(EmptyRowFilter, RemovesAllZeroRowsAndRenumbers) {
  Start();
  FillGrid(*Form1->StringGrid1, GetParam().before);
  Form1->Facebook->SetChecked(GetParam().facebook);
  Form1->FiltereleereZeilen1->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyRowFilter,
    ::testing::Values(
        FilterCase{"AdjacentZeroRows",
                   true,
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "1|a|0|0|0|0|0", "2|b|0|0|0|0|0",
                    "3|c|0|1|0|0|1", "4|d|0|0|0|0|0", "Summe: ||0|1|0|0|1"},
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "1|c|0|1|0|0|1", "Summe: ||0|1|0|0|1"}},
        FilterCase{"AllZeroKeepsTheSumRow",
                   true,
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "1|a|0|0|0|0|0", "Summe: ||0|0|0|0|0"},
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "Summe: ||0|0|0|0|0"}},
        FilterCase{"NotAvailableIsNoZero",
                   true,
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "1|a|N/A|N/A|N/A|N/A|N/A"},
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "1|a|N/A|N/A|N/A|N/A|N/A"}},
        FilterCase{"OtherNetworkOnlyRenumbers",
                   false,
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "7|a|0|0|0|0|0", "9|b|0|0|0|0|0"},
                   {"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total", "1|a|0|0|0|0|0", "2|b|0|0|0|0|0"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Ending the program while the analysis waits between two requests ("Beenden" or the main
// window's close button): no further request goes out, no report and no sum row is
// written, and the handler ends so that the message loop can close the program.
struct ClosingCase {
  const char* name;
  void (*close)();
};

class SocialAnalysisClosing : public SocialAnalysis, public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(SocialAnalysisClosing, EndsTheRunWithoutFurtherRequestsOrReports) {
  StartWithUrls(5);
  Form1->Facebook->SetChecked(true);
  headless.ScheduleInput(clock.TickCount64() + 300, GetParam().close);  // during the wait before URL 2

  EXPECT_THROW(Form1->Button2->Click(), EAbort);
  EXPECT_TRUE(app.Terminated());
  EXPECT_EQ(Server().Requests().size(), 1u);
  EXPECT_FALSE(home.Exists(ReportPath("facebook", "shop", "html")));
  EXPECT_FALSE(home.Exists(ReportPath("facebook", "shop", "csv")));
  EXPECT_EQ(Form1->StringGrid1->RowCount(), 6);  // no sum row
  EXPECT_FALSE(Form1->WorkflowRunning());
}

INSTANTIATE_TEST_SUITE_P(Closing, SocialAnalysisClosing,
                         ::testing::Values(ClosingCase{"Beenden", [] { Form1->Beenden1->Click(); }},
                                           ClosingCase{"CloseButton", [] { Form1->Close(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SocialAnalysis, HiddenProbeResetsTheGridAndSplitsTheAnswer) {
  Serve();
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|http://site.example/p1"});
  Server().Answer("/", THttpAnswer("{\"Twitter\":3,\"Pinterest\":4}"));
  Form1->Button1->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nr.|URL|Likes|Shares|Comments|Clicks|Summe / Total|"}));
  EXPECT_EQ(Form1->Memo1->Lines().Get(1), u"3");
  EXPECT_EQ(Form1->Memo1->Lines().Get(3), u"4");
  EXPECT_EQ(Server().Requests().size(), 1u);
}

}  // namespace
