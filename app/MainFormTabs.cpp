// The tabs of the main window's page control: three hidden working tabs, the evaluations,
// the texts, the report browser, the configuration and the social-signal results.
#include "app/MainForm.h"
#include "app/MainFormBuild.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/ui/Layout.h"

#include <algorithm>

using mainform::Make;

namespace {

TTabSheet* Sheet(TForm1* form, TPageControl* pages, const char16_t* name, const String& caption, bool shown = true) {
  auto* sheet = new TTabSheet(form);
  sheet->SetName(name);
  sheet->SetCaption(caption);
  sheet->SetPageControl(pages);
  sheet->SetTabVisible(shown);
  return sheet;
}

template <class T>
T* Filling(TForm1* form, TWinControl* parent, const char16_t* name) {
  T* c = Make<T>(form, parent, name);
  c->SetAlign(TAlign::alClient);
  return c;
}

TButton* HiddenButton(TForm1* form, TWinControl* parent, const char16_t* name) {
  auto* b = Make<TButton>(form, parent, name, name);
  b->SetVisible(false);
  return b;
}

}  // namespace

void TForm1::BuildHiddenTabs() {
  PageControl1 = Make<TPageControl>(this, this, u"PageControl1");
  PageControl1->SetAlign(TAlign::alClient);

  Spielwiese = Sheet(this, PageControl1, u"Spielwiese", u"Spielwiese", false);
  Memo1 = Make<TMemo>(this, Spielwiese, u"Memo1");
  Memo2 = Make<TMemo>(this, Spielwiese, u"Memo2");
  LayOutTopToBottom(*Spielwiese);
  TabSheet4 = Sheet(this, PageControl1, u"TabSheet4", u"Tabelle_FB", false);
  StringGrid2 = Filling<TStringGrid>(this, TabSheet4, u"StringGrid2");
  TabSheet5 = Sheet(this, PageControl1, u"TabSheet5", u"TabSheet5", false);
  Memo4 = Make<TMemo>(this, TabSheet5, u"Memo4");
  Button17 = Make<TButton>(this, TabSheet5, u"Button17", u"Button17");
  LayOutTopToBottom(*TabSheet5);
}

void TForm1::BuildEvaluationTab() {
  Tagauswertungen = Sheet(this, PageControl1, u"Tagauswertungen", u"Auswertungen");
  Panel1 = Make<TPanel>(this, Tagauswertungen, u"Panel1");
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetHeight(72);
  Panel1->SetBevelOuter(TPanelBevel::bvNone);
  PageControl2 = Filling<TPageControl>(this, Tagauswertungen, u"PageControl2");

  Tag_Plain = Sheet(this, PageControl2, u"Tag_Plain", u"Google+");
  PageControl3 = Filling<TPageControl>(this, Tag_Plain, u"PageControl3");
  Wortmatrix = Sheet(this, PageControl3, u"Wortmatrix", u"Wortmatrix");
  StringGrid3 = Filling<TStringGrid>(this, Wortmatrix, u"StringGrid3");
  Filter_Summe = Sheet(this, PageControl3, u"Filter_Summe", u"Filter_Summe");
  StringGrid4 = Filling<TStringGrid>(this, Filter_Summe, u"StringGrid4");
  Kombi = Sheet(this, PageControl3, u"Kombi", u"Kombinationen");
  kombos = Filling<TStringGrid>(this, Kombi, u"kombos");
  Diagramm = Sheet(this, PageControl3, u"Diagramm", u"Diagramm");
  PageControl3->SetActivePage(Wortmatrix);

  Gtrends = Sheet(this, PageControl2, u"Gtrends", u"Googletrends");
  WebBrowser2 = Make<TWebBrowser>(this, Gtrends, u"WebBrowser2");
  WebBrowser2->SetAlign(TAlign::alBottom);
  WebBrowser2->SetHeight(120);
  StringGrid6 = Filling<TStringGrid>(this, Gtrends, u"StringGrid6");
  TabSheet6 = Sheet(this, PageControl2, u"TabSheet6", u"Google-Suchvorschläge");
  StringGrid7 = Filling<TStringGrid>(this, TabSheet6, u"StringGrid7");
  PageControl2->SetActivePage(Tag_Plain);

  Label9 = Make<TLabel>(this, Panel1, u"Label9", u"Filter / Zählprozedur");
  Label9->SetBounds(8, 6, 130, 13);
  Label10 = Make<TLabel>(this, Panel1, u"Label10", u"// mind. Anzahl:");
  Label10->SetBounds(8, 30, 95, 13);
  minimum = Make<TEdit>(this, Panel1, u"minimum", u"1");
  minimum->SetBounds(104, 26, 40, 21);
  Button15 = Make<TButton>(this, Panel1, u"Button15", u"Filter");
  Button15->SetBounds(150, 24, 75, 25);
  Label11 = Make<TLabel>(this, Panel1, u"Label11", u"Wortfilter / Kombinationen");
  Label11->SetBounds(250, 6, 160, 13);
  ComboBox1 = Make<TComboBox>(this, Panel1, u"ComboBox1", u"Suchwort");
  ComboBox1->SetBounds(250, 26, 145, 21);
  Button18 = Make<TButton>(this, Panel1, u"Button18", u"Filtere");
  Button18->SetBounds(400, 24, 75, 25);
  Button16 = HiddenButton(this, Panel1, u"Button16");
  Button28 = HiddenButton(this, Panel1, u"Button28");
}

void TForm1::BuildTextTab() {
  Texte = Sheet(this, PageControl1, u"Texte", u"Texte");
  text_ori = Make<TMemo>(this, Texte, u"text_ori");
  text_ori->SetAlign(TAlign::alTop);
  text_ori->SetHeight(220);
  text_ori->SetScrollBars(TScrollStyle::ssVertical);
  GroupBox1 = Make<TGroupBox>(this, Texte, u"GroupBox1", u"Optionen");
  GroupBox1->SetAlign(TAlign::alBottom);
  GroupBox1->SetHeight(84);
  StringGrid5 = Filling<TStringGrid>(this, Texte, u"StringGrid5");

  // Below the caption in the group's top border.
  Button19 = Make<TButton>(this, GroupBox1, u"Button19", u"Analyse Text");
  Button19->SetBounds(8, 20, 90, 25);
  Button22 = Make<TButton>(this, GroupBox1, u"Button22", u"FB-Scraper");
  Button22->SetBounds(104, 20, 90, 25);
  Button27 = Make<TButton>(this, GroupBox1, u"Button27", u"+ Hashtags");
  Button27->SetBounds(200, 20, 90, 25);
  Label12 = Make<TLabel>(this, GroupBox1, u"Label12", u"Ignoriere Keys mit < ");
  Label12->SetBounds(8, 58, 120, 13);
  kwhaeuf = Make<TEdit>(this, GroupBox1, u"kwhaeuf", u"1");
  kwhaeuf->SetBounds(130, 54, 40, 21);
  Label13 = Make<TLabel>(this, GroupBox1, u"Label13", u"Häufung!");
  Label13->SetBounds(176, 58, 60, 13);
  Button20 = HiddenButton(this, GroupBox1, u"Button20");
  Button21 = HiddenButton(this, GroupBox1, u"Button21");
  Button29 = HiddenButton(this, GroupBox1, u"Button29");
  Button30 = HiddenButton(this, GroupBox1, u"Button30");
}

void TForm1::BuildOtherTabs() {
  Report = Sheet(this, PageControl1, u"Report", u"Report");
  WebBrowser1 = Filling<TWebBrowser>(this, Report, u"WebBrowser1");
  // The reports are shown as the program's own HTML engine lays them out.
  ReportViewer = new TMarkupViewer(this);
  ReportViewer->SetName(u"ReportViewer");
  ReportViewer->SetDefBackground(clWindow);
  ReportViewer->LinkEvents.OnHotSpotClick = [this](TComponent* sender, const String& src, bool& handled) {
    ReportViewerHotSpotClick(sender, src, handled);
  };
  WebBrowser1->SetPageView(ReportViewer, [this](const String& address) { ShowReportPage(address); });

  TabSheet8 = Sheet(this, PageControl1, u"TabSheet8", u"//=>Konfiguration");
  Label14 = Make<TLabel>(this, TabSheet8, u"Label14", u"// - Blacklist für Taganalyse / G-Suggest");
  Label14->SetWidth(400);
  Memo9 = Make<TMemo>(this, TabSheet8, u"Memo9");
  Memo9->SetBounds(0, 0, 400, 300);
  Memo9->SetScrollBars(TScrollStyle::ssBoth);
  Label15 = Make<TLabel>(this, TabSheet8, u"Label15",
                         u"// - Mindestzeichenlänge für Taganalyse / G-Suggest / Textanalyser");
  Label15->SetWidth(400);
  Zeichenanzahl = Make<TEdit>(this, TabSheet8, u"Zeichenanzahl", u"0");
  save_config = Make<TButton>(this, TabSheet8, u"save_config", u"Speichern");
  LayOutTopToBottom(*TabSheet8);

  TabSheet7 = Sheet(this, PageControl1, u"TabSheet7", u"Socialsignals");
  PageControl4 = Filling<TPageControl>(this, TabSheet7, u"PageControl4");
  TabSheet9 = Sheet(this, PageControl4, u"TabSheet9", u"Daten / Auswertung");
  StringGrid1 = Filling<TStringGrid>(this, TabSheet9, u"StringGrid1");
  TabSheet10 = Sheet(this, PageControl4, u"TabSheet10", u"Diagramm / Auswertung");
  PageControl4->SetActivePage(TabSheet9);

  PageControl1->SetActivePage(Tagauswertungen);
}
