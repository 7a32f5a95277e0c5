// TPdfEnum: pens and brushes in the content stream, lines, curves, polygons, boxes and regions.
#include <cmath>

#include "pdf/document/PdfCanvas.h"
#include "pdf/emf/PdfEnum.h"
#include "platform/gdi/metafile/EmfRecords.h"

namespace {

std::vector<TPoint> Points(const TEmfRecord& r, size_t countAt, size_t pointsAt, bool small) {
  uint32_t count = r.U32(countAt);
  r.Array(pointsAt, count, small ? 4 : 8);
  std::vector<TPoint> points;
  points.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    points.push_back(small ? r.PointS(pointsAt + size_t{i} * 4) : r.PointL(pointsAt + size_t{i} * 8));
  return points;
}

std::vector<int> DashOf(uint32_t style) {
  switch (style & PS_STYLE_MASK) {
    case PS_DASH: return {4, 4};
    case PS_DOT: return {1, 1};
    case PS_DASHDOT: return {4, 1, 1, 1};
    case PS_DASHDOTDOT: return {4, 1, 1, 1, 1, 1};
    default: return {};
  }
}

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

// The width is compared in points, so that a pen drawn after a change of mapping gets the
// width that mapping gives it.
void TPdfEnum::ApplyPen() {
  const TPdfEnumState& s = Cur();
  if (s.PenNull) return;
  SetStrokeColorIfChanged(s.PenColor);
  int64_t style = s.PenStyle & PS_STYLE_MASK;
  if (style == PS_INSIDEFRAME) style = PS_SOLID;
  if (style != lastPenStyle_) {
    canvas_.SetDash(DashOf(static_cast<uint32_t>(style)), 0);
    lastPenStyle_ = style;
  }
  float width = std::abs(s.PenWidth * canvas_.WorldFactorX);
  if (width != lastPenWidth_) {
    canvas_.SetLineWidth(width);
    lastPenWidth_ = width;
  }
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
  canvas_.RectToBox(TPdfCanvas::NormalizeRect(rect), x, y, w, h);
  canvas_.AppendRectangle(x, y, w, h);
  canvas_.Fill();
}

void TPdfEnum::PlayPoly(const TEmfRecord& r, bool small) {
  std::vector<TPoint> p = Points(r, 24, 28, small);
  const TPdfEnumState& s = Cur();
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
void TPdfEnum::PlayPolyTo(const TEmfRecord& r, bool small) {
  std::vector<TPoint> p = Points(r, 24, 28, small);
  if (r.Type() == EMR_POLYLINETO || r.Type() == EMR_POLYLINETO16) {
    for (TPoint q : p) PlayLineTo(q);
    StrokeOpenPolyline();
    return;
  }
  size_t curves = p.size() / 3;
  if (curves == 0) return;
  TPdfEnumState& s = Cur();
  if (!s.PenNull) {
    ApplyPen();
    canvas_.MoveToI(s.Position.X, s.Position.Y);
    for (size_t i = 0; i < curves * 3; i += 3)
      canvas_.CurveToCI(p[i].X, p[i].Y, p[i + 1].X, p[i + 1].Y, p[i + 2].X, p[i + 2].Y);
    canvas_.Stroke();
  }
  s.Position = p[curves * 3 - 1];
  s.MovePending = false;
}

void TPdfEnum::PlayPolyPoly(const TEmfRecord& r, bool small) {
  uint32_t polys = r.U32(24), total = r.U32(28);
  r.Array(32, polys, 4);
  size_t pointsAt = 32 + size_t{polys} * 4;
  r.Array(pointsAt, total, small ? 4 : 8);
  bool polygon = r.Type() == EMR_POLYPOLYGON || r.Type() == EMR_POLYPOLYGON16;
  const TPdfEnumState& s = Cur();
  if (s.PenNull && (!polygon || s.BrushNull)) return;
  if (polygon)
    ApplyBrushAndPen();
  else
    ApplyPen();
  uint64_t next = 0;
  bool any = false;
  for (uint32_t k = 0; k < polys; ++k) {
    uint32_t count = r.U32(32 + size_t{k} * 4);
    if (next + count > total) break;
    for (uint32_t i = 0; i < count; ++i) {
      size_t at = pointsAt + static_cast<size_t>(next + i) * (small ? 4 : 8);
      TPoint q = small ? r.PointS(at) : r.PointL(at);
      if (i == 0)
        canvas_.MoveToI(q.X, q.Y);
      else
        canvas_.LineToI(q.X, q.Y);
      any = true;
    }
    if (polygon && count > 0) canvas_.ClosePath();
    next += count;
  }
  if (!any) return;
  if (polygon)
    PaintPath();
  else
    canvas_.Stroke();
}

void TPdfEnum::PlayBox(const TEmfRecord& r) {
  const TPdfEnumState& s = Cur();
  if (s.PenNull && s.BrushNull) return;
  TRect box = TPdfCanvas::NormalizeRect(r.RectL(8));
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
    default: canvas_.RoundRectI(box, r.SizeL(24)); break;
  }
  PaintPath();
}

// Consecutive LineTo records make one path, stroked by the next record of another kind. The
// path starts at the current position: the point of a pending MoveToEx, else where the last
// line or curve ended.
void TPdfEnum::PlayLineTo(TPoint p) {
  TPdfEnumState& s = Cur();
  if (!s.PenNull) {
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
  uint32_t type = r.Type();
  std::optional<COLORREF> color;
  if (type == EMR_PAINTRGN) {
    if (!Cur().BrushNull) color = Cur().BrushColor;
  } else {
    uint32_t handle = r.U32(28);
    if (handle & ENHMETA_STOCK_OBJECT) {
      color = StockBrushColor(handle & ~ENHMETA_STOCK_OBJECT);
    } else if (const TPdfEnumObject* o = Entry(handle); o && o->Kind == TPdfEnumObject::Brush && !o->BrushNull) {
      color = o->Color;
    }
  }
  if (!color) return;
  size_t dataAt = type == EMR_PAINTRGN ? 28 : type == EMR_FILLRGN ? 32 : 40;
  TRegion region = LogicalRegion(r.RegionRects(24, dataAt));
  if (type == EMR_FRAMERGN) {
    // The frame is what eroding the region by the brush's width and height takes away.
    int w = std::max(1, static_cast<int>(std::lround(std::abs(r.I32(32) * mapping_.ScaleX()))));
    int h = std::max(1, static_cast<int>(std::lround(std::abs(r.I32(36) * mapping_.ScaleY()))));
    TRegion inner = region;
    for (TPoint d : {TPoint{w, 0}, TPoint{-w, 0}, TPoint{0, h}, TPoint{0, -h}})
      inner = TRegion::Combine(inner, region.Offset(d.X, d.Y), RGN_AND);
    region = TRegion::Combine(region, inner, RGN_DIFF);
  }
  FillRegion(region, *color);
}
