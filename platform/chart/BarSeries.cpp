#include "platform/chart/BarSeries.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/chart/ChartDrawing.h"
#include "platform/chart/LabelLayout.h"

namespace {

// A step of 1, 2 or 5 times a power of ten that divides range into at most about five parts.
double AxisStep(double range) {
  double raw = range / 5;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double f : {1.0, 2.0, 5.0})
    if (f * power >= raw) return f * power;
  return 10 * power;
}

}  // namespace

void TBarSeries::DrawSeries(TCanvas& canvas, const TRect& plot, bool view3D) const {
  double low = 0, high = 0;
  for (int i = 0; i < Count(); ++i) {
    low = std::min(low, Point(i).Value);
    high = std::max(high, Point(i).Value);
  }
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  if (high == low) high = low + 1;
  double step = AxisStep(high - low);
  low = std::floor(low / step) * step;
  high = std::ceil(high / step) * step;

  UseChartFont(canvas, 8);
  int textHeight = canvas.TextHeight(u"Ag");
  int axisWidth = std::max(canvas.TextWidth(ChartValueText(low)), canvas.TextWidth(ChartValueText(high))) + 8;
  int depth = view3D ? 8 : 0;
  TRect area{plot.Left + axisWidth, plot.Top + textHeight + depth, plot.Right - depth, plot.Bottom};
  if (area.Width() < 4) return;

  // The labels under the bars: in one row when they fit, else staggered or turned.
  double slot = Count() ? static_cast<double>(area.Width()) / Count() : 0;
  std::vector<int> labelWidths;
  for (int i = 0; i < Count(); ++i) labelWidths.push_back(canvas.TextWidth(Point(i).Label));
  const TLabelPlacement placement = ChooseLabelPlacement(labelWidths, slot, 6);
  int labelsHeight = textHeight;
  if (placement == TLabelPlacement::Staggered) labelsHeight = 2 * textHeight;
  if (placement == TLabelPlacement::Rotated)
    labelsHeight = std::min(*std::max_element(labelWidths.begin(), labelWidths.end()), plot.Height() / 3);
  area.Bottom = plot.Bottom - labelsHeight - 6;
  if (area.Height() < 4) return;
  auto yOf = [&](double v) { return area.Bottom - static_cast<int>(std::lround((v - low) / (high - low) * area.Height())); };

  // Value axis with its grid lines.
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  for (double v = low; v <= high + step / 2; v += step) {
    int y = yOf(v);
    canvas.Pen().SetColor(clSilver);
    canvas.MoveTo(area.Left, y);
    canvas.LineTo(area.Right + depth, y - depth);
    String text = ChartValueText(v);
    ChartText(canvas, area.Left - 4 - canvas.TextWidth(text), y - textHeight / 2, text);
  }
  canvas.Pen().SetColor(clBlack);
  canvas.MoveTo(area.Left, area.Top);
  canvas.LineTo(area.Left, area.Bottom);
  canvas.LineTo(area.Right, area.Bottom);
  if (Count() == 0) return;

  int zero = yOf(0);
  for (int i = 0; i < Count(); ++i) {
    int left = area.Left + static_cast<int>(slot * i + slot * 0.2);
    int right = std::max(left + 1, area.Left + static_cast<int>(slot * (i + 1) - slot * 0.2));
    int y = yOf(Point(i).Value);
    int top = std::min(y, zero), bottom = std::max(y, zero);
    TColor color = ValueColor(i);
    canvas.Pen().SetColor(DarkerColor(color));
    if (depth) {
      canvas.Brush().SetColor(DarkerColor(color));
      canvas.Polygon({{left, top}, {left + depth, top - depth}, {right + depth, top - depth}, {right, top}});
      canvas.Polygon({{right, top}, {right + depth, top - depth}, {right + depth, bottom - depth}, {right, bottom}});
    }
    canvas.Brush().SetColor(color);
    canvas.Rectangle(left, top, right + 1, bottom + 1);

    const String& label = Point(i).Label;
    const int centre = (left + right) / 2;
    const int width = labelWidths[static_cast<size_t>(i)];
    if (placement == TLabelPlacement::Rotated) {
      // Turned a quarter to the left, the text runs upwards from (x, y), its top to the left.
      canvas.Font().SetOrientation(900);
      ChartText(canvas, centre - textHeight / 2, area.Bottom + 4 + width, label);
      canvas.Font().SetOrientation(0);
    } else {
      int row = placement == TLabelPlacement::Staggered ? i % 2 : 0;
      ChartText(canvas, centre - width / 2, area.Bottom + 4 + row * textHeight, label);
    }
    if (MarksVisible()) {
      String text = MarkText(i);
      int markY = Point(i).Value >= 0 ? top - depth - textHeight / 2 - 4 : bottom + textHeight / 2 + 4;
      DrawMark(canvas, MarkBox(canvas, centre + depth / 2, markY, text), text);
    }
  }
}
