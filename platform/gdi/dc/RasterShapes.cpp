#include "platform/gdi/dc/RasterDC.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

std::vector<TPointF> DeviceEllipse(double left, double top, double right, double bottom) {
  double cx = (left + right) / 2, cy = (top + bottom) / 2, rx = (right - left) / 2, ry = (bottom - top) / 2;
  int segments = std::clamp(static_cast<int>((std::abs(rx) + std::abs(ry)) * 2), 16, 720);
  std::vector<TPointF> points;
  for (int i = 0; i < segments; ++i) {
    double a = 2 * std::numbers::pi * i / segments;
    points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return points;
}

std::vector<TPoint> Rounded(const std::vector<TPointF>& points) {
  std::vector<TPoint> out;
  for (const TPointF& p : points) out.push_back({static_cast<int>(std::lround(p.X)), static_cast<int>(std::lround(p.Y))});
  return out;
}

}  // namespace

void TRasterDC::FillDevicePolygons(const std::vector<std::vector<TPointF>>& polygons, int fillMode) {
  if (state_.Brush.IsNull()) return;
  std::vector<std::vector<TPoint>> rings;
  for (const auto& p : polygons) rings.push_back(Rounded(p));
  TRect visible{0, 0, buffer_.Width, buffer_.Height};
  PaintRegion(TRegion::FromPolygons(rings, fillMode, &visible), BrushPaint(state_.Brush), state_.Rop2);
}

void TRasterDC::DrawWidePolyline(const std::vector<TPointF>& points, bool closed) {
  if (buffer_.IsEmpty()) return;
  const TLogPen& pen = state_.Pen;
  double w = DevicePenWidth();
  double minX = points[0].X, maxX = minX, minY = points[0].Y, maxY = minY;
  for (const TPointF& p : points) {
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  // Mitred joins may reach far beyond the points; the mask is limited to the buffer.
  int margin = static_cast<int>(std::ceil(w * 6)) + 2;
  int x0 = std::max(0, static_cast<int>(std::floor(minX)) - margin);
  int y0 = std::max(0, static_cast<int>(std::floor(minY)) - margin);
  int x1 = std::min(buffer_.Width, static_cast<int>(std::ceil(maxX)) + margin);
  int y1 = std::min(buffer_.Height, static_cast<int>(std::ceil(maxY)) + margin);
  if (x0 >= x1 || y0 >= y1) return;
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, x1 - x0, y1 - y0);
  cairo_t* cr = cairo_create(mask);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, w);
  if (pen.IsGeometric()) {
    uint32_t cap = pen.Style & PS_ENDCAP_MASK, join = pen.Style & PS_JOIN_MASK;
    cairo_set_line_cap(cr, cap == PS_ENDCAP_SQUARE ? CAIRO_LINE_CAP_SQUARE
                           : cap == PS_ENDCAP_FLAT ? CAIRO_LINE_CAP_BUTT
                                                   : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, join == PS_JOIN_MITER ? CAIRO_LINE_JOIN_MITER
                            : join == PS_JOIN_BEVEL ? CAIRO_LINE_JOIN_BEVEL
                                                    : CAIRO_LINE_JOIN_ROUND);
    std::vector<double> dashes;
    switch (pen.Kind()) {
      case PS_DASH: dashes = {3 * w, w}; break;
      case PS_DOT: dashes = {w, w}; break;
      case PS_DASHDOT: dashes = {3 * w, w, w, w}; break;
      case PS_DASHDOTDOT: dashes = {3 * w, w, w, w, w, w}; break;
      default: break;
    }
    if (!dashes.empty() && cap != PS_ENDCAP_FLAT) {
      // Square and round caps add half the width at both ends of every dash.
      for (size_t i = 0; i < dashes.size(); ++i) dashes[i] += i % 2 == 0 ? -w : w;
      for (double& d : dashes) d = std::max(d, 0.0);
    }
    if (!dashes.empty()) cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
  } else {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  }
  cairo_move_to(cr, points[0].X + 0.5 - x0, points[0].Y + 0.5 - y0);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr, points[i].X + 0.5 - x0, points[i].Y + 0.5 - y0);
  if (closed) cairo_close_path(cr);
  cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_surface_flush(mask);
  const uint8_t* data = cairo_image_surface_get_data(mask);
  int stride = cairo_image_surface_get_stride(mask);
  TPaint paint = PenPaint();
  for (int y = y0; y < y1; ++y) {
    const uint8_t* row = data + static_cast<ptrdiff_t>(y - y0) * stride;
    for (int x = x0; x < x1; ++x) {
      int start = x;
      while (x < x1 && row[x - x0] >= 128) ++x;
      if (x > start) PaintSpan(y, start, x, paint, state_.Rop2);
    }
  }
  cairo_surface_destroy(mask);
}

bool TRasterDC::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2) return false;
  std::vector<TPointF> device;
  for (const TPoint& p : points) device.push_back(ToDevice(p.X, p.Y));
  if (PathOpen()) {
    PathAddFigure(device, true);
    return true;
  }
  FillDevicePolygons({device}, state_.PolyFillMode);
  StrokeDevicePolyline(device, true, false);
  return true;
}

bool TRasterDC::Ellipse(int left, int top, int right, int bottom) {
  TRect d = ToDeviceRect({left, top, right, bottom});
  if (PathOpen()) {
    PathAddFigure(DeviceEllipse(d.Left, d.Top, d.Right, d.Bottom), true);
    return true;
  }
  if (d.IsEmpty()) return true;
  // The outline runs through the centres of the outermost pixels of the rectangle.
  std::vector<TPointF> outline = DeviceEllipse(d.Left, d.Top, d.Right - 1, d.Bottom - 1);
  FillDevicePolygons({outline}, ALTERNATE);
  StrokeDevicePolyline(outline, true, false);
  return true;
}

bool TRasterDC::RoundRect(int left, int top, int right, int bottom, int width, int height) {
  std::vector<TPointF> outline = RoundRectPoints({left, top, right, bottom}, width, height);
  if (PathOpen()) {
    PathAddFigure(outline, true);
    return true;
  }
  // Pull the right and bottom side in by one pixel, as rectangles exclude those edges.
  TRect d = ToDeviceRect({left, top, right, bottom});
  for (TPointF& p : outline) {
    if (p.X > (d.Left + d.Right) / 2.0) p.X -= 1;
    if (p.Y > (d.Top + d.Bottom) / 2.0) p.Y -= 1;
  }
  FillDevicePolygons({outline}, ALTERNATE);
  StrokeDevicePolyline(outline, true, false);
  return true;
}

bool TRasterDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  std::vector<TPointF> arc = ArcPoints({left, top, right - 1, bottom - 1}, {xStart, yStart}, {xEnd, yEnd});
  if (PathOpen()) {
    PathAddFigure(arc, false);
    return true;
  }
  StrokeDevicePolyline(arc, false, false);
  return true;
}

bool TRasterDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
  std::vector<TPointF> outline = ArcPoints({left, top, right - 1, bottom - 1}, {xStart, yStart}, {xEnd, yEnd});
  outline.push_back(ToDevice((left + right - 1) / 2.0, (top + bottom - 1) / 2.0));
  if (PathOpen()) {
    PathAddFigure(outline, true);
    return true;
  }
  FillDevicePolygons({outline}, ALTERNATE);
  StrokeDevicePolyline(outline, true, false);
  return true;
}

bool TRasterDC::PolyBezier(const std::vector<TPoint>& points) {
  if (points.size() < 4 || points.size() % 3 != 1) return false;
  std::vector<TPointF> curve = BezierPoints(points);
  if (PathOpen()) {
    PathAddFigure(curve, false);
    return true;
  }
  StrokeDevicePolyline(curve, false, false);
  return true;
}

bool TRasterDC::StrokePath() {
  if (!HasFinishedPath()) return false;
  for (const TPathFigure& f : TakePath()) StrokeDevicePolyline(f.Points, f.Closed, !f.Closed);
  return true;
}

bool TRasterDC::FillPath() {
  if (!HasFinishedPath()) return false;
  std::vector<std::vector<TPointF>> polygons;
  for (const TPathFigure& f : TakePath()) polygons.push_back(f.Points);
  FillDevicePolygons(polygons, state_.PolyFillMode);
  return true;
}

bool TRasterDC::StrokeAndFillPath() {
  if (!HasFinishedPath()) return false;
  std::vector<TPathFigure> figures = TakePath();
  std::vector<std::vector<TPointF>> polygons;
  for (const TPathFigure& f : figures) polygons.push_back(f.Points);
  FillDevicePolygons(polygons, state_.PolyFillMode);
  for (const TPathFigure& f : figures) StrokeDevicePolyline(f.Points, true, false);
  return true;
}
