// The page scraper window, the hidden fixed-page crawl and the hidden JSON test, headless
// against a feed served by a test server.
#include <fstream>
#include <functional>
#include <sstream>

#include "app/FeedText.h"
#include "platform/net/ServiceEndpoints.h"
#include "tests/app/AppFixture.h"

namespace {

std::string FixtureBytes(const char* name) {
  std::ifstream in(std::string(WENDREL_FIXTURES) + "/app/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> MemoLines(const TMemo& memo) {
  std::vector<std::string> lines;
  for (int i = 0; i < memo.Lines().Count(); ++i) lines.push_back(StringToUtf8(memo.Lines().Get(i)));
  return lines;
}

class PageScraperTest : public AppFixture {
 protected:
  void SetUp() override {
    home.WriteFile("config/credentials.ini", "[PageFeed]\r\nAccessToken=123456789012345|0123abcd\r\n");
    home.PointServiceAt(TWebService::PageFeed, Server().BaseUrl());
    Start();
  }
  void Crawl(const std::string& page) {
    Form4->fb_site->SetText(Utf8ToString(page));
    app.RunHandler([&] { Form4->Button1->Click(); });
  }
};

TEST_F(PageScraperTest, CrawlListsMessagesWithTheirLikes) {
  server->Answer("/Test%20Seite/feed", THttpAnswer(FixtureBytes("page_feed.json"), "application/json"));
  Crawl("Test Seite");
  ASSERT_TRUE(Messages().empty()) << Messages()[0];

  const TRecordedRequest request = server->LastRequest();
  EXPECT_EQ(request.Path, "/Test%20Seite/feed");
  EXPECT_EQ(request.Params.at("access_token"), "123456789012345|0123abcd");
  EXPECT_EQ(request.Params.at("limit"), "100");

  // One row per like entry (the message in the first), one for a post without likes; the
  // comment adds no row; every escape is decoded and the privacy member is gone.
  const std::vector<std::string> rows = {
      "Nummer|Nachricht|",
      "|Grüße aus Köln, Été Übung \xF0\x9F\x98\x80 http://example.org/a|Anna Beck",
      "||Jürgen Dörr",
      "|Nur ein Text|",
      "|Schönes Wochenende|Eva Fink",
  };
  EXPECT_EQ(GridRows(*Form4->StringGrid1), rows);
  EXPECT_EQ(MemoLines(*Form4->Memo1),
            (std::vector<std::string>{"Grüße aus Köln, Été Übung \xF0\x9F\x98\x80 http://example.org/a", "Nur ein Text",
                                      "Schönes Wochenende"}));

  EXPECT_EQ(Read("facebook_tmp.txt"), FixtureBytes("page_feed.json"));
  const std::string log = Read("fb_tmp_messages.txt");
  for (const char* entry : {"geliked!", "==> {\"id\":\"10\"\"name\":\"Anna Beck\"}", "kommentiert!",
                            "\"message\":\"Toll!\"\"can_remove\":false", "\"message\":\"Nur ein Text\r\n"})
    EXPECT_NE(log.find(entry), std::string::npos) << entry;
  EXPECT_NE(Read("tmp_likes.txt").find("Eva Fink"), std::string::npos);
}

TEST_F(PageScraperTest, TransferPutsTheMessagesIntoTheTextAnalysisAndCloses) {
  server->Answer("/seite/feed", THttpAnswer(FixtureBytes("page_feed.json"), "application/json"));
  Form1->text_ori->SetText(u"alter Text");
  Form4->Show();
  Crawl("seite");
  Form4->Button2->Click();
  EXPECT_EQ(MemoLines(*Form1->text_ori), MemoLines(*Form4->Memo1));
  EXPECT_EQ(Form1->text_ori->Lines().Count(), 3);
  EXPECT_FALSE(Form4->Visible());
}

// With nothing scraped (no crawl yet, a page without posts, only blank lines) the transfer
// keeps the user's text and says so; the window stays open for a crawl.
TEST_F(PageScraperTest, TransferOfAnEmptyResultKeepsTheUsersText) {
  server->Answer("/leer/feed", THttpAnswer("{\"data\":[]}", "application/json"));
  const std::vector<std::function<void()>> nothingScraped = {
      [] {},
      [&] { Crawl("leer"); },
      [] { Form4->Memo1->SetText(u"\r\n  \r\n"); },
  };
  for (size_t i = 0; i < nothingScraped.size(); ++i) {
    SCOPED_TRACE(i);
    headless.ClearShown();
    Form1->text_ori->SetText(u"Mein eigener Text\r\nzweite Zeile");
    Form4->Show();
    nothingScraped[i]();
    Form4->Button2->Click();
    EXPECT_EQ(Form1->text_ori->Text(), u"Mein eigener Text\r\nzweite Zeile");
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Keine Nachrichten zum \xC3\x9C" "bertragen: der Text unter \"Texte\" bleibt unver\xC3\xA4ndert."}));
    EXPECT_TRUE(Form4->Visible());
  }
}

TEST_F(PageScraperTest, FailedRequestShowsTheErrorAndParsesNothing) {
  server->Answer("/seite/feed", THttpAnswer(FixtureBytes("page_feed.json"), "application/json"));
  Crawl("seite");
  const std::vector<std::string> before = GridRows(*Form4->StringGrid1);

  server->Answer("/seite/feed", THttpAnswer("kaputt").WithStatus(500));
  Crawl("seite");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("500"), std::string::npos) << Messages()[0];
  EXPECT_EQ(GridRows(*Form4->StringGrid1), before);
}

TEST_F(PageScraperTest, ScanStopsAtTheEndOfTheTextWithoutPagingLine) {
  // Likes and comments whose paging line never comes.
  Form4->Memo1->SetText(
      u"\"message\":\"Eins\r\n\r\n\"likes\":{\"data\":[\r\n {\"id\":\"1\"\"name\":\"Anna\"}\r\n"
      u"{\"id\":\"2\"\"name\":\"Bert\"}");
  Form4->ParseFeedPosts();
  EXPECT_EQ(GridRows(*Form4->StringGrid1),
            (std::vector<std::string>{"Nummer|Nachricht|", "|Eins|Anna", "||Bert"}));
}

TEST_F(PageScraperTest, FixedPageCrawlCollectsLinksAndExtractsAnchors) {
  server->Answer("/tarnwick/feed", THttpAnswer(FixtureBytes("fixed_page_feed.json"), "application/json"));
  app.RunHandler([&] { Form1->Button8Click(nullptr); });

  // Plain addresses only: no picture, icon or link member; the paging lines without a next
  // page became "]", and the "}" lines are condensed without losing the line after them.
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{"0|http://example.org/neu", "1|https://graph.example/100/feed?until=2\"}"}));
  EXPECT_EQ(Read("tmp_fb_plain.txt"), "http://example.org/neu\r\nhttps://graph.example/100/feed?until=2\"}\r\n");
  const std::string lines = Read("tmp_fb.txt");
  for (const char* entry : {"\r\n]\r\n}}}}\r\n}\r\n]\"paging\":{\"next\":\"\r\n", "\r\n\"\"picture\":\"\r\n",
                            "\r\nhttps://cdn.example/p.jpg\"\"link\":\"\r\n"})
    EXPECT_NE(lines.find(entry), std::string::npos) << entry;
  EXPECT_EQ(Read("tmp_msg.txt"), "\"likes\":{\"data\":[\r\n");
  EXPECT_EQ(MemoLines(*Form1->Memo2), std::vector<std::string>{"\"likes\":{\"data\":["});

  // The one anchor of the feed; its quotes are still escaped in the feed text.
  EXPECT_EQ(Messages(), std::vector<std::string>{"/events/12\\"});
  EXPECT_EQ(MemoLines(*Form1->Memo1), std::vector<std::string>{"Termine:/events/12\\"});
}

TEST_F(PageScraperTest, ExtractPageLinksShowsEachAddressAndFailsOnAMissingFile) {
  home.WriteFile("tmp_fb.txt", FixtureBytes("links.txt"));
  Form1->Memo1->SetText(u"alt");
  Form1->ExtractPageLinks();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"http://example.org/eins", "", "http://example.org/%C3%BC"}));
  EXPECT_EQ(MemoLines(*Form1->Memo1),
            (std::vector<std::string>{"Erste Seite:http://example.org/eins", ":", "Grüße:http://example.org/%C3%BC"}));

  std::filesystem::remove(home.PathOf("tmp_fb.txt"));
  EXPECT_THROW(Form1->ExtractPageLinks(), Exception);
  EXPECT_TRUE(Form1->Memo1->Lines().Count() == 0);
}

struct TJsonCase {
  const char* Name;
  const char* Text;
  const char* Value;  // null: nothing happens
};

class JsonTestHandlerTest : public AppFixture, public ::testing::WithParamInterface<TJsonCase> {};

TEST_P(JsonTestHandlerTest, ShowsTheMemberOrStops) {
  Start();
  const String caption = Form1->Caption();
  Form1->Memo2->SetText(Utf8ToString(GetParam().Text));
  const std::vector<std::string> before = MemoLines(*Form1->Memo2);
  Form1->Button7Click(nullptr);
  std::vector<std::string> after = before;
  if (GetParam().Value) {
    // The empty line lands as the break after the memo's last line, as an edit box keeps it.
    after.push_back(std::string(" ") + GetParam().Value);
    EXPECT_EQ(StringToUtf8(Form1->Caption()), GetParam().Value);
  } else {
    EXPECT_EQ(Form1->Caption(), caption);
  }
  EXPECT_EQ(MemoLines(*Form1->Memo2), after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonTestHandlerTest,
    ::testing::Values(TJsonCase{"QuotedName", R"({"id":1,"\"from.name\"":"Jürgen \u00d6z \ud83d\ude00"})",
                                "Jürgen Öz \xF0\x9F\x98\x80"},
                      TJsonCase{"NumberValue", R"({"\"from.name\"":12})", "12"},
                      // The name without its double quotes and a nested "from" are other members.
                      TJsonCase{"PlainName", R"({"from.name":"A","from":{"name":"B"}})", nullptr},
                      TJsonCase{"ListRoot", R"([{"\"from.name\"":"A"}])", nullptr},
                      TJsonCase{"NoJson", "kein JSON", nullptr}, TJsonCase{"Empty", "", nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
