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
  square.PaintTo(canvas);
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
  EXPECT_THROW(square.PaintTo(canvas), Exception);
  EXPECT_NE(&square.Canvas(), &canvas);
}

}  // namespace
