// URL lists from sitemaps: downloaded from the address in Edit9 (saved as the project's
// list), or read from the local file named in Edit1 (into the grid only).
#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "app/SitemapUrls.h"
#include "app/TransferForm.h"
#include "platform/net/HttpClient.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

namespace {

void DownloadTo(TIdHTTP& http, const String& url, const String& fileName) {
  TFileStream file(fileName, fmCreate);
  http.Get(url, file);
}

}  // namespace

void TForm1::Button3Click(TComponent*) {
  const String project = projekte->Text();
  if (!CheckProjectName(project)) return;
  DownloadTo(*IdHTTP1, Edit9->Text(), AppPath(u"\\tmp.xml"));

  memo7->SetScrollBars(TScrollStyle::ssBoth);
  memo7->SetText(SplitAtLocTags(LoadSitemapFile(AppPath(u"\\tmp.xml"))));
  memo7->Lines().SaveToFile(AppPath(u"\\tmp.txt"));
  const std::vector<String> urls = ExtractSitemapUrls(memo7->Text());
  ShowStatus(u" " + IntToStr(static_cast<int64_t>(urls.size())) + u" Links gefunden");

  TransferUrls(urls);
  Form2->Memo1->Lines().SaveToFile(ProjectFile(project, u"\\urls.txt"));
  Form2->Memo1->SetText(Edit9->Text());
  Form2->Memo1->Lines().SaveToFile(ProjectFile(project, u"\\sitemaps.txt"));
  AutoSizeColumns(*StringGrid1, 40);
}

void TForm1::Button11Click(TComponent*) { DownloadTo(*IdHTTP1, Edit9->Text(), AppPath(u"\\tmp.xml")); }

void TForm1::Edit1DblClick(TComponent*) {
  if (OpenDialog1->Execute()) Edit1->SetText(OpenDialog1->FileName);
}

void TForm1::Button5Click(TComponent*) {
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  Memo1->SetText(SplitAtLocTags(LoadSitemapFile(Edit1->Text())));
  Memo1->Lines().SaveToFile(AppPath(u"\\tmp.txt"));
  const std::vector<String> urls = ExtractSitemapUrls(Memo1->Text());
  {
    TUpdateScope update(Memo2->Lines());
    Memo2->Lines().Clear();
    for (const String& url : urls) Memo2->Lines().Add(url);
  }
  ShowStatus(u" " + IntToStr(static_cast<int64_t>(urls.size())) + u" Links gefunden");

  {
    // The rows hold the new list alone: values checked for the URLs they held before go.
    TGridCellUpdates updates(*StringGrid1);
    for (int r = 1; r < StringGrid1->RowCount(); ++r) StringGrid1->Rows(r).Clear();
    for (size_t i = 0; i < urls.size(); ++i) {
      StringGrid1->Rows(static_cast<int>(i) + 1).Clear();
      StringGrid1->SetCell(1, static_cast<int>(i) + 1, urls[i]);
      StringGrid1->SetCell(0, static_cast<int>(i) + 1, IntToStr(static_cast<int64_t>(i) + 1));
    }
  }
  StringGrid1->SetRowCount(static_cast<int>(urls.size()) + 1);
  AutoSizeColumns(*StringGrid1, 50);
}
