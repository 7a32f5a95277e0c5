// Counting the hashtags of the word matrix, their combinations, and the count grid's popup.
#include <unordered_map>

#include "app/GridClearing.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/app/Application.h"

namespace {

String WithoutHashes(const String& text) { return StringReplace(text, u"#", u"", rfReplaceAll); }

}  // namespace

void TForm1::Button15Click(TComponent* Sender) {
  Memo4->Lines().Clear();
  {
    TUpdateScope update(Memo4->Lines());
    for (int c = 1; c < StringGrid3->ColCount(); ++c)
      for (int r = 0; r < StringGrid3->RowCount(); ++r)
        if (!StringGrid3->CellRef(c, r).empty()) Memo4->Lines().Add(StringGrid3->CellRef(c, r));
  }
  Memo4->SetText(WithoutHashes(Memo4->Text()));
  Memo4->Lines().SaveToFile(AppPath(u"\\tmp_tags_single_plain.txt"));
  Memo1->SetText(Memo4->Text());
  Memo5->SetText(Memo4->Text());
  RemoveDuplicateLines(Memo5->Lines());
  Button16Click(Sender);
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(Tag_Plain);
  PageControl3->SetActivePage(Filter_Summe);
  ShowStatus(u" 1st - Levelfilterprozess fertig gestellt");
  ComboBox1->Items().Assign(StringGrid4->Cols(1));
}

void TForm1::Button16Click(TComponent*) {
  ClearGridRows(*StringGrid4);
  StringGrid4->SetRowCount(1);
  StringGrid4->SetColCount(3);
  StringGrid4->SetCell(0, 0, u"Nr.");
  StringGrid4->SetCell(1, 0, u"Hashtag / KW");
  StringGrid4->SetCell(2, 0, u"Summe");

  const TStrings& all = Memo4->Lines();
  std::unordered_map<String, int> counts;
  for (int i = 0; i < all.Count(); ++i) ++counts[all.Get(i)];
  const TStrings& distinct = Memo5->Lines();
  if (distinct.Count() == 0) {
    AutoSizeColumns(*StringGrid4, 40);
    return;
  }
  const int least = StrToInt(minimum->Text());
  TGridCellUpdates updates(*StringGrid4);
  for (int i = 0; i < distinct.Count(); ++i) {
    const String t = distinct.Get(i);
    const auto found = counts.find(t);
    const int n = found == counts.end() ? 0 : found->second;
    if (n <= least) continue;
    ShowStatus(u" " + minimum->Text() + u" / " + IntToStr(n));
    const int row = StringGrid4->RowCount();
    StringGrid4->SetCell(0, row, IntToStr(row));
    StringGrid4->SetCell(1, row, t);
    StringGrid4->SetCell(2, row, IntToStr(n));
    StringGrid4->SetRowCount(row + 1);
  }
  AutoSizeColumns(*StringGrid4, 40);
}

void TForm1::Button18Click(TComponent*) {
  ClearGridRows(*kombos);
  kombos->SetRowCount(1);
  kombos->SetColCount(4);
  kombos->SetCell(0, 0, u"Nr.");
  kombos->SetCell(1, 0, u"Tag (1)");
  kombos->SetCell(2, 0, u"Tag (2)");
  kombos->SetCell(3, 0, u"Tag (3)");
  Memo4->Lines().Clear();

  {
    TUpdateScope update(Memo4->Lines());
    for (int c = 2; c < StringGrid3->ColCount(); ++c) {
      const String& T = StringGrid3->CellRef(c, 0);
      for (int r = 1; r < StringGrid3->RowCount(); ++r) {
        const String& X = StringGrid3->CellRef(c, r);
        if (!X.empty() && T != StringGrid3->CellRef(1, r) && X != T && X != StringGrid1->CellRef(1, r))
          Memo4->Lines().Add(X + u"|" + T + u"|" + StringGrid3->CellRef(1, c));
      }
    }
  }
  Memo4->SetText(WithoutHashes(Memo4->Text()));
  Memo4->Lines().SaveToFile(AppPath(u"\\tmp_tags_plain.txt"));
  Memo1->SetText(Memo4->Text());
  Memo5->SetText(Memo4->Text());
  RemoveDuplicateLines(Memo5->Lines());
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(Tag_Plain);
  PageControl3->SetActivePage(Kombi);

  Memo4->Lines().Clear();
  Memo1->Lines().Clear();
  Memo1->Lines().LoadFromFile(AppPath(u"\\tmp_tags_single_plain.txt"));

  const String word = ComboBox1->Text();
  {
    TUpdateScope update(Memo4->Lines());
    for (int i = 0; i < Memo5->Lines().Count(); ++i) {
      const String line = Memo5->Lines().Get(i);
      if (line.find(word) != String::npos) Memo4->Lines().Add(line);
    }
  }
  RemoveDuplicateLines(Memo4->Lines());
  ShowStatus(u" " + IntToStr(Memo4->Lines().Count() - 1) + u" Kombinationen gefiltert");

  TGridCellUpdates updates(*kombos);
  for (int k = 1; k < Memo4->Lines().Count(); ++k) {
    const String line = Memo4->Lines().Get(k);
    kombos->SetCell(0, k, IntToStr(k));
    size_t start = 0;
    for (int part = 1; part <= 3; ++part) {
      const size_t bar = start == String::npos ? String::npos : line.find(u'|', start);
      kombos->SetCell(part, k, start == String::npos ? String() : line.substr(start, bar == String::npos ? String::npos : bar - start));
      start = bar == String::npos ? String::npos : bar + 1;
    }
    kombos->SetRowCount(k + 1);
  }
  AutoSizeColumns(*kombos, 40);
  PageControl3->SetActivePage(Kombi);
  Memo5->SetText(WithoutHashes(StringGrid3->Cols(1).Text()));
}

void TForm1::zuDiagram1Click(TComponent*) {
  const int row = StringGrid4->Row();
  String text;
  for (int c = 0; c < StringGrid4->ColCount(); ++c) text += StringGrid4->CellRef(c, row) + u"\r\n";
  ShowMessage(text);
  ShowMessage(text);
  ShowMessage(IntToStr(row));
}
