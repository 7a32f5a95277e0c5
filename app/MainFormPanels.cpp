// The side panel group of the main window: six category panels, the first expanded.
#include "app/MainForm.h"
#include "app/MainFormBuild.h"
#include "platform/ui/Layout.h"

using mainform::Make;

namespace {

// The group's width less the margins on either side and the scroll bar that shows when
// the expanded panels are taller than the window.
constexpr int kInnerWidth = 241 - 2 * 8 - TCategoryPanelGroup::ScrollBarWidth;

TCategoryPanel* Panel(TForm1* form, TCategoryPanelGroup* group, const char16_t* name, const String& caption) {
  auto* panel = Make<TCategoryPanel>(form, group, name, caption);
  panel->SetAlign(TAlign::alTop);
  return panel;
}

// Stacks the panel's controls and makes the panel as high as they need.
void Arrange(TCategoryPanel* panel) {
  for (int i = 0; i < panel->ControlCount(); ++i) {
    TControl* c = panel->Controls(i);
    if (dynamic_cast<TEdit*>(c) || dynamic_cast<TComboBox*>(c) || dynamic_cast<TMemo*>(c) ||
        dynamic_cast<TLabel*>(c) || dynamic_cast<TRadioButton*>(c) || dynamic_cast<TCheckBox*>(c))
      c->SetWidth(kInnerWidth);
  }
  panel->SetExpandedHeight(LayOutTopToBottom(*panel, 8, 4) + TCategoryPanel::HeaderHeight);
}

TButton* HiddenButton(TForm1* form, TWinControl* parent, const char16_t* name) {
  auto* b = Make<TButton>(form, parent, name, name);
  b->SetVisible(false);
  return b;
}

}  // namespace

void TForm1::BuildSidePanels() {
  CategoryPanelGroup1 = Make<TCategoryPanelGroup>(this, this, u"CategoryPanelGroup1");
  CategoryPanelGroup1->SetWidth(241);
  CategoryPanelGroup1->SetAlign(TAlign::alLeft);
  TCategoryPanelGroup* g = CategoryPanelGroup1;

  Projektmanagement = Panel(this, g, u"Projektmanagement", u"Projektmanagement");
  projekte = Make<TComboBox>(this, Projektmanagement, u"projekte", u"projekte");
  Button4 = Make<TButton>(this, Projektmanagement, u"Button4", u"Speichern");
  Label1 = Make<TLabel>(this, Projektmanagement, u"Label1", u"KELVOAPI");
  kelvo_api_key = Make<TMaskEdit>(this, Projektmanagement, u"kelvo_api_key");
  Label2 = Make<TLabel>(this, Projektmanagement, u"Label2", u"Google+ App-Code");
  gplusappcode = Make<TMaskEdit>(this, Projektmanagement, u"gplusappcode");
  Button10 = HiddenButton(this, Projektmanagement, u"Button10");
  Arrange(Projektmanagement);

  CategoryPanel5 = Panel(this, g, u"CategoryPanel5", u"Google+ / Hashtags");
  Label3 = Make<TLabel>(this, CategoryPanel5, u"Label3", u"Hier Hashtag ohne # eingeben:");
  Tag = Make<TEdit>(this, CategoryPanel5, u"Tag", u"Tag");
  Button12 = Make<TButton>(this, CategoryPanel5, u"Button12", u"Scrape");
  Button14 = Make<TButton>(this, CategoryPanel5, u"Button14", u"Erg.=>Liste");
  Label4 = Make<TLabel>(this, CategoryPanel5, u"Label4", u"Hier Hashtags ohne # eingeben (Liste)");
  Memo5 = Make<TMemo>(this, CategoryPanel5, u"Memo5");
  Button13 = Make<TButton>(this, CategoryPanel5, u"Button13", u"Scrape");
  Label5 = Make<TLabel>(this, CategoryPanel5, u"Label5", u"// - Suchoptionen");
  recent = Make<TRadioButton>(this, CategoryPanel5, u"recent", u"aktuelle => absteigend nach Datum");
  best = Make<TRadioButton>(this, CategoryPanel5, u"best", u"\"best\" => absteigend nach Relevanz");
  best->SetChecked(true);
  Arrange(CategoryPanel5);

  CategoryPanel2 = Panel(this, g, u"CategoryPanel2", u"Datenquellen");
  Edit9 = Make<TEdit>(this, CategoryPanel2, u"Edit9", u"Sitemap mit http://");
  Button3 = Make<TButton>(this, CategoryPanel2, u"Button3", u"Scrape");
  kelvourl = Make<TEdit>(this, CategoryPanel2, u"kelvourl", u"www.domain.de");
  Button9 = Make<TButton>(this, CategoryPanel2, u"Button9", u"hole aus KELVO");
  Button9->SetWidth(110);
  Edit1 = Make<TEdit>(this, CategoryPanel2, u"Edit1", u"Sitemap-Datei");
  Button5 = Make<TButton>(this, CategoryPanel2, u"Button5", u"Crawle");
  Button11 = HiddenButton(this, CategoryPanel2, u"Button11");
  Arrange(CategoryPanel2);

  CategoryPanel1 = Panel(this, g, u"CategoryPanel1", u"Auswahl / Analyse(n)");
  Facebook = Make<TRadioButton>(this, CategoryPanel1, u"Facebook", u"Facebook");
  Twitter = Make<TRadioButton>(this, CategoryPanel1, u"Twitter", u"Twitter");
  google = Make<TRadioButton>(this, CategoryPanel1, u"google", u"Google+ (Beta)");
  Pinterest = Make<TRadioButton>(this, CategoryPanel1, u"Pinterest", u"Pinterest (Beta)");
  Delicious = Make<TRadioButton>(this, CategoryPanel1, u"Delicious", u"Delicious (Beta)");
  Alles = Make<TRadioButton>(this, CategoryPanel1, u"Alles", u"Alles (BETA)");
  TFont bold = Alles->Font();
  bold.SetStyle(fsBold);
  Alles->SetFont(bold);
  Button2 = Make<TButton>(this, CategoryPanel1, u"Button2", u"Check!");
  Echtzeitauswertung = Make<TCheckBox>(this, CategoryPanel1, u"Echtzeitauswertung", u"Echtzeitauswertung");
  Button1 = HiddenButton(this, CategoryPanel1, u"Button1");
  Arrange(CategoryPanel1);

  GoogleTrends = Panel(this, g, u"GoogleTrends", u"GoogleTrends");
  Label6 = Make<TLabel>(this, GoogleTrends, u"Label6", u"Hier KW eingeben:");
  kw_trend = Make<TEdit>(this, GoogleTrends, u"kw_trend", u"Suchwort");
  Button23 = Make<TButton>(this, GoogleTrends, u"Button23", u"Scrape");
  Button24 = Make<TButton>(this, GoogleTrends, u"Button24", u"Erg.=>Liste");
  Memo6 = Make<TMemo>(this, GoogleTrends, u"Memo6");
  Button25 = Make<TButton>(this, GoogleTrends, u"Button25", u"Scrape");
  Arrange(GoogleTrends);

  CategoryPanel3 = Panel(this, g, u"CategoryPanel3", u"Google-Suchvorschlag-API");
  Label7 = Make<TLabel>(this, CategoryPanel3, u"Label7", u"Hier das (Haupt)Keyword eingeben");
  Edit2 = Make<TEdit>(this, CategoryPanel3, u"Edit2", u"Keyword");
  Button6 = Make<TButton>(this, CategoryPanel3, u"Button6", u"Scrape");
  Label8 = Make<TLabel>(this, CategoryPanel3, u"Label8", u"Hier Hashtags ohne # eingeben (Liste)");
  Memo8 = Make<TMemo>(this, CategoryPanel3, u"Memo8");
  Button26 = Make<TButton>(this, CategoryPanel3, u"Button26", u"Scrape");
  Arrange(CategoryPanel3);

  for (TCategoryPanel* p : {CategoryPanel5, CategoryPanel2, CategoryPanel1, GoogleTrends, CategoryPanel3})
    p->Collapse();
}
