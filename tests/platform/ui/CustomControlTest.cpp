#include <gtest/gtest.h>

#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Exceptions.h"
#include "platform/ui/controls/CustomControl.h"

namespace {

// Fills itself, then frames a square in its font colour; remembers what Canvas() was.
class TSquare : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TCanvas* seen = nullptr;
  bool fail = false;

 protected:
  void Paint() override {
    TCustomControl::Paint();
    seen = &Canvas();
    if (fail) throw Exception(u"kaputt");
    Canvas().Brush().SetColor(clBlue);
    Canvas().FillRect(TRect{2, 2, 6, 6});
  }
};

struct PaintCase {
  const char* name;
  TColor color;
  uint32_t background;  // 0x00RRGGBB
};

class CustomControlPaint : public ::testing::TestWithParam<PaintCase> {};

TEST_P(CustomControlPaint, PaintsOnTheGivenCanvas) {
  TSquare square(nullptr);
  square.SetBounds(0, 0, 10, 10);
  square.SetColor(GetParam().color);
  TPixelImage pixels(10, 10, 0x123456);
  TRasterDC dc(pixels.Buffer());
  TCanvas canvas(&dc);
  square.PaintTo(canvas, TRect{0, 0, 10, 10});
  EXPECT_EQ(square.seen, &canvas);
  EXPECT_EQ(pixels.At(8, 8), GetParam().background);
  EXPECT_EQ(pixels.At(3, 3), 0x0000FFu);  // clBlue
  EXPECT_NE(&square.Canvas(), &canvas);   // outside painting it measures
  EXPECT_GT(square.Canvas().TextWidth(u"Wendrel"), 0);
}

INSTANTIATE_TEST_SUITE_P(CustomControl, CustomControlPaint,
                         ::testing::Values(PaintCase{"clRed", clRed, 0xFF0000}, PaintCase{"clWhite", clWhite, 0xFFFFFF},
                                           PaintCase{"clBtnFace", clBtnFace, 0xF0F0F0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CustomControl, AFailedPaintLeavesTheCanvasMeasuringAgain) {
  TSquare square(nullptr);
  square.fail = true;
  TPixelImage pixels(4, 4);
  TRasterDC dc(pixels.Buffer());
  TCanvas canvas(&dc);
  EXPECT_THROW(square.PaintTo(canvas, TRect{0, 0, 4, 4}), Exception);
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 4, 4}));  // no clip left behind
  EXPECT_NE(&square.Canvas(), &canvas);
}

// Painting a part leaves the pixels outside it as they were and tells Paint the part; a
// part beyond the control is cut to the control, one wholly outside paints nothing.
TEST(CustomControl, PaintsOnlyTheAreaAskedFor) {
  struct Case {
    TRect area;
    TRect clip;  // what Paint sees as Canvas().ClipRect(); empty: Paint is not called
  };
  for (const Case& c : {Case{{0, 0, 5, 5}, {0, 0, 5, 5}}, Case{{4, 4, 30, 30}, {4, 4, 10, 10}},
                        Case{{7, 7, 3, 3}, {3, 3, 7, 7}}, Case{{20, 20, 30, 30}, {}}}) {
    TSquare square(nullptr);
    square.SetBounds(0, 0, 10, 10);
    square.SetColor(clRed);
    TRect seenClip;
    square.OnPaint = [&](TComponent*) { seenClip = square.Canvas().ClipRect(); };
    TPixelImage pixels(12, 12, 0x123456);
    TRasterDC dc(pixels.Buffer());
    TCanvas canvas(&dc);
    square.PaintTo(canvas, c.area);
    EXPECT_EQ(seenClip, c.clip);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        bool inside = c.clip.Contains(TPoint{x, y});
        if (!inside) {
          EXPECT_EQ(pixels.At(x, y), 0x123456u) << x << "," << y;
        } else if (!TRect{2, 2, 6, 6}.Contains(TPoint{x, y})) {
          EXPECT_EQ(pixels.At(x, y), 0xFF0000u) << x << "," << y;
        }
      }
    EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 12, 12}));
  }
}

// What is asked to be painted again gathers until the backend takes it, cut to the control.
TEST(CustomControl, InvalidAreasGatherUntilTaken) {
  TSquare square(nullptr);
  square.SetBounds(0, 0, 50, 40);
  square.TakeInvalidArea();
  EXPECT_TRUE(square.TakeInvalidArea().IsEmpty());
  square.InvalidateArea(TRect{5, 5, 10, 10});
  square.InvalidateArea(TRect{30, 2, 60, 8});
  EXPECT_EQ(square.TakeInvalidArea(), (TRect{5, 2, 50, 10}));
  EXPECT_TRUE(square.TakeInvalidArea().IsEmpty());
  square.InvalidateArea(TRect{60, 60, 70, 70});
  EXPECT_TRUE(square.TakeInvalidArea().IsEmpty());
  square.Invalidate();
  EXPECT_EQ(square.TakeInvalidArea(), (TRect{0, 0, 50, 40}));
}

}  // namespace
