// Tables painted on the raster device at chosen pixels: cell backgrounds, the spacing between
// cells, plain and styled cell borders, cells far taller than the page. Each scene is also
// recorded as a metafile and played back (the same pixels), kept as a PNG under the build
// folder and compared with its reviewed reference picture.
#include "html/foundation/globals/EngineGlobals.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/ScenePainting.h"
#include "tests/html/document/tables/TableFixture.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {

constexpr int SceneWidth = 200, SceneHeight = 100;

struct TablePaintTest : TableFixture {
  std::unique_ptr<TBitmap> Paint(const std::string& name, int width = SceneWidth) {
    LayOut(width);
    auto direct = PaintSceneBothWays(document, SceneWidth, SceneHeight, "table-scenes", name);
    EXPECT_TRUE(MatchesReference(PictureOf(direct->Image()), "html/tables/" + name));
    return direct;
  }
};

TEST_F(TablePaintTest, BackgroundsSpacingAndPlainBorders) {
  // BORDER=1, spacing 4, padding 2; four cells of 40 x 20 content. Columns are 50 wide
  // (40 + 4 spacing + 2 x 2 padding + 2 x 1 border), rows 30 high; the table sits inside the
  // block's one-pixel border, so the first cell box is (5, 5) - (51, 31).
  THtmlTable& table =
      *AddTable(document, {{"BORDER", u"1"}, {"CELLSPACING", u"4"}, {"CELLPADDING", u"2"}}).Table;
  TCellList& top = AddRow(table);
  AddCell(top, {40, 40, 20}, {{"BGCOLOR", u"#ff0000"}});
  AddCell(top, {40, 40, 20}, {{"BGCOLOR", u"#00ff00"}});
  TCellList& bottom = AddRow(table);
  AddCell(bottom, {40, 40, 20}, {{"BGCOLOR", u"#0000ff"}});
  AddCell(bottom, {40, 40, 20}, {{"BGCOLOR", u"#ffff00"}});
  auto picture = Paint("plain-borders");
  TCanvas& c = picture->Canvas();
  const TColor dark = ResolveColor(clBtnShadow), light = ResolveColor(clBtnHighlight);
  EXPECT_EQ(c.Pixel(10, 10), clRed);
  EXPECT_EQ(c.Pixel(49, 29), clRed);
  EXPECT_EQ(c.Pixel(5, 10), dark);    // left side of the first cell
  EXPECT_EQ(c.Pixel(10, 5), dark);    // its top
  EXPECT_EQ(c.Pixel(50, 10), light);  // its right side
  EXPECT_EQ(c.Pixel(10, 30), light);  // its bottom
  EXPECT_EQ(c.Pixel(3, 10), clWhite);   // spacing between the table's border and the cell
  EXPECT_EQ(c.Pixel(53, 10), clWhite);  // spacing between the cells
  EXPECT_EQ(c.Pixel(60, 10), clLime);
  EXPECT_EQ(c.Pixel(10, 40), clBlue);
  EXPECT_EQ(c.Pixel(60, 40), clYellow);
  EXPECT_EQ(c.Pixel(60, 64), clWhite);  // below the last row: 1 + 30 + 30 + 4 = 65 is the border
  EXPECT_NE(c.Pixel(0, 10), clWhite);   // the table block's own border
  EXPECT_NE(c.Pixel(105, 10), clWhite);  // content 1 .. 104: the table's 100 + 4 spacing
  EXPECT_EQ(c.Pixel(106, 10), clWhite);
}

TEST_F(TablePaintTest, StyledBordersAndTableBackground) {
  // No spacing; each cell has a 3-pixel navy border from the style sheet and padding 2; the
  // table's background colour fills the cells that have none.
  THtmlTable& table =
      *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"2"}, {"BGCOLOR", u"#c0c0c0"}}).Table;
  TCellList& row = AddRow(table);
  AddCell(row, {30, 30, 20}, {}, u"border: 3px solid #000080");
  AddCell(row, {30, 30, 20}, {{"BGCOLOR", u"#ff00ff"}}, u"border: 3px solid #000080");
  auto picture = Paint("styled-borders");
  TCanvas& c = picture->Canvas();
  // Columns are 30 + 2 x 2 + 2 x 3 = 40 wide, the row 30 high.
  for (int x : {0, 2, 37, 39, 40, 79}) EXPECT_EQ(c.Pixel(x, 15), TColor(0x800000)) << x;
  for (int y : {0, 2, 27, 29}) EXPECT_EQ(c.Pixel(20, y), TColor(0x800000)) << y;
  EXPECT_EQ(c.Pixel(20, 15), TColor(0xC0C0C0));
  EXPECT_EQ(c.Pixel(60, 15), clFuchsia);
  EXPECT_EQ(c.Pixel(85, 15), clWhite);
  EXPECT_EQ(c.Pixel(20, 31), clWhite);
}

TEST_F(TablePaintTest, CellFarTallerThanThePageKeepsItsSidesWhereverItIsCut) {
  // A cell 100,000 pixels high, scrolled to its middle: its left and right borders run
  // through the whole picture, its top and bottom are out of sight, its background fills it.
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  AddCell(AddRow(table), {50, 50, 100000}, {{"BGCOLOR", u"#00ff00"}}, u"border: 2px solid #ff0000");
  document.YOffset = 50000;
  auto picture = Paint("tall-cell-cut");
  TCanvas& c = picture->Canvas();
  for (int y : {0, 1, 50, 98, 99}) {
    EXPECT_EQ(c.Pixel(0, y), clRed) << y;
    EXPECT_EQ(c.Pixel(53, y), clRed) << y;
    EXPECT_EQ(c.Pixel(25, y), clLime) << y;
    EXPECT_EQ(c.Pixel(60, y), clWhite) << y;
  }
  document.YOffset = 0;
}

}  // namespace
