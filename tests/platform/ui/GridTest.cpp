#include <gtest/gtest.h>

#include "platform/rtl/Exceptions.h"
#include "platform/ui/grid/StringGrid.h"
#include "tests/support/CaseNames.h"

namespace {

struct GridFixture : ::testing::Test {
  TStringGrid grid{nullptr};
};

TEST_F(GridFixture, CellsOutsideTheCountsKeepTheirTextThroughShrinkAndGrow) {
  grid.SetRowCount(3);
  grid.SetColCount(2);
  grid.SetCell(1, 2, u"last row");
  grid.SetCell(5, 40, u"far away");
  EXPECT_EQ(grid.Cells(5, 40), u"far away");  // written and read outside the counts

  grid.SetRowCount(2);  // hides row 2, as the header sort does
  EXPECT_EQ(grid.Cells(1, 2), u"last row");
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Cells(1, 2), u"last row");
  EXPECT_EQ(grid.Cells(3, 3), u"");
}

struct CountCase {
  int fixedRows;
  int setRowCount;
  int expectRowCount;
  int expectFixedRows;
};

class RowCountRules : public ::testing::TestWithParam<CountCase> {};

TEST_P(RowCountRules, CountAndFixedRows) {
  const CountCase& c = GetParam();
  TStringGrid grid(nullptr);
  grid.SetRowCount(10);
  grid.SetFixedRows(c.fixedRows);
  grid.SetRowCount(c.setRowCount);
  EXPECT_EQ(grid.RowCount(), c.expectRowCount);
  EXPECT_EQ(grid.FixedRows(), c.expectFixedRows);
}

INSTANTIATE_TEST_SUITE_P(Grid, RowCountRules,
                         ::testing::Values(CountCase{1, 0, 1, 0},    // 0 becomes 1, no title row left
                                           CountCase{1, -5, 1, 0},   // negative too
                                           CountCase{1, 1, 1, 0},    // equal to fixed rows: lowered
                                           CountCase{1, 2, 2, 1},    // above: kept
                                           CountCase{3, 3, 3, 2},    // lowered to count - 1
                                           CountCase{3, 2, 2, 1},
                                           CountCase{0, 1, 1, 0}),
                         [](const auto& info) {
                           return CaseName("fixed" + std::to_string(info.param.fixedRows) + "_set" +
                                               std::to_string(info.param.setRowCount),
                                           info.index);
                         });

TEST_F(GridFixture, FixedRowsStayLoweredWhenTheCountGrowsAgain) {
  grid.SetRowCount(2);
  grid.SetRowCount(1);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.FixedRows(), 0);
  EXPECT_THROW(grid.SetFixedRows(2), EInvalidOperation);
}

TEST_F(GridFixture, ColCountFollowsTheSameRules) {
  grid.SetColCount(0);
  EXPECT_EQ(grid.ColCount(), 1);
  EXPECT_EQ(grid.FixedCols(), 0);
}

TEST_F(GridFixture, RowAsLineList) {
  grid.SetColCount(3);
  grid.SetCell(0, 1, u"a");
  grid.SetCell(2, 1, u"c");
  grid.SetCell(3, 1, u"beyond");  // not part of the row's lines
  EXPECT_EQ(grid.Rows(1).Count(), 3);
  EXPECT_EQ(grid.Rows(1).Text(), u"a\r\n\r\nc\r\n");

  grid.Rows(2).SetText(u"x\r\n\r\nz\r\n");
  EXPECT_EQ(grid.Cells(0, 2), u"x");
  EXPECT_EQ(grid.Cells(1, 2), u"");  // an empty line leaves its cell empty
  EXPECT_EQ(grid.Cells(2, 2), u"z");

  grid.Rows(1).Clear();
  EXPECT_EQ(grid.Cells(0, 1), u"");
  EXPECT_EQ(grid.Cells(3, 1), u"");  // beyond the count too
}

TEST_F(GridFixture, SettingRowTextReplacesTheWholeRow) {
  grid.SetColCount(3);
  grid.Rows(1).SetText(u"1\r\n2\r\n3\r\n");
  grid.Rows(1).SetText(u"only\r\n");
  EXPECT_EQ(grid.Rows(1).Text(), u"only\r\n\r\n\r\n");
}

TEST_F(GridFixture, RowTextLongerThanTheCountKeepsTheRestBeyondIt) {
  grid.SetColCount(2);
  grid.Rows(0).SetText(u"a\r\nb\r\nc\r\n");
  EXPECT_EQ(grid.Rows(0).Text(), u"a\r\nb\r\n");
  grid.SetColCount(3);
  EXPECT_EQ(grid.Cells(2, 0), u"c");
}

TEST_F(GridFixture, ColumnAsLineListAndAssign) {
  grid.SetRowCount(3);
  grid.Cols(1).SetText(u"t\r\nu\r\nv\r\n");
  EXPECT_EQ(grid.Cells(1, 0), u"t");
  EXPECT_EQ(grid.Cells(1, 2), u"v");

  grid.Rows(0).SetText(u"p\r\nq\r\n");
  grid.Rows(2).Assign(grid.Rows(0));
  EXPECT_EQ(grid.Rows(2).Text(), grid.Rows(0).Text());
  EXPECT_THROW(grid.Rows(0).Insert(0, u"x"), EInvalidOperation);
  EXPECT_THROW(grid.Rows(0).Delete(0), EInvalidOperation);
}

TEST_F(GridFixture, CommaTextOfARowQuotesAsTheCsvWriterNeeds) {
  grid.SetColCount(3);
  grid.SetCell(0, 1, u"1");
  grid.SetCell(1, 1, u"http://a.example/x,y");
  grid.SetCell(2, 1, u"two words");
  EXPECT_EQ(grid.Rows(1).CommaText(), u"1,\"http://a.example/x,y\",\"two words\"");
}

TEST_F(GridFixture, CellRectFollowsWidthsHeightsAndGridLines) {
  grid.SetColCount(4);
  grid.SetRowCount(4);
  grid.SetColWidths(0, 30);
  grid.SetColWidths(1, 100);
  grid.SetGridLineWidth(2);
  grid.SetRowHeights(0, 18);
  TRect r = grid.CellRect(2, 0);
  EXPECT_EQ(r.Left, 30 + 2 + 100 + 2);
  EXPECT_EQ(r.Right, r.Left + 64);
  EXPECT_EQ(r.Top, 0);
  EXPECT_EQ(r.Bottom, 18);
  EXPECT_EQ(grid.CellRect(1, 1).Top, 18 + 2);

  grid.SetLeftCol(2);  // column 1 scrolled out of view
  EXPECT_TRUE(grid.CellRect(1, 0).IsEmpty());
  EXPECT_EQ(grid.CellRect(2, 0).Left, 32);
  EXPECT_TRUE(grid.CellRect(4, 0).IsEmpty());  // outside the count
}

TEST_F(GridFixture, ColumnWidthsOfNewColumnsStartAtTheDefault) {
  grid.SetColCount(3);
  grid.SetColWidths(2, 200);
  grid.SetColCount(2);
  grid.SetColCount(3);
  EXPECT_EQ(grid.ColWidths(2), grid.DefaultColWidth());
}

TEST_F(GridFixture, CurrentCellStaysInsideTheCounts) {
  grid.SetRowCount(10);
  grid.SetRow(9);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_THROW(grid.SetRow(0), EInvalidOperation);  // a fixed row
  EXPECT_THROW(grid.SetCol(5), EInvalidOperation);
}

TEST_F(GridFixture, HoldsAHundredThousandRowsOfFourteenColumns) {
  grid.SetColCount(14);
  grid.SetRowCount(100001);
  for (int r = 1; r <= 100000; ++r)
    for (int c = 0; c < 14; ++c) grid.SetCell(c, r, u"cell");
  EXPECT_EQ(grid.Cells(13, 100000), u"cell");
  grid.SetRowCount(1);
  grid.SetRowCount(100001);
  EXPECT_EQ(grid.Cells(13, 100000), u"cell");
}

TEST_F(GridFixture, TextWidthMeasuresInTheCanvasFont) {
  EXPECT_EQ(grid.Canvas().TextWidth(u""), 0);
  int narrow = grid.Canvas().TextWidth(u"iiii");
  EXPECT_LT(narrow, grid.Canvas().TextWidth(u"WWWW"));  // real glyph advances, not a fixed measure
  grid.Canvas().Font().SetSize(20);
  EXPECT_GT(grid.Canvas().TextWidth(u"iiii"), narrow);
}

}  // namespace
