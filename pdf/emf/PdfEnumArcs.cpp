// TPdfEnum: arcs and pies as Bezier curves, and single pixels.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/metafile/EmfRecords.h"

// The arc runs counter-clockwise (on the screen) from the ray through the start point to the
// ray through the end point, along the ellipse inscribed in the box; rays in one direction
// give the whole ellipse. Each piece of at most a quarter turn is one cubic curve.
std::vector<TPdfEnum::TPathStep> TPdfEnum::ArcSteps(const TRect& box, TPoint start, TPoint end) const {
  const double cx = (box.Left + static_cast<double>(box.Right)) / 2, cy = (box.Top + static_cast<double>(box.Bottom)) / 2;
  const double rx = (static_cast<double>(box.Right) - box.Left) / 2, ry = (static_cast<double>(box.Bottom) - box.Top) / 2;
  // Angles with y pointing up, so that growing angles run counter-clockwise on the screen.
  const double a0 = std::atan2(-(start.Y - cy) / std::max(ry, 1e-9), (start.X - cx) / std::max(rx, 1e-9));
  double a1 = std::atan2(-(end.Y - cy) / std::max(ry, 1e-9), (end.X - cx) / std::max(rx, 1e-9));
  if (a1 <= a0) a1 += 2 * std::numbers::pi;
  const int pieces = std::max(1, static_cast<int>(std::ceil((a1 - a0) / (std::numbers::pi / 2) - 1e-9)));
  const double step = (a1 - a0) / pieces, k = 4.0 / 3 * std::tan(step / 4);
  auto x = [&](double a) { return canvas_.MapX(cx + rx * std::cos(a)); };
  auto y = [&](double a) { return canvas_.MapY(cy - ry * std::sin(a)); };
  // The derivative of the point along the angle, in points.
  auto dx = [&](double a) { return -rx * std::sin(a) * canvas_.WorldFactorX; };
  auto dy = [&](double a) { return ry * std::cos(a) * canvas_.WorldFactorY; };
  std::vector<TPathStep> steps{{TPathStep::Move, {x(a0), y(a0)}}};
  for (int i = 0; i < pieces; ++i) {
    const double p = a0 + step * i, q = p + step;
    steps.push_back({TPathStep::Curve,
                     {x(p) + k * dx(p), y(p) + k * dy(p), x(q) - k * dx(q), y(q) - k * dy(q), x(q), y(q)}});
  }
  return steps;
}

// ARC strokes the curve with the pen; PIE closes it through the centre of the box and
// paints it with the brush and the pen. In a path bracket they are figures of the path, the
// arc an open one.
void TPdfEnum::PlayArc(const TEmfRecord& r) {
  const TEmfArc arc = ReadEmfArc(r);
  const TRect box = Bounded(arc.Box);
  const bool pie = r.Type() == EMR_PIE;
  std::vector<TPathStep> steps = ArcSteps(box, arc.Start, arc.End);
  if (pie) {
    const TPathStep first = steps.front();
    steps.front() = {TPathStep::Move, {canvas_.MapX((box.Left + static_cast<double>(box.Right)) / 2),
                                       canvas_.MapY((box.Top + static_cast<double>(box.Bottom)) / 2)}};
    steps.insert(steps.begin() + 1, {TPathStep::Line, {first.V[0], first.V[1]}});
    steps.push_back({TPathStep::Close, {}});
  }
  if (Recording()) {
    path_.insert(path_.end(), steps.begin(), steps.end());
    figureOpen_ = !pie;
    return;
  }
  const TPdfEnumState& s = Cur();
  if (s.PenNull && (!pie || s.BrushNull)) return;
  if (pie)
    ApplyBrushAndPen();
  else
    ApplyPen();
  std::swap(path_, steps);
  WritePath(false);
  std::swap(path_, steps);
  if (pie)
    PaintPath();
  else
    canvas_.Stroke();
}

// One pixel of the metafile's device at the point, in its colour.
void TPdfEnum::PlayPixel(const TEmfRecord& r) {
  const TEmfPixel pixel = ReadEmfPixel(r);
  SetFillColorIfChanged(pixel.Color & 0xFFFFFF);
  const double x = canvas_.MapX(pixel.At.X), top = canvas_.MapY(pixel.At.Y);
  canvas_.AppendRectangle(x, top - pixelY_, pixelX_, pixelY_);
  canvas_.Fill();
}
