#include "platform/gdi/dc/RasterDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/dc/RasterOps.h"

namespace {

bool HatchBit(int hatch, int x, int y) {
  bool h = (y & 7) == 0, v = (x & 7) == 0, f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 0;
  switch (hatch) {
    case HS_HORIZONTAL: return h;
    case HS_VERTICAL: return v;
    case HS_FDIAGONAL: return f;
    case HS_BDIAGONAL: return b;
    case HS_CROSS: return h || v;
    case HS_DIAGCROSS: return f || b;
    default: return false;
  }
}

// Dash patterns of one-pixel pens: lengths of drawn and left-out runs.
const std::vector<int>& CosmeticPattern(uint32_t kind) {
  static const std::vector<int> solid, dash{18, 6}, dot{3, 3}, dashDot{9, 6, 3, 6}, dashDotDot{9, 3, 3, 3, 3, 3};
  switch (kind) {
    case PS_DASH: return dash;
    case PS_DOT: return dot;
    case PS_DASHDOT: return dashDot;
    case PS_DASHDOTDOT: return dashDotDot;
    default: return solid;
  }
}

bool PatternOn(const std::vector<int>& pattern, uint32_t counter) {
  if (pattern.empty()) return true;
  int period = 0;
  for (int n : pattern) period += n;
  int at = static_cast<int>(counter % static_cast<uint32_t>(period));
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (at < pattern[i]) return i % 2 == 0;
    at -= pattern[i];
  }
  return true;
}

}  // namespace

TRasterDC::TRasterDC(const TPixelBuffer& buffer) : buffer_(buffer) {}

TPixelBuffer TRasterDC::SelectBuffer(const TPixelBuffer& buffer) { return std::exchange(buffer_, buffer); }

TRasterDC::TPaint TRasterDC::PenPaint() const {
  TPaint p;
  p.Color = state_.Pen.Color;
  return p;
}

TRasterDC::TPaint TRasterDC::BrushPaint(const TLogBrush& brush) const {
  TPaint p;
  p.Color = brush.Color;
  p.Hatched = brush.Style == BS_HATCHED;
  p.Hatch = brush.Hatch;
  p.OpaqueBackground = state_.BkMode == OPAQUE;
  p.Background = state_.BkColor;
  return p;
}

uint32_t TRasterDC::PaintColorAt(const TPaint& paint, int x, int y, bool& skip) const {
  skip = false;
  COLORREF c = paint.Color;
  if (paint.Hatched && !HatchBit(paint.Hatch, x, y)) {
    if (!paint.OpaqueBackground) {
      skip = true;
      return 0;
    }
    c = paint.Background;
  }
  uint32_t pixel = ColorRefToPixel(c);
  return buffer_.Monochrome ? ToMonochromePixel(pixel) : pixel;
}

void TRasterDC::PaintSpan(int y, int x0, int x1, const TPaint& paint, int rop2) {
  if (buffer_.IsEmpty()) return;
  ForClippedSpan(y, x0, x1, state_.Clip, [&](int a, int b) {
    uint32_t* row = buffer_.Row(y);
    for (int x = a; x < b; ++x) {
      bool skip = false;
      uint32_t color = PaintColorAt(paint, x, y, skip);
      if (skip) continue;
      uint32_t result = ApplyRop2(rop2, color, row[x] & 0xFFFFFF);
      row[x] = buffer_.Monochrome ? ToMonochromePixel(result) : result;
    }
  });
}

void TRasterDC::PaintRect(const TRect& r, const TPaint& paint, int rop2) {
  int top = std::max(r.Top, 0), bottom = std::min(r.Bottom, buffer_.Height);
  for (int y = top; y < bottom; ++y) PaintSpan(y, r.Left, r.Right, paint, rop2);
}

void TRasterDC::PaintRegion(const TRegion& region, const TPaint& paint, int rop2) {
  for (const TRect& r : region.Rects()) PaintRect(r, paint, rop2);
}

void TRasterDC::PaintPixel(int x, int y, const TPaint& paint, int rop2) { PaintSpan(y, x, x + 1, paint, rop2); }

COLORREF TRasterDC::SetPixel(int x, int y, COLORREF color) {
  TPoint d = LPtoDP({x, y});
  if (buffer_.IsEmpty() || d.X < 0 || d.Y < 0 || d.X >= buffer_.Width || d.Y >= buffer_.Height) return CLR_INVALID;
  TPaint paint;
  paint.Color = color;
  PaintSpan(d.Y, d.X, d.X + 1, paint, R2_COPYPEN);
  return PixelToColorRef(buffer_.At(d.X, d.Y));
}

COLORREF TRasterDC::GetPixel(int x, int y) const {
  TPoint d = LPtoDP({x, y});
  if (buffer_.IsEmpty() || d.X < 0 || d.Y < 0 || d.X >= buffer_.Width || d.Y >= buffer_.Height) return CLR_INVALID;
  if (state_.Clip && !state_.Clip->Contains(d.X, d.Y)) return CLR_INVALID;
  return PixelToColorRef(buffer_.At(d.X, d.Y));
}

bool TRasterDC::FillRect(const TRect& rect, const TLogBrush& brush) {
  if (brush.IsNull()) return true;
  TRect d = ToDeviceRect(rect);
  TPaint paint = BrushPaint(brush);
  PaintRect(d, paint, R2_COPYPEN);
  return true;
}

bool TRasterDC::FrameRect(const TRect& rect, const TLogBrush& brush) {
  if (brush.IsNull()) return true;
  TRect d = ToDeviceRect(rect);
  if (d.IsEmpty()) return true;
  TPaint paint = BrushPaint(brush);
  int w = std::max(1, static_cast<int>(std::lround(std::abs(ScaleX())))),
      h = std::max(1, static_cast<int>(std::lround(std::abs(ScaleY()))));
  TRegion frame = TRegion::Combine(TRegion::FromRect(d), TRegion::FromRect(d.Inflate(-w, -h)), RGN_DIFF);
  PaintRegion(frame, paint, R2_COPYPEN);
  return true;
}

int TRasterDC::DevicePenWidth() const {
  return std::max(1, static_cast<int>(std::lround(state_.Pen.Width * std::abs(ScaleX()))));
}

bool TRasterDC::Rectangle(int left, int top, int right, int bottom) {
  TRect d = ToDeviceRect({left, top, right, bottom});
  if (PathOpen()) {
    PathAddFigure({{double(d.Left), double(d.Top)}, {double(d.Right), double(d.Top)}, {double(d.Right), double(d.Bottom)},
                   {double(d.Left), double(d.Bottom)}},
                  true);
    return true;
  }
  const TLogPen& pen = state_.Pen;
  TPaint brush = BrushPaint(state_.Brush);
  if (pen.IsNull()) {
    // Without a pen the figure loses its right and bottom edge, as on the original device.
    if (!state_.Brush.IsNull())
      PaintRect({d.Left, d.Top, d.Right - 1, d.Bottom - 1}, brush, state_.Rop2);
    return true;
  }
  int w = DevicePenWidth();
  bool solid = pen.Kind() == PS_SOLID || pen.Kind() == PS_INSIDEFRAME;
  if (!solid && (w == 1 || pen.IsGeometric())) {
    // Dashes and dots run along the outline through the edge pixels.
    if (!state_.Brush.IsNull())
      PaintRect(d.Inflate(-1, -1), brush, state_.Rop2);
    StrokeDevicePolyline({{double(d.Left), double(d.Top)}, {double(d.Right - 1), double(d.Top)},
                          {double(d.Right - 1), double(d.Bottom - 1)}, {double(d.Left), double(d.Bottom - 1)}},
                         true, false);
    return true;
  }
  // A solid frame: an inside-frame pen keeps within the rectangle, any other is centred on
  // the outline through the edge pixels.
  TRect outer = pen.Kind() == PS_INSIDEFRAME ? d : TRect{d.Left - w / 2, d.Top - w / 2, d.Right - 1 + (w + 1) / 2,
                                                         d.Bottom - 1 + (w + 1) / 2};
  TRect inner = outer.Inflate(-w, -w);
  if (!state_.Brush.IsNull())
    PaintRect(inner, brush, state_.Rop2);
  TRegion frame = TRegion::Combine(TRegion::FromRect(outer), TRegion::FromRect(inner), RGN_DIFF);
  PaintRegion(frame, PenPaint(), state_.Rop2);
  return true;
}

void TRasterDC::DrawThinPolyline(const std::vector<TPoint>& points, bool closed, bool includeLast) {
  const std::vector<int>& pattern = CosmeticPattern(state_.Pen.Kind());
  TPaint pen = PenPaint();
  TPaint gap;
  gap.Color = state_.BkColor;
  bool fillGaps = state_.BkMode == OPAQUE && !pattern.empty();
  size_t segments = closed ? points.size() : points.size() - 1;
  auto plot = [&](int x, int y) {
    if (PatternOn(pattern, styleCounter_))
      PaintPixel(x, y, pen, state_.Rop2);
    else if (fillGaps)
      PaintPixel(x, y, gap, state_.Rop2);
    ++styleCounter_;
  };
  // Segments are walked pixel by pixel; one far outside the buffer is skipped and a very long
  // one is cut to the part near the buffer first, so that huge coordinates cost no time.
  const TRect near{-2, -2, buffer_.Width + 2, buffer_.Height + 2};
  const int64_t longSegment = 4 * (static_cast<int64_t>(buffer_.Width) + buffer_.Height) + 16;
  for (size_t i = 0; i < segments; ++i) {
    TPoint a = points[i], b = points[(i + 1) % points.size()];
    int64_t steps = std::max(std::abs(static_cast<int64_t>(b.X) - a.X), std::abs(static_cast<int64_t>(b.Y) - a.Y));
    TRect box = TRect{a.X, a.Y, b.X, b.Y}.Normalized();
    box.Right += 1;
    box.Bottom += 1;
    if (box.Intersect(near).IsEmpty()) {
      styleCounter_ += static_cast<uint32_t>(steps);
      continue;
    }
    if (steps > longSegment) {
      // Liang-Barsky: the parameter range of the segment inside the near rectangle.
      double t0 = 0, t1 = 1, dxf = static_cast<double>(b.X) - a.X, dyf = static_cast<double>(b.Y) - a.Y;
      auto cut = [&](double p, double q) {
        if (p == 0) return q >= 0;
        double t = q / p;
        if (p < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        return t0 <= t1;
      };
      if (!cut(-dxf, a.X - near.Left) || !cut(dxf, near.Right - a.X) || !cut(-dyf, a.Y - near.Top) ||
          !cut(dyf, near.Bottom - a.Y)) {
        styleCounter_ += static_cast<uint32_t>(steps);
        continue;
      }
      styleCounter_ += static_cast<uint32_t>(std::llround(t0 * static_cast<double>(steps)));
      TPoint from{static_cast<int>(std::lround(a.X + t0 * dxf)), static_cast<int>(std::lround(a.Y + t0 * dyf))};
      TPoint to{static_cast<int>(std::lround(a.X + t1 * dxf)), static_cast<int>(std::lround(a.Y + t1 * dyf))};
      a = from;
      b = to;
    }
    int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
    int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy, x = a.X, y = a.Y;
    while (x != b.X || y != b.Y) {
      plot(x, y);
      int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
  }
  if (includeLast && !points.empty()) plot(points.back().X, points.back().Y);
}

void TRasterDC::StrokeDevicePolyline(const std::vector<TPointF>& points, bool closed, bool includeLast) {
  if (points.size() < 2 || state_.Pen.IsNull()) return;
  bool thin = DevicePenWidth() == 1 && !(state_.Pen.IsGeometric() && state_.Pen.Kind() != PS_SOLID &&
                                         state_.Pen.Kind() != PS_INSIDEFRAME);
  if (!thin) {
    DrawWidePolyline(points, closed);
    return;
  }
  std::vector<TPoint> rounded;
  for (const TPointF& p : points) {
    TPoint q{static_cast<int>(std::lround(p.X)), static_cast<int>(std::lround(p.Y))};
    if (rounded.empty() || !(rounded.back() == q)) rounded.push_back(q);
  }
  if (rounded.size() == 1) rounded.push_back(rounded[0]);
  styleCounter_ = 0;
  DrawThinPolyline(rounded, closed, includeLast);
}

bool TRasterDC::LineTo(int x, int y) {
  TPointF a = ToDevice(state_.Position.X, state_.Position.Y), b = ToDevice(x, y);
  if (PathOpen()) {
    PathLineTo(b);
    state_.Position = {x, y};
    return true;
  }
  StrokeDevicePolyline({a, b}, false, false);
  state_.Position = {x, y};
  return true;
}

bool TRasterDC::Polyline(const std::vector<TPoint>& points) {
  if (points.size() < 2) return false;
  std::vector<TPointF> device;
  for (const TPoint& p : points) device.push_back(ToDevice(p.X, p.Y));
  if (PathOpen()) {
    PathAddFigure(device, false);
    return true;
  }
  StrokeDevicePolyline(device, false, false);
  return true;
}

bool TRasterDC::DrawFocusRect(const TRect& rect) {
  // Inverts every other pixel of the one-pixel frame, so that drawing it twice removes it.
  TRect d = ToDeviceRect(rect);
  if (d.IsEmpty() || buffer_.IsEmpty() || d.Intersect({0, 0, buffer_.Width, buffer_.Height}).IsEmpty()) return true;
  TPaint white;
  white.Color = 0xFFFFFF;
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) PaintPixel(x, y, white, R2_XORPEN);
  };
  for (int x = std::max(d.Left, 0); x < std::min(d.Right, buffer_.Width); ++x) {
    dot(x, d.Top);
    if (d.Bottom - 1 > d.Top) dot(x, d.Bottom - 1);
  }
  for (int y = std::max(d.Top + 1, 0); y < std::min(d.Bottom - 1, buffer_.Height); ++y) {
    dot(d.Left, y);
    if (d.Right - 1 > d.Left) dot(d.Right - 1, y);
  }
  return true;
}

bool TRasterDC::TextOut(int x, int y, std::u16string_view text) { return ExtTextOut(x, y, 0, nullptr, text, nullptr); }

