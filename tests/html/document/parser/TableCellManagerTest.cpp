// The column each new cell of a table with COL and COLGROUP settings starts in.
#include "html/document/parser/TableElements.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

struct TableCellManagerTest : TableFixture {
  THtmlTable* table = nullptr;
  std::unique_ptr<TCellManager> manager;

  void SetUp() override {
    TableFixture::SetUp();
    table = AddTable(document).Table;
    table->AddColSpecs(3, MakeWidthValue(0, wtNone), u"", 0);
    manager = std::make_unique<TCellManager>(table);
  }
  TDummyCellObj Cell(int colSpan, int rowSpan) {
    TDummyCellObj cell(rowSpan);
    cell.ColSpan = colSpan;
    return cell;
  }
};

TEST_F(TableCellManagerTest, RowSpanPushesTheNextRowsCellsRight) {
  TDummyCellObj tall = Cell(1, 2);
  manager->AddCell(0, tall);
  EXPECT_EQ(manager->FindColNum(0), 1);
  TDummyCellObj second = Cell(1, 1);
  manager->AddCell(0, second);
  EXPECT_EQ(manager->FindColNum(1), 1);
  EXPECT_EQ(manager->FindColNum(2), 0);
}

TEST_F(TableCellManagerTest, RowsNotYetSeenAreFreeAndFullRowsHaveNoColumn) {
  // A row far below the last one (an empty row, a held-back footer row) is simply free.
  EXPECT_EQ(manager->FindColNum(500), 0);
  TDummyCellObj wide = Cell(3, 1);
  manager->AddCell(4, wide);
  EXPECT_EQ(manager->FindColNum(4), -1);
  EXPECT_EQ(manager->FindColNum(5), 0);
}

TEST_F(TableCellManagerTest, SpanRunningIntoTakenColumnsIsShortened) {
  TDummyCellObj tall = Cell(1, 2);
  TDummyCellObj first = Cell(1, 1);
  manager->AddCell(0, first);
  manager->AddCell(0, tall);  // column 1, rows 0 and 1
  TDummyCellObj wide = Cell(3, 1);
  manager->AddCell(1, wide);  // starts in column 0 and meets column 1
  EXPECT_EQ(wide.ColSpan, 1);
  EXPECT_EQ(manager->FindColNum(1), 2);
  TDummyCellObj beyond = Cell(5, 1);
  manager->AddCell(1, beyond);  // column 2 is the last one
  EXPECT_EQ(beyond.ColSpan, 1);
}

TEST_F(TableCellManagerTest, HugeRowSpanCostsNoRowStrings) {
  TDummyCellObj tall = Cell(1, MaxRowSpan);
  manager->AddCell(0, tall);
  EXPECT_EQ(manager->FindColNum(MaxRowSpan - 1), 1);
  EXPECT_EQ(manager->FindColNum(MaxRowSpan), 0);
}

}  // namespace
