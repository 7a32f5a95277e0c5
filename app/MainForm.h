// TForm1: the main window of the research application. It holds the side panels, the tabs
// with their grids and memos, the main menu and the popups; the workflows are its methods,
// each group in a file of its own (MainForm*.cpp, Projects.cpp, Sitemaps.cpp, ...).
#pragma once

#include <functional>
#include <vector>

#include "platform/office/Spreadsheet.h"
#include "platform/rtl/Types.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CategoryPanels.h"
#include "platform/ui/controls/CheckBoxes.h"
#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/ListControls.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/PageControl.h"
#include "platform/ui/controls/WebBrowser.h"
#include "platform/ui/dialogs/FileDialogs.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/grid/StringGrid.h"
#include "platform/ui/menus/Menus.h"

class TMarkupViewer;

class TChart;
class TChartSeries;
class TIdHTTP;
class TStringGrid;
class TMemo;
class TIdCookieManager;

class TForm1 : public TForm {
 public:
  explicit TForm1(TComponent* AOwner);
  ~TForm1() override;

  // Folder of the program with its trailing separator; the root of every path below.
  String ProgramFolder;
  // The product caption, also the prefix of every status text.
  String CaptionPrefix;
  // Files of the most recent reports, and the date of the most recent analysis.
  String ReportCsvPath;
  String ReportHtmlPath;
  String DateStamp;

  // ProgramFolder followed by a literal written the system's way ("\projekte\projekte.txt"),
  // as a path for the file functions.
  String AppPath(const String& literal) const;
  // DateStamp := the current date in the short date format without ".", ":", "-" and "/".
  void UpdateDateStamp();
  // The caption becomes CaptionPrefix followed by the message (which begins with a blank).
  void ShowStatus(const String& message);
  // Waits while the window stays responsive; clicks that arrive meanwhile are handled now.
  void PumpWait(int ms);
  // Runs a workflow unless one is running already (the user clicked while an earlier one
  // waits inside PumpWait or a request); then the click is refused with a status text.
  void RunWorkflow(const std::function<void()>& workflow);
  bool WorkflowRunning() const { return workflowRunning_; }

  // Start-up.
  void FormCreate(TComponent* Sender);

  // Menus and small handlers.
  void Einstellungen1Click(TComponent* Sender);
  void Beenden1Click(TComponent* Sender);
  void Export2Click(TComponent* Sender);
  void einblenden2Click(TComponent* Sender);
  void ausblenden2Click(TComponent* Sender);
  void Button22Click(TComponent* Sender);
  void Button10Click(TComponent* Sender);
  void Button17Click(TComponent* Sender);
  void Button21Click(TComponent* Sender);
  void SortiereKWSumme1Click(TComponent* Sender);
  void SortiereKWDichte1Click(TComponent* Sender);
  void SortiereWDF1Click(TComponent* Sender);
  void WortHashtaganalyse1Click(TComponent* Sender);
  void ListeHashtaganalyse1Click(TComponent* Sender);
  void Wort1Click(TComponent* Sender);
  void ListeClick(TComponent* Sender);
  void Listelschen1Click(TComponent* Sender);
  void zuGoogleSuchvorschlag1Click(TComponent* Sender);
  void Listelschen2Click(TComponent* Sender);
  void zurHashtagAnalyse1Click(TComponent* Sender);
  // Header sort of the six working grids.
  void StringGrid1MouseUp(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // Projects and URL sources.
  void projekteChange(TComponent* Sender);
  void Button4Click(TComponent* Sender);
  void freidefinierbar1Click(TComponent* Sender);
  void Button3Click(TComponent* Sender);
  void Button11Click(TComponent* Sender);
  void Edit1DblClick(TComponent* Sender);
  void Button5Click(TComponent* Sender);
  void Button9Click(TComponent* Sender);
  void EasyAnalyzerKelvoRankings1Click(TComponent* Sender);
  void save_configClick(TComponent* Sender);

  // The project the combo box shows, when it can name a folder: not empty, no path
  // separator, no "..". Otherwise the user is told and false comes back.
  bool CheckProjectName(const String& name);

  // Hidden handlers of the page feed and the JSON library (FixedPageFeed.cpp, JsonTest.cpp).
  // The crawl of one fixed page with the links of its posts.
  void Button8Click(TComponent* Sender);
  // The link extractor over "\tmp_fb.txt": each link's address in a message box, and
  // caption ":" address as a line of Memo1.
  void ExtractPageLinks();
  // Memo2's text as JSON: the root object's member "\"from.name\"" (double quotes
  // included) is added to Memo2 and becomes the caption; otherwise nothing happens.
  void Button7Click(TComponent* Sender);

  // Social-signal analysis (SocialAnalysis*.cpp).
  void Button2Click(TComponent* Sender);
  void FiltereleereZeilen1Click(TComponent* Sender);
  void Button1Click(TComponent* Sender);
  // Removes the "Summe: " row that an earlier analysis left at the end of StringGrid1.
  void RemoveSumRow();
  // Appends the "Summe: " row with the sums of the value columns (from column 2).
  void AppendSumRow();

  // Reports, charts and spreadsheet export (Reports*.cpp, Charts*.cpp, SpreadsheetExport.cpp).
  // Writes the CSV text of StringGrid1 to ReportCsvPath; true when written.
  bool SaveGridAsCsv();
  void ErgebnisseExcel1Click(TComponent* Sender);
  void ErgebnisseExcel2Click(TComponent* Sender);
  void ExportExcel1Click(TComponent* Sender);
  void Facebook1Click(TComponent* Sender);
  void Komplettberblick1Click(TComponent* Sender);
  void AuswertungFacebook1Click(TComponent* Sender);
  void AuswertungberblickAlles1Click(TComponent* Sender);
  void Balken1Click(TComponent* Sender);
  void Linie2Click(TComponent* Sender);
  void N3Dan2Click(TComponent* Sender);
  void N3Daus2Click(TComponent* Sender);
  void switch1Click(TComponent* Sender);
  void switch21Click(TComponent* Sender);
  void Button28Click(TComponent* Sender);
  void Diagramm2Click(TComponent* Sender);
  // The series of Chart1 (after a change of its class, the new one).
  TChartSeries& Series1();
  // Opens a written spreadsheet file with the desktop (tests replace it).
  TSpreadsheetApplication::TOpener SpreadsheetOpener = OpenWithDesktop;
  // Opens the web address of a link in a report with the desktop (tests replace it).
  TSpreadsheetApplication::TOpener ReportLinkOpener = OpenWithDesktop;

  // "\projekte\" + project + file under the program folder; the project's folder is made
  // when missing.
  String ProjectFile(const String& project, const String& fileLiteral);

  // Keyword suggestion and trend crawls (KeywordCrawls.cpp).
  void Button6Click(TComponent* Sender);
  void Button26Click(TComponent* Sender);
  void Button23Click(TComponent* Sender);
  // Hashtag crawls, counting and combinations (HashtagCrawls.cpp, HashtagFilters.cpp).
  void Button12Click(TComponent* Sender);
  void Button13Click(TComponent* Sender);
  void Button14Click(TComponent* Sender);
  void Button15Click(TComponent* Sender);
  void Button16Click(TComponent* Sender);
  void Button18Click(TComponent* Sender);
  void zuDiagram1Click(TComponent* Sender);
  void Button29Click(TComponent* Sender);
  void Button30Click(TComponent* Sender);
  // Text analysis and the text report (TextAnalysis.cpp, TextReport.cpp).
  void Button19Click(TComponent* Sender);
  void Button27Click(TComponent* Sender);
  void Generiere1Click(TComponent* Sender);

  // Side panels.
  TCategoryPanelGroup* CategoryPanelGroup1;
  TCategoryPanel* Projektmanagement;
  TComboBox* projekte;
  TButton* Button4;
  TLabel* Label1;
  TMaskEdit* kelvo_api_key;
  TLabel* Label2;
  TMaskEdit* gplusappcode;
  TButton* Button10;

  TCategoryPanel* CategoryPanel5;
  TLabel* Label3;
  TEdit* Tag;
  TButton* Button12;
  TButton* Button14;
  TLabel* Label4;
  TMemo* Memo5;
  TButton* Button13;
  TLabel* Label5;
  TRadioButton* recent;
  TRadioButton* best;

  TCategoryPanel* CategoryPanel2;
  TEdit* Edit9;
  TButton* Button3;
  TEdit* kelvourl;
  TButton* Button9;
  TEdit* Edit1;
  TButton* Button5;
  TButton* Button11;

  TCategoryPanel* CategoryPanel1;
  TRadioButton* Facebook;
  TRadioButton* Twitter;
  TRadioButton* google;
  TRadioButton* Pinterest;
  TRadioButton* Delicious;
  TRadioButton* Alles;
  TButton* Button2;
  TCheckBox* Echtzeitauswertung;
  TButton* Button1;

  TCategoryPanel* GoogleTrends;
  TLabel* Label6;
  TEdit* kw_trend;
  TButton* Button23;
  TButton* Button24;
  TMemo* Memo6;
  TButton* Button25;

  TCategoryPanel* CategoryPanel3;
  TLabel* Label7;
  TEdit* Edit2;
  TButton* Button6;
  TLabel* Label8;
  TMemo* Memo8;
  TButton* Button26;

  // Tabs.
  TPageControl* PageControl1;
  TTabSheet* Spielwiese;
  TMemo* Memo1;
  TMemo* Memo2;
  TTabSheet* TabSheet4;
  TStringGrid* StringGrid2;
  TTabSheet* TabSheet5;
  TMemo* Memo4;
  TButton* Button17;

  TTabSheet* Tagauswertungen;
  TPageControl* PageControl2;
  TTabSheet* Tag_Plain;
  TPageControl* PageControl3;
  TTabSheet* Wortmatrix;
  TStringGrid* StringGrid3;
  TTabSheet* Filter_Summe;
  TStringGrid* StringGrid4;
  TTabSheet* Kombi;
  TStringGrid* kombos;
  TTabSheet* Diagramm;
  TTabSheet* Gtrends;
  TStringGrid* StringGrid6;
  TWebBrowser* WebBrowser2;
  TTabSheet* TabSheet6;
  TStringGrid* StringGrid7;
  TPanel* Panel1;
  TLabel* Label9;
  TLabel* Label10;
  TEdit* minimum;
  TButton* Button15;
  TLabel* Label11;
  TComboBox* ComboBox1;
  TButton* Button18;
  TButton* Button16;
  TButton* Button28;

  TTabSheet* Texte;
  TMemo* text_ori;
  TStringGrid* StringGrid5;
  TButton* Button19;
  TButton* Button22;
  TButton* Button27;
  TGroupBox* GroupBox1;
  TLabel* Label12;
  TEdit* kwhaeuf;
  TLabel* Label13;
  TButton* Button20;
  TButton* Button21;
  TButton* Button29;
  TButton* Button30;

  TTabSheet* Report;
  TWebBrowser* WebBrowser1;
  TMarkupViewer* ReportViewer;  // shows WebBrowser1's pages

  TTabSheet* TabSheet8;
  TLabel* Label14;
  TMemo* Memo9;
  TLabel* Label15;
  TEdit* Zeichenanzahl;
  TButton* save_config;

  TTabSheet* TabSheet7;
  TPageControl* PageControl4;
  TTabSheet* TabSheet9;
  TStringGrid* StringGrid1;
  TTabSheet* TabSheet10;
  TChart* Chart1;

  // Hidden line buffers on the window itself.
  TMemo* memo7;
  TMemo* Memo3;

  // Main menu.
  TMainMenu* MainMenu1;
  TMenuItem* Programm1;
  TMenuItem* Einstellungen1;
  TMenuItem* Beenden1;
  TMenuItem* Import1;
  TMenuItem* Linkliste1;
  TMenuItem* EasyAnalyzerKelvoRankings1;
  TMenuItem* freidefinierbar1;
  TMenuItem* Auswertung1;
  TMenuItem* Export1;
  TMenuItem* ErgebnisseExcel1;
  TMenuItem* ErgebnisseExcel2;
  TMenuItem* GoogleSuggest1;
  TMenuItem* ExportExcel1;
  TMenuItem* SocialSignals1;
  TMenuItem* Diagramm1;
  TMenuItem* Facebook1;
  TMenuItem* Komplettberblick1;
  TMenuItem* Report1;
  TMenuItem* Generiere1;
  TMenuItem* Export2;
  TMenuItem* Ansicht1;
  TMenuItem* Funktionsleiste1;
  TMenuItem* einblenden2;
  TMenuItem* ausblenden2;

  // Popup menus.
  TPopupMenu* socialsignals_diagramm;
  TMenuItem* AuswertungFacebook1;
  TMenuItem* AuswertungberblickAlles1;
  TMenuItem* Styles1;
  TMenuItem* Balken1;
  TMenuItem* Linie2;
  TMenuItem* Sonstiges1;
  TMenuItem* N3Dan2;
  TMenuItem* N3Daus2;
  TMenuItem* Beschriftungen1;
  TMenuItem* switch1;
  TMenuItem* switch21;
  TMenuItem* zeug1;
  TPopupMenu* PopupMenu6;
  TMenuItem* FiltereleereZeilen1;
  TPopupMenu* uebertrag_diagram;
  TMenuItem* zuDiagram1;
  TPopupMenu* PopupMenu4;
  TMenuItem* SortiereKWSumme1;
  TMenuItem* SortiereKWDichte1;
  TMenuItem* SortiereWDF1;
  TMenuItem* Analyse1;
  TMenuItem* Hashtaganalyse1;
  TMenuItem* WortHashtaganalyse1;
  TMenuItem* ListeHashtaganalyse1;
  TMenuItem* GSuggest1;
  TMenuItem* Wort1;
  TMenuItem* Liste;
  TPopupMenu* PopupMenu3;
  TMenuItem* Listelschen1;
  TMenuItem* zuGoogleSuchvorschlag1;
  TPopupMenu* PopupMenu5;
  TMenuItem* Listelschen2;
  TMenuItem* zurHashtagAnalyse1;

  TOpenDialog* OpenDialog1;
  // The web client of the workflows and its cookie store (attached by the trends crawl).
  TIdHTTP* IdHTTP1;
  TIdCookieManager* IdCookieManager1;

 private:
  void BuildSidePanels();
  void BuildHiddenTabs();
  void BuildEvaluationTab();
  void BuildTextTab();
  void BuildOtherTabs();
  // Shows a report page in ReportViewer; a page that cannot be read shows why instead.
  void ShowReportPage(const String& address);
  // A link in a report to a web page ("http://", "https://") opens in the desktop's browser;
  // the viewer follows the others itself.
  void ReportViewerHotSpotClick(TComponent* Sender, const String& SRC, bool& Handled);
  void BuildMainMenu();
  void BuildPopupMenus();
  void ConnectHandlers();
  // Chart1 on its tab, and the handlers of the analysis, the reports and the charts.
  void BuildChartTab();
  void ConnectReportHandlers();
  // The handlers of the keyword, hashtag and text workflows.
  void ConnectCrawlHandlers();
  // Suggestion crawl of one keyword into the last row of StringGrid7 (KeywordCrawls.cpp).
  void FetchSuggestions(const String& keyword);
  void ParseSuggestions();
  // Empties StringGrid7 and writes its titles.
  void PrepareSuggestionGrid();
  // The hashtags of an activity-search answer as column C of StringGrid3; the plain answer
  // goes to "\hashtags_plain.txt" when savePlain.
  void ExtractHashtags(const String& answer, const String& hashtag, int C, bool savePlain);
  // The activity-search request for one hashtag (already in the form it is sent).
  String ActivitySearchUrl(const String& hashtag, const String& order);
  // Wraps a workflow handler so that it runs through RunWorkflow.
  TNotifyEvent Workflow(void (TForm1::*handler)(TComponent*));

  // Writes the URLs into the transfer window's memo and runs the transfer.
  void TransferUrls(const std::vector<String>& urls);
  // Fetches the SEO service's report for the domain (the nested routine of Button9Click).
  void FetchSeoKeywords();

  bool workflowRunning_ = false;
};
