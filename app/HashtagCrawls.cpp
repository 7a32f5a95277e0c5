// The hashtag crawls: the hashtags of each activity-search answer as one column of the word
// matrix StringGrid3, and the matrix's first column back into the hashtag list.
#include <algorithm>

#include "app/GridClearing.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "app/WordFilters.h"
#include "platform/net/HttpClient.h"
#include "platform/net/ServiceEndpoints.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/StrUtils.h"

String TForm1::ActivitySearchUrl(const String& hashtag, const String& order) {
  return ServiceUrl(TWebService::ActivitySearch, u"/plus/v1/activities?orderBy=" + order + u"&query=%23" + hashtag +
                                                     u"&alt=json&key=" + UrlEncodeQueryValue(gplusappcode->Text()));
}

void TForm1::ExtractHashtags(const String& answer, const String& hashtag, int C, bool savePlain) {
  Memo4->Lines().Clear();
  Memo4->SetScrollBars(TScrollStyle::ssBoth);
  String text = StringReplace(answer, u"}", u"\r\n}", rfReplaceAll);
  text = StringReplace(text, u"{", u"{\r\n", rfReplaceAll);
  if (savePlain) {
    Memo4->SetText(text);
    Memo4->Lines().SaveToFile(AppPath(u"\\hashtags_plain.txt"));
  }
  text = StringReplace(text, u"#", u"\r\n#", rfReplaceAll);
  text = StringReplace(text, u" ", u" \r\n", rfReplaceAll);
  text = StringReplace(text, u"\\", u" \r\n", rfReplaceAll);
  Memo4->SetText(text);
  Memo4->Lines().SaveToFile(AppPath(u"\\hashtags.txt"));

  Memo1->Lines().Clear();
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  {
    TUpdateScope update(Memo1->Lines());
    const TStrings& lines = Memo4->Lines();
    for (int i = 0; i < lines.Count(); ++i) {
      const String line = lines.Get(i);
      if (line.find(u'#') != String::npos && line.find(u',') == String::npos) Memo1->Lines().Add(line);
    }
  }
  Memo1->Lines().SaveToFile(AppPath(u"\\hashtags_complete.txt"));
  RemoveDuplicateLines(Memo1->Lines());
  const int L = Memo1->Lines().Count();

  TGridCellUpdates updates(*StringGrid3);
  StringGrid3->SetCell(0, 0, u"Nr.");
  StringGrid3->SetCell(C, 0, hashtag);
  StringGrid3->SetRowCount(1);
  for (int r = 1; r < L; ++r) {
    StringGrid3->SetCell(0, r, IntToStr(r));
    StringGrid3->SetCell(C, r, Memo1->Lines().Get(r));
  }
  StringGrid3->SetRowCount(std::max(1, L - 1));
  StringGrid3->SetColCount(C + 1);
}

namespace {

// The last numbered row of the matrix becomes its row count.
void CutAtLastNumberedRow(TStringGrid& grid) {
  const int count = grid.RowCount();
  for (int r = 0; r < count; ++r)
    if (!grid.CellRef(0, r).empty()) grid.SetRowCount(r);
}

}  // namespace

void TForm1::Button12Click(TComponent*) {
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(Tag_Plain);
  PageControl3->SetActivePage(Wortmatrix);
  Memo5->Lines().Clear();
  Memo1->Lines().Clear();
  SaveFirstLine(AppPath(u"\\acc_gplus.txt"), gplusappcode->Text());
  const String order = recent->Checked() ? u"recent" : u"best";

  ClearGridRows(*StringGrid3);
  StringGrid3->SetRowCount(1);
  StringGrid3->SetColCount(1);

  // The hashtag goes out form-encoded, its blanks as "+".
  const String hashtag = StringReplace(Tag->Text(), u" ", u"+", rfReplaceAll);
  const String answer = IdHTTP1->Get(ActivitySearchUrl(UrlEncodeFormValue(Tag->Text()), order));
  ExtractHashtags(answer, hashtag, 1, true);

  CutAtLastNumberedRow(*StringGrid3);
  AutoSizeColumns(*StringGrid3, 40);
  ShowStatus(u" fertig gecrawled");
}

void TForm1::Button13Click(TComponent* Sender) {
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(Tag_Plain);
  if (Memo5->Lines().Count() <= 1) {
    Button12Click(Sender);
    Button14Click(Sender);
  }
  SaveFirstLine(AppPath(u"\\acc_gplus.txt"), gplusappcode->Text());
  const String order = recent->Checked() ? u"recent" : u"best";
  int max = 0;
  ClearGridRows(*StringGrid3);
  StringGrid3->SetRowCount(1);
  StringGrid3->SetColCount(1);

  for (int i = 0; i < Memo5->Lines().Count(); ++i) {
    const String line = Memo5->Lines().Get(i);
    ShowStatus(u" crawle: " + line);
    // Sent as listed: a blank goes out as %20.
    const String answer = IdHTTP1->Get(ActivitySearchUrl(UrlEncodeQueryValue(line), order));
    ExtractHashtags(answer, line, StringGrid3->ColCount(), false);
    max = std::max(max, StringGrid3->RowCount());
  }
  CutAtLastNumberedRow(*StringGrid3);
  StringGrid3->SetRowCount(max);
  AutoSizeColumns(*StringGrid3, 40);
  ShowStatus(u" Crawling fertig gestellt ... ");
}

void TForm1::Button14Click(TComponent*) {
  Memo5->Lines().Clear();
  Memo5->SetScrollBars(TScrollStyle::ssBoth);
  Memo1->Lines().Assign(StringGrid3->Cols(1));
  const int least = StrToInt(Zeichenanzahl->Text());
  const TBlacklist blacklist(Memo9->Lines());
  {
    TUpdateScope update(Memo5->Lines());
    for (int i = 0; i < Memo1->Lines().Count(); ++i) {
      const String line = Memo1->Lines().Get(i);
      if (static_cast<int>(line.size()) >= least && !blacklist.Contains(line)) Memo5->Lines().Add(line);
    }
  }
  String text = Memo5->Text();
  text = StringReplace(text, u"#", u"", rfReplaceAll);
  text = StringReplace(text, u" ", u"", rfReplaceAll);
  text = StringReplace(text, u"\u00A0\u00A0", u"", rfReplaceAll);
  text = StringReplace(text, u" ", u"+", rfReplaceAll);
  text = StringReplace(text, u"\u00A0", u"", rfReplaceAll);
  text = StringReplace(text, u".", u"", rfReplaceAll);
  Memo5->SetText(text);
  RemoveDuplicateLines(Memo5->Lines());
}
