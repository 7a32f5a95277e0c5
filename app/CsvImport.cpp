// CSV import ("Import" > "Linkliste" > "EasyAnalyzer"): the second field of every line
// after the header, each URL once, fills the URL grid.
#include "app/CsvFields.h"

#include <unordered_set>

#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/StringList.h"

void TForm1::EasyAnalyzerKelvoRankings1Click(TComponent*) {
  OpenDialog1->Filter = u"CSV-Tabellen|*.csv";
  if (!OpenDialog1->Execute()) return;
  TStringList lines;
  lines.LoadFromFile(OpenDialog1->FileName);

  std::vector<String> urls;
  std::unordered_set<String> seen;
  for (int i = 1; i < lines.Count(); ++i) {
    std::vector<String> fields = ParseCsvFields(lines[i]);
    if (fields.size() < 2) continue;  // a blank or short line holds no URL
    if (seen.insert(fields[1]).second) urls.push_back(std::move(fields[1]));
  }

  for (int r = 0; r < StringGrid1->RowCount(); ++r) StringGrid1->Rows(r).Clear();
  StringGrid1->SetColCount(8);
  {
    TGridCellUpdates updates(*StringGrid1);
    const char16_t* titles[] = {u"Nr.", u"URL", u"Likes", u"Shares", u"Comments", u"Clicks", u"Summe / Total"};
    for (int c = 0; c < 7; ++c) StringGrid1->SetCell(c, 0, titles[c]);
    for (size_t k = 1; k <= urls.size(); ++k) {
      StringGrid1->SetCell(0, static_cast<int>(k), IntToStr(static_cast<int64_t>(k)));
      StringGrid1->SetCell(1, static_cast<int>(k), urls[k - 1]);
    }
  }
  StringGrid1->SetRowCount(static_cast<int>(urls.size()) + 1);
  AutoSizeColumns(*StringGrid1, 40);
}
