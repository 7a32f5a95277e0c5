#include <gtest/gtest.h>

#include "platform/gdi/regions/Region.h"

namespace {

// The region as a picture, row by row, '#' for a pixel inside: easy to read in a failure.
std::string Picture(const TRegion& r, const TRect& area) {
  std::string s;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) s += r.Contains(x, y) ? '#' : '.';
    s += '\n';
  }
  return s;
}

// Even-odd rule at a pixel's centre, straight from the crossings of a ray to the right.
bool CentreInside(const std::vector<TPoint>& points, int x, int y) {
  const double cx = x + 0.5, cy = y + 0.5;
  bool inside = false;
  for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const TPoint a = points[i], b = points[j];
    if ((a.Y > cy) != (b.Y > cy) && cx < a.X + (cy - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y))
      inside = !inside;
  }
  return inside;
}

TEST(Region, CombineModes) {
  TRegion a = TRegion::FromRect({0, 0, 4, 3});
  TRegion b = TRegion::FromRect({2, 1, 6, 4});
  struct TCase {
    int Mode;
    const char* Expected;
  };
  const TCase cases[] = {
      {RGN_AND, "......\n..##..\n..##..\n......\n"},
      {RGN_OR, "####..\n######\n######\n..####\n"},
      {RGN_XOR, "####..\n##..##\n##..##\n..####\n"},
      {RGN_DIFF, "####..\n##....\n##....\n......\n"},
      {RGN_COPY, "####..\n####..\n####..\n......\n"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Picture(TRegion::Combine(a, b, c.Mode), {0, 0, 6, 4}), c.Expected) << c.Mode;
  EXPECT_EQ(TRegion::Combine(a, b, RGN_OR).Box(), (TRect{0, 0, 6, 4}));
  EXPECT_EQ(TRegion::Combine(a, b, RGN_AND).Complexity(), SIMPLEREGION);
  EXPECT_EQ(TRegion::Combine(a, b, RGN_OR).Complexity(), COMPLEXREGION);
  EXPECT_EQ(TRegion::Combine(a, a, RGN_DIFF).Complexity(), NULLREGION);
  EXPECT_EQ(TRegion::Combine(a, a, RGN_XOR).Box(), TRect{});
}

TEST(Region, RectanglesExcludeRightAndBottomEdges) {
  TRegion r = TRegion::FromRect({3, 2, 1, 5});  // reversed corners are put in order
  EXPECT_TRUE(r.Contains(1, 2));
  EXPECT_TRUE(r.Contains(2, 4));
  EXPECT_FALSE(r.Contains(3, 2));
  EXPECT_FALSE(r.Contains(1, 5));
  EXPECT_TRUE(TRegion::FromRect({5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE(r.Intersects({2, 4, 10, 10}));
  EXPECT_FALSE(r.Intersects({3, 0, 10, 10}));
}

TEST(Region, RectangleListCoalescesBands) {
  TRegion r = TRegion::Combine(TRegion::FromRect({0, 0, 2, 2}), TRegion::FromRect({0, 2, 2, 4}), RGN_OR);
  EXPECT_EQ(r.Rects(), (std::vector<TRect>{{0, 0, 2, 4}}));
  TRegion two = TRegion::Combine(TRegion::FromRect({0, 0, 2, 2}), TRegion::FromRect({4, 0, 6, 2}), RGN_OR);
  EXPECT_EQ(two.Rects(), (std::vector<TRect>{{0, 0, 2, 2}, {4, 0, 6, 2}}));
  EXPECT_EQ(two.Offset(1, 1).Rects(), (std::vector<TRect>{{1, 1, 3, 3}, {5, 1, 7, 3}}));
}

TEST(Region, PolygonFillModes) {
  // Two overlapping squares drawn as one figure going round twice the same way: the overlap
  // is a hole with alternate filling and filled with winding.
  std::vector<TPoint> twice = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}};
  EXPECT_EQ(Picture(TRegion::FromPolygon(twice, ALTERNATE), {0, 0, 6, 6}),
            "####..\n####..\n##..##\n##..##\n..####\n..####\n");
  EXPECT_EQ(Picture(TRegion::FromPolygon(twice, WINDING), {0, 0, 6, 6}),
            "####..\n####..\n######\n######\n..####\n..####\n");
  // A triangle: the pixels whose centres lie inside.
  EXPECT_EQ(Picture(TRegion::FromPolygon({{0, 0}, {4, 0}, {0, 4}}, ALTERNATE), {0, 0, 4, 4}),
            "###.\n##..\n#...\n....\n");
  EXPECT_TRUE(TRegion::FromPolygon({{0, 0}, {4, 0}}, ALTERNATE).IsEmpty());
}

TEST(Region, TallPolygonIsFilledRowByRowWhereItsEdgesSlant) {
  // The left side of a frame a million pixels tall with mitred corners and a notch in its
  // middle (the rows between vertices where only vertical edges cross are made as one
  // band): every sampled pixel is inside exactly when its centre is inside the polygon.
  const int h = 1000000;
  const std::vector<TPoint> side = {{0, 0}, {4, 4}, {4, h / 2}, {2, h / 2 + 2}, {4, h / 2 + 4}, {4, h - 4}, {0, h}};
  const TRegion region = TRegion::FromPolygon(side, ALTERNATE);
  for (const int top : {-2, 3, h / 2 - 3, h / 2 + 3, h - 6, 700000})
    for (int y = top; y < top + 6; ++y)
      for (int x = -1; x < 6; ++x) EXPECT_EQ(region.Contains(x, y), CentreInside(side, x, y)) << x << ", " << y;
  // Made with a limit, only the part inside it.
  const TRect limit{0, 100, 3, h / 2 + 1};
  EXPECT_EQ(TRegion::FromPolygons({side}, ALTERNATE, &limit),
            TRegion::Combine(region, TRegion::FromRect(limit), RGN_AND));
}

TEST(Region, Ellipse) {
  EXPECT_EQ(Picture(TRegion::FromEllipse({0, 0, 6, 6}), {0, 0, 6, 6}),
            ".####.\n######\n######\n######\n######\n.####.\n");
  EXPECT_EQ(TRegion::FromEllipse({10, 20, 30, 30}).Box(), (TRect{10, 20, 30, 30}));
}

TEST(Region, FromRectsWithTransform) {
  TXForm scale{2, 0, 0, 3, 10, 5};
  TRegion r = TRegion::FromRects({{0, 0, 1, 1}, {1, 1, 2, 2}}, &scale);
  EXPECT_EQ(r.Rects(), (std::vector<TRect>{{10, 5, 12, 8}, {12, 8, 14, 11}}));
  EXPECT_EQ(TRegion::FromRects({{0, 0, 4, 4}}), TRegion::FromRect({0, 0, 4, 4}));
  // A quarter turn maps the rectangle onto the other axis.
  TXForm turn{0, 1, -1, 0, 0, 0};
  EXPECT_EQ(TRegion::FromRects({{0, 0, 4, 2}}, &turn).Box(), (TRect{-2, 0, 0, 4}));
  // Many one-pixel rows merge into one rectangle.
  std::vector<TRect> rows;
  for (int y = 0; y < 300; ++y) rows.push_back({0, y, 5, y + 1});
  EXPECT_EQ(TRegion::FromRects(rows).Rects(), (std::vector<TRect>{{0, 0, 5, 300}}));
}

}  // namespace
