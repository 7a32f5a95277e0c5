#include "html/foundation/viewer/ViewerDrawing.h"

#include <gtest/gtest.h>

#include "html/foundation/viewer/BitmapRegion.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/Pictures.h"

namespace {

// A bitmap from rows of '#' (black) and '.' (white).
TBitmap Picture(const std::vector<std::string>& rows) {
  TBitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), pf24bit);
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      bitmap.SetPixel(static_cast<int>(x), static_cast<int>(y), rows[y][x] == '#' ? clBlack : clWhite);
  return bitmap;
}

int64_t Area(const TRegion& region) {
  int64_t area = 0;
  for (const TRect& r : region.Rects()) area += int64_t{r.Right - r.Left} * (r.Bottom - r.Top);
  return area;
}

TEST(BitmapRegion, AreaEqualsOpaquePixels) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int64_t area;
  };
  const Case cases[] = {
      {"all white", {"...", "..."}, 0},
      {"one pixel", {"...", ".#."}, 1},
      {"runs in rows", {"##.##", ".###.", "#...#"}, 9},
      {"all black", {"###", "###"}, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<TRegion> region = RegionFromBitmap(Picture(c.rows), nullptr, clWhite);
    if (c.area == 0) {
      EXPECT_FALSE(region.has_value());
      continue;
    }
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(Area(*region), c.area);
    for (size_t y = 0; y < c.rows.size(); ++y)
      for (size_t x = 0; x < c.rows[y].size(); ++x)
        EXPECT_EQ(region->Contains(static_cast<int>(x), static_cast<int>(y)), c.rows[y][x] == '#');
  }
}

TEST(BitmapRegion, ManyRunsAndATransform) {
  // 100 x 100 checkerboard: 5,000 one-pixel runs, more than one batch of 2,000.
  std::vector<std::string> rows(100, std::string(100, '.'));
  for (int y = 0; y < 100; ++y)
    for (int x = (y & 1); x < 100; x += 2) rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
  TBitmap board = Picture(rows);
  EXPECT_EQ(Area(*RegionFromBitmap(board, nullptr, clWhite)), 5000);
  TXForm twice{2, 0, 0, 2, 10, 0};
  std::optional<TRegion> scaled = RegionFromBitmap(board, &twice, clWhite);
  EXPECT_EQ(Area(*scaled), 20000);
  EXPECT_TRUE(scaled->Contains(10, 0));
  EXPECT_FALSE(scaled->Contains(12, 0));
}

TEST(ViewerDrawing, ScaleAndDeviceRectangles) {
  TRect scaled;
  ScaleRect(TRect{1, 1, 3, 5}, scaled, 2.5, 0.5);
  EXPECT_EQ(scaled, (TRect{2, 0, 8, 2}));  // 2.5 -> 2, 7.5 -> 8, 0.5 -> 0, 2.5 -> 2

  TBitmap bitmap(10, 10, pf32bit);
  TDeviceContext& dc = bitmap.Canvas().Handle();
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowOrgEx(10, 20);
  dc.SetWindowExtEx(100, 100);
  dc.SetViewportExtEx(300, 50);
  TRect device;
  RectToDevice(dc, TRect{20, 30, 40, 50}, false, device);
  EXPECT_EQ(device, (TRect{10, 10, 30, 30}));
  RectToDevice(dc, TRect{20, 30, 40, 50}, true, device);
  EXPECT_EQ(device, (TRect{30, 5, 90, 15}));
}

TEST(ViewerDrawing, ClipToRectWithAndWithoutAClipRegion) {
  TBitmap bitmap(10, 10, pf32bit);
  TDeviceContext& dc = bitmap.Canvas().Handle();
  std::unique_ptr<TRegion> newRgn, savedRgn;
  ClipToRect(dc, TRect{2, 2, 6, 6}, false, newRgn, savedRgn);
  EXPECT_EQ(savedRgn, nullptr);
  EXPECT_EQ(newRgn->Box(), (TRect{2, 2, 6, 6}));

  std::unique_ptr<TRegion> inner, saved;
  ClipToRect(dc, TRect{4, 0, 10, 4}, false, inner, saved);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(inner->Box(), (TRect{4, 2, 6, 4}));
  dc.SelectClipRgn(savedRgn.get());
  TRegion none;
  EXPECT_FALSE(dc.GetClipRgn(none));
}

TEST(ViewerDrawing, FittingCharacters) {
  TBitmap bitmap(10, 10, pf32bit);
  TDeviceContext& dc = bitmap.Canvas().Handle();
  TSize extent{5, 5};
  EXPECT_EQ(MeasureFittingChars(dc, u"Hallo", 0, extent), 0);
  EXPECT_EQ(extent, (TSize{0, 0}));
  int whole = MeasureTextWidth(dc, u"Hallo");
  ASSERT_GT(whole, 0);
  EXPECT_EQ(MeasureFittingChars(dc, u"Hallo", whole, extent), 5);
  EXPECT_EQ(extent.cx, whole);
  EXPECT_GT(extent.cy, 0);
  int three = MeasureTextWidth(dc, u"Hal");
  EXPECT_EQ(MeasureFittingChars(dc, u"Hallo", three, extent), 3);
  EXPECT_EQ(extent.cx, three);
}

// Alternative text is document text: an "&" in it is drawn like any other character (as the
// text was measured), not taken as the prefix that underlines the next letter.
TEST(ViewerDrawing, WrappedTextDrawsAmpersands) {
  const std::u16string text = u"Fish & Chips";
  TBitmap wrapped(200, 30, pf24bit), plain(200, 30, pf24bit);
  for (TBitmap* b : {&wrapped, &plain}) {
    b->Canvas().Brush().SetColor(clWhite);
    b->Canvas().FillRect(TRect{0, 0, 200, 30});
    b->Canvas().Font().SetName(u"Arial");
    b->Canvas().Font().SetSize(12);
    b->Canvas().TextExtent(u"");  // selects the font
  }
  DrawWrappedText(wrapped.Canvas(), 2, 2, 200, 30, text);
  TDeviceContext& dc = plain.Canvas().Handle();
  dc.SetTextAlign(0);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(2, 2, text);
  EXPECT_EQ(CountDifferent(PictureOf(plain.Image()), PictureOf(wrapped.Image())), 0);
}

TEST(ViewerDrawing, ControlBoxEdges) {
  struct Case {
    bool raised;
    TColor topLeft, bottomRight;
  };
  const TColor highlight = TColor(ColorToRGB(clBtnHighlight)), shadow = TColor(ColorToRGB(clBtnShadow));
  for (Case c : {Case{true, highlight, shadow}, Case{false, shadow, highlight}}) {
    SCOPED_TRACE(c.raised);
    TBitmap bitmap(20, 20, pf32bit);
    DrawControlBox3D(bitmap.Canvas(), 0, 0, 20, 20, c.raised, false, false, clYellow);
    EXPECT_EQ(bitmap.GetPixel(0, 10), c.topLeft);
    EXPECT_EQ(bitmap.GetPixel(10, 0), c.topLeft);
    EXPECT_EQ(bitmap.GetPixel(18, 10), c.bottomRight);
    EXPECT_EQ(bitmap.GetPixel(10, 18), c.bottomRight);
    EXPECT_EQ(bitmap.GetPixel(10, 10), clYellow);
  }
}

}  // namespace
