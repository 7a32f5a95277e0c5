#include "platform/chart/ChartSeries.h"

#include <cmath>

#include "platform/chart/Chart.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/IntConvert.h"
#include "platform/rtl/ListErrors.h"
#include "platform/rtl/Unicode.h"

String ChartValueText(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.2e18)
    return IntToStr(static_cast<int64_t>(value));
  return FloatToStr(std::round(value * 100) / 100);
}

void TChartSeries::Changed() {
  if (chart_) chart_->Invalidate();
}

void TChartSeries::Clear() {
  s_.Points.clear();
  Changed();
}

int TChartSeries::Add(double value, const String& label, TColor color) {
  s_.Points.push_back(TChartPoint{value, label, color});
  Changed();
  return Count() - 1;
}

const TChartPoint& TChartSeries::Point(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return s_.Points[static_cast<size_t>(index)];
}

TColor TChartSeries::ValueColor(int index) const {
  TColor c = Point(index).Color;
  return c == clTeeColor ? ChartPaletteColor(index) : c;
}

double TChartSeries::TotalAbs() const {
  double total = 0;
  for (const TChartPoint& p : s_.Points) total += std::fabs(p.Value);
  return total;
}

void TChartSeries::SetTitle(const String& value) {
  s_.Title = value;
  Changed();
}

void TChartSeries::SetActive(bool value) {
  s_.Active = value;
  Changed();
}

void TChartSeries::SetMarksVisible(bool value) {
  s_.MarksVisible = value;
  Changed();
}

void TChartSeries::SetMarksStyle(TSeriesMarksStyle value) {
  s_.MarksStyle = value;
  Changed();
}

String TChartSeries::MarkText(int index) const {
  double v = Point(index).Value;
  if (s_.MarksStyle == smsValue) return ChartValueText(v);
  double total = TotalAbs();
  double share = total > 0 ? std::fabs(v) * 100 / total : 0;
  return ChartValueText(share) + u" %";
}

void TChartSeries::SetSettings(TSeriesSettings settings) {
  s_ = std::move(settings);
  Changed();
}
