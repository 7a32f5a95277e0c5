// TPdfEnum: pens and brushes in the content stream, lines, curves, polygons, boxes and regions.
#include <algorithm>
#include <cmath>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "pdf/objects/PdfStream.h"
#include "pdf/objects/PdfWrite.h"
#include "platform/gdi/metafile/EmfRecords.h"

namespace {

// Dashes and gaps of a style: in points for a cosmetic pen, in pen widths for a geometric one.
std::vector<double> DashOf(uint32_t style, bool geometric) {
  switch (style & PS_STYLE_MASK) {
    case PS_DASH: return geometric ? std::vector<double>{3, 1} : std::vector<double>{4, 4};
    case PS_DOT: return {1, 1};
    case PS_DASHDOT: return geometric ? std::vector<double>{3, 1, 1, 1} : std::vector<double>{4, 1, 1, 1};
    case PS_DASHDOTDOT: return geometric ? std::vector<double>{3, 1, 1, 1, 1, 1} : std::vector<double>{4, 1, 1, 1, 1, 1};
    default: return {};
  }
}

// A user style has at most this many entries, as GDI allows.
constexpr size_t kMaxStyleEntries = 16;

}  // namespace

void TPdfEnum::SetFillColorIfChanged(COLORREF color) {
  if (static_cast<int32_t>(color) == lastFillColor_) return;
  canvas_.SetFillColor(static_cast<int32_t>(color));
  lastFillColor_ = static_cast<int32_t>(color);
}

void TPdfEnum::SetStrokeColorIfChanged(COLORREF color) {
  if (static_cast<int32_t>(color) == lastStrokeColor_) return;
  canvas_.SetStrokeColor(static_cast<int32_t>(color));
  lastStrokeColor_ = static_cast<int32_t>(color);
}

// A cosmetic pen dashes by its style alone. A geometric pen dashes in multiples of its width,
// as the raster draws it: square and round caps reach half the width beyond each dash, so the
// dashes are that much shorter and the gaps longer. A user-styled pen lists its own lengths.
std::vector<double> TPdfEnum::PenDash(float width) const {
  const TPdfEnumState& s = states_.back();
  const uint32_t kind = s.PenStyle & PS_STYLE_MASK;
  const bool geometric = (s.PenStyle & PS_TYPE_MASK) == PS_GEOMETRIC && width > 0;
  std::vector<double> dash;
  if (kind == PS_USERSTYLE) {
    const size_t n = std::min(s.PenStyleEntries.size(), kMaxStyleEntries);
    for (size_t i = 0; i < n; ++i) dash.push_back(s.PenStyleEntries[i] * std::abs(canvas_.WorldFactorX));
  } else {
    dash = DashOf(kind, geometric);
    if (geometric) {
      const bool capped = (s.PenStyle & PS_ENDCAP_MASK) != PS_ENDCAP_FLAT;
      for (size_t i = 0; i < dash.size(); ++i)
        dash[i] = std::max(0.0, (dash[i] + (capped ? (i % 2 == 0 ? -1 : 1) : 0)) * width);
    }
  }
  // PDF refuses a pattern of nothing but zeros (and anything not finite): such a pen is solid.
  bool drawn = false;
  for (double d : dash) {
    if (!std::isfinite(d)) return {};
    drawn = drawn || d > 0;
  }
  return drawn ? dash : std::vector<double>{};
}

void TPdfEnum::SetDashIfChanged(const std::vector<double>& dash) {
  if (lastDash_ == dash) return;
  TPdfWrite& w = canvas_.Contents()->Writer();
  w.Add('[');
  for (double d : dash) w.AddRealWithSpace(d);
  w.Add("] 0 d\n");
  lastDash_ = dash;
}

// The width is compared in points, so that a pen drawn after a change of mapping gets the
// width that mapping gives it.
void TPdfEnum::ApplyPen() {
  const TPdfEnumState& s = Cur();
  if (s.PenNull) return;
  SetStrokeColorIfChanged(s.PenColor);
  float width = std::abs(s.PenWidth * canvas_.WorldFactorX);
  SetDashIfChanged(PenDash(width));
  if (width != lastPenWidth_) {
    canvas_.SetLineWidth(width);
    lastPenWidth_ = width;
  }
  // Caps and joins of a geometric pen; the others keep the page's.
  TLineStyle style;
  if ((s.PenStyle & PS_TYPE_MASK) == PS_GEOMETRIC) {
    const uint32_t cap = s.PenStyle & PS_ENDCAP_MASK, join = s.PenStyle & PS_JOIN_MASK;
    style.Cap = cap == PS_ENDCAP_ROUND ? 1 : cap == PS_ENDCAP_SQUARE ? 2 : 0;
    style.Join = join == PS_JOIN_ROUND ? 1 : join == PS_JOIN_BEVEL ? 2 : 0;
  }
  TPdfWrite& w = canvas_.Contents()->Writer();
  if (style.Cap != lineStyle_.Cap) w.AddInteger(style.Cap).Add(" J\n");
  if (style.Join != lineStyle_.Join) w.AddInteger(style.Join).Add(" j\n");
  lineStyle_ = style;
}

void TPdfEnum::ApplyBrushAndPen() {
  StrokeOpenPolyline();
  ApplyPen();
  if (!Cur().BrushNull) SetFillColorIfChanged(Cur().BrushColor);
}

void TPdfEnum::PaintPath() {
  const TPdfEnumState& s = Cur();
  if (s.BrushNull && s.PenNull)
    canvas_.EndPath();
  else if (s.BrushNull)
    canvas_.Stroke();
  else if (s.PenNull)
    canvas_.Fill();
  else
    canvas_.FillStroke();
}

void TPdfEnum::FillRectWithBrush(const TRect& rect, COLORREF color) {
  SetFillColorIfChanged(color);
  double x, y, w, h;
  canvas_.RectToBox(Bounded(rect), x, y, w, h);
  canvas_.AppendRectangle(x, y, w, h);
  canvas_.Fill();
}

void TPdfEnum::PlayPoly(const TEmfRecord& r) {
  std::vector<TPoint> p = ReadEmfPolyPoints(r);
  const TPdfEnumState& s = Cur();
  if (Recording()) {
    const bool polygon = r.Type() == EMR_POLYGON || r.Type() == EMR_POLYGON16;
    const bool bezier = r.Type() == EMR_POLYBEZIER || r.Type() == EMR_POLYBEZIER16;
    if (!bezier) return PathFigure(p, polygon);
    if (p.size() < 4) return;
    PathMoveTo(p[0]);
    for (size_t i = 1; i + 2 < p.size(); i += 3) PathCurveTo(p[i], p[i + 1], p[i + 2]);
    return;
  }
  switch (r.Type()) {
    case EMR_POLYGON: case EMR_POLYGON16:
      if (p.size() < 2 || (s.PenNull && s.BrushNull)) return;
      ApplyBrushAndPen();
      canvas_.MoveToI(p[0].X, p[0].Y);
      for (size_t i = 1; i < p.size(); ++i) canvas_.LineToI(p[i].X, p[i].Y);
      canvas_.ClosePath();
      PaintPath();
      return;
    case EMR_POLYLINE: case EMR_POLYLINE16:
      if (p.size() < 2 || s.PenNull) return;
      ApplyPen();
      canvas_.MoveToI(p[0].X, p[0].Y);
      for (size_t i = 1; i < p.size(); ++i) canvas_.LineToI(p[i].X, p[i].Y);
      canvas_.Stroke();
      return;
    default:  // POLYBEZIER: a start point and three points per curve
      if (p.size() < 4 || s.PenNull) return;
      ApplyPen();
      canvas_.MoveToI(p[0].X, p[0].Y);
      for (size_t i = 1; i + 2 < p.size(); i += 3)
        canvas_.CurveToCI(p[i].X, p[i].Y, p[i + 1].X, p[i + 1].Y, p[i + 2].X, p[i + 2].Y);
      canvas_.Stroke();
      return;
  }
}

// Lines and curves from the current position, which moves to their last point.
void TPdfEnum::PlayPolyTo(const TEmfRecord& r) {
  std::vector<TPoint> p = ReadEmfPolyPoints(r);
  if (r.Type() == EMR_POLYLINETO || r.Type() == EMR_POLYLINETO16) {
    for (TPoint q : p) PlayLineTo(q);
    StrokeOpenPolyline();
    return;
  }
  size_t curves = p.size() / 3;
  if (curves == 0) return;
  TPdfEnumState& s = Cur();
  if (Recording()) {
    if (!figureOpen_) PathMoveTo(s.Position);
    for (size_t i = 0; i < curves * 3; i += 3) PathCurveTo(p[i], p[i + 1], p[i + 2]);
  } else if (!s.PenNull) {
    ApplyPen();
    canvas_.MoveToI(s.Position.X, s.Position.Y);
    for (size_t i = 0; i < curves * 3; i += 3)
      canvas_.CurveToCI(p[i].X, p[i].Y, p[i + 1].X, p[i + 1].Y, p[i + 2].X, p[i + 2].Y);
    canvas_.Stroke();
  }
  s.Position = p[curves * 3 - 1];
  s.MovePending = false;
}

void TPdfEnum::PlayPolyPoly(const TEmfRecord& r) {
  std::vector<std::vector<TPoint>> figures = ReadEmfPolyPolyPoints(r);
  bool polygon = r.Type() == EMR_POLYPOLYGON || r.Type() == EMR_POLYPOLYGON16;
  if (Recording()) {
    for (const std::vector<TPoint>& points : figures) PathFigure(points, polygon);
    return;
  }
  const TPdfEnumState& s = Cur();
  if (s.PenNull && (!polygon || s.BrushNull)) return;
  if (polygon)
    ApplyBrushAndPen();
  else
    ApplyPen();
  bool any = false;
  for (const std::vector<TPoint>& points : figures) {
    for (size_t i = 0; i < points.size(); ++i) {
      if (i == 0)
        canvas_.MoveToI(points[i].X, points[i].Y);
      else
        canvas_.LineToI(points[i].X, points[i].Y);
      any = true;
    }
    if (polygon && !points.empty()) canvas_.ClosePath();
  }
  if (!any) return;
  if (polygon)
    PaintPath();
  else
    canvas_.Stroke();
}

void TPdfEnum::PlayBox(const TEmfRecord& r) {
  if (Recording()) return PathBox(r);
  const TPdfEnumState& s = Cur();
  if (s.PenNull && s.BrushNull) return;
  TRect box = Bounded(EmfRect(r));
  ApplyBrushAndPen();
  double x, y, w, h;
  switch (r.Type()) {
    case EMR_ELLIPSE:
      canvas_.RectToBox(box, x, y, w, h);
      canvas_.Ellipse(x, y, w, h);
      break;
    case EMR_RECTANGLE:
      canvas_.RectToBox(box, x, y, w, h);
      canvas_.AppendRectangle(x, y, w, h);
      break;
    default: canvas_.RoundRectI(box, ReadEmfRoundRect(r).Corner); break;
  }
  PaintPath();
}

// Consecutive LineTo records make one path, stroked by the next record of another kind. The
// path starts at the current position: the point of a pending MoveToEx, else where the last
// line or curve ended.
void TPdfEnum::PlayLineTo(TPoint p) {
  TPdfEnumState& s = Cur();
  if (Recording()) {
    PathLineTo(p);
  } else if (!s.PenNull) {
    ApplyPen();
    if (!inLineTo_ || s.MovePending) canvas_.MoveToI(s.Position.X, s.Position.Y);
    canvas_.LineToI(p.X, p.Y);
    inLineTo_ = true;
  }
  s.Position = p;
  s.MovePending = false;
}

void TPdfEnum::FillRegion(const TRegion& region, COLORREF color) {
  std::vector<TRect> rects = region.Rects();
  if (rects.empty()) return;
  SetFillColorIfChanged(color);
  for (const TRect& d : rects)
    canvas_.AppendRectangle(DevX(d.Left), DevY(d.Bottom), d.Width() * pixelX_, d.Height() * pixelY_);
  canvas_.Fill();
}

void TPdfEnum::PlayRegion(const TEmfRecord& r) {
  TEmfRegionPaint paint = ReadEmfRegionPaint(r);
  std::optional<COLORREF> color;
  if (!paint.Brush) {
    if (!Cur().BrushNull) color = Cur().BrushColor;
  } else if (*paint.Brush & ENHMETA_STOCK_OBJECT) {
    color = StockBrushColor(*paint.Brush & ~ENHMETA_STOCK_OBJECT);
  } else if (const TPdfEnumObject* o = Entry(*paint.Brush); o && o->Kind == TPdfEnumObject::Brush && !o->BrushNull) {
    color = o->Color;
  }
  if (!color) return;
  TRegion region = LogicalRegion(paint.Rects);
  if (r.Type() == EMR_FRAMERGN) {
    // The frame is what eroding the region by the brush's width and height takes away.
    // At least a pixel, and no wider than the range of coordinates.
    auto extent = [](double v) { return static_cast<int>(std::clamp<double>(std::round(std::abs(v)), 1, 1 << 27)); };
    int w = extent(paint.FrameSize.cx * mapping_.ScaleX()), h = extent(paint.FrameSize.cy * mapping_.ScaleY());
    TRegion inner = region;
    for (TPoint d : {TPoint{w, 0}, TPoint{-w, 0}, TPoint{0, h}, TPoint{0, -h}})
      inner = TRegion::Combine(inner, region.Offset(d.X, d.Y), RGN_AND);
    region = TRegion::Combine(region, inner, RGN_DIFF);
  }
  FillRegion(region, *color);
}
