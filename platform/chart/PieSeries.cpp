#include "platform/chart/PieSeries.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/chart/ChartDrawing.h"
#include "platform/chart/LabelLayout.h"

namespace {

// A point of an ellipse around (cx, cy) at an angle measured clockwise from twelve o'clock.
TPoint At(double cx, double cy, double rx, double ry, double angle) {
  return TPoint{static_cast<int>(std::lround(cx + rx * std::sin(angle))),
                static_cast<int>(std::lround(cy - ry * std::cos(angle)))};
}

// The outline of a slice from angle a0 to a1 (clockwise): the centre and the arc.
std::vector<TPoint> Slice(double cx, double cy, double rx, double ry, double a0, double a1) {
  std::vector<TPoint> points;
  bool full = a1 - a0 >= 2 * std::numbers::pi - 1e-9;
  if (!full) points.push_back(TPoint{static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy))});
  int steps = std::max(2, static_cast<int>((a1 - a0) / (2 * std::numbers::pi) * 180));
  for (int i = 0; i <= steps; ++i) points.push_back(At(cx, cy, rx, ry, a0 + (a1 - a0) * i / steps));
  return points;
}

}  // namespace

void TPieSeries::DrawSeries(TCanvas& canvas, const TRect& plot, bool view3D) const {
  double total = TotalAbs();
  UseChartFont(canvas, 8);
  int textHeight = canvas.TextHeight(u"Ag");
  int markWidth = 0;
  if (MarksVisible())
    for (int i = 0; i < Count(); ++i) markWidth = std::max(markWidth, canvas.TextWidth(MarkText(i)) + 6);

  // Room for the marks on both sides and above and below.
  double rx = std::min(plot.Width() - 2 * markWidth - 20, (plot.Height() - 2 * textHeight - 20) * (view3D ? 2 : 1)) / 2.0;
  if (rx < 4 || total <= 0) return;
  double ry = view3D ? rx * 0.5 : rx;
  int depth = view3D ? std::max(2, static_cast<int>(rx * 0.12)) : 0;
  double cx = plot.Left + plot.Width() / 2.0;
  double cy = plot.Top + (plot.Height() - depth) / 2.0;

  std::vector<std::pair<double, double>> angles;
  double a = 0;
  for (int i = 0; i < Count(); ++i) {
    double sweep = std::fabs(Point(i).Value) / total * 2 * std::numbers::pi;
    angles.emplace_back(a, a + sweep);
    a += sweep;
  }

  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  // The side wall: the slices again, layer by layer from the bottom up, in darker shades.
  for (int d = depth; d > 0; --d)
    for (int i = 0; i < Count(); ++i) {
      if (angles[i].second <= angles[i].first) continue;
      TColor dark = DarkerColor(ValueColor(i));
      canvas.Brush().SetColor(dark);
      canvas.Pen().SetColor(dark);
      canvas.Polygon(Slice(cx, cy + d, rx, ry, angles[i].first, angles[i].second));
    }
  for (int i = 0; i < Count(); ++i) {
    if (angles[i].second <= angles[i].first) continue;
    canvas.Brush().SetColor(ValueColor(i));
    canvas.Pen().SetColor(DarkerColor(ValueColor(i)));
    canvas.Polygon(Slice(cx, cy, rx, ry, angles[i].first, angles[i].second));
  }

  if (!MarksVisible()) return;
  // Each mark sits outside its slice's middle; marks of small neighbouring slices are moved
  // apart (on the right and on the left half each), and a leader line joins every mark to
  // its slice.
  UseChartFont(canvas, 8);
  struct TMark {
    TPoint edge;
    String text;
  };
  std::vector<TMark> marks;
  std::vector<TRect> sides[2];  // right half, left half
  std::vector<size_t> sideOf;
  for (int i = 0; i < Count(); ++i) {
    if (angles[i].second <= angles[i].first) continue;
    double mid = (angles[i].first + angles[i].second) / 2;
    String text = MarkText(i);
    int half = canvas.TextWidth(text) / 2 + 3;
    TPoint out = At(cx, cy, rx + 8 + half, ry + 8 + textHeight / 2.0, mid);
    if (std::cos(mid) < 0) out.Y += depth;
    size_t side = std::sin(mid) >= 0 ? 0 : 1;
    sides[side].push_back(MarkBox(canvas, out.X, out.Y, text));
    sideOf.push_back(side);
    marks.push_back(TMark{At(cx, cy, rx, ry, mid), text});
  }
  for (std::vector<TRect>& boxes : sides) SpreadVertically(boxes, 2, plot.Top, plot.Bottom);
  std::vector<TRect> boxes;
  size_t next[2] = {0, 0};
  for (size_t side : sideOf) boxes.push_back(sides[side][next[side]++]);
  canvas.Pen().SetColor(clBlack);
  for (size_t m = 0; m < marks.size(); ++m) {
    const TRect& box = boxes[m];
    canvas.MoveTo(marks[m].edge.X, marks[m].edge.Y);
    canvas.LineTo((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
  }
  for (size_t m = 0; m < marks.size(); ++m) DrawMark(canvas, boxes[m], marks[m].text);
}
