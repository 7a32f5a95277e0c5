// A part of a cell that fails to paint (its background, content or borders) is left out: the
// rest of that cell and the other cells still paint, and the failure does not end the paint.
#include <memory>
#include <string>

#include "platform/gdi/bitmaps/GraphicErrors.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

constexpr COLORREF NoColour = 0xFFFFFFFF;

// Draws on pixels, but fails every fill in one colour, as a device that runs out of
// resources in the middle of a page does.
class TFailingDC : public TRasterDC {
 public:
  TFailingDC(const TPixelBuffer& buffer, COLORREF failing) : TRasterDC(buffer), failing_(failing) {}
  bool FillRect(const TRect& rect, const TLogBrush& brush) override {
    Check(brush);
    return TRasterDC::FillRect(rect, brush);
  }
  bool FillRgn(const TRegion& region, const TLogBrush& brush) override {
    Check(brush);
    return TRasterDC::FillRgn(region, brush);
  }

 private:
  void Check(const TLogBrush& brush) const {
    if ((brush.Color & 0xFFFFFF) == failing_) throw EInvalidGraphicOperation(u"fill failed");
  }
  COLORREF failing_;
};

// Content that cannot be drawn.
class TFailingSection : public TFixedSection {
 public:
  using TFixedSection::TFixedSection;
  int Draw(TCanvas&, const TRect&, TIndentManager&, int, int, int) override {
    throw EInvalidGraphicOperation(u"draw failed");
  }
};

struct TFailureCase {
  const char* Name;
  COLORREF FailingFill;  // fills in this colour fail
  bool ContentFails;
  bool FirstFilled;      // the first cell's red background shows
  bool FirstBordered;    // its navy border shows
};

struct CellFailureTest : TableFixture, ::testing::WithParamInterface<TFailureCase> {};

TEST_P(CellFailureTest, FailedPartIsLeftOut) {
  const TFailureCase& c = GetParam();
  // Two cells of 40 x 20 in a row, no spacing, each with a 3-pixel navy border; the first is
  // red, the second lime.
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  TCellList& row = AddRow(table);
  TCellObj& first = AddCell(row, {40, 40, 20}, {{"BGCOLOR", u"#ff0000"}}, u"border: 3px solid #000080");
  if (c.ContentFails) first.Cell->AddSection(std::make_unique<TFailingSection>(&document, 0), 0);
  AddCell(row, {40, 40, 20}, {{"BGCOLOR", u"#00ff00"}}, u"border: 3px solid #000080");
  LayOut(200);

  TPixelImage pixels(200, 60);
  TFailingDC dc(pixels.Buffer(), c.FailingFill);
  TCanvas canvas(&dc);
  ASSERT_NO_THROW(document.Draw(canvas, TRect{0, 0, 200, 60}, 200, 0, 0, 0, 0));
  // Cells are 46 wide and 26 high: 40 x 20 inside a 3-pixel border.
  EXPECT_EQ(canvas.Pixel(20, 13) == clRed, c.FirstFilled);
  EXPECT_EQ(canvas.Pixel(1, 13) == TColor(0x800000), c.FirstBordered);
  EXPECT_EQ(canvas.Pixel(66, 13), clLime);  // the next cell paints whatever failed before it
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CellFailureTest,
    ::testing::Values(TFailureCase{"Nothing", NoColour, false, true, true},
                      TFailureCase{"Background", 0x0000FF, false, false, true},
                      TFailureCase{"Content", NoColour, true, true, true},
                      TFailureCase{"Borders", 0x800000, false, true, false}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
