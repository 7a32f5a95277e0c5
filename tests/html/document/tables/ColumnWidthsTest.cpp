// Column widths worked out by hand from the width algorithm: minimum and maximum widths per
// column, spanning cells, fixed, percentage and relative widths, and the room the table has.
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

struct TCellCase {
  TCellContent Content;
  TAttrPairs Attributes;
};

struct TWidthCase {
  const char* Name;
  TAttrPairs Table;
  std::vector<std::vector<TCellCase>> Rows;
  int Room;
  std::vector<int> Widths;
  int TableWidth;
  // Relative column widths ("n*" weights), when any.
  std::vector<int> ColWeights = {};
};

const TAttrPairs NoSpacing{{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}};

TAttrPairs With(TAttrPairs pairs, const TAttrPairs& more) {
  pairs.insert(pairs.end(), more.begin(), more.end());
  return pairs;
}

struct ColumnWidthsTest : TableFixture, ::testing::WithParamInterface<TWidthCase> {};

TEST_P(ColumnWidthsTest, WidthsAsWorkedOutByHand) {
  const TWidthCase& c = GetParam();
  TTableBlock& block = AddTable(document, c.Table);
  THtmlTable& table = *block.Table;
  for (int weight : c.ColWeights) table.AddColSpecs(1, MakeWidthValue(weight, wtRelative), u"", 0);
  for (const auto& cells : c.Rows) {
    TCellList& row = AddRow(table);
    for (const TCellCase& cell : cells) AddCell(row, cell.Content, cell.Attributes);
  }
  LayOut(c.Room);
  EXPECT_EQ(table.Widths, c.Widths);
  EXPECT_EQ(table.TableWidth, c.TableWidth);
}

const TCellCase Narrow{{20, 50, 10}, {}};
const TCellCase Wide{{30, 80, 10}, {}};
const TCellCase Empty{{0, 0, 10}, {}};

INSTANTIATE_TEST_SUITE_P(
    Tables, ColumnWidthsTest,
    ::testing::Values(
        // Room for the widest content: every column at its maximum.
        TWidthCase{"AutoFits", NoSpacing, {{Narrow, Wide}}, 500, {50, 80}, 130},
        // Between minimum and maximum: the room above the minimums goes by the columns'
        // ranges 30 : 50, 50 x 50 / 80 = 31.25 to the second column.
        TWidthCase{"AutoBetween", NoSpacing, {{Narrow, Wide}}, 100, {39, 61}, 100},
        // Less room than the minimums: exactly the minimums.
        TWidthCase{"MinimumExceedsRoom", NoSpacing, {{Narrow, Wide}}, 40, {20, 30}, 50},
        // A fixed width: 250 over the minimums by range, 250 x 50 / 80 = 156.25.
        TWidthCase{"FixedPixels", With(NoSpacing, {{"WIDTH", u"300"}}), {{Narrow, Wide}}, 500, {114, 186}, 300},
        // A 40 % cell in a full-width table of 500: it grows to 200, the other takes the rest.
        TWidthCase{"PercentBesideAuto",
                   With(NoSpacing, {{"WIDTH", u"100%"}}),
                   {{{{20, 50, 10}, {{"WIDTH", u"40%"}}}, Wide}},
                   500,
                   {200, 300},
                   500},
        // A fixed cell width raises the column's minimum and maximum.
        TWidthCase{"FixedCellWidth", NoSpacing, {{{{20, 50, 10}, {{"WIDTH", u"120"}}}, Wide}}, 500, {120, 80}, 200},
        // A cell spanning three empty columns: 300 shared equally.
        TWidthCase{"SpanOverEmptyColumns",
                   NoSpacing,
                   {{{{300, 300, 10}, {{"COLSPAN", u"3"}}}}, {Empty, Empty, Empty}},
                   500,
                   {100, 100, 100},
                   300},
        // A spanning cell over columns of 50 and 80 that needs 230: their minimums (20, 30)
        // and maximums (50, 80) are scaled up to 230 each (80 x 230 / 130 = 141.5).
        TWidthCase{"SpanOverFilledColumns",
                   NoSpacing,
                   {{{{230, 230, 10}, {{"COLSPAN", u"2"}}}}, {Narrow, Wide}},
                   500,
                   {88, 142},
                   230},
        // Spacing 2 and padding 1: every column carries the spacing and the padding (20 +
        // 2 + 2), and the table one more spacing.
        TWidthCase{"SpacingAndPadding", {{"CELLSPACING", u"2"}, {"CELLPADDING", u"1"}}, {{Narrow, Wide}}, 500,
                   {54, 84}, 140},
        // Relative columns 2* and 1* in a table of 300 share the width 200 : 100.
        TWidthCase{"RelativeColumns", With(NoSpacing, {{"WIDTH", u"300"}}), {{Empty, Empty}}, 500, {200, 100}, 300,
                   {2, 1}},
        // A weight of 0 never divides by zero: the 0* column keeps its width.
        TWidthCase{"ZeroWeight", With(NoSpacing, {{"WIDTH", u"300"}}), {{Narrow, Wide}}, 500, {20, 280}, 300,
                   {0, 1}},
        // WIDTH above 100 % counts as 100 %: 350 over the minimums, 350 x 50 / 80 = 218.75.
        TWidthCase{"PercentAboveHundred", With(NoSpacing, {{"WIDTH", u"150%"}}), {{Narrow, Wide}}, 400, {151, 249},
                   400},
        // A 50 % table with 600 pixels of room is 300 wide.
        TWidthCase{"HalfWidth", With(NoSpacing, {{"WIDTH", u"50%"}}), {{Narrow, Wide}}, 600, {114, 186}, 300}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TableFixture, BorderedTableWidthLeavesRoomForTheBlockBorders) {
  // BORDER=2: the table block has 2-pixel borders; a 50 % table in 600 pixels is 300 wide
  // with them, so the table itself is 296.
  TTableBlock& block = AddTable(document, With(NoSpacing, {{"WIDTH", u"50%"}, {"BORDER", u"2"}}));
  TCellList& row = AddRow(*block.Table);
  AddCell(row, {10, 10, 10});
  LayOut(600);
  EXPECT_EQ(block.Table->SpecifiedWidth, 296);
  EXPECT_EQ(block.Table->TableWidth, 296);
  EXPECT_EQ(block.ContentWidth, 296);
}

TEST_F(TableFixture, NestedTableCountsWithItsWidthsInTheOuterCell) {
  TTableBlock& outer = AddTable(document, NoSpacing);
  TCellList& row = AddRow(*outer.Table);
  TCellObj& cell = AddCell(row, {0, 0, 0});
  TTableBlock& inner = AddTable(*cell.Cell, NoSpacing);
  TCellList& innerRow = AddRow(*inner.Table);
  AddCell(innerRow, {20, 50, 10});
  AddCell(innerRow, {30, 80, 10});
  AddCell(row, {10, 40, 10});

  LayOut(500);
  EXPECT_EQ(outer.Table->Widths, (IntArray{130, 40}));
  EXPECT_EQ(inner.Table->Widths, (IntArray{50, 80}));

  // Narrow room: the outer columns share the 40 above their minimums 50 and 10 by their
  // ranges 80 : 30 (40 x 30 / 110 = 10.9); the inner table then fills its column.
  LayOut(100);
  EXPECT_EQ(outer.Table->Widths, (IntArray{79, 21}));
  EXPECT_EQ(inner.Table->TableWidth, 79);
}

TEST_F(TableFixture, CaptionWiderThanTheTableCentresTheTableUnderIt) {
  // The wrapper is as wide as the caption's minimum (200); the table of 130 sits in the
  // middle of it.
  TProperties& props = Push(u"table");
  TAttributeList* list = Attributes(NoSpacing);
  auto table = std::make_unique<THtmlTable>(&document, props, list);
  auto tableBlock = std::make_unique<TTableBlock>(&document, list, std::move(table), &document, props);
  TTableBlock& block = *tableBlock;
  auto wrapper = std::make_unique<TTableAndCaptionBlock>(&document, tableBlock.get(), list, &document, props);
  Pop();
  TCellList& row = AddRow(*block.Table);
  AddCell(row, {20, 50, 10});
  AddCell(row, {30, 80, 10});
  TBlock& caption = AddBlock(*wrapper->ContentCell, u"caption", u"");
  AddFixed(*caption.ContentCell, 12, 200, 260);
  wrapper->SetCaptionBlock(&caption);
  wrapper->TableIndex = 1;
  wrapper->ContentCell->AddSection(std::move(tableBlock), 0);
  TTableAndCaptionBlock& result = *wrapper;
  document.AddSection(std::move(wrapper), 0);

  LayOut(500);
  EXPECT_EQ(result.ContentWidth, 200);
  EXPECT_EQ(block.Table->TableWidth, 130);
  EXPECT_EQ(block.BoxAt(MarginLeft), 35);
  EXPECT_EQ(block.SectionTop, caption.SectionBottom);
}

}  // namespace

namespace {

TEST_F(TableFixture, TableBesideALeftFloatIsMovedPastIt) {
  // A table floated left by ALIGN, 50 wide with HSPACE 10 on each side, takes 70; the table
  // after it starts right of the float and has 430 of the 500 left.
  TTableBlock& floating = AddTable(document, With(NoSpacing, {{"ALIGN", u"left"}, {"HSPACE", u"10"}}));
  AddCell(AddRow(*floating.Table), {50, 50, 40});
  TTableBlock& beside = AddTable(document, With(NoSpacing, {{"WIDTH", u"100%"}}));
  AddCell(AddRow(*beside.Table), {20, 20, 10});
  LayOut(500);
  EXPECT_TRUE(floating.Floats());
  EXPECT_TRUE(floating.Table->Floating);
  EXPECT_EQ(floating.BoxAt(MarginLeft), 10);
  EXPECT_EQ(beside.FloatShift, 70);
  EXPECT_EQ(beside.Table->TableWidth, 430);

  TBitmap bitmap(500, 100, pf24bit);
  document.Draw(bitmap.Canvas(), TRect{0, 0, 500, 100}, 500, 0, 0, 0, 0);
  EXPECT_EQ(floating.Table->DrawX, 10);
  EXPECT_EQ(beside.Table->DrawX, 70);
}

}  // namespace
