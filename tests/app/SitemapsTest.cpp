// Sitemaps: downloaded from a real server on 127.0.0.1 (HTTP and HTTPS), or read from a
// local file.
#include "tests/app/AppFixture.h"
#include "tests/support/Process.h"


namespace {

const char* const kUrlset =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n"
    "  <url>\n    <loc>http://shop.example/</loc>\n    <lastmod>2024-01-01</lastmod>\n  </url>\n"
    "  <url><LOC>https://shop.example/a?x=1&amp;y=2</LOC></url>\n"
    "  <url><loc>\n      http://shop.example/b\n    </loc></url>\n"
    "</urlset>\n";

struct TSitemapCase {
  const char* name;
  std::string body;
  bool https;
  std::vector<std::string> urls;
};

// Cases show as their names in test listings.
void PrintTo(const TSitemapCase& c, std::ostream* os) { *os << c.name; }

class OnlineSitemapTest : public AppFixture, public ::testing::WithParamInterface<TSitemapCase> {};

TEST_P(OnlineSitemapTest, FillsTheGridAndTheProjectFiles) {
  const TSitemapCase& c = GetParam();
  Server(c.https).Answer("/sitemap.xml", THttpAnswer(c.body, "application/xml"));
  Start();
  Form1->projekte->UserSetText(u"shop");  // a project that was never saved
  Form1->Edit9->UserSetText(server->Url("/sitemap.xml"));
  Form1->Button3->Click();

  std::vector<std::string> expected{"Nummer|URL"};
  std::string urlsFile;
  for (size_t i = 0; i < c.urls.size(); ++i) {
    expected.push_back(std::to_string(i + 1) + "|" + c.urls[i]);
    urlsFile += c.urls[i] + "\r\n";
  }
  EXPECT_EQ(GridRows(*Form1->StringGrid1), expected);
  EXPECT_EQ(Status(), " " + std::to_string(c.urls.size()) + " Links gefunden");
  EXPECT_EQ(Read("projekte/shop/urls.txt"), urlsFile);
  EXPECT_EQ(Read("projekte/shop/sitemaps.txt"), StringToUtf8(server->Url("/sitemap.xml")));
  EXPECT_EQ(Read("tmp.xml"), c.body);
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sitemaps, OnlineSitemapTest,
    ::testing::Values(
        TSitemapCase{"Urlset", kUrlset, false,
                     {"http://shop.example/", "https://shop.example/a?x=1&y=2", "http://shop.example/b"}},
        TSitemapCase{"OverHttps", kUrlset, true,
                     {"http://shop.example/", "https://shop.example/a?x=1&y=2", "http://shop.example/b"}},
        // An index yields the addresses of its sitemaps; nothing is followed.
        TSitemapCase{"Index",
                     "<sitemapindex><sitemap><loc>http://shop.example/s1.xml</loc></sitemap>"
                     "<sitemap><loc>http://shop.example/s2.xml</loc></sitemap></sitemapindex>",
                     false,
                     {"http://shop.example/s1.xml", "http://shop.example/s2.xml"}},
        TSitemapCase{"References",
                     "<urlset><url><loc>http://x.example/?q=a&amp;b=&lt;c&gt;&#38;&#x3D;&quot;&apos;&unknown;</loc>"
                     "</url></urlset>",
                     false,
                     {"http://x.example/?q=a&b=<c>&=\"'&unknown;"}},
        TSitemapCase{"OneLine",
                     "<urlset><url><loc>http://a.example/1</loc></url><url><loc>http://a.example/2</loc></url>"
                     "<url><loc>http://a.example/3</loc></url></urlset>",
                     false,
                     {"http://a.example/1", "http://a.example/2", "http://a.example/3"}},
        // A value without its closing tag ends where the next one starts, or with the text.
        TSitemapCase{"Unclosed", "<loc>http://a.example/1\n<loc>http://a.example/2</loc><loc> http://a.example/3 ", false,
                     {"http://a.example/1", "http://a.example/2", "http://a.example/3"}},
        TSitemapCase{"NoUrls", "<urlset></urlset>", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFixture, AFailedDownloadLeavesTheGridAsItWas) {
  TTestHttpServer& server = Server();  // answers 404 to everything
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|http://kept.example/"});
  Form1->projekte->UserSetText(u"shop");
  Form1->Edit9->UserSetText(server.Url("/missing.xml"));
  app.RunHandler([&] { Form1->Button3->Click(); });
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL", "1|http://kept.example/"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("404"), std::string::npos) << Messages()[0];
  EXPECT_FALSE(home.Exists("projekte/shop/urls.txt"));
  EXPECT_TRUE(home.Exists("tmp.xml"));
  // A later click runs again: the failure did not leave the workflow marked as running.
  server.Answer("/missing.xml", THttpAnswer("<loc>http://late.example/</loc>"));
  Form1->Button3->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL", "1|http://late.example/"}));
}

TEST_F(AppFixture, TheHiddenButtonOnlyDownloads) {
  TTestHttpServer& server = Server();
  server.Answer("/s.xml", THttpAnswer("<urlset><url><loc>http://a.example/</loc></url></urlset>"));
  Start();
  Form1->Edit9->UserSetText(server.Url("/s.xml"));
  Form1->Button11->Click();
  EXPECT_EQ(Read("tmp.xml"), "<urlset><url><loc>http://a.example/</loc></url></urlset>");
  EXPECT_FALSE(home.Exists("tmp.txt"));
}

// The local file is read like a downloaded one (one line: no URL lost); the grid keeps its
// titles and columns, the rows lose the values checked for the URLs they held, and no
// project file is written.
TEST_F(AppFixture, LocalSitemapFillsOnlyTheGrid) {
  home.WriteFile("in/sitemap.xml",
                 "<urlset><url><loc>http://a.example/1</loc></url><url><loc>http://a.example/2&amp;x</loc></url>"
                 "<url><loc>http://a.example/3</loc></url></urlset>");
  Start();
  FillGrid(*Form1->StringGrid1, {"Nr.|URL|Likes", "1|old|5", "2|old|6", "3|old|7", "4|old|8"});
  Form1->projekte->UserSetText(u"shop");
  headless.AnswerFileDialog(Utf8ToString(home.PathOf("in/sitemap.xml")));
  Form1->Edit1->DblClick();
  EXPECT_EQ(Form1->Edit1->Text(), Utf8ToString(home.PathOf("in/sitemap.xml")));
  Form1->Button5->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{"Nr.|URL|Likes", "1|http://a.example/1|", "2|http://a.example/2&x|",
                                      "3|http://a.example/3|"}));
  EXPECT_EQ(Status(), " 3 Links gefunden");
  EXPECT_EQ(StringToUtf8(Form1->Memo2->Text()), "http://a.example/1\r\nhttp://a.example/2&x\r\nhttp://a.example/3\r\n");
  EXPECT_FALSE(home.Exists("projekte/shop"));
  // A longer list later shows none of the hidden old rows' values either.
  home.WriteFile("in/five.xml", "<loc>http://b.example/1</loc><loc>b2</loc><loc>b3</loc><loc>b4</loc><loc>b5</loc>");
  Form1->Edit1->SetText(Utf8ToString(home.PathOf("in/five.xml")));
  Form1->Button5->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nr.|URL|Likes", "1|http://b.example/1|", "2|b2|",
                                                                     "3|b3|", "4|b4|", "5|b5|"}));
}

// A sitemap's bytes are decoded as XML says: a byte-order mark, else the declared encoding,
// else UTF-8. The encoded files come from iconv.
struct TEncodingCase {
  const char* name;
  std::string iconvTarget;  // the encoding iconv writes the UTF-8 text in ("" = as it stands)
  std::string declaration;  // the XML declaration in front of the text
  std::string mark;         // bytes in front of everything
  std::string url = "http://b\xC3\xA4" "cker.example/br\xC3\xB6tchen\xE2\x82\xAC";  // UTF-8
};

void PrintTo(const TEncodingCase& c, std::ostream* os) { *os << c.name; }

class SitemapEncodingTest : public AppFixture, public ::testing::WithParamInterface<TEncodingCase> {};

TEST_P(SitemapEncodingTest, LocalAndOnlineSitemapsKeepTheirCharacters) {
  const TEncodingCase& c = GetParam();
  const std::string text = c.declaration + "<urlset><url><loc>" + c.url + "</loc></url></urlset>";
  const std::string bytes = c.mark + (c.iconvTarget.empty() ? text : RunTool("iconv -f UTF-8 -t " + c.iconvTarget, text));
  home.WriteFile("in/sitemap.xml", bytes);
  Server().Answer("/sitemap.xml", THttpAnswer(bytes, "application/xml"));
  Start();
  Form1->projekte->UserSetText(u"shop");

  Form1->Edit1->SetText(Utf8ToString(home.PathOf("in/sitemap.xml")));
  Form1->Button5->Click();
  EXPECT_EQ(StringToUtf8(Form1->StringGrid1->Cells(1, 1)), c.url);

  Form1->Edit9->UserSetText(server->Url("/sitemap.xml"));
  Form1->Button3->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL", "1|" + c.url}));
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, SitemapEncodingTest,
    ::testing::Values(TEncodingCase{"Utf8Undeclared", "", "", ""},
                      TEncodingCase{"Utf8Declared", "", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", ""},
                      TEncodingCase{"Utf8Mark", "", "", "\xEF\xBB\xBF"},
                      TEncodingCase{"Utf16LeMark", "UTF-16LE", "<?xml version=\"1.0\"?>", "\xFF\xFE"},
                      TEncodingCase{"Utf16BeUnmarked", "UTF-16BE", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>", ""},
                      TEncodingCase{"Latin1Declared", "ISO-8859-1",
                                    "<?xml version='1.0' encoding = 'iso-8859-1' standalone='yes'?>\n", "",
                                    "http://b\xC3\xA4" "cker.example/br\xC3\xB6tchen"},
                      TEncodingCase{"Windows1252Declared", "WINDOWS-1252",
                                    "<?xml version=\"1.0\" encoding=\"windows-1252\"?>", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Without a declaration, bytes that are no UTF-8 are an older sitemap's code page 1252; an
// encoding the program does not know ends the import with a message naming it, the grid as
// it was.
TEST_F(AppFixture, SitemapsOutsideUtf8) {
  home.WriteFile("in/ansi.xml", "<loc>http://a.example/gr\xFC\xDF" "e\x80</loc>");
  home.WriteFile("in/koi.xml", "<?xml version=\"1.0\" encoding=\"KOI8-R\"?><loc>http://a.example/</loc>");
  Start();
  Form1->Edit1->SetText(Utf8ToString(home.PathOf("in/ansi.xml")));
  Form1->Button5->Click();
  EXPECT_EQ(StringToUtf8(Form1->StringGrid1->Cells(1, 1)), "http://a.example/gr\xC3\xBC\xC3\x9F" "e\xE2\x82\xAC");
  const std::vector<std::string> rows = GridRows(*Form1->StringGrid1);

  Form1->Edit1->SetText(Utf8ToString(home.PathOf("in/koi.xml")));
  app.RunHandler([&] { Form1->Button5->Click(); });
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Die Sitemap ist in der unbekannten Zeichenkodierung \"koi8-r\" geschrieben."}));
  EXPECT_EQ(GridRows(*Form1->StringGrid1), rows);
}

TEST_F(AppFixture, CancelledFileDialogKeepsTheFileName) {
  Start();
  headless.AnswerFileDialog(std::nullopt);
  Form1->Edit1->DblClick();
  EXPECT_EQ(Form1->Edit1->Text(), u"Sitemap-Datei");
}

}  // namespace
