// The SEO-service import: the URL lines of a domain's keyword report fill the URL grid.
#include "app/AppForms.h"
#include "app/GridClearing.h"
#include "app/MainForm.h"
#include "app/SettingsForm.h"
#include "app/SharedRoutines.h"
#include "app/TransferForm.h"
#include "platform/net/HttpClient.h"
#include "platform/net/ServiceEndpoints.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/app/Application.h"

void TForm1::Button9Click(TComponent*) {
  const String project = projekte->Text();
  if (!CheckProjectName(project)) return;
  SaveFirstLine(AppPath(u"\\account.txt"), kelvo_api_key->Text());
  FetchSeoKeywords();
  SaveFirstLine(ProjectFile(project, u"\\kelvo.txt"), kelvourl->Text());
}

void TForm1::FetchSeoKeywords() {
  String domain = kelvourl->Text();
  if (domain.empty()) {
    ShowMessage(u"Bitte Domain aus der Liste auswählen!");
    return;
  }
  domain = StringReplace(domain, u"http://", u"", rfReplaceAll | rfIgnoreCase);
  domain = StringReplace(domain, u"https://", u"", rfReplaceAll | rfIgnoreCase);

  // The answer is fetched before the grid is touched: a failed import leaves the user's
  // list as it was, and the caption says why.
  String answer;
  try {
    const String url = ServiceUrl(TWebService::SeoService,
                                  u"/index.php?key=" + UrlEncodeQueryValue(kelvo_api_key->Text()) +
                                      u"&service=seo&method=getKeywords&domain=" + UrlEncodeQueryValue(domain) +
                                      u"&limit=1500&sengine=" + UrlEncodeQueryValue(Form3->sengine->Text()) +
                                      u"&format=xml");
    answer = IdHTTP1->Get(url);
  } catch (const Exception& e) {
    ShowStatus(u" KELVO-Import fehlgeschlagen, die URL-Liste bleibt unverändert: " + e.Message());
    return;
  }

  Memo1->Lines().Clear();
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  answer = StringReplace(answer, u"<", u"\r\n<", rfReplaceAll);
  answer = StringReplace(answer, u">", u">\r\n", rfReplaceAll);
  Memo1->SetText(answer);
  Memo1->Lines().SaveToFile(AppPath(u"\\kelvo_tmp.txt"));
  RemoveDuplicateLines(Memo1->Lines());

  ClearGridRows(*StringGrid1);
  StringGrid1->SetRowCount(1);
  StringGrid1->SetCell(0, 0, u"Nr.");
  StringGrid1->SetCell(1, 0, u"URL");
  StringGrid1->SetColCount(4);
  {
    int n = 0;
    TGridCellUpdates updates(*StringGrid1);
    for (int i = 0; i < Memo1->Lines().Count(); ++i) {
      const String line = Memo1->Lines().Get(i);
      if (Pos(u"http:", line) == 0) continue;
      const int row = StringGrid1->RowCount();
      StringGrid1->Rows(row).Clear();  // cells an earlier, longer list left beyond the count
      StringGrid1->SetCell(0, row, IntToStr(++n));
      StringGrid1->SetCell(1, row, line);
      StringGrid1->SetRowCount(row + 1);
    }
  }
  AutoSizeColumns(*StringGrid1, 40);
  ForceDirectories(AppPath(u"\\reporting\\kelvo\\key"));
}
