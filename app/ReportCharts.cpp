// The chart of the social signals: its tab, the charts made from the sum row, the styles
// of its popup and the JPEG snapshots.
#include <memory>

#include "app/MainForm.h"
#include "platform/chart/BarSeries.h"
#include "platform/chart/ChartSnapshot.h"
#include "platform/chart/PieSeries.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Streams.h"

void TForm1::BuildChartTab() {
  Chart1 = new TChart(this);
  Chart1->SetName(u"Chart1");
  Chart1->SetParent(TabSheet10);
  Chart1->SetAlign(TAlign::alClient);
  Chart1->Series().SetTitle(u"Facebook - Likes");
  // At start the chart has no title and its series is inactive.
  Chart1->SetTitle(String());
  Chart1->Series().SetActive(false);
}

TChartSeries& TForm1::Series1() { return Chart1->Series(); }

namespace {

struct TSlice {
  int Column;
  const char16_t* Label;
};

constexpr TSlice kOverviewSlices[] = {{6, u"Facebook (komplett)"}, {7, u"Delicious"}, {8, u"GooglePlus"},
                                      {9, u"Buzz"},               {10, u"Twitter"},  {11, u"Diggs"},
                                      {12, u"Pinterest"},         {13, u"Linkedin"}};
constexpr TSlice kFacebookSlices[] = {{2, u"FB-Likes"}, {3, u"FB-Shares"}, {4, u"FB-Comments"}, {5, u"FB-Clicks"}};

// One point per slice from the last row of the grid, each cell read as an integer (a cell
// that is none raises EConvertError; the points before it stay).
template <size_t N>
void AddSumRowPoints(TChartSeries& series, const TStringGrid& grid, const TSlice (&slices)[N]) {
  int last = grid.RowCount() - 1;
  for (const TSlice& s : slices) series.Add(static_cast<double>(StrToInt64(grid.Cells(s.Column, last))), s.Label);
}

}  // namespace

void TForm1::Komplettberblick1Click(TComponent*) {
  Chart1->SetTitle(u"Auswertung - Komplettüberblick");
  Series1().Clear();
  Series1().SetTitle(u"Socialmedia - Alles");
  Series1().SetActive(true);
  AddSumRowPoints(Series1(), *StringGrid1, kOverviewSlices);
}

void TForm1::Facebook1Click(TComponent*) {
  PageControl1->SetActivePage(TabSheet7);
  PageControl4->SetActivePage(TabSheet10);
  Series1().SetActive(true);
  Chart1->SetTitle(u"Auswertung - Facebook - " + projekte->Text());
  Series1().Clear();
  Series1().SetTitle(u"Facebook - Signalverteilung");
  AddSumRowPoints(Series1(), *StringGrid1, kFacebookSlices);
}

namespace {

void SaveSnapshot(const TChart& chart, const String& fileName) {
  std::unique_ptr<TJPEGImage> jpeg = ChartToJpeg(chart);
  TFileStream out(fileName, fmCreate);
  jpeg->SaveToStream(out);
}

}  // namespace

void TForm1::AuswertungberblickAlles1Click(TComponent*) {
  Series1().Clear();
  UpdateDateStamp();
  const String project = projekte->Text();
  if (!project.empty() && !CheckProjectName(project)) return;
  const String name = project + u"_" + DateStamp + u".jpg";
  Komplettberblick1Click(this);
  const String folder = AppPath(u"\\reporting\\alles\\" + project);
  RequireDirectories(folder);
  SaveSnapshot(*Chart1, IncludeTrailingPathDelimiter(folder) + name);
}

void TForm1::AuswertungFacebook1Click(TComponent*) {
  Series1().Clear();
  const String project = projekte->Text();
  if (!project.empty() && !CheckProjectName(project)) return;
  Facebook1Click(this);
  UpdateDateStamp();
  const String name = project + u"_" + DateStamp + u".jpg";
  ShowStatus(u" Analyse fertig gestellt");
  const String folder = AppPath(u"\\reporting\\facebook\\" + project);
  RequireDirectories(folder);
  SaveSnapshot(*Chart1, IncludeTrailingPathDelimiter(folder) + name);
}

void TForm1::Diagramm2Click(TComponent*) { SaveSnapshot(*Chart1, AppPath(u"\\test.jpg")); }

void TForm1::Balken1Click(TComponent*) { Chart1->ChangeSeriesClass<TBarSeries>(); }
void TForm1::Linie2Click(TComponent*) { Chart1->ChangeSeriesClass<TPieSeries>(); }
void TForm1::N3Dan2Click(TComponent*) { Chart1->SetView3D(true); }
void TForm1::N3Daus2Click(TComponent*) { Chart1->SetView3D(false); }
void TForm1::switch1Click(TComponent*) { Series1().SetMarksStyle(smsValue); }
void TForm1::switch21Click(TComponent*) { Series1().SetMarksStyle(smsPercent); }
void TForm1::Button28Click(TComponent*) { Series1().Clear(); }
