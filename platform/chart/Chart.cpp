#include "platform/chart/Chart.h"

#include <algorithm>

#include "platform/chart/ChartDrawing.h"
#include "platform/chart/PieSeries.h"

TChart::TChart(TComponent* AOwner)
    : TCustomControl(AOwner), series_(std::make_unique<TPieSeries>(this)), legendTitle_(u"Legende") {
  SetColor(clWhite);
}

TChart::~TChart() = default;

void TChart::SetTitle(const String& value) {
  title_ = value;
  Invalidate();
}

void TChart::SetLegendTitle(const String& value) {
  legendTitle_ = value;
  Invalidate();
}

void TChart::SetView3D(bool value) {
  view3D_ = value;
  Invalidate();
}

void TChart::ReplaceSeries(std::unique_ptr<TChartSeries> fresh) {
  fresh->SetSettings(series_->Settings());
  series_ = std::move(fresh);
  Invalidate();
}

void TChart::Paint() {
  Draw(Canvas(), TRect{0, 0, Width(), Height()});
  if (OnPaint) OnPaint(this);
}

int TChart::DrawLegend(TCanvas& canvas, const TRect& r) const {
  const TChartSeries& s = *series_;
  UseChartFont(canvas, 8);
  int lineHeight = canvas.TextHeight(u"Ag") + 4;
  int swatch = lineHeight - 6;
  int valueWidth = 0, labelWidth = 0;
  for (int i = 0; i < s.Count(); ++i) {
    valueWidth = std::max(valueWidth, canvas.TextWidth(ChartValueText(s.Point(i).Value)));
    labelWidth = std::max(labelWidth, canvas.TextWidth(s.Point(i).Label));
  }
  UseChartFont(canvas, 8, true);
  int titleWidth = canvas.TextWidth(legendTitle_);
  int width = std::max(titleWidth, swatch + 6 + valueWidth + 8 + labelWidth) + 12;
  width = std::min(width, r.Width() * 2 / 5);
  int height = lineHeight * (s.Count() + 1) + 8;
  TRect box{r.Right - width - 8, r.Top + 8, r.Right - 8, std::min(r.Bottom - 8, r.Top + 8 + height)};

  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWhite);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(clBlack);
  canvas.Rectangle(box);
  ChartText(canvas, box.Left + 6, box.Top + 4, legendTitle_);
  UseChartFont(canvas, 8);
  for (int i = 0; i < s.Count(); ++i) {
    int y = box.Top + 4 + lineHeight * (i + 1);
    if (y + lineHeight > box.Bottom) break;
    canvas.Brush().SetColor(s.ValueColor(i));
    canvas.Pen().SetColor(clBlack);
    canvas.Rectangle(box.Left + 6, y + 2, box.Left + 6 + swatch, y + 2 + swatch);
    String value = ChartValueText(s.Point(i).Value);
    int valueRight = box.Left + 6 + swatch + 6 + valueWidth;
    ChartText(canvas, valueRight - canvas.TextWidth(value), y, value);
    ChartText(canvas, valueRight + 8, y, s.Point(i).Label);
  }
  return box.Left;
}

void TChart::Draw(TCanvas& canvas, const TRect& r) const {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);

  TRect plot = r.Inflate(-10, -10);
  if (!title_.empty()) {
    UseChartFont(canvas, 12, true);
    TSize size = canvas.TextExtent(title_);
    ChartText(canvas, r.Left + (r.Width() - size.cx) / 2, r.Top + 6, title_);
    plot.Top = r.Top + 6 + size.cy + 6;
  }
  if (!series_->Active()) return;
  // The legend starts below the title, which it would otherwise cover.
  plot.Right = DrawLegend(canvas, TRect{r.Left, plot.Top - 8, r.Right, r.Bottom}) - 10;
  if (plot.IsEmpty()) return;
  series_->DrawSeries(canvas, plot, view3D_);
}
