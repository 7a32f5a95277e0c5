// The main window: construction, start-up, the status caption, the wait and the guard
// that keeps workflows from running inside each other.
#include "app/MainForm.h"

#include "app/MainFormBuild.h"
#include "app/Projects.h"
#include "app/SharedRoutines.h"
#include "platform/net/CookieManager.h"
#include "platform/net/HttpClient.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Wait.h"

namespace {

const char16_t* const kBusyMessage = u" Bitte warten: eine Aufgabe läuft noch";

}  // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"Form1");
  SetClientWidth(742);
  SetClientHeight(722);
  SetPosition(TPosition::poScreenCenter);
  IdHTTP1 = new TIdHTTP();
  IdCookieManager1 = new TIdCookieManager();

  BuildSidePanels();
  BuildHiddenTabs();
  BuildEvaluationTab();
  BuildTextTab();
  BuildOtherTabs();
  BuildChartTab();
  memo7 = mainform::Make<TMemo>(this, this, u"memo7");
  memo7->SetVisible(false);
  Memo3 = mainform::Make<TMemo>(this, this, u"Memo3");
  Memo3->SetVisible(false);
  BuildMainMenu();
  BuildPopupMenus();
  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName(u"OpenDialog1");
  ConnectHandlers();
  // Narrower, the row of filter controls below the evaluation grids would be cut off beside
  // the side panels; lower, the configuration tab's button (30 pixels for the tab bar and the
  // page's frame).
  SetConstraints({CategoryPanelGroup1->Width() + Button18->Left() + Button18->Width() + 16,
                  save_config->Top() + save_config->Height() + 8 + 30});
}

TForm1::~TForm1() {
  DestroyComponents();
  delete IdHTTP1;
  delete IdCookieManager1;
}

TNotifyEvent TForm1::Workflow(void (TForm1::*handler)(TComponent*)) {
  return [this, handler](TComponent* Sender) { RunWorkflow([&] { (this->*handler)(Sender); }); };
}

void TForm1::ConnectHandlers() {
  OnCreate = [this](TComponent* Sender) { FormCreate(Sender); };

  Einstellungen1->OnClick = [this](TComponent* s) { Einstellungen1Click(s); };
  Beenden1->OnClick = [this](TComponent* s) { Beenden1Click(s); };
  Export2->OnClick = [this](TComponent* s) { Export2Click(s); };
  einblenden2->OnClick = [this](TComponent* s) { einblenden2Click(s); };
  ausblenden2->OnClick = [this](TComponent* s) { ausblenden2Click(s); };
  Button22->OnClick = [this](TComponent* s) { Button22Click(s); };
  Button10->OnClick = Workflow(&TForm1::Button10Click);
  Button17->OnClick = Workflow(&TForm1::Button17Click);
  Button21->OnClick = Workflow(&TForm1::Button21Click);
  SortiereKWSumme1->OnClick = Workflow(&TForm1::SortiereKWSumme1Click);
  SortiereKWDichte1->OnClick = Workflow(&TForm1::SortiereKWDichte1Click);
  SortiereWDF1->OnClick = Workflow(&TForm1::SortiereWDF1Click);
  WortHashtaganalyse1->OnClick = [this](TComponent* s) { WortHashtaganalyse1Click(s); };
  ListeHashtaganalyse1->OnClick = [this](TComponent* s) { ListeHashtaganalyse1Click(s); };
  Wort1->OnClick = [this](TComponent* s) { Wort1Click(s); };
  Liste->OnClick = [this](TComponent* s) { ListeClick(s); };
  Listelschen1->OnClick = [this](TComponent* s) { Listelschen1Click(s); };
  zuGoogleSuchvorschlag1->OnClick = [this](TComponent* s) { zuGoogleSuchvorschlag1Click(s); };
  Listelschen2->OnClick = [this](TComponent* s) { Listelschen2Click(s); };
  zurHashtagAnalyse1->OnClick = [this](TComponent* s) { zurHashtagAnalyse1Click(s); };
  TMouseEvent headerSort = [this](TComponent* s, TMouseButton b, TShiftState sh, int x, int y) {
    RunWorkflow([&] { StringGrid1MouseUp(s, b, sh, x, y); });
  };
  for (TStringGrid* grid : {StringGrid1, StringGrid3, StringGrid4, kombos, StringGrid6, StringGrid7})
    grid->OnMouseUp = headerSort;

  projekte->OnChange = Workflow(&TForm1::projekteChange);
  Button4->OnClick = Workflow(&TForm1::Button4Click);
  freidefinierbar1->OnClick = [this](TComponent* s) { freidefinierbar1Click(s); };
  Button3->OnClick = Workflow(&TForm1::Button3Click);
  Button11->OnClick = Workflow(&TForm1::Button11Click);
  Edit1->OnDblClick = [this](TComponent* s) { Edit1DblClick(s); };
  Button5->OnClick = Workflow(&TForm1::Button5Click);
  Button9->OnClick = Workflow(&TForm1::Button9Click);
  EasyAnalyzerKelvoRankings1->OnClick = Workflow(&TForm1::EasyAnalyzerKelvoRankings1Click);
  save_config->OnClick = Workflow(&TForm1::save_configClick);
  ConnectReportHandlers();
  ConnectCrawlHandlers();
}

String TForm1::AppPath(const String& literal) const { return SystemPath(ProgramFolder + literal); }

void TForm1::ShowStatus(const String& message) { SetCaption(CaptionPrefix + message); }

void TForm1::PumpWait(int ms) { WaitProcessingMessages(ms); }

void TForm1::RunWorkflow(const std::function<void()>& workflow) {
  if (workflowRunning_) {
    ShowStatus(kBusyMessage);
    return;
  }
  workflowRunning_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{workflowRunning_};
  workflow();
}

void TForm1::FormCreate(TComponent*) {
  ProgramFolder = IncludeTrailingPathDelimiter(::ProgramFolder());
  CaptionPrefix = u"tarnwick wendrel v.0.8b";
  SetCaption(CaptionPrefix);

  if (DirectoryExists(AppPath(u"\\projekte"))) {
    if (FileExists(AppPath(u"\\projekte\\projekte.txt"))) projekte->Items().LoadFromFile(AppPath(u"\\projekte\\projekte.txt"));
  } else {
    // A program folder that cannot be written is worth knowing before any work is lost.
    try {
      RequireDirectories(AppPath(u"\\projekte"));
    } catch (const EInOutError& e) {
      ShowStatus(u" Projekte lassen sich nicht speichern: " + e.Message());
    }
  }
  if (FileExists(AppPath(u"\\account.txt"))) kelvo_api_key->SetText(LoadFirstLine(AppPath(u"\\account.txt")));
  if (FileExists(AppPath(u"\\acc_gplus.txt"))) gplusappcode->SetText(LoadFirstLine(AppPath(u"\\acc_gplus.txt")));
  if (FileExists(AppPath(u"\\config\\stopwords.txt"))) Memo9->Lines().LoadFromFile(AppPath(u"\\config\\stopwords.txt"));
  if (FileExists(AppPath(u"\\config\\limits.txt"))) Zeichenanzahl->SetText(LoadFirstLine(AppPath(u"\\config\\limits.txt")));
}

bool TForm1::CheckProjectName(const String& name) {
  bool valid = IsValidProjectName(name);
  if (!valid)
    ShowMessage(u"Ungültiger Projektname \"" + name +
                u"\": Bitte einen Namen ohne \"/\", \"\\\" und \"..\" eingeben.");
  return valid;
}

String TForm1::ProjectFile(const String& project, const String& fileLiteral) {
  RequireDirectories(AppPath(u"\\projekte\\" + project));
  return AppPath(u"\\projekte\\" + project + fileLiteral);
}
