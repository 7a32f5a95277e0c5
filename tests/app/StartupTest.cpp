// Start-up of the main window against prepared program folders, and the window's layout.
#include "tests/app/AppFixture.h"

#include "platform/ui/menus/ShortCut.h"

namespace {

struct TStartupCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;  // relative path, bytes ("/" ending: a folder)
  std::vector<std::string> projects;
  std::string key, gplus, stopwords, limit;
};

// Cases show as their names in test listings.
void PrintTo(const TStartupCase& c, std::ostream* os) { *os << c.name; }

class StartupTest : public AppFixture, public ::testing::WithParamInterface<TStartupCase> {};

TEST_P(StartupTest, ReadsWhatTheFolderHolds) {
  const TStartupCase& c = GetParam();
  for (const auto& [path, bytes] : c.files) {
    if (path.back() == '/')
      std::filesystem::create_directories(home.PathOf(path));
    else
      home.WriteFile(path, bytes);
  }
  Start();
  EXPECT_EQ(StringToUtf8(Form1->Caption()), "tarnwick wendrel v.0.8b");
  EXPECT_TRUE(home.Exists("projekte"));
  std::vector<std::string> items;
  for (int i = 0; i < Form1->projekte->Items().Count(); ++i) items.push_back(StringToUtf8(Form1->projekte->Items()[i]));
  EXPECT_EQ(items, c.projects);
  EXPECT_EQ(StringToUtf8(Form1->projekte->Text()), "projekte");
  EXPECT_EQ(StringToUtf8(Form1->kelvo_api_key->Text()), c.key);
  EXPECT_EQ(StringToUtf8(Form1->gplusappcode->Text()), c.gplus);
  EXPECT_EQ(StringToUtf8(Form1->Memo9->Text()), c.stopwords);
  EXPECT_EQ(StringToUtf8(Form1->Zeichenanzahl->Text()), c.limit);
  // The settings window's key starts empty: start-up fills only the main window's.
  EXPECT_EQ(Form3->kelvo_api_key->Text(), u"");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, StartupTest,
    ::testing::Values(
        TStartupCase{"EmptyFolder", {}, {}, "", "", "", "0"},
        TStartupCase{"ProjectsFolderWithoutList", {{"projekte/", ""}}, {}, "", "", "", "0"},
        TStartupCase{"EmptyAccountFile", {{"account.txt", ""}}, {}, "", "", "", "0"},
        TStartupCase{"EverythingThere",
                     {{"projekte/projekte.txt", "alpha\r\nbeta\r\n"},
                      {"account.txt", "KEY-1\r\nignored\r\n"},
                      {"acc_gplus.txt", "G+code\r\n"},
                      {"config/stopwords.txt", "und\r\noder\r\n"},
                      {"config/limits.txt", "4\r\n"}},
                     {"alpha", "beta"},
                     "KEY-1",
                     "G+code",
                     "und\r\noder\r\n",
                     "4"},
        // Text files without a byte-order mark are code page 1252.
        TStartupCase{"AnsiProjectName", {{"projekte/projekte.txt", "M\xfc" "nchen\r\n"}}, {"M\xc3\xbc" "nchen"}, "", "", "", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppFixture, ProjectsFolderWithoutListCreatesNothing) {
  std::filesystem::create_directories(home.PathOf("projekte"));
  Start();
  EXPECT_TRUE(std::filesystem::is_empty(home.PathOf("projekte")));
}

// Every control that the workflows name exists with its caption and visibility.
TEST_F(AppFixture, WindowCarriesItsControls) {
  Start();
  struct TExpected {
    const char16_t* name;
    const char* text;
    bool visible;
  };
  const TExpected expected[] = {
      {u"projekte", "projekte", true},       {u"Button4", "Speichern", true},
      {u"Button10", "Button10", false},      {u"Tag", "Tag", true},
      {u"Button14", "Erg.=>Liste", true},    {u"best", "\"best\" => absteigend nach Relevanz", true},
      {u"Edit9", "Sitemap mit http://", true}, {u"Button9", "hole aus KELVO", true},
      {u"Edit1", "Sitemap-Datei", true},     {u"Button5", "Crawle", true},
      {u"Button11", "Button11", false},      {u"Alles", "Alles (BETA)", true},
      {u"Button2", "Check!", true},          {u"Echtzeitauswertung", "Echtzeitauswertung", true},
      {u"Button1", "Button1", false},        {u"kw_trend", "Suchwort", true},
      {u"Button24", "Erg.=>Liste", true},    {u"Edit2", "Keyword", true},
      {u"Button26", "Scrape", true},         {u"minimum", "1", true},
      {u"ComboBox1", "Suchwort", true},      {u"Button16", "Button16", false},
      {u"Button19", "Analyse Text", true},   {u"Button22", "FB-Scraper", true},
      {u"Button27", "+ Hashtags", true},     {u"kwhaeuf", "1", true},
      {u"Zeichenanzahl", "0", true},         {u"save_config", "Speichern", true},
      {u"memo7", "", false},                 {u"Memo3", "", false},
  };
  for (const TExpected& e : expected) {
    auto* c = dynamic_cast<TControl*>(Form1->FindComponent(e.name));
    ASSERT_NE(c, nullptr) << StringToUtf8(e.name);
    EXPECT_EQ(StringToUtf8(c->Text()), e.text) << StringToUtf8(e.name);
    EXPECT_EQ(c->Visible(), e.visible) << StringToUtf8(e.name);
  }
  EXPECT_TRUE(Form1->best->Checked());
  EXPECT_FALSE(Form1->recent->Checked());
  for (TRadioButton* r : {Form1->Facebook, Form1->Twitter, Form1->google, Form1->Pinterest, Form1->Delicious, Form1->Alles})
    EXPECT_FALSE(r->Checked());
  EXPECT_TRUE(Form1->Alles->Font().Style() & fsBold);

  // Only the first side panel is expanded; the first three tabs show no tab.
  EXPECT_FALSE(Form1->Projektmanagement->Collapsed());
  for (TCategoryPanel* p : {Form1->CategoryPanel5, Form1->CategoryPanel2, Form1->CategoryPanel1, Form1->GoogleTrends,
                            Form1->CategoryPanel3})
    EXPECT_TRUE(p->Collapsed());
  std::vector<std::pair<std::string, bool>> tabs;
  for (int i = 0; i < Form1->PageControl1->PageCount(); ++i)
    tabs.emplace_back(StringToUtf8(Form1->PageControl1->Pages(i)->Caption()), Form1->PageControl1->Pages(i)->TabVisible());
  EXPECT_EQ(tabs, (std::vector<std::pair<std::string, bool>>{{"Spielwiese", false},
                                                             {"Tabelle_FB", false},
                                                             {"TabSheet5", false},
                                                             {"Auswertungen", true},
                                                             {"Texte", true},
                                                             {"Report", true},
                                                             {"//=>Konfiguration", true},
                                                             {"Socialsignals", true}}));
  EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->Tagauswertungen);
  EXPECT_EQ(Form1->ClientWidth(), 742);
  EXPECT_EQ(Form1->ClientHeight(), 722);
  EXPECT_EQ(Form1->CategoryPanelGroup1->Width(), 241);

  // Popups sit on their controls.
  EXPECT_EQ(Form1->StringGrid1->PopupMenu(), Form1->PopupMenu6);
  EXPECT_EQ(Form1->StringGrid4->PopupMenu(), Form1->uebertrag_diagram);
  EXPECT_EQ(Form1->StringGrid5->PopupMenu(), Form1->PopupMenu4);
  EXPECT_EQ(Form1->Memo5->PopupMenu(), Form1->PopupMenu3);
  EXPECT_EQ(Form1->Memo6->PopupMenu(), Form1->PopupMenu3);
  EXPECT_EQ(Form1->Memo8->PopupMenu(), Form1->PopupMenu5);
  EXPECT_EQ(Form1->Menu(), Form1->MainMenu1);
  EXPECT_EQ(StringToUtf8(Form3->Caption()), "Einstellungen");
  EXPECT_EQ(StringToUtf8(Form3->sengine->Text()), StringToUtf8(Form3->sengine->Items()[0]));
  EXPECT_EQ(Form3->sengine->Items().Count(), 4);
  EXPECT_EQ(StringToUtf8(Form2->Caption()), "Form2");
  EXPECT_EQ(StringToUtf8(Form2->Button1->Caption()), "Übertrage");
}

// The menu's shortcuts hide and show the side panels.
TEST_F(AppFixture, ShortcutsToggleTheSidePanels) {
  Start();
  TMenuItem* hide = Form1->MainMenu1->FindItemByShortCut(TextToShortCut(u"Ctrl+B"));
  ASSERT_EQ(hide, Form1->ausblenden2);
  hide->Click();
  EXPECT_FALSE(Form1->CategoryPanelGroup1->Visible());
  Form1->MainMenu1->FindItemByShortCut(TextToShortCut(u"Ctrl+A"))->Click();
  EXPECT_TRUE(Form1->CategoryPanelGroup1->Visible());
}

TEST_F(AppFixture, MenuItemsShowTheirWindowsAndEndTheProgram) {
  Start();
  Form1->Einstellungen1->Click();
  EXPECT_TRUE(Form3->Visible());
  Form1->Button22->Click();
  EXPECT_TRUE(Form4->Visible());
  EXPECT_EQ(StringToUtf8(Form4->Caption()), "FB-Page-Scraper");
  Form1->Beenden1->Click();
  EXPECT_TRUE(app.Terminated());
}

}  // namespace
