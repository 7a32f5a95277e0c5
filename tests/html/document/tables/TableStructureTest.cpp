// A table's settings from its attributes, and the grid made rectangular: placeholders for
// spans, short rows, spans cut to the table.
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

using TableStructureTest = TableFixture;

struct TSettingsCase {
  const char* Name;
  TAttrPairs Attributes;
  String Style;
  int BorderWidth;
  uint8_t Frame, Rules;
  int CellPadding, CellSpacing;
};

struct TableSettingsTest : TableFixture, ::testing::WithParamInterface<TSettingsCase> {};

TEST_P(TableSettingsTest, AttributesBecomeSettings) {
  const TSettingsCase& c = GetParam();
  THtmlTable& table = *AddTable(document, c.Attributes, c.Style).Table;
  EXPECT_EQ(table.BorderWidth, c.BorderWidth);
  EXPECT_EQ(table.Frame, c.Frame);
  EXPECT_EQ(table.Rules, c.Rules);
  EXPECT_EQ(table.CellPadding, c.CellPadding);
  EXPECT_EQ(table.CellSpacing, c.CellSpacing);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableSettingsTest,
    ::testing::Values(TSettingsCase{"Plain", {}, u"", 0, FrameVoid, RulesNone, 1, 2},
                      TSettingsCase{"BorderWithoutValue", {{"BORDER", u""}}, u"", 1, FrameBorder, RulesAll, 1, 2},
                      TSettingsCase{"BorderZero", {{"BORDER", u"0"}}, u"", 0, FrameVoid, RulesNone, 1, 2},
                      TSettingsCase{"BorderTooWide", {{"BORDER", u"500"}}, u"", 100, FrameBorder, RulesAll, 1, 2},
                      TSettingsCase{"SpacingAndPaddingClamped", {{"CELLSPACING", u"-5"}, {"CELLPADDING", u"80"}},
                                    u"", 0, FrameVoid, RulesNone, 50, -1},
                      TSettingsCase{"FrameAndRules", {{"BORDER", u"2"}, {"FRAME", u"hsides"}, {"RULES", u"cols"}},
                                    u"", 2, FrameHSides, RulesCols, 1, 2},
                      TSettingsCase{"UnknownWordsIgnored", {{"FRAME", u"sideways"}, {"RULES", u"some"}}, u"", 0,
                                    FrameVoid, RulesNone, 1, 2},
                      TSettingsCase{"CollapsedBorders", {{"CELLSPACING", u"5"}}, u"border-collapse: collapse", 0,
                                    FrameVoid, RulesNone, 1, -1}),
    [](const auto& info) { return std::string(info.param.Name); });

// The grid as kinds of entries: 'c' a real cell, 's' a placeholder that spans rows from
// above, 'p' one that continues a column span or pads a row.
std::vector<std::string> Grid(THtmlTable& table) {
  std::vector<std::string> rows;
  for (int r = 0; r < table.NumRows(); ++r) {
    std::string text;
    TCellList& row = table.Row(r);
    for (int c = 0; c < row.Count(); ++c) {
      const TCellObjBase& cell = *row.Items(c);
      text += cell.ColSpan > 0 ? 'c' : cell.RowSpan == 0 ? 's' : 'p';
    }
    rows.push_back(text);
  }
  return rows;
}

TEST_F(TableStructureTest, SpansBecomePlaceholders) {
  THtmlTable& table = *AddTable(document).Table;
  TCellList& first = AddRow(table);
  AddCell(first, {}, {{"ROWSPAN", u"2"}});
  AddCell(first, {}, {{"COLSPAN", u"2"}});
  TCellList& second = AddRow(table);
  AddCell(second);
  AddCell(second);
  table.Initialize();
  EXPECT_EQ(Grid(table), (std::vector<std::string>{"ccp", "scc"}));
  EXPECT_EQ(table.NumCols, 3);
}

TEST_F(TableStructureTest, CellBelowARowSpanMovesRightInsteadOfOverlappingIt) {
  // Both rows have one cell; the first spans both rows, so the second row's cell goes into
  // a second column.
  THtmlTable& table = *AddTable(document).Table;
  AddCell(AddRow(table), {}, {{"ROWSPAN", u"2"}});
  AddCell(AddRow(table));
  table.Initialize();
  EXPECT_EQ(Grid(table), (std::vector<std::string>{"cp", "sc"}));
  EXPECT_EQ(table.NumCols, 2);
}

TEST_F(TableStructureTest, ShortRowIsPaddedOnlyWhenItsLastCellReachesItsEnd) {
  // Row 2 ends in the placeholder of the row-spanning cell above it: it stays short. Row 3
  // ends in a real cell: it is padded to the full width.
  THtmlTable& table = *AddTable(document).Table;
  TCellList& first = AddRow(table);
  AddCell(first);
  AddCell(first, {}, {{"ROWSPAN", u"2"}});
  TCellList& second = AddRow(table);
  AddCell(second);
  TCellList& third = AddRow(table);
  AddCell(third);
  TCellList& fourth = AddRow(table);
  for (int i = 0; i < 3; ++i) AddCell(fourth);
  table.Initialize();
  EXPECT_EQ(Grid(table), (std::vector<std::string>{"ccp", "cs", "cpp", "ccc"}));
}

TEST_F(TableStructureTest, SpansAreCutToTheTableBeforeAnythingIsMade) {
  // COLSPAN and ROWSPAN far beyond any table are cut to 1000 and 65534 as the cell is made,
  // then to the table's edges.
  THtmlTable& table = *AddTable(document).Table;
  TCellList& row = AddRow(table);
  TCellObj& wide = AddCell(row, {}, {{"COLSPAN", u"999999999"}});
  TCellObj& tall = AddCell(row, {}, {{"ROWSPAN", u"99999999"}});
  EXPECT_EQ(wide.ColSpan, MaxColSpan);
  EXPECT_EQ(tall.RowSpan, MaxRowSpan);
  AddCell(AddRow(table));
  table.Initialize();
  EXPECT_EQ(table.NumCols, MaxColSpan + 1);
  EXPECT_EQ(tall.RowSpan, 2);
}

TEST_F(TableStructureTest, ColumnSpecificationsStopAtTenThousand) {
  THtmlTable& table = *AddTable(document).Table;
  table.AddColSpecs(MaxColSpecs - 1, MakeWidthValue(20, wtAbsolute), u"", 0);
  table.AddColSpecs(50, MakeWidthValue(1, wtRelative), u"right", 0);
  EXPECT_EQ(table.ColSpecs.size(), size_t{MaxColSpecs});
  EXPECT_EQ(table.ColSpecs.back().ColAlign, u"right");
}

struct TRowHeightAttributeCase {
  const char* Name;
  String Height;
  TWidthValue Expected;
};

struct RowHeightAttributeTest : TableFixture, ::testing::WithParamInterface<TRowHeightAttributeCase> {};

TEST_P(RowHeightAttributeTest, OnlyPercentagesAreLimited) {
  const auto& c = GetParam();
  TCellList& row = AddRow(*AddTable(document).Table, {{"HEIGHT", c.Height}});
  EXPECT_EQ(row.RowSpec.Amount, c.Expected.Amount);
  EXPECT_EQ(row.RowSpec.Kind, c.Expected.Kind);
}

INSTANTIATE_TEST_SUITE_P(Tables, RowHeightAttributeTest,
                         ::testing::Values(TRowHeightAttributeCase{"Pixels", u"150", {150, wtAbsolute}},
                                           TRowHeightAttributeCase{"Percent", u"40%", {400, wtPercent}},
                                           TRowHeightAttributeCase{"PercentAboveHundred", u"150%", {1000, wtPercent}},
                                           TRowHeightAttributeCase{"Negative", u"-20", {0, wtAbsolute}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TableStructureTest, RowHeightReachesCellsWithoutOwnHeightOfThatKind) {
  THtmlTable& table = *AddTable(document).Table;
  TCellList& row = AddRow(table, {{"HEIGHT", u"40"}});
  TCellObj& plain = AddCell(row);
  TCellObj& percent = AddCell(row, {}, {{"HEIGHT", u"50%"}});
  EXPECT_EQ(plain.SpecHeight.Amount, 40);
  EXPECT_EQ(plain.SpecHeight.Kind, wtAbsolute);
  EXPECT_EQ(percent.SpecHeight.Kind, wtPercent);
}

TEST_F(TableStructureTest, CopyForPrintingKeepsGridAndDropsBackgroundsUnlessPrinted) {
  TTableBlock& block = AddTable(document, {{"BORDER", u"1"}});
  TCellList& row = AddRow(*block.Table, {}, 0);
  AddCell(row, {10, 20, 10}, {{"BGCOLOR", u"#00ff00"}, {"COLSPAN", u"2"}});
  AddCell(AddRow(*block.Table));
  LayOut(300);

  auto copy = block.CreateCopy(&document);
  auto& copiedBlock = static_cast<TTableBlock&>(*copy);
  THtmlTable& table = *copiedBlock.Table;
  ASSERT_NE(&table, block.Table);
  EXPECT_EQ(table.NumCols, 2);
  EXPECT_EQ(table.Row(0).RowKind, 0);
  EXPECT_EQ(table.Row(0).Count(), 2);
  EXPECT_EQ(table.TablePart->PartKind, tpNormal);
  EXPECT_FALSE(table.Row(0).CellAt(0)->Cell->HasBackground);
  document.PrintTableBackground = true;
  auto printed = block.CreateCopy(&document);
  EXPECT_TRUE(static_cast<TTableBlock&>(*printed).Table->Row(0).CellAt(0)->Cell->HasBackground);
}

TEST_F(TableStructureTest, CopyForPrintingKeepsTheCellsOwnLinkTextsAndBackgroundImage) {
  // A cell keeps its HREF, TARGET and background image apart from the cell itself, made
  // only when it has one; a plain cell has none, and the copy keeps each as it was.
  TTableBlock& block = AddTable(document);
  TCellList& row = AddRow(*block.Table, {{"BACKGROUND", u"row.png"}});
  AddCell(row, {}, {{"HREF", u"cell.html"}, {"TARGET", u"_blank"}});
  AddCell(row, {}, {}, u"background-image: url(cell.png); background-position: right bottom");
  AddCell(row, {}, {{"BACKGROUND", u"attribute.png"}});
  AddCell(AddRow(*block.Table));
  block.Table->Initialize();

  auto copy = block.CreateCopy(&document);
  for (const THtmlTable* table : {block.Table, static_cast<TTableBlock&>(*copy).Table}) {
    const TCellObj& linked = *table->Row(0).CellAt(0);
    EXPECT_EQ(linked.Cell->Url(), u"cell.html");
    EXPECT_EQ(linked.Cell->Target(), u"_blank");
    ASSERT_NE(linked.Background, nullptr);
    EXPECT_EQ(linked.Background->Url, u"row.png");  // the row's image reaches a cell without its own
    const TCellObj& styled = *table->Row(0).CellAt(1);
    ASSERT_NE(styled.Background, nullptr);
    EXPECT_EQ(styled.Background->Url, u"cell.png");
    EXPECT_EQ(styled.Background->Pos[0].Kind, 4);  // right
    EXPECT_EQ(styled.Background->Pos[1].Kind, 2);  // bottom
    EXPECT_NE(styled.Background->Image, nullptr);
    EXPECT_EQ(table->Row(0).CellAt(2)->Background->Url, u"attribute.png");
    const TCellObj& plain = *table->Row(1).CellAt(0);
    EXPECT_TRUE(plain.Cell->Url().empty());
    EXPECT_TRUE(plain.Cell->Title().empty());
    EXPECT_EQ(plain.Background, nullptr);
  }
}

}  // namespace

namespace {

TEST_F(TableStructureTest, DegenerateGridsLayOutAndPaint) {
  // No rows; rows without cells; a row span far past the last row; wide column spans in
  // every row: each lays out to a sane size and paints.
  AddTable(document);
  THtmlTable& empty = *AddTable(document).Table;
  AddRow(empty);
  AddRow(empty);
  THtmlTable& tall = *AddTable(document).Table;
  AddCell(AddRow(tall), {10, 10, 30}, {{"ROWSPAN", u"65534"}});
  AddCell(AddRow(tall), {10, 10, 10});
  THtmlTable& wide = *AddTable(document).Table;
  for (int r = 0; r < 20; ++r) AddCell(AddRow(wide), {5, 5, 5}, {{"COLSPAN", u"1000"}});
  const int height = LayOut(400);
  EXPECT_GT(height, 0);
  EXPECT_EQ(empty.NumCols, 0);
  EXPECT_EQ(tall.NumCols, 2);
  EXPECT_EQ(wide.NumCols, 1000);
  EXPECT_LE(wide.TableWidth, 400);
  TBitmap bitmap(400, 300, pf24bit);
  document.Draw(bitmap.Canvas(), TRect{0, 0, 400, 300}, 400, 0, 0, 0, 0);
}

}  // namespace
