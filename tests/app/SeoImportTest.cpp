// The SEO-service import against a test server standing in for the service.
#include "tests/app/AppFixture.h"

namespace {

const char* const kAnswer =
    "<result><keyword url=\"http://shop.example/a\">schuhe</keyword>"
    "<url>http://shop.example/a</url><url>https://shop.example/b</url><url>http://shop.example/a</url>"
    "<url>HTTP://shop.example/c</url></result>";

struct TSeoCase {
  const char* name;
  int status;
  std::string body;
  std::vector<std::string> rows;
  std::string statusText;  // the start of the caption's status ("": the caption is the prefix alone)
};

// Cases show as their names in test listings.
void PrintTo(const TSeoCase& c, std::ostream* os) { *os << c.name; }

class SeoImportTest : public AppFixture, public ::testing::WithParamInterface<TSeoCase> {};

TEST_P(SeoImportTest, FillsTheGridFromTheAnswer) {
  const TSeoCase& c = GetParam();
  Server().Answer("/index.php", THttpAnswer(c.body, "text/xml").WithStatus(c.status));
  home.PointServiceAt(TWebService::SeoService, Server().BaseUrl());
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|old-1", "2|old-2"});
  Form1->projekte->UserSetText(u"shop");
  Form1->kelvo_api_key->UserSetText(u"k&y 1");
  Form1->kelvourl->UserSetText(u"HTTPS://shop.example");
  Form1->Button9->Click();

  EXPECT_EQ(GridRows(*Form1->StringGrid1), c.rows);
  if (c.statusText.empty())
    EXPECT_EQ(Status(), "");
  else
    EXPECT_EQ(Status().substr(0, c.statusText.size()), c.statusText) << Status();
  EXPECT_EQ(Status().find("k%26y"), std::string::npos) << Status();  // the caption hides the key
  EXPECT_TRUE(Messages().empty());  // failures are swallowed
  EXPECT_EQ(Read("account.txt"), "k&y 1\r\n");
  EXPECT_EQ(Read("projekte/shop/kelvo.txt"), "HTTPS://shop.example\r\n");

  TRecordedRequest request = Server().LastRequest();
  EXPECT_EQ(request.Path, "/index.php");
  EXPECT_EQ(request.Query,
            "key=k%26y%201&service=seo&method=getKeywords&domain=shop.example&limit=1500&sengine=google.de&format=xml");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SeoImportTest,
    ::testing::Values(
        // Lines holding "http:" become rows, once each; https-only and upper-case lines do not.
        TSeoCase{"UrlLines", 200, kAnswer,
                 {"Nr.|URL||", "1|<keyword url=\"http://shop.example/a\">||", "2|http://shop.example/a||"},
                 ""},
        // A failed import leaves the user's list as it was.
        TSeoCase{"Unauthorized", 401, "denied", {"Nummer|URL", "1|old-1", "2|old-2"},
                 " KELVO-Import fehlgeschlagen, die URL-Liste bleibt unver\xC3\xA4ndert: HTTP-Fehler 401"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFixture, SeoImportKeepsItsWorkFilesAndReportFolder) {
  Server().Answer("/index.php", THttpAnswer(kAnswer, "text/xml"));
  home.PointServiceAt(TWebService::SeoService, Server().BaseUrl());
  Start();
  Form1->kelvourl->UserSetText(u"shop.example");
  Form1->Button9->Click();
  EXPECT_TRUE(std::filesystem::is_directory(home.PathOf("reporting/kelvo/key")));
  EXPECT_NE(Read("kelvo_tmp.txt").find("\r\n<url>\r\nhttps://shop.example/b\r\n</url>"), std::string::npos);
  EXPECT_EQ(Read("projekte/projekte/kelvo.txt"), "shop.example\r\n");  // the combo's own text names the project
}

// A key saved in the settings window shows in the main window's key field, so the import
// sends it and keeps it in the account file instead of writing back an empty field.
TEST_F(AppFixture, SeoImportSendsTheKeySavedInTheSettings) {
  Server().Answer("/index.php", THttpAnswer(kAnswer, "text/xml"));
  home.PointServiceAt(TWebService::SeoService, Server().BaseUrl());
  Start();
  ASSERT_EQ(Form1->kelvo_api_key->Text(), u"");
  Form1->Einstellungen1->Click();
  Form3->kelvo_api_key->UserSetText(u"geheim 42");
  Form3->Button1->Click();
  EXPECT_EQ(Form1->kelvo_api_key->Text(), u"geheim 42");
  EXPECT_EQ(Read("account.txt"), "geheim 42\r\n");

  Form1->projekte->UserSetText(u"shop");
  Form1->kelvourl->UserSetText(u"shop.example");
  Form1->Button9->Click();
  EXPECT_EQ(Server().LastRequest().Query.substr(0, 17), "key=geheim%2042&s");
  EXPECT_EQ(Read("account.txt"), "geheim 42\r\n");
}

TEST_F(AppFixture, SeoImportWithoutDomainAsksForOne) {
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|kept"});
  Form1->projekte->UserSetText(u"shop");
  Form1->kelvo_api_key->UserSetText(u"key");
  Form1->kelvourl->UserSetText(u"");
  Form1->Button9->Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Bitte Domain aus der Liste ausw\xc3\xa4hlen!"}));
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL", "1|kept"}));
  EXPECT_EQ(Read("account.txt"), "key\r\n");
  EXPECT_EQ(Read("projekte/shop/kelvo.txt"), "\r\n");
}

// Without the service's address in the configuration the caption names the setting to make,
// and the list stays.
TEST_F(AppFixture, SeoImportWithoutServiceAddressNamesTheSetting) {
  Start();
  FillGrid(*Form1->StringGrid1, {"Nummer|URL", "1|kept"});
  Form1->projekte->UserSetText(u"shop");
  Form1->kelvourl->UserSetText(u"shop.example");
  Form1->Button9->Click();
  EXPECT_EQ(Status(), " KELVO-Import fehlgeschlagen, die URL-Liste bleibt unver\xC3\xA4ndert: Keine Adresse für den Dienst SeoService eingestellt: in " +
                          home.PathOf("config/endpoints.ini") +
                          " fehlt im Abschnitt [SeoService] der Schlüssel Base (z. B. Base=https://dienst.example)");
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL", "1|kept"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Read("projekte/shop/kelvo.txt"), "shop.example\r\n");
}

}  // namespace
