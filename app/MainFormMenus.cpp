// The main menu and the popup menus of the main window.
#include "app/MainForm.h"
#include "app/MainFormBuild.h"

using mainform::Item;

void TForm1::BuildMainMenu() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName(u"MainMenu1");
  TMenuItem* root = MainMenu1->Items();

  Programm1 = Item(this, root, u"Programm1", u"Programm");
  Einstellungen1 = Item(this, Programm1, u"Einstellungen1", u"&Einstellungen");
  Beenden1 = Item(this, Programm1, u"Beenden1", u"&Beenden");

  Import1 = Item(this, root, u"Import1", u"Import");
  Linkliste1 = Item(this, Import1, u"Linkliste1", u"Linkliste");
  EasyAnalyzerKelvoRankings1 = Item(this, Linkliste1, u"EasyAnalyzerKelvoRankings1", u"EasyAnalyzer");
  freidefinierbar1 = Item(this, Linkliste1, u"freidefinierbar1", u"frei definierbar");

  Auswertung1 = Item(this, root, u"Auswertung1", u"Auswertung");
  Export1 = Item(this, Auswertung1, u"Export1", u"Export");
  ErgebnisseExcel1 = Item(this, Export1, u"ErgebnisseExcel1", u"Ergebnisse => CSV");
  ErgebnisseExcel2 = Item(this, Export1, u"ErgebnisseExcel2", u"Ergebnisse => Excel");
  GoogleSuggest1 = Item(this, Auswertung1, u"GoogleSuggest1", u"Google-Suggest");
  ExportExcel1 = Item(this, GoogleSuggest1, u"ExportExcel1", u"Export-Excel");
  SocialSignals1 = Item(this, Auswertung1, u"SocialSignals1", u"Social-Signals");
  Diagramm1 = Item(this, SocialSignals1, u"Diagramm1", u"Diagramm");
  Facebook1 = Item(this, Diagramm1, u"Facebook1", u"Facebook");
  Komplettberblick1 = Item(this, Diagramm1, u"Komplettberblick1", u"Komplettüberblick");

  Report1 = Item(this, root, u"Report1", u"Report");
  Generiere1 = Item(this, Report1, u"Generiere1", u"Generiere");
  Export2 = Item(this, Report1, u"Export2", u"Export");

  Ansicht1 = Item(this, root, u"Ansicht1", u"Ansicht");
  Funktionsleiste1 = Item(this, Ansicht1, u"Funktionsleiste1", u"Funktionsleiste");
  einblenden2 = Item(this, Funktionsleiste1, u"einblenden2", u"einblenden");
  einblenden2->SetShortCut(TextToShortCut(u"Ctrl+A"));
  ausblenden2 = Item(this, Funktionsleiste1, u"ausblenden2", u"ausblenden");
  ausblenden2->SetShortCut(TextToShortCut(u"Ctrl+B"));

  SetMenu(MainMenu1);
}

void TForm1::BuildPopupMenus() {
  // Chart popup: attached to the chart by the chart's own workflow.
  socialsignals_diagramm = new TPopupMenu(this);
  socialsignals_diagramm->SetName(u"socialsignals_diagramm");
  TMenuItem* chart = socialsignals_diagramm->Items();
  AuswertungFacebook1 = Item(this, chart, u"AuswertungFacebook1", u"Auswertung - Facebook");
  AuswertungberblickAlles1 = Item(this, chart, u"AuswertungberblickAlles1", u"Auswertung - Überblick (Alles)");
  Styles1 = Item(this, chart, u"Styles1", u"Styles");
  Balken1 = Item(this, Styles1, u"Balken1", u"Balken");
  Linie2 = Item(this, Styles1, u"Linie2", u"Torte");
  Sonstiges1 = Item(this, chart, u"Sonstiges1", u"Sonstiges");
  N3Dan2 = Item(this, Sonstiges1, u"N3Dan2", u"3D - an");
  N3Daus2 = Item(this, Sonstiges1, u"N3Daus2", u"3D - aus");
  Beschriftungen1 = Item(this, chart, u"Beschriftungen1", u"Beschriftungen");
  switch1 = Item(this, Beschriftungen1, u"switch1", u"zeige Wert");
  switch21 = Item(this, Beschriftungen1, u"switch21", u"zweite Wert => %");
  zeug1 = Item(this, chart, u"zeug1", u"zeug");

  PopupMenu6 = new TPopupMenu(this);
  PopupMenu6->SetName(u"PopupMenu6");
  FiltereleereZeilen1 = Item(this, PopupMenu6->Items(), u"FiltereleereZeilen1", u"Filtere leere Zeilen");
  StringGrid1->SetPopupMenu(PopupMenu6);

  uebertrag_diagram = new TPopupMenu(this);
  uebertrag_diagram->SetName(u"uebertrag_diagram");
  zuDiagram1 = Item(this, uebertrag_diagram->Items(), u"zuDiagram1", u"zu Diagram");
  StringGrid4->SetPopupMenu(uebertrag_diagram);

  PopupMenu4 = new TPopupMenu(this);
  PopupMenu4->SetName(u"PopupMenu4");
  TMenuItem* keywords = PopupMenu4->Items();
  SortiereKWSumme1 = Item(this, keywords, u"SortiereKWSumme1", u"Sortiere: KW-Summe");
  SortiereKWDichte1 = Item(this, keywords, u"SortiereKWDichte1", u"Sortiere: KW-Dichte");
  SortiereWDF1 = Item(this, keywords, u"SortiereWDF1", u"Sortiere: WDF");
  Analyse1 = Item(this, keywords, u"Analyse1", u"Analyse");
  Hashtaganalyse1 = Item(this, Analyse1, u"Hashtaganalyse1", u"Hashtaganalyse");
  WortHashtaganalyse1 = Item(this, Hashtaganalyse1, u"WortHashtaganalyse1", u"Wort");
  ListeHashtaganalyse1 = Item(this, Hashtaganalyse1, u"ListeHashtaganalyse1", u"Liste");
  GSuggest1 = Item(this, Analyse1, u"GSuggest1", u"G-Suggest");
  Wort1 = Item(this, GSuggest1, u"Wort1", u"Wort");
  Liste = Item(this, GSuggest1, u"Liste", u"Liste");
  StringGrid5->SetPopupMenu(PopupMenu4);

  PopupMenu3 = new TPopupMenu(this);
  PopupMenu3->SetName(u"PopupMenu3");
  Listelschen1 = Item(this, PopupMenu3->Items(), u"Listelschen1", u"Liste löschen");
  zuGoogleSuchvorschlag1 = Item(this, PopupMenu3->Items(), u"zuGoogleSuchvorschlag1", u"zu Google-Suchvorschlag");
  Memo5->SetPopupMenu(PopupMenu3);
  Memo6->SetPopupMenu(PopupMenu3);

  PopupMenu5 = new TPopupMenu(this);
  PopupMenu5->SetName(u"PopupMenu5");
  Listelschen2 = Item(this, PopupMenu5->Items(), u"Listelschen2", u"Liste löschen");
  zurHashtagAnalyse1 = Item(this, PopupMenu5->Items(), u"zurHashtagAnalyse1", u"zur Hashtag-Analyse");
  Memo8->SetPopupMenu(PopupMenu5);
}
