#include "platform/gdi/dc/RasterDC.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/dc/RasterOps.h"

namespace {

struct TSourceArea {
  const TPixelBuffer* Buffer = nullptr;
  TPoint From, To;  // device corners (To may lie left of or above From: a mirrored copy)
  bool MonoToColor = false;  // a 1-bit source drawn on colour: black takes the text colour, white the background
  bool ColorToMono = false;  // a colour source drawn on 1 bit: its background colour becomes white, all else black
  uint32_t SourceBackground = 0;
};

// The source pixel value for the destination pixel whose edges lie at dx0..dx1 and dy0..dy1
// of dw x dh destination pixels, combined over the source pixels it covers by the stretch
// mode when the copy shrinks. False when the pixel lies outside the source. The source edges
// are worked out from whole-number products, so that they land exactly on pixel edges
// wherever the scale allows (a fraction taken first would put them a rounding error short).
bool SourcePixel(const TSourceArea& s, int dx0, int dx1, int dw, int dy0, int dy1, int dh, int mode, uint32_t& out) {
  auto coord = [](int from, int to, int d, int size) {
    return from + static_cast<double>(static_cast<int64_t>(to - from) * d) / size;
  };
  double ax = coord(s.From.X, s.To.X, dx0, dw), bx = coord(s.From.X, s.To.X, dx1, dw);
  double ay = coord(s.From.Y, s.To.Y, dy0, dh), by = coord(s.From.Y, s.To.Y, dy1, dh);
  int x0 = static_cast<int>(std::floor(std::min(ax, bx))), x1 = static_cast<int>(std::ceil(std::max(ax, bx)));
  int y0 = static_cast<int>(std::floor(std::min(ay, by))), y1 = static_cast<int>(std::ceil(std::max(ay, by)));
  if (x1 <= x0) x1 = x0 + 1;
  if (y1 <= y0) y1 = y0 + 1;
  bool area = (x1 - x0 > 1 || y1 - y0 > 1) && mode != COLORONCOLOR;
  if (!area) {
    int cx = static_cast<int>(std::floor((ax + bx) / 2)), cy = static_cast<int>(std::floor((ay + by) / 2));
    if (cx < 0 || cy < 0 || cx >= s.Buffer->Width || cy >= s.Buffer->Height) return false;
    out = s.Buffer->At(cx, cy);
    return true;
  }
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, s.Buffer->Width);
  y1 = std::min(y1, s.Buffer->Height);
  if (x0 >= x1 || y0 >= y1) return false;
  uint32_t andAll = 0xFFFFFF, orAll = 0;
  uint64_t sum[3] = {0, 0, 0};
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint32_t p = s.Buffer->At(x, y);
      andAll &= p;
      orAll |= p;
      for (int k = 0; k < 3; ++k) sum[k] += (p >> (8 * k)) & 0xFF;
    }
  uint64_t n = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
  switch (mode) {
    case BLACKONWHITE: out = andAll; break;
    case WHITEONBLACK: out = orAll; break;
    default:
      out = 0;
      for (int k = 0; k < 3; ++k) out |= static_cast<uint32_t>((sum[k] + n / 2) / n) << (8 * k);
      break;
  }
  return true;
}

}  // namespace

bool TRasterDC::Blit(const TRect& destCorners, const TPixelBuffer* source, const TRect& sourceCorners,
                     COLORREF sourceBk, uint32_t rop) {
  if (buffer_.IsEmpty()) return false;
  bool useSource = RopUsesSource(rop);
  if (useSource && (!source || source->IsEmpty())) return false;
  TRect dest = destCorners.Normalized();
  int dw = destCorners.Right - destCorners.Left, dh = destCorners.Bottom - destCorners.Top;
  if (dw == 0 || dh == 0) return true;
  TSourceArea area;
  if (useSource) {
    area.Buffer = source;
    area.From = {sourceCorners.Left, sourceCorners.Top};
    area.To = {sourceCorners.Right, sourceCorners.Bottom};
    area.MonoToColor = source->Monochrome && !buffer_.Monochrome;
    area.ColorToMono = !source->Monochrome && buffer_.Monochrome;
    area.SourceBackground = ColorRefToPixel(sourceBk);
  }
  // A plain copy of colour pixels, one for one and not mirrored, takes each source pixel as
  // it is: the per-pixel path below would give the same, at many times the cost (the viewer
  // copies its whole off-screen picture this way on every paint).
  const bool plainCopy = useSource && rop == SRCCOPY && !area.MonoToColor && !area.ColorToMono &&
                         !buffer_.Monochrome && dw > 0 && dh > 0 && area.To.X - area.From.X == dw &&
                         area.To.Y - area.From.Y == dh;
  TPaint pattern = BrushPaint(state_.Brush);
  const uint32_t textPixel = ColorRefToPixel(state_.TextColor), bkPixel = ColorRefToPixel(state_.BkColor);
  for (int y = std::max(dest.Top, 0); y < std::min(dest.Bottom, buffer_.Height); ++y) {
    ForClippedSpan(y, dest.Left, dest.Right, state_.Clip, [&](int a, int b) {
      uint32_t* row = buffer_.Row(y);
      if (plainCopy) {
        const int sy = area.From.Y + (y - destCorners.Top);
        if (sy < 0 || sy >= source->Height) return;
        const int shift = area.From.X - destCorners.Left;  // source x = destination x + shift
        a = std::max(a, -shift);
        b = std::min(b, source->Width - shift);
        const uint32_t* from = source->Row(sy);
        for (int x = a; x < b; ++x) row[x] = from[x + shift] & 0xFFFFFF;
        return;
      }
      const int dy = y - destCorners.Top;
      for (int x = a; x < b; ++x) {
        uint32_t src = 0;
        if (useSource) {
          const int dx = x - destCorners.Left;
          if (!SourcePixel(area, dx, dx + 1, dw, dy, dy + 1, dh, state_.StretchMode, src)) continue;
          if (area.MonoToColor)
            src = src == 0 ? textPixel : bkPixel;
          else if (area.ColorToMono)
            src = src == area.SourceBackground ? 0xFFFFFF : 0x000000;
        }
        uint32_t pat = 0;
        if (!state_.Brush.IsNull()) {
          bool skip = false;
          pat = PaintColorAt(pattern, x, y, skip);
          if (skip) pat = row[x] & 0xFFFFFF;
        }
        uint32_t result = ApplyRop3(rop, pat, src, row[x] & 0xFFFFFF);
        row[x] = buffer_.Monochrome ? ToMonochromePixel(result) : result;
      }
    });
  }
  return true;
}

bool TRasterDC::PatBlt(int x, int y, int width, int height, uint32_t rop) {
  TPoint a = LPtoDP({x, y}), b = LPtoDP({x + width, y + height});
  return Blit({a.X, a.Y, b.X, b.Y}, nullptr, {}, 0, rop);
}

bool TRasterDC::BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
                       uint32_t rop) {
  TPoint a = LPtoDP({x, y}), b = LPtoDP({x + width, y + height});
  int sw = std::abs(b.X - a.X), sh = std::abs(b.Y - a.Y);
  TPoint s = source ? source->LPtoDP({xSrc, ySrc}) : TPoint{};
  return Blit({a.X, a.Y, b.X, b.Y}, source ? source->Pixels() : nullptr, {s.X, s.Y, s.X + sw, s.Y + sh},
              source ? source->GetBkColor() : 0, rop);
}

bool TRasterDC::StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
                           int widthSrc, int heightSrc, uint32_t rop) {
  TPoint a = LPtoDP({x, y}), b = LPtoDP({x + width, y + height});
  TPoint sa = source ? source->LPtoDP({xSrc, ySrc}) : TPoint{};
  TPoint sb = source ? source->LPtoDP({xSrc + widthSrc, ySrc + heightSrc}) : TPoint{};
  return Blit({a.X, a.Y, b.X, b.Y}, source ? source->Pixels() : nullptr, {sa.X, sa.Y, sb.X, sb.Y},
              source ? source->GetBkColor() : 0, rop);
}

bool TRasterDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int widthSrc, int heightSrc,
                              const TPixelBuffer& bits, uint32_t rop) {
  TPoint a = LPtoDP({x, y}), b = LPtoDP({x + width, y + height});
  // A device-independent bitmap brings its own colours: no conversion through text and background.
  TPixelBuffer colour = bits;
  colour.Monochrome = buffer_.Monochrome;
  return Blit({a.X, a.Y, b.X, b.Y}, &colour, {xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc}, 0xFFFFFF, rop);
}
