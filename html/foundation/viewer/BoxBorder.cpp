#include "html/foundation/viewer/BoxBorder.h"

#include <algorithm>
#include <vector>

#include "html/foundation/globals/EngineGlobals.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/gdi/regions/Region.h"

namespace {

using TCorners = std::array<TPoint, 4>;  // lower-left, upper-left, upper-right, lower-right

TCorners CornersOf(const TRect& r) {
  return {TPoint{r.Left, r.Bottom}, TPoint{r.Left, r.Top}, TPoint{r.Right, r.Top}, TPoint{r.Right, r.Bottom}};
}

COLORREF Paletted(TColor color) { return static_cast<COLORREF>(color | PaletteRGBFlag); }

// Sides wider than this are filled as paths: the region of a quadrilateral holds a
// rectangle per scan line of its slanted edges, which for a border of thousands of pixels
// is large to build and to record.
constexpr int kWidestRegionSide = 64;

// The quadrilateral as a filled path in a solid brush (no outline).
void FillQuadPath(TCanvas& canvas, const std::array<TPoint, 4>& points, TColor color) {
  TDeviceContext& dc = canvas.Handle();
  dc.BeginPath();
  dc.MoveToEx(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) dc.LineTo(points[i].X, points[i].Y);
  dc.CloseFigure();
  dc.EndPath();
  const TLogBrush old = dc.SelectBrush(CreateSolidBrush(Paletted(color)));
  dc.FillPath();
  dc.SelectBrush(old);
}

// Side i between corners i and i + 1 of two point sets.
void FillSide(TCanvas& canvas, const TCorners& from, const TCorners& to, int side, TColor color, bool wide) {
  int next = (side + 1) % 4;
  const std::array<TPoint, 4> quad{from[static_cast<size_t>(side)], from[static_cast<size_t>(next)],
                                   to[static_cast<size_t>(next)], to[static_cast<size_t>(side)]};
  if (wide) FillQuadPath(canvas, quad, color);
  else FillQuad(canvas, quad, color);
}

}  // namespace

void FillQuad(TCanvas& canvas, const std::array<TPoint, 4>& points, TColor color) {
  TRegion region = TRegion::FromPolygon(std::vector<TPoint>(points.begin(), points.end()), ALTERNATE);
  canvas.Handle().FillRgn(region, CreateSolidBrush(Paletted(color)));
}

void PaintBoxBorder(TCanvas& canvas, TRect outer, TRect inner, const std::array<TColor, 4>& colors,
                    const std::array<uint8_t, 4>& styles, TColor backColor, bool /*printing*/) {
  outer.Bottom = std::min(outer.Bottom, 5000);
  inner.Bottom = std::min(inner.Bottom, 5000);
  outer.Top = std::max(outer.Top, -200);
  inner.Top = std::max(inner.Top, -200);

  const std::array<int, 4> widths = {inner.Left - outer.Left, inner.Top - outer.Top, outer.Right - inner.Right,
                                     outer.Bottom - inner.Bottom};
  if (std::all_of(widths.begin(), widths.end(), [](int w) { return w == 0; })) return;
  const bool wide = std::any_of(widths.begin(), widths.end(), [](int w) { return w > kWidestRegionSide; });
  auto any = [&](std::initializer_list<uint8_t> kinds) {
    return std::any_of(styles.begin(), styles.end(),
                       [&](uint8_t s) { return std::find(kinds.begin(), kinds.end(), s) != kinds.end(); });
  };

  const TCorners outerSet = CornersOf(outer), innerSet = CornersOf(inner);
  TCorners middleSet{}, outerThirdSet{}, innerThirdSet{};
  if (any({bssGroove, bssRidge, bssDashed, bssDotted}))
    middleSet = CornersOf(TRect{(outer.Left + inner.Left) / 2, (outer.Top + inner.Top) / 2,
                                (outer.Right + inner.Right) / 2, (outer.Bottom + inner.Bottom) / 2});
  if (any({bssDouble})) {
    std::array<int, 4> t{};
    for (size_t i = 0; i < 4; ++i) t[i] = widths[i] / 3 + (widths[i] % 3 == 2 ? 1 : 0);
    outerThirdSet = CornersOf(TRect{outer.Left + t[0], outer.Top + t[1], outer.Right - t[2], outer.Bottom - t[3]});
    innerThirdSet = CornersOf(TRect{inner.Left - t[0], inner.Top - t[1], inner.Right + t[2], inner.Bottom + t[3]});
  }

  TDeviceContext& dc = canvas.Handle();
  if (backColor != clNone && any({bssDashed, bssDotted, bssDouble})) {
    TRegion ring = TRegion::Combine(TRegion::FromRect(outer), TRegion::FromRect(inner), RGN_DIFF);
    dc.FillRgn(ring, CreateSolidBrush(Paletted(ResolveColor(backColor))));
  }

  bool pathOpen = false;
  int pathStart = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t s = static_cast<size_t>(i);
    const TColor c = ResolveColor(colors[s]);
    const bool leftOrTop = i < 2;
    switch (styles[s]) {
      case bssSolid: FillSide(canvas, outerSet, innerSet, i, c, wide); break;
      case bssInset: FillSide(canvas, outerSet, innerSet, i, leftOrTop ? DarkShade(c) : LightShade(c), wide); break;
      case bssOutset: FillSide(canvas, outerSet, innerSet, i, leftOrTop ? LightShade(c) : DarkShade(c), wide); break;
      case bssGroove:
      case bssRidge: {
        bool grooveOuter = styles[s] == bssGroove;  // the outer half as inset
        TColor first = leftOrTop == grooveOuter ? DarkShade(c) : LightShade(c);
        TColor second = leftOrTop == grooveOuter ? LightShade(c) : DarkShade(c);
        FillSide(canvas, outerSet, middleSet, i, first, wide);
        FillSide(canvas, middleSet, innerSet, i, second, wide);
        break;
      }
      case bssDashed:
      case bssDotted: {
        if (!pathOpen) {
          dc.BeginPath();
          dc.MoveToEx(middleSet[s].X, middleSet[s].Y);
          pathOpen = true;
          pathStart = i;
        }
        const TPoint to = middleSet[static_cast<size_t>((i + 1) % 4)];
        dc.LineTo(to.X, to.Y);
        const bool sharedWithNext = i < 3 && styles[s + 1] == styles[s] && colors[s + 1] == colors[s] &&
                                    widths[s + 1] == widths[s];
        if (!sharedWithNext) {
          if (pathStart == 0 && i == 3) dc.CloseFigure();
          dc.EndPath();
          uint32_t style = PS_GEOMETRIC | PS_JOIN_MITER | (styles[s] == bssDashed ? PS_DASH | PS_ENDCAP_SQUARE : PS_DOT);
          TLogPen old = dc.SelectPen(TLogPen{style, widths[s], Paletted(c)});
          dc.StrokePath();
          dc.SelectPen(old);
          pathOpen = false;
        }
        break;
      }
      case bssDouble:
        FillSide(canvas, outerSet, outerThirdSet, i, c, wide);
        FillSide(canvas, innerThirdSet, innerSet, i, c, wide);
        break;
      default: break;
    }
  }
}
