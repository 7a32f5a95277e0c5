// Projects: switching (the project's URL list, sitemap address and SEO domain come back),
// saving a name, the free URL list, and the configuration on the "//=>Konfiguration" tab.
#include <algorithm>

#include "app/AppForms.h"
#include "app/MainForm.h"
#include "app/Projects.h"
#include "app/SharedRoutines.h"
#include "app/TransferForm.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StringList.h"

bool IsValidProjectName(const String& name) {
  // A control character would split the name's line in projekte.txt; "." is the projects folder itself.
  const bool control = std::any_of(name.begin(), name.end(), [](Char c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); });
  return !name.empty() && name != u"." && !control && name.find(u'/') == String::npos &&
         name.find(u'\\') == String::npos && name.find(u"..") == String::npos;
}

void TForm1::projekteChange(TComponent*) {
  const String project = projekte->Text();
  if (!IsValidProjectName(project) || !DirectoryExists(AppPath(u"\\projekte\\" + project))) return;
  const String folder = u"\\projekte\\" + project;
  if (FileExists(AppPath(folder + u"\\urls.txt"))) {
    Form2->Memo1->SetScrollBars(TScrollStyle::ssBoth);
    Form2->Memo1->Lines().LoadFromFile(AppPath(folder + u"\\urls.txt"));
    Form2->Button1Click(Form2->Button1);
  }
  if (FileExists(AppPath(folder + u"\\sitemaps.txt"))) Edit9->SetText(LoadFirstLine(AppPath(folder + u"\\sitemaps.txt")));
  if (FileExists(AppPath(folder + u"\\kelvo.txt"))) kelvourl->SetText(LoadFirstLine(AppPath(folder + u"\\kelvo.txt")));
}

void TForm1::Button4Click(TComponent*) {
  const String project = projekte->Text();
  if (!CheckProjectName(project)) return;
  RequireDirectories(AppPath(u"\\projekte\\" + project));
  projekte->Items().Add(project);
  RemoveDuplicateLines(projekte->Items());
  projekte->Items().SaveToFile(AppPath(u"\\projekte\\projekte.txt"));
}

void TForm1::freidefinierbar1Click(TComponent*) {
  Form2->SetCaption(CaptionPrefix + u" Freitext");
  Form2->Show();
}

void TForm1::TransferUrls(const std::vector<String>& urls) {
  TMemoLines& lines = Form2->Memo1->Lines();
  {
    TUpdateScope update(lines);
    lines.Clear();
    for (const String& url : urls) lines.Add(url);
  }
  Form2->Button1Click(Form2->Button1);
}

void TForm1::save_configClick(TComponent*) {
  RequireDirectories(AppPath(u"\\config"));
  RemoveDuplicateLines(Memo9->Lines());
  Memo9->Lines().SaveToFile(AppPath(u"\\config\\stopwords.txt"));
  SaveFirstLine(AppPath(u"\\config\\limits.txt"), Zeichenanzahl->Text());
}
