// Where a printed page ends inside or before a table: rows that would be cut wait for the
// next page, tall rows are cut, forced breaks, tables that move whole, and the part record
// of a table whose header rows are repeated.
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

struct TablePagingTest : TableFixture {
  TBitmap page{200, 100, pf24bit};

  THtmlTable& TableOfRows(std::initializer_list<int> heights, uint8_t firstKind = 1) {
    THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
    uint8_t kind = firstKind;
    for (int h : heights) {
      AddCell(AddRow(table, {}, kind), {10, 10, h});
      kind = 1;
    }
    return table;
  }

  // Draws the page that starts at pageTop and is `height` high; answers the page bottom.
  int DrawPage(int pageTop, int height = 100) {
    document.Printing = true;
    document.YOffset = pageTop;
    document.Draw(page.Canvas(), TRect{0, 0, 200, height}, 200, 0, 0, 0, 0);
    return document.PageBottom;
  }
};

struct TRowBreakCase {
  const char* Name;
  std::vector<int> Rows;
  int PageTop;
  int PageHeight;
  int PageBottom;
};

struct RowBreakTest : TablePagingTest, ::testing::WithParamInterface<TRowBreakCase> {};

TEST_P(RowBreakTest, PageEndsWhereTheRowsSay) {
  const TRowBreakCase& c = GetParam();
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  for (int h : c.Rows) AddCell(AddRow(table), {10, 10, h});
  LayOut(200);
  EXPECT_EQ(DrawPage(c.PageTop, c.PageHeight), c.PageBottom);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RowBreakTest,
    ::testing::Values(
        // A 60-pixel row that would be cut moves to the next page.
        TRowBreakCase{"ShortRowWaits", {60, 60, 60}, 0, 100, 60},
        // A row taller than 100 is drawn across the page bottom.
        TRowBreakCase{"TallRowIsCut", {20, 300}, 0, 100, 100},
        // A row that does not fit but already starts the page is drawn across the cut, so
        // that the next page starts further down.
        TRowBreakCase{"RowAtThePageTopIsCut", {60, 60}, 0, 50, 50},
        TRowBreakCase{"RowAtTheTopOfALaterPageIsCut", {60, 60, 60}, 60, 50, 110}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TablePagingTest, ForcedBreakBeforeARowStartsANewPageUnlessAtTheTop) {
  THtmlTable& table = TableOfRows({20, 20, 20});
  table.Row(1).BreakBefore = true;
  table.Row(0).BreakBefore = true;
  LayOut(200);
  EXPECT_EQ(DrawPage(0), 20);
  EXPECT_TRUE(document.TableBreak);
}

TEST_F(TablePagingTest, AvoidInsideKeepsARowSpanTogether) {
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  TCellList& first = AddRow(table);
  AddCell(first, {10, 10, 40});
  TCellList& second = AddRow(table);
  AddCell(second, {10, 10, 150}, {{"ROWSPAN", u"2"}});
  AddCell(second, {10, 10, 20});
  AddCell(AddRow(table), {10, 10, 20});
  second.AvoidInside = true;
  LayOut(200);
  // The spanning cell needs 150 over rows of 20 and 20: they become 75 and 75; together
  // they would reach 190, beyond the page, and fit on one: the page ends at their top.
  EXPECT_EQ(second.RowSpanHeight, 150);
  EXPECT_EQ(DrawPage(0, 160), 40);
}

TEST_F(TablePagingTest, SmallTableLowOnThePageMovesWhole) {
  AddFixed(document, 80);
  TableOfRows({20, 20, 20});
  LayOut(200);
  EXPECT_EQ(DrawPage(0), 80);
}

TEST_F(TablePagingTest, TableWithHeaderRowsNeedingMoreThanTheRestOfThePageMovesWhole) {
  // Header 15 + first body row 30 need 45; only 30 are left below the table's top at 70.
  AddFixed(document, 70);
  TableOfRows({15, 30, 30, 30}, 0);
  LayOut(200);
  EXPECT_EQ(DrawPage(0), 70);
  EXPECT_TRUE(document.TableBreak);
}

TEST_F(TablePagingTest, HeaderRowsAreRepeatedOnTheNextPage) {
  THtmlTable& table = TableOfRows({15, 30, 30, 30, 30, 30}, 0);
  LayOut(200);
  // First page: the bottom is raised by 5 for the table; the fourth row (75 .. 105) waits.
  EXPECT_EQ(DrawPage(0), 75);
  EXPECT_EQ(table.BodyStop, 75);
  EXPECT_EQ(table.TablePart->PartKind, tpHeader);
  EXPECT_EQ(table.TablePart->PartStart, 0);
  EXPECT_EQ(table.TablePart->PartHeight, 15);
  EXPECT_EQ(document.PrintedTable, &table);

  // Next page, first the header band, then the body from where the last page stopped.
  document.YOffset = table.TablePart->PartStart;
  document.Draw(page.Canvas(), TRect{0, 0, 200, 15}, 200, 0, 0, 0, 0);
  EXPECT_EQ(table.TablePart->PartKind, tpBody);
  EXPECT_EQ(table.TablePart->PartStart, 74);
  table.TablePart->PartKind = tpBodyDraw;
  document.YOffset = 74 - 14;
  document.Draw(page.Canvas(), TRect{0, 14, 200, 100}, 200, 0, 0, 0, 0);
  // This page reaches 160: the rows 75 .. 135 are drawn, the last (135 .. 165) waits for a
  // third page, which again starts with the header rows.
  EXPECT_EQ(document.PageBottom, 135);
  EXPECT_EQ(table.BodyStop, 135);
  EXPECT_EQ(table.TablePart->PartKind, tpHeader);
}

}  // namespace
