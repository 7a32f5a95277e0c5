// The social-signal analysis: every URL of StringGrid1 asked at the chosen network's
// service, the answers' counts written into the rows, a live pie of the running sums, the
// HTML and CSV reports, and the sum row.
#include <cstdint>

#include "app/GridReports.h"
#include "app/MainForm.h"
#include "app/SharedRoutines.h"
#include "app/SocialNetworks.h"
#include "platform/chart/Chart.h"
#include "platform/net/HttpClient.h"
#include "platform/net/UrlEncoding.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/DateTimeText.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"

namespace {

const char16_t* const kSumLabel = u"Summe: ";
const char16_t* const kFailed = u"N/A";

// The answer with every ":", "," and "}" turned into a line break.
String SplitAnswer(const String& answer) {
  String text = StringReplace(answer, u":", u"\r\n", rfReplaceAll | rfIgnoreCase);
  text = StringReplace(text, u",", u"\r\n", rfReplaceAll | rfIgnoreCase);
  return StringReplace(text, u"}", u"\r\n", rfReplaceAll | rfIgnoreCase);
}

// A count as the sums take it: an integer, anything else 0.
int64_t CountOf(const String& text) {
  int64_t value = 0;
  return TryStrToInt64(text, value) ? value : 0;
}

// How a run over the rows went: the rows requested, those that failed and the first
// failure's message.
struct TCheckOutcome {
  int Checked = 0;
  int Failed = 0;
  String FirstReason;
};

// The status after a run: the network's own success text, or, when rows failed, how many
// URLs could not be checked and why the first one failed (the rows show "N/A").
String OutcomeStatus(const TSocialNetwork& n, const TCheckOutcome& outcome) {
  if (outcome.Failed == 0) return n.DoneStatus;
  return u" " + IntToStr(outcome.Failed) + u" von " + IntToStr(outcome.Checked) +
         u" URLs ließen sich nicht prüfen (N/A). Erster Grund: " + outcome.FirstReason;
}

// The routine of one network over all rows of the grid.
TCheckOutcome CheckNetwork(TForm1& f, const TSocialNetwork& n) {
  TStringGrid& grid = *f.StringGrid1;
  const bool live = n.ChartTitle != nullptr && f.Echtzeitauswertung->Checked();
  if (live) {
    f.Series1().Clear();
    f.Chart1->SetTitle(n.ChartTitle);
    f.Series1().SetTitle(n.SeriesTitle);
    f.Series1().SetActive(true);
  }
  for (int c = n.ClearFirst; c <= n.ClearLast; ++c) grid.Cols(c).Clear();
  grid.SetColCount(static_cast<int>(n.Titles.size()));
  for (size_t c = 0; c < n.Titles.size(); ++c) grid.SetCell(static_cast<int>(c), 0, n.Titles[c]);

  std::vector<int64_t> sums(n.Slices.size(), 0);
  TCheckOutcome outcome;
  for (int r = 1; r < grid.RowCount(); ++r) {
    ++outcome.Checked;
    const String request = ServiceUrl(n.Service, n.RequestPrefix + UrlEncodeQueryValue(grid.Cells(1, r)) + n.RequestSuffix);
    try {
      f.PumpWait(n.WaitMs);
      f.ShowStatus(u" checke URL " + IntToStr(r) + u" von " + IntToStr(grid.RowCount()));
      f.Memo1->SetText(SplitAnswer(f.IdHTTP1->Get(request)));
      const TStrings& lines = f.Memo1->Lines();
      for (const TAnswerColumn& a : n.Columns) grid.SetCell(a.Column, r, lines.Get(a.Line));
      if (n.ChartTitle != nullptr && f.Echtzeitauswertung->Checked()) {
        for (size_t i = 0; i < n.Slices.size(); ++i) sums[i] += CountOf(lines.Get(n.Slices[i].Line));
        f.Series1().Clear();
        for (size_t i = 0; i < n.Slices.size(); ++i) f.Series1().Add(static_cast<double>(sums[i]), n.Slices[i].Label);
      }
    } catch (const EAbort&) {
      throw;  // the program is ending: no more rows, no reports
    } catch (const Exception& e) {
      for (int c = 2; c < grid.ColCount(); ++c) grid.SetCell(c, r, kFailed);
      if (outcome.Failed++ == 0) outcome.FirstReason = e.Message();
    }
  }
  AutoSizeColumns(grid, 40);
  return outcome;
}

}  // namespace

void TForm1::UpdateDateStamp() {
  String date = DateToStr(Date());
  for (const char16_t* sep : {u".", u":", u"-", u"/"}) date = StringReplace(date, sep, u"", rfReplaceAll);
  DateStamp = date;
}

void TForm1::RemoveSumRow() {
  const int last = StringGrid1->RowCount() - 1;
  if (last >= 1 && StringGrid1->Cells(0, last) == kSumLabel) DeleteGridRow(*StringGrid1, last);
}

void TForm1::AppendSumRow() {
  TStringGrid& grid = *StringGrid1;
  Memo1->Lines().Clear();
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  const int last = grid.RowCount();
  grid.SetRowCount(last + 1);
  grid.Rows(last).Clear();
  grid.SetCell(0, last, kSumLabel);
  // A column in which no row holds a count has no sum: 0 would claim that every URL was
  // checked and counted nothing. With no URL rows at all the sum is 0.
  for (int c = 2; c < grid.ColCount(); ++c) {
    int64_t sum = 0;
    bool counted = last == 1;
    for (int r = 1; r < last; ++r) {
      int64_t value = 0;
      if (!TryStrToInt64(grid.Cells(c, r), value)) continue;
      sum += value;
      counted = true;
    }
    grid.SetCell(c, last, counted ? IntToStr(sum) : String(kFailed));
  }
}

void TForm1::Button2Click(TComponent*) {
  Series1().Clear();
  PageControl1->SetActivePage(TabSheet7);
  PageControl4->SetActivePage(TabSheet9);
  for (const TSocialNetwork& n : SocialNetworks()) ForceDirectories(AppPath(n.ReportFolder));
  UpdateDateStamp();
  const String csvName = u"socialanalyze_" + DateStamp + u".csv";
  const String htmlName = u"socialanalyze_" + DateStamp + u".html";
  ReportCsvPath = csvName;
  ReportHtmlPath = htmlName;
  Memo1->SetScrollBars(TScrollStyle::ssBoth);
  RemoveSumRow();

  const TRadioButton* radios[] = {Alles, Facebook, Twitter, google, Pinterest, Delicious};
  for (size_t i = 0; i < SocialNetworks().size(); ++i) {
    if (!radios[i]->Checked()) continue;
    const TSocialNetwork& n = SocialNetworks()[i];
    ShowStatus(OutcomeStatus(n, CheckNetwork(*this, n)));
    const String project = projekte->Text();
    if (!project.empty() && !CheckProjectName(project)) break;
    const String folder = IncludeTrailingPathDelimiter(AppPath(String(n.ReportFolder) + u"\\" + project));
    RequireDirectories(folder);
    ReportCsvPath = folder + csvName;
    ReportHtmlPath = folder + htmlName;
    GridToHtmlTable(*StringGrid1, *Memo1);
    Memo1->Lines().SaveToFile(ReportHtmlPath);
    SaveGridAsCsv();
    if (i == 0) WebBrowser1->Navigate(ReportHtmlPath);
    break;
  }
  AppendSumRow();
}

void TForm1::FiltereleereZeilen1Click(TComponent*) {
  TStringGrid& grid = *StringGrid1;
  if (Facebook->Checked()) {
    for (int p = 1; p < grid.RowCount();) {
      bool empty = grid.Cells(0, p) != kSumLabel;
      for (int c = 2; c <= 6 && empty; ++c) empty = grid.Cells(c, p) == u"0";
      if (empty)
        DeleteGridRow(grid, p);
      else
        ++p;
    }
  }
  for (int r = 1; r < grid.RowCount(); ++r)
    if (grid.Cells(0, r) != kSumLabel) grid.SetCell(0, r, IntToStr(r));
}

void TForm1::Button1Click(TComponent*) {
  TStringGrid& grid = *StringGrid1;
  for (int r = 0; r < grid.RowCount(); ++r) grid.Rows(r).Clear();
  grid.SetRowCount(1);
  grid.SetColCount(8);
  const char16_t* titles[] = {u"Nr.", u"URL", u"Likes", u"Shares", u"Comments", u"Clicks", u"Summe / Total"};
  for (int c = 0; c < 7; ++c) grid.SetCell(c, 0, titles[c]);
  AutoSizeColumns(grid, 40);
  // A probe: whatever goes wrong leaves the memo as it is.
  try {
    Memo1->SetText(SplitAnswer(IdHTTP1->Get(ServiceUrl(TWebService::ShareCount, u"/?url=http%3A%2F%2Fwww.example.com%2F"))));
  } catch (const EAbort&) {
    throw;
  } catch (const Exception&) {
  }
}
