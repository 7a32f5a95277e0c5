// Regions: sets of pixels kept as horizontal bands of disjoint spans (each span holds the
// pixels from its left edge up to, not including, its right edge). A value type; the device
// context keeps its clip region as one.
#pragma once

#include <utility>
#include <vector>

#include "platform/gdi/geometry/Geometry.h"

// Polygon fill modes.
enum : int { ALTERNATE = 1, WINDING = 2 };
// CombineRgn modes.
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// Region complexity as CombineRgn and the clip calls report it.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

class TRegion {
 public:
  using TSpan = std::pair<int, int>;  // [first, second)

  TRegion() = default;
  // CreateRectRgn; a reversed rectangle is normalised.
  static TRegion FromRect(const TRect& r);
  // CreateEllipticRgn: the pixels whose centres lie inside the ellipse inscribed in r.
  static TRegion FromEllipse(const TRect& r);
  // CreatePolygonRgn: the pixels whose centres lie inside the polygon by the fill mode.
  static TRegion FromPolygon(const std::vector<TPoint>& points, int fillMode);
  // CreatePolyPolygonRgn: several closed polygons filled together by the fill mode. With a
  // limit, only the part inside it is made (drawing needs no more than the visible part).
  static TRegion FromPolygons(const std::vector<std::vector<TPoint>>& polygons, int fillMode,
                              const TRect* limit = nullptr);
  // ExtCreateRegion: the union of the rectangles, each transformed first when a transform is
  // given (a rotating or shearing transform turns a rectangle into a polygon).
  static TRegion FromRects(const std::vector<TRect>& rects, const TXForm* transform = nullptr);
  // CombineRgn.
  static TRegion Combine(const TRegion& a, const TRegion& b, int mode);

  bool IsEmpty() const { return bands_.empty(); }
  int Complexity() const;
  bool Contains(int x, int y) const;   // PtInRegion
  bool Intersects(const TRect& r) const;  // RectInRegion
  TRect Box() const;                   // GetRgnBox; all zero for an empty region
  std::vector<TRect> Rects() const;    // GetRegionData: the bands' spans, top to bottom, left to right
  TRegion Offset(int dx, int dy) const;
  // The spans of row y (empty when none), for drawing through a clip region.
  const std::vector<TSpan>& SpansAt(int y) const;

  friend bool operator==(const TRegion& a, const TRegion& b);

 private:
  struct TBand {
    int Top = 0;
    int Bottom = 0;
    std::vector<TSpan> Spans;
  };
  void Coalesce();
  std::vector<TBand> bands_;
};
