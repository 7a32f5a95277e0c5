// The keyword suggestion crawls (one keyword or the list Memo8) and the trend crawl.
#include <algorithm>

#include "app/GridClearing.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "app/WordFilters.h"
#include "platform/net/HttpClient.h"
#include "platform/net/ServiceEndpoints.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"

namespace {

const char16_t* const kSuggestionTitles[] = {u"Nummer", u"Original-KW", u"KW-1", u"KW-2", u"KW-3", u"KW-4",
                                             u"KW-5",   u"KW-6",        u"KW-7", u"KW-8", u"KW-9", u"KW-10"};
const char16_t* const kTrendTitles[] = {u"Nr.", u"Key/Phrase", u"Trends/Zuwachs", u"Trends/Zuwachs in %"};

String BlanksToPlus(const String& text) { return StringReplace(text, u" ", u"+", rfReplaceAll); }

}  // namespace

void TForm1::PrepareSuggestionGrid() {
  ClearGridRows(*StringGrid7);
  StringGrid7->SetRowCount(2);
  for (int c = 0; c < 12; ++c) StringGrid7->SetCell(c, 0, kSuggestionTitles[c]);
  StringGrid7->SetColCount(12);
}

void TForm1::FetchSuggestions(const String& keyword) {
  Memo1->Lines().Clear();
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  // The keyword goes out form-encoded: its blanks as "+", and "&", "#" or "+" of its own
  // cannot break up the query.
  String answer =
      IdHTTP1->Get(ServiceUrl(TWebService::Suggest, u"/complete/search?output=toolbar&q=" +
                                                        UrlEncodeFormValue(keyword) + u"&hl=DE"));
  answer = StringReplace(answer, u"<", u"\r\n<", rfReplaceAll);
  answer = StringReplace(answer, u">", u">\r\n", rfReplaceAll);
  Memo1->SetText(answer);
  RequireDirectories(AppPath(u"\\debug"));
  Memo1->Lines().SaveToFile(AppPath(u"\\debug\\tmp.txt"));
}

void TForm1::ParseSuggestions() {
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(TabSheet6);
  const TStrings& lines = Memo1->Lines();
  const int row = StringGrid7->RowCount() - 1;
  int k = 1;
  TGridCellUpdates updates(*StringGrid7);
  for (int i = 0; i < lines.Count(); ++i) {
    if (lines.Get(i) != u"<CompleteSuggestion>") continue;
    ++k;
    String suggestion = StringReplace(lines.Get(i + 2), u"<suggestion data=\"", u"", rfReplaceAll | rfIgnoreCase);
    suggestion = StringReplace(suggestion, u"\"/>", u"", rfReplaceAll | rfIgnoreCase);
    StringGrid7->SetCell(k, row, suggestion);
    // Suggestions past the titled columns stay visible in columns without a title.
    if (k >= StringGrid7->ColCount()) StringGrid7->SetColCount(k + 1);
    Memo3->Lines().Add(suggestion);
  }
}

void TForm1::Button26Click(TComponent*) {
  if (!DirectoryExists(AppPath(u"\\reporting\\"))) ForceDirectories(AppPath(u"\\reporting\\"));
  if (!DirectoryExists(AppPath(u"\\reporting\\suggest"))) ForceDirectories(AppPath(u"\\reporting\\suggest"));
  PrepareSuggestionGrid();
  for (int i = 0; i < Memo8->Lines().Count(); ++i) {
    const String line = Memo8->Lines().Get(i);
    const int row = StringGrid7->RowCount() - 1;
    StringGrid7->SetCell(1, row, line);
    StringGrid7->SetCell(0, row, IntToStr(i));
    FetchSuggestions(line);
    ParseSuggestions();
    StringGrid7->SetRowCount(StringGrid7->RowCount() + 1);
    ShowStatus(u" analysiere: " + BlanksToPlus(line));
  }
  StringGrid7->SetRowCount(StringGrid7->RowCount() + 1);
  AutoSizeColumns(*StringGrid7, 40);
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(TabSheet6);
}

void TForm1::Button6Click(TComponent*) {
  Memo8->Lines().Clear();
  Memo8->SetScrollBars(TScrollStyle::ssBoth);
  if (!DirectoryExists(AppPath(u"\\reporting\\"))) ForceDirectories(AppPath(u"\\reporting\\"));
  if (!DirectoryExists(AppPath(u"\\reporting\\suggest"))) ForceDirectories(AppPath(u"\\reporting\\suggest"));
  PrepareSuggestionGrid();

  const String typed = Edit2->Text();
  StringGrid7->SetCell(1, 1, typed);
  StringGrid7->SetCell(0, 1, u"0");
  FetchSuggestions(typed);
  ParseSuggestions();
  StringGrid7->SetRowCount(StringGrid7->RowCount() + 1);
  ShowStatus(u" analysiere: " + BlanksToPlus(typed));
  StringGrid7->SetRowCount(StringGrid7->RowCount() + 1);
  AutoSizeColumns(*StringGrid7, 40);

  // The keyword and its suggestions; the empty cells after them are no keywords.
  const int least = StrToInt(Zeichenanzahl->Text());
  const TBlacklist blacklist(Memo9->Lines());
  for (int c = 1; c < StringGrid7->ColCount(); ++c) {
    const String& cell = StringGrid7->CellRef(c, 1);
    if (!cell.empty() && static_cast<int>(cell.size()) >= least && !blacklist.Contains(cell))
      Memo8->Lines().Add(cell);
  }
  Memo1->Lines().Clear();
  PageControl1->SetActivePage(Tagauswertungen);
  PageControl2->SetActivePage(TabSheet6);
}

void TForm1::Button23Click(TComponent*) {
  Memo5->Lines().Clear();
  Memo1->Lines().Clear();
  SaveFirstLine(AppPath(u"\\acc_gplus.txt"), gplusappcode->Text());

  ClearGridRows(*StringGrid6);
  StringGrid6->SetColCount(4);
  for (int c = 0; c < 4; ++c) StringGrid6->SetCell(c, 0, kTrendTitles[c]);
  StringGrid6->SetRowCount(1);
  Memo4->Lines().Clear();
  Memo4->SetScrollBars(TScrollStyle::ssBoth);

  IdHTTP1->CookieManager = IdCookieManager1;
  String text = IdHTTP1->Get(ServiceUrl(TWebService::Trends, u"/trends/fetchComponent?hl=de-DE&q=" +
                                                                 UrlEncodeQueryValue(kw_trend->Text()) +
                                                                 u"&geo=DE&cid=RISING_QUERIES_0_0&export=3&w=500&h=300"));
  text = StringReplace(text, u"}", u"\r\n}", rfReplaceAll);
  text = StringReplace(text, u"{", u"{\r\n", rfReplaceAll);
  Memo4->SetText(text);
  Memo4->Lines().SaveToFile(AppPath(u"\\hashtags_plain.txt"));
  text = StringReplace(text, u"#", u"\r\n#", rfReplaceAll);
  text = StringReplace(text, u"\\", u" \r\n", rfReplaceAll);
  text = StringReplace(text, u"\"v\":\"", u"", rfReplaceAll);
  text = StringReplace(text, u"\"", u"", rfReplaceAll);
  Memo4->SetText(text);

  Memo1->SetText(text);
  const TStrings& lines = Memo1->Lines();
  TGridCellUpdates updates(*StringGrid6);
  for (int j = 1; j < lines.Count(); ++j) {
    if (lines.Get(j) != u"c:[{") continue;
    const int r = StringGrid6->RowCount();
    StringGrid6->SetCell(0, r, IntToStr(r));
    StringGrid6->SetCell(1, r, lines.Get(j + 1));
    String growth = StringReplace(lines.Get(j + 3), u"v:", u"", rfReplaceAll);
    growth = StringReplace(growth, u"f:", u"", rfReplaceAll);
    const size_t comma = growth.find(u',');
    StringGrid6->SetCell(2, r, growth.substr(0, comma));
    if (comma != String::npos) {
      const size_t next = growth.find(u',', comma + 1);
      StringGrid6->SetCell(3, r, growth.substr(comma + 1, next == String::npos ? String::npos : next - comma - 1));
    }
    StringGrid6->SetRowCount(r + 1);
  }
  AutoSizeColumns(*StringGrid6, 40);
  ShowStatus(u" fertig gecrawled");
}
