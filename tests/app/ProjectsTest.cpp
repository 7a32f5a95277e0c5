// Projects, the transfer window, the configuration tab and the guard against nested
// workflows, driven through the controls.
#include "tests/app/AppFixture.h"

#include "platform/ui/app/Wait.h"
#include "tests/support/ReadOnlyFolder.h"

namespace {

// A user types a project name letter by letter.
void TypeInto(TComboBox* combo, const std::string& text) {
  for (size_t n = 1; n <= text.size(); ++n) combo->UserSetText(Utf8ToString(text.substr(0, n)));
}

TEST_F(AppFixture, TypingAProjectNameLoadsItOnceTheFolderExists) {
  home.WriteFile("projekte/projekte.txt", "shop\r\n");
  home.WriteFile("projekte/shop/urls.txt", "http://a.example/\r\nhttp://b.example/\r\n");
  home.WriteFile("projekte/shop/sitemaps.txt", "http://a.example/sitemap.xml\r\n");
  home.WriteFile("projekte/shop/kelvo.txt", "a.example\r\n");
  // "sho" has a folder but no files: nothing changes while typing through it.
  std::filesystem::create_directories(home.PathOf("projekte/sho"));
  Start();
  Form1->projekte->UserSetText(u"");
  TypeInto(Form1->projekte, "sho");
  EXPECT_EQ(GridRows(*Form1->StringGrid1).size(), 5u);  // the form's empty grid
  Form1->projekte->UserSetText(u"shop");
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{"Nummer|URL", "1|http://a.example/", "2|http://b.example/"}));
  EXPECT_EQ(StringToUtf8(Form1->Edit9->Text()), "http://a.example/sitemap.xml");
  EXPECT_EQ(StringToUtf8(Form1->kelvourl->Text()), "a.example");
  EXPECT_FALSE(Form2->Visible());  // the transfer runs without showing its window
}

TEST_F(AppFixture, ANameThatLeavesTheProjectsFolderIsNotLoaded) {
  home.WriteFile("urls.txt", "http://outside.example/\r\n");
  Start();
  Form1->projekte->UserSetText(u"..");
  Form1->projekte->UserSetText(u"../");
  EXPECT_EQ(GridRows(*Form1->StringGrid1).size(), 5u);
}

TEST_F(AppFixture, SavingAProjectListsItOnceAndMakesItsFolder) {
  home.WriteFile("projekte/projekte.txt", "alpha\r\n");
  Start();
  Form1->projekte->UserSetText(u"beta");
  Form1->Button4->Click();
  Form1->Button4->Click();
  Form1->projekte->UserSetText(u"alpha");
  Form1->Button4->Click();
  EXPECT_EQ(Read("projekte/projekte.txt"), "alpha\r\nbeta\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(home.PathOf("projekte/beta")));
  EXPECT_TRUE(std::filesystem::is_directory(home.PathOf("projekte/alpha")));
  EXPECT_TRUE(Messages().empty());
}

class BadProjectNameTest : public AppFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadProjectNameTest, IsRefusedBeforeAnythingIsWritten) {
  Start();
  Form1->projekte->UserSetText(Utf8ToString(GetParam()));
  Form1->Button4->Click();
  Form1->Button9->Click();  // the SEO import writes into the project too
  Form1->Button3->Click();  // and the online sitemap
  EXPECT_EQ(Messages().size(), 3u);
  EXPECT_FALSE(home.Exists("projekte/projekte.txt"));
  EXPECT_FALSE(home.Exists("account.txt"));
  EXPECT_FALSE(home.Exists("tmp.xml"));
  EXPECT_TRUE(std::filesystem::is_empty(home.PathOf("projekte")));
}

INSTANTIATE_TEST_SUITE_P(Names, BadProjectNameTest, ::testing::Values("", "a/b", "a\\b", "..", "x/../y", ".", "a\r\nb", "a\nb",
                                                                "tab\there", "\x7f", "c1\xc2\x85"));

TEST_F(AppFixture, TransferCopiesTheLinesIntoTheUrlGrid) {
  Start();
  FillGrid(*Form1->StringGrid1, {"Nr.|URL|Likes", "1|old-1|5", "2|old-2|6", "3|old-3|7"});
  Form1->freidefinierbar1->Click();
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(StringToUtf8(Form2->Caption()), "tarnwick wendrel v.0.8b Freitext");
  Form2->Memo1->UserSetText(u"http://x.example/\r\nhttp://y.example/");
  Form2->Button1->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1),
            (std::vector<std::string>{"Nummer|URL", "1|http://x.example/", "2|http://y.example/"}));
  EXPECT_TRUE(Form2->Visible());  // the window stays open
  // The URL column fits its widest text.
  EXPECT_EQ(Form1->StringGrid1->ColWidths(1),
            Form1->StringGrid1->Canvas().TextWidth(u"http://x.example/") + Form1->StringGrid1->GridLineWidth() + 5);

  // An empty list leaves the title row alone, which is no fixed row from then on.
  Form2->Memo1->UserSetText(u"");
  Form2->Button1->Click();
  EXPECT_EQ(GridRows(*Form1->StringGrid1), (std::vector<std::string>{"Nummer|URL"}));
  EXPECT_EQ(Form1->StringGrid1->FixedRows(), 0);
}

TEST_F(AppFixture, ConfigurationSaveWritesDeduplicatedBlacklistAndLimit) {
  Start();
  Form1->Memo9->UserSetText(u"und\r\noder\r\nund\r\nUnd\r\n");
  Form1->Zeichenanzahl->UserSetText(u"3");
  Form1->save_config->Click();
  EXPECT_EQ(Read("config/stopwords.txt"), "und\r\noder\r\nUnd\r\n");
  EXPECT_EQ(StringToUtf8(Form1->Memo9->Text()), "und\r\noder\r\nUnd\r\n");
  EXPECT_EQ(Read("config/limits.txt"), "3\r\n");

  // The next start reads both back.
  TApplication next;
  TForm1* again = nullptr;
  next.CreateForm(again);
  EXPECT_EQ(StringToUtf8(again->Memo9->Text()), "und\r\noder\r\nUnd\r\n");
  EXPECT_EQ(again->Zeichenanzahl->Text(), u"3");
}

// A program folder that cannot be written: the start says so in the caption, and every
// save names the folder it could not create with the system's reason (not the missing file
// that follows from it). The project list stays as it was.
TEST_F(AppFixture, AnUnwritableProgramFolderGivesTheTrueReason) {
  TReadOnlyFolder locked(home.Path());
  Start();
  EXPECT_EQ(Status(), " Projekte lassen sich nicht speichern: Verzeichnis " + home.PathOf("projekte") +
                          " kann nicht erstellt werden. Zugriff verweigert.");

  struct TSaveCase {
    const char* name;
    TButton* button;
    std::string folder;
  };
  Form1->projekte->UserSetText(u"shop");
  for (const TSaveCase& c : {TSaveCase{"project", Form1->Button4, "projekte/shop"},
                             TSaveCase{"configuration", Form1->save_config, "config"}}) {
    SCOPED_TRACE(c.name);
    headless.ClearShown();
    app.RunHandler([&] { c.button->Click(); });
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Verzeichnis " + home.PathOf(c.folder) +
                                                    " kann nicht erstellt werden. Zugriff verweigert."}));
  }
  EXPECT_EQ(Form1->projekte->Items().Count(), 0);
}

TEST_F(AppFixture, SettingsWindowShowsAndSavesTheStoredKey) {
  home.WriteFile("account.txt", "stored-key\r\n");
  Start();
  Form1->Einstellungen1->Click();
  EXPECT_EQ(Form3->kelvo_api_key->Text(), u"stored-key");
  Form3->Button1->Click();  // saving untouched keeps the key
  EXPECT_EQ(Read("account.txt"), "stored-key\r\n");
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Einstellungen gespeichert"}));
  EXPECT_FALSE(Form3->Visible());
  Form1->Einstellungen1->Click();
  Form3->kelvo_api_key->UserSetText(u"new-key");
  Form3->Button1->Click();
  EXPECT_EQ(Read("account.txt"), "new-key\r\n");
  // The main window's key field shows the saved key.
  EXPECT_EQ(Form1->kelvo_api_key->Text(), u"new-key");
}

// A click that arrives while a workflow waits is refused; the waiting one goes on.
TEST_F(AppFixture, AClickDuringAWorkflowIsRefused) {
  Start();
  Form1->projekte->UserSetText(u"late");
  headless.ScheduleInput(50, [&] { Form1->Button4->Click(); });
  Form1->RunWorkflow([&] { Form1->PumpWait(100); });
  EXPECT_EQ(Status(), " Bitte warten: eine Aufgabe l\xc3\xa4uft noch");
  EXPECT_FALSE(home.Exists("projekte/late"));
  Form1->Button4->Click();  // afterwards it runs
  EXPECT_TRUE(home.Exists("projekte/late"));
}

TEST_F(AppFixture, PumpWaitHandlesInputUntilItsDeadline) {
  Start();
  int clicks = 0;
  Form1->Button2->OnClick = [&](TComponent*) { ++clicks; };
  headless.ScheduleInput(30, [&] { Form1->Button2->Click(); });
  headless.ScheduleInput(500, [&] { Form1->Button2->Click(); });
  const uint64_t start = GetTickCount64();
  Form1->PumpWait(200);
  EXPECT_EQ(clicks, 1);
  EXPECT_GE(GetTickCount64() - start, 200u);
  Form1->PumpWait(0);  // returns at once without handling anything
  EXPECT_EQ(clicks, 1);
}

}  // namespace
