#include "platform/gdi/regions/Region.h"

#include <algorithm>
#include <cmath>

namespace {

using TSpan = TRegion::TSpan;

bool Keep(bool inA, bool inB, int mode) {
  switch (mode) {
    case RGN_AND: return inA && inB;
    case RGN_OR: return inA || inB;
    case RGN_XOR: return inA != inB;
    case RGN_DIFF: return inA && !inB;
    default: return inA;
  }
}

std::vector<TSpan> CombineSpans(const std::vector<TSpan>& a, const std::vector<TSpan>& b, int mode) {
  std::vector<int> xs;
  for (const TSpan& s : a) xs.insert(xs.end(), {s.first, s.second});
  for (const TSpan& s : b) xs.insert(xs.end(), {s.first, s.second});
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  // Both lists are sorted and disjoint, and the break points ascend: one pass with a cursor
  // per list tells for each piece whether it lies inside.
  size_t ia = 0, ib = 0;
  auto inside = [](const std::vector<TSpan>& spans, size_t& at, int x) {
    while (at < spans.size() && spans[at].second <= x) ++at;
    return at < spans.size() && spans[at].first <= x;
  };
  std::vector<TSpan> out;
  for (size_t i = 0; i + 1 < xs.size(); ++i) {
    if (!Keep(inside(a, ia, xs[i]), inside(b, ib, xs[i]), mode)) continue;
    if (!out.empty() && out.back().second == xs[i])
      out.back().second = xs[i + 1];
    else
      out.push_back({xs[i], xs[i + 1]});
  }
  return out;
}

// Adds the pixels [x0, x1) whose centres lie between two crossings.
void AddCrossingSpan(std::vector<TSpan>& spans, double xa, double xb) {
  int x0 = static_cast<int>(std::ceil(xa - 0.5));
  int x1 = static_cast<int>(std::ceil(xb - 0.5));
  if (x1 > x0) spans.push_back({x0, x1});
}

std::vector<TSpan> UnionSpans(std::vector<TSpan> spans) {
  std::sort(spans.begin(), spans.end());
  std::vector<TSpan> out;
  for (const TSpan& s : spans) {
    if (!out.empty() && s.first <= out.back().second)
      out.back().second = std::max(out.back().second, s.second);
    else
      out.push_back(s);
  }
  return out;
}

}  // namespace

TRegion TRegion::FromRect(const TRect& r) {
  TRegion region;
  TRect n = r.Normalized();
  if (!n.IsEmpty()) region.bands_.push_back({n.Top, n.Bottom, {{n.Left, n.Right}}});
  return region;
}

TRegion TRegion::FromEllipse(const TRect& r) {
  TRegion region;
  TRect n = r.Normalized();
  if (n.IsEmpty()) return region;
  double cx = (n.Left + n.Right) / 2.0, cy = (n.Top + n.Bottom) / 2.0;
  double a = n.Width() / 2.0, b = n.Height() / 2.0;
  for (int y = n.Top; y < n.Bottom; ++y) {
    double t = (y + 0.5 - cy) / b;
    if (t * t >= 1) continue;
    double dx = a * std::sqrt(1 - t * t);
    std::vector<TSpan> spans;
    AddCrossingSpan(spans, cx - dx, cx + dx);
    if (!spans.empty()) region.bands_.push_back({y, y + 1, spans});
  }
  region.Coalesce();
  return region;
}

TRegion TRegion::FromPolygon(const std::vector<TPoint>& points, int fillMode) {
  return FromPolygons({points}, fillMode);
}

TRegion TRegion::FromPolygons(const std::vector<std::vector<TPoint>>& polygons, int fillMode, const TRect* limit) {
  TRegion region;
  bool any = false;
  int minY = 0, maxY = 0;
  // The rows where an edge begins or ends: between two of them the same edges cross.
  std::vector<int> vertexRows;
  for (const auto& points : polygons) {
    if (points.size() < 3) continue;
    for (const TPoint& p : points) {
      minY = any ? std::min(minY, p.Y) : p.Y;
      maxY = any ? std::max(maxY, p.Y) : p.Y;
      any = true;
      vertexRows.push_back(p.Y);
    }
  }
  if (!any) return region;
  std::sort(vertexRows.begin(), vertexRows.end());
  if (limit) {
    minY = std::max(minY, limit->Top);
    maxY = std::min(maxY, limit->Bottom);
  }
  struct TCrossing {
    double X;
    int Direction;
  };
  std::vector<TCrossing> crossings;
  for (int y = minY; y < maxY;) {
    double yc = y + 0.5;
    crossings.clear();
    bool allVertical = true;
    for (const auto& points : polygons) {
      if (points.size() < 3) continue;
      for (size_t i = 0; i < points.size(); ++i) {
        TPoint p0 = points[i], p1 = points[(i + 1) % points.size()];
        if (p0.Y == p1.Y) continue;
        int direction = p1.Y > p0.Y ? 1 : -1;
        if (direction < 0) std::swap(p0, p1);
        if (yc < p0.Y || yc >= p1.Y) continue;
        double x = p0.X + (yc - p0.Y) * (p1.X - p0.X) / static_cast<double>(p1.Y - p0.Y);
        crossings.push_back({x, direction});
        allVertical = allVertical && p0.X == p1.X;
      }
    }
    // Where only vertical edges cross, every row down to the next vertex has this row's
    // spans: one band holds them all (the sides of a tall frame cost one row, not their
    // height).
    int bandEnd = y + 1;
    if (allVertical) {
      const auto next = std::upper_bound(vertexRows.begin(), vertexRows.end(), y);
      bandEnd = std::min(next == vertexRows.end() ? maxY : *next, maxY);
    }
    std::sort(crossings.begin(), crossings.end(), [](const TCrossing& a, const TCrossing& b) { return a.X < b.X; });
    std::vector<TSpan> spans;
    if (fillMode == WINDING) {
      int winding = 0;
      for (size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += crossings[i].Direction;
        if (winding != 0) AddCrossingSpan(spans, crossings[i].X, crossings[i + 1].X);
      }
    } else {
      for (size_t i = 0; i + 1 < crossings.size(); i += 2) AddCrossingSpan(spans, crossings[i].X, crossings[i + 1].X);
    }
    spans = UnionSpans(spans);
    if (limit) {
      std::vector<TSpan> inside;
      for (const TSpan& sp : spans) {
        TSpan c{std::max(sp.first, limit->Left), std::min(sp.second, limit->Right)};
        if (c.first < c.second) inside.push_back(c);
      }
      spans = std::move(inside);
    }
    if (!spans.empty()) region.bands_.push_back({y, bandEnd, spans});
    y = bandEnd;
  }
  region.Coalesce();
  return region;
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects, const TXForm* t) {
  std::vector<TRegion> parts;
  for (const TRect& r : rects) {
    if (r.Normalized().IsEmpty()) continue;
    if (!t) {
      parts.push_back(FromRect(r));
      continue;
    }
    auto map = [t](double x, double y) {
      return TPoint{static_cast<int>(std::lround(x * t->eM11 + y * t->eM21 + t->eDx)),
                    static_cast<int>(std::lround(x * t->eM12 + y * t->eM22 + t->eDy))};
    };
    if (t->eM12 == 0 && t->eM21 == 0) {
      TPoint a = map(r.Left, r.Top), b = map(r.Right, r.Bottom);
      parts.push_back(FromRect({a.X, a.Y, b.X, b.Y}));
    } else {
      parts.push_back(FromPolygon({map(r.Left, r.Top), map(r.Right, r.Top), map(r.Right, r.Bottom), map(r.Left, r.Bottom)},
                                  ALTERNATE));
    }
  }
  if (parts.empty()) return {};
  // Union in a balanced tree keeps the work near n log n for long lists of scan-line rectangles.
  while (parts.size() > 1) {
    std::vector<TRegion> next;
    for (size_t i = 0; i < parts.size(); i += 2)
      next.push_back(i + 1 < parts.size() ? Combine(parts[i], parts[i + 1], RGN_OR) : std::move(parts[i]));
    parts = std::move(next);
  }
  return std::move(parts[0]);
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, int mode) {
  if (mode == RGN_COPY) return a;
  std::vector<int> ys;
  for (const TBand& band : a.bands_) ys.insert(ys.end(), {band.Top, band.Bottom});
  for (const TBand& band : b.bands_) ys.insert(ys.end(), {band.Top, band.Bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  TRegion result;
  size_t ia = 0, ib = 0;
  static const std::vector<TSpan> none;
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    int top = ys[i], bottom = ys[i + 1];
    while (ia < a.bands_.size() && a.bands_[ia].Bottom <= top) ++ia;
    while (ib < b.bands_.size() && b.bands_[ib].Bottom <= top) ++ib;
    const std::vector<TSpan>& sa = ia < a.bands_.size() && a.bands_[ia].Top <= top ? a.bands_[ia].Spans : none;
    const std::vector<TSpan>& sb = ib < b.bands_.size() && b.bands_[ib].Top <= top ? b.bands_[ib].Spans : none;
    std::vector<TSpan> spans = CombineSpans(sa, sb, mode);
    if (!spans.empty()) result.bands_.push_back({top, bottom, std::move(spans)});
  }
  result.Coalesce();
  return result;
}

void TRegion::Coalesce() {
  std::vector<TBand> out;
  for (TBand& band : bands_) {
    if (band.Spans.empty() || band.Bottom <= band.Top) continue;
    if (!out.empty() && out.back().Bottom == band.Top && out.back().Spans == band.Spans)
      out.back().Bottom = band.Bottom;
    else
      out.push_back(std::move(band));
  }
  bands_ = std::move(out);
}

int TRegion::Complexity() const {
  if (bands_.empty()) return NULLREGION;
  return bands_.size() == 1 && bands_[0].Spans.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

const std::vector<TSpan>& TRegion::SpansAt(int y) const {
  static const std::vector<TSpan> none;
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y, [](int v, const TBand& b) { return v < b.Bottom; });
  if (it == bands_.end() || it->Top > y) return none;
  return it->Spans;
}

bool TRegion::Contains(int x, int y) const {
  for (const TSpan& s : SpansAt(y))
    if (x >= s.first && x < s.second) return true;
  return false;
}

bool TRegion::Intersects(const TRect& r) const {
  TRect n = r.Normalized();
  for (const TBand& band : bands_) {
    if (band.Bottom <= n.Top || band.Top >= n.Bottom) continue;
    for (const TSpan& s : band.Spans)
      if (s.first < n.Right && s.second > n.Left) return true;
  }
  return false;
}

TRect TRegion::Box() const {
  if (bands_.empty()) return {};
  TRect box{bands_.front().Spans.front().first, bands_.front().Top, bands_.front().Spans.back().second,
            bands_.back().Bottom};
  for (const TBand& band : bands_) {
    box.Left = std::min(box.Left, band.Spans.front().first);
    box.Right = std::max(box.Right, band.Spans.back().second);
  }
  return box;
}

std::vector<TRect> TRegion::Rects() const {
  std::vector<TRect> rects;
  for (const TBand& band : bands_)
    for (const TSpan& s : band.Spans) rects.push_back({s.first, band.Top, s.second, band.Bottom});
  return rects;
}

TRegion TRegion::Offset(int dx, int dy) const {
  TRegion r = *this;
  for (TBand& band : r.bands_) {
    band.Top += dy;
    band.Bottom += dy;
    for (TSpan& s : band.Spans) {
      s.first += dx;
      s.second += dx;
    }
  }
  return r;
}

bool operator==(const TRegion& a, const TRegion& b) {
  if (a.bands_.size() != b.bands_.size()) return false;
  for (size_t i = 0; i < a.bands_.size(); ++i) {
    const auto& x = a.bands_[i];
    const auto& y = b.bands_[i];
    if (x.Top != y.Top || x.Bottom != y.Bottom || x.Spans != y.Spans) return false;
  }
  return true;
}
