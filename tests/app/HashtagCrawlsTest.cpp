// The hashtag crawls against a test server standing in for the activity search, and the
// matrix workflows (list, counting, combinations) on small matrices.
#include "tests/app/AppFixture.h"

namespace {

// An activity-search answer: "#Auto " stands twice, "#Bahn, " holds a comma, a "\n" escape
// ends a hashtag like a blank.
const char* const kActivityAnswer =
    "{\"items\":[{\"object\":{\"content\":\"Neu: #Auto und #Elektro heute\"}},"
    "{\"object\":{\"content\":\"Wieder #Auto\\n#Bahn, schnell\"}},"
    "{\"object\":{\"content\":\"#Elektro #Auto\"}},{\"title\":\"#Auto, #Rad\"},"
    "{\"object\":{\"content\":\"#Zug\"}}]}";

std::vector<std::string> Lines(const TStrings& lines) {
  std::vector<std::string> texts;
  for (int i = 0; i < lines.Count(); ++i) texts.push_back(StringToUtf8(lines.Get(i)));
  return texts;
}

class HashtagTest : public AppFixture {
 protected:
  void StartWithService() {
    Server();
    home.PointServiceAt(TWebService::ActivitySearch, Server().BaseUrl());
    home.PointServiceAt(TWebService::TweetSearch, Server().BaseUrl());
    Start();
  }
};

TEST_F(HashtagTest, SingleCrawlKeepsDistinctHashtagLinesOfTheAnswer) {
  Server().Answer("/plus/v1/activities", THttpAnswer(kActivityAnswer, "application/json"));
  StartWithService();
  Form1->Memo5->SetText(u"alt");
  Form1->gplusappcode->UserSetText(u"KEY 1");
  Form1->Tag->UserSetText(u"rote rosen");
  Form1->Button12->Click();

  EXPECT_EQ(Server().LastRequest().Query, "orderBy=best&query=%23rote+rosen&alt=json&key=KEY%201");
  // Distinct lines: "#Auto ", "#Elektro ", "#Auto\"", "#Rad\"", "#Zug\"" (L = 5). Line 0 is
  // not taken and the numbered rows end at L - 2.
  EXPECT_EQ(GridRows(*Form1->StringGrid3), (std::vector<std::string>{"Nr.|rote+rosen", "1|#Elektro ", "2|#Auto\""}));
  EXPECT_EQ(StringToUtf8(Form1->StringGrid3->Cells(1, 4)), "#Zug\"");  // kept beyond the count
  EXPECT_EQ(Form1->Memo5->Lines().Count(), 0);
  EXPECT_EQ(Status(), " fertig gecrawled");
  EXPECT_EQ(Read("acc_gplus.txt"), "KEY 1\r\n");
  EXPECT_EQ(Read("hashtags_complete.txt"), "#Auto \r\n#Elektro \r\n#Auto \r\n#Elektro \r\n#Auto\"\r\n#Rad\"\r\n#Zug\"\r\n");
  EXPECT_NE(Read("hashtags_plain.txt").find("{\r\n\"content\":\"#Elektro #Auto\"\r\n}"), std::string::npos);
  EXPECT_NE(Read("hashtags.txt").find("\r\n#Bahn, \r\n"), std::string::npos);

  Form1->recent->SetChecked(true);
  Form1->Button12->Click();
  EXPECT_EQ(Server().LastRequest().Params.at("orderBy"), "recent");
}

TEST_F(HashtagTest, AnswerWithFewerThanThreeHashtagLinesLeavesTheTitleRow) {
  Server().Answer("/plus/v1/activities", THttpAnswer("{\"content\":\"#a #b\"}", "application/json"));
  StartWithService();
  Form1->Tag->UserSetText(u"x");
  Form1->Button12->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid3), (std::vector<std::string>{"Nr.|x"}));
}

TEST_F(HashtagTest, ListCrawlWritesOneColumnPerListedHashtag) {
  Server().Answer("/plus/v1/activities", [](const TRecordedRequest& r) {
    if (r.Params.at("query") == "#auto") return THttpAnswer(kActivityAnswer, "application/json");
    return THttpAnswer("{\"content\":\"#x #y #z\"}", "application/json");
  });
  StartWithService();
  Form1->Memo5->SetText(u"auto\r\nrote rosen");
  Form1->Button25->Click();

  std::vector<std::string> queries;
  for (const TRecordedRequest& r : Server().Requests()) queries.push_back(r.Query.substr(0, r.Query.find("&alt")));
  EXPECT_EQ(queries, (std::vector<std::string>{"orderBy=best&query=%23auto", "orderBy=best&query=%23rote%20rosen"}));
  EXPECT_EQ(GridRows(*Form1->StringGrid3), (std::vector<std::string>{"Nr.|auto|rote rosen", "1|#Elektro |#y ",
                                                                       "2|#Auto\"|#z\"", "3|#Rad\"|"}));
  EXPECT_EQ(Status(), " Crawling fertig gestellt ... ");
}

TEST_F(HashtagTest, ListCrawlOfAShortListStartsFromTheSingleCrawl) {
  Server().Answer("/plus/v1/activities", THttpAnswer(kActivityAnswer, "application/json"));
  StartWithService();
  Form1->Tag->UserSetText(u"auto");
  Form1->Button13->Click();
  // The single crawl's column 1 ("auto", "#Elektro ", "#Auto\"") becomes the list.
  std::vector<std::string> queries;
  for (const TRecordedRequest& r : Server().Requests()) queries.push_back(r.Params.at("query"));
  EXPECT_EQ(queries, (std::vector<std::string>{"#auto", "#auto", "#Elektro", "#Auto\""}));
  EXPECT_EQ(GridRows(*Form1->StringGrid3)[0], "Nr.|auto|Elektro|Auto\"");
}

TEST_F(HashtagTest, FailedListRequestKeepsTheColumnsBefore) {
  Server().Answer("/plus/v1/activities", [](const TRecordedRequest& r) {
    if (r.Params.at("query") == "#b") return THttpAnswer("quota").WithStatus(403);
    return THttpAnswer(kActivityAnswer, "application/json");
  });
  StartWithService();
  Form1->Memo5->SetText(u"a\r\nb\r\nc");
  app.RunHandler([&] { Form1->Button13->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("403"), std::string::npos) << Messages()[0];
  EXPECT_EQ(Form1->StringGrid3->ColCount(), 2);
  EXPECT_EQ(Form1->StringGrid3->Cells(1, 0), u"a");
}

TEST_F(HashtagTest, MatrixToListFiltersAndCleansColumnOne) {
  StartWithService();
  FillGrid(*Form1->StringGrid3, {"Nr.|#auto", "1|#Elektro ", "2|#e.on ", "3|#ab", "4|#Elektro\u00a0\u00a0",
                                 "5|#Zug ", "6|#Bahnhof"});
  Form1->Zeichenanzahl->UserSetText(u"4");
  // Whole lines: "#Zug " goes, "#Bahnhof" stays although "#Bahnhofstraße" is listed.
  Form1->Memo9->SetText(u"#Zug \r\n#Bahnhofstraße");
  Form1->Button14->Click();
  EXPECT_EQ(Lines(Form1->Memo5->Lines()), (std::vector<std::string>{"auto", "Elektro", "eon", "Bahnhof"}));
}

class HashtagCountTest : public HashtagTest {
 protected:
  void SetUp() override {
    StartWithService();
    FillGrid(*Form1->StringGrid3, {"Nr.|auto|bahn", "1|#Elektro|#Auto", "2|#Auto|#Elektro", "3|#Rad|#Elektro"});
  }
};

TEST_F(HashtagCountTest, FilterCountsHashtagsOccurringMoreOftenThanTheMinimum) {
  Form1->minimum->UserSetText(u"1");
  Form1->Button15->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid4),
            (std::vector<std::string>{"Nr.|Hashtag / KW|Summe", "1|Elektro|3", "2|Auto|2"}));
  EXPECT_EQ(Read("tmp_tags_single_plain.txt"), "auto\r\nElektro\r\nAuto\r\nRad\r\nbahn\r\nAuto\r\nElektro\r\nElektro\r\n");
  EXPECT_EQ(Lines(Form1->ComboBox1->Items()), (std::vector<std::string>{"Hashtag / KW", "Elektro", "Auto"}));
  EXPECT_EQ(Lines(Form1->Memo5->Lines()), (std::vector<std::string>{"auto", "Elektro", "Auto", "Rad", "bahn"}));
  EXPECT_EQ(Form1->PageControl3->ActivePage(), Form1->Filter_Summe);
  EXPECT_EQ(Status(), " 1st - Levelfilterprozess fertig gestellt");

  Form1->minimum->UserSetText(u"0");
  Form1->Button15->Click();
  EXPECT_EQ(Form1->StringGrid4->RowCount(), 6);
  EXPECT_EQ(GridRows(*Form1->StringGrid4)[5], "5|bahn|1");
}

TEST_F(HashtagCountTest, NonNumericMinimumEndsTheCounting) {
  Form1->minimum->UserSetText(u"eins");
  app.RunHandler([&] { Form1->Button15->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("eins"), std::string::npos) << Messages()[0];
  EXPECT_EQ(GridRows(*Form1->StringGrid4), (std::vector<std::string>{"Nr.|Hashtag / KW|Summe"}));
}

struct TComboCase {
  const char* name;
  const char16_t* word;
  std::vector<std::string> rows;
  std::string status;
};

class CombinationTest : public HashtagTest, public ::testing::WithParamInterface<TComboCase> {};

TEST_P(CombinationTest, ListsCombinationsHoldingTheSearchWord) {
  StartWithService();
  FillGrid(*Form1->StringGrid3, {"Nr.|auto|bahn|rad", "1|#Elektro|#Auto|#Elektro", "2|#Auto|#Zug|#Zug",
                                 "3|#Rad|#Zug|#Zug", "4||bahn|"});
  home.WriteFile("tmp_tags_single_plain.txt", "x\r\n");
  Form1->ComboBox1->SetText(GetParam().word);
  Form1->Button18->Click();
  // Combinations: Auto|bahn|Auto, Zug|bahn|Auto (twice), Elektro|rad|Rad, Zug|rad|Rad
  // (twice); "bahn" below its own title is left out. The first filtered line is not shown.
  EXPECT_EQ(Read("tmp_tags_plain.txt"),
            "Auto|bahn|Auto\r\nZug|bahn|Auto\r\nZug|bahn|Auto\r\nElektro|rad|Rad\r\nZug|rad|Rad\r\nZug|rad|Rad\r\n");
  EXPECT_EQ(GridRows(*Form1->kombos), GetParam().rows);
  EXPECT_EQ(Status(), GetParam().status);
  EXPECT_EQ(Form1->PageControl3->ActivePage(), Form1->Kombi);
  EXPECT_EQ(Lines(Form1->Memo5->Lines()), (std::vector<std::string>{"auto", "Elektro", "Auto", "Rad", ""}));
}

INSTANTIATE_TEST_SUITE_P(
    SearchWords, CombinationTest,
    ::testing::Values(TComboCase{"Empty", u"",
                                 {"Nr.|Tag (1)|Tag (2)|Tag (3)", "1|Zug|bahn|Auto", "2|Elektro|rad|Rad", "3|Zug|rad|Rad"},
                                 " 3 Kombinationen gefiltert"},
                      TComboCase{"Zug", u"Zug", {"Nr.|Tag (1)|Tag (2)|Tag (3)", "1|Zug|rad|Rad"},
                                 " 1 Kombinationen gefiltert"},
                      TComboCase{"Nothing", u"Schiff", {"Nr.|Tag (1)|Tag (2)|Tag (3)"}, " -1 Kombinationen gefiltert"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HashtagTest, CombinationsBeforeTheFilterReportTheMissingWordFile) {
  StartWithService();
  FillGrid(*Form1->StringGrid3, {"Nr.|auto|bahn", "1|#a|#b"});
  app.RunHandler([&] { Form1->Button18->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("tmp_tags_single_plain.txt"), std::string::npos) << Messages()[0];
}

TEST_F(HashtagTest, ZuDiagramShowsTheSelectedRow) {
  StartWithService();
  FillGrid(*Form1->StringGrid4, {"Nr.|Hashtag / KW|Summe", "1|Elektro|3", "2|Auto|2"});
  Form1->StringGrid4->UserSelectCell(1, 2);
  Form1->zuDiagram1->Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"2\r\nAuto\r\n2\r\n", "2\r\nAuto\r\n2\r\n", "2"}));
}

TEST_F(HashtagTest, TweetSearchTestSendsTheConfiguredCredentials) {
  Server().Answer("/1.1/search/tweets.json", THttpAnswer("{\"errors\":[]}").WithStatus(401));
  StartWithService();
  home.WriteFile("config/credentials.ini", "[TweetSearch]\r\nConsumerKey=ck\r\nConsumerSecret=cs\r\nBearerToken=AAAA-b_c\r\n");
  Form1->text_ori->SetText(u"Text");
  app.RunHandler([&] { Form1->Button29->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("401"), std::string::npos) << Messages()[0];
  EXPECT_EQ(Lines(Form1->text_ori->Lines()), (std::vector<std::string>{"Text", "Y2s6Y3M="}));  // Base64 of "ck:cs"
  TRecordedRequest request = Server().LastRequest();
  EXPECT_EQ(request.Method, "POST");
  EXPECT_EQ(request.Target, "/1.1/search/tweets.json?q=%23freebandnames");
  EXPECT_EQ(request.Header("Authorization"), "Bearer AAAA-b_c");
  EXPECT_EQ(request.Header("Host"), "127.0.0.1:" + std::to_string(Server().Port()));
  EXPECT_EQ(request.Body, "");
}

TEST_F(HashtagTest, TweetSearchTestWithoutCredentialsIsRefused) {
  Server().Answer("/1.1/search/tweets.json", THttpAnswer("denied").WithStatus(401));
  StartWithService();
  app.RunHandler([&] { Form1->Button29->Click(); });
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("401"), std::string::npos) << Messages()[0];
  EXPECT_EQ(Lines(Form1->text_ori->Lines()).back(), "Og==");  // Base64 of ":"
}

TEST_F(HashtagTest, FormPostTestFailsWithTheClientMessage) {
  StartWithService();
  Form1->Memo1->SetText(u"vorher");
  app.RunHandler([&] { Form1->Button30->Click(); });
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Lines(Form1->Memo1->Lines()), (std::vector<std::string>{"vorher"}));
}

}  // namespace
