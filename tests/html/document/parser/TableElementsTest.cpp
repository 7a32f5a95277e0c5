// Tables read by the tree builder: implicit rows and closes, stray content, row groups and
// their order, hidden rows, captions, COL and COLGROUP settings reaching the cells, the cell
// borders the table gives, nesting limits, and inputs that used to end the parse.
#include <gtest/gtest.h>

#include <functional>

#include "html/document/tables/HtmlTable.h"
#include "html/document/tables/TableBlock.h"
#include "html/foundation/css/Properties.h"
#include "tests/html/document/parser/ParsedDocument.h"

namespace {

// Every table of the cell in document order, nested ones after their outer table's cell.
void CollectTables(const TCellBasic& cell, std::vector<THtmlTable*>& tables) {
  for (int i = 0; i < cell.Count(); ++i) {
    TSectionBase* section = cell.Items(i);
    if (auto* table = dynamic_cast<THtmlTable*>(section)) {
      tables.push_back(table);
      for (int r = 0; r < table->NumRows(); ++r)
        for (int c = 0; c < table->Row(r).Count(); ++c)
          if (TCellObj* real = table->Row(r).CellAt(c)) CollectTables(*real->Cell, tables);
    } else if (auto* block = dynamic_cast<TBlock*>(section)) {
      CollectTables(*block->ContentCell, tables);
    }
  }
}

std::vector<THtmlTable*> TablesOf(const TCellBasic& cell) {
  std::vector<THtmlTable*> tables;
  CollectTables(cell, tables);
  return tables;
}

// The rows as the texts of their cells: "a|b/c"; a header row starts "h:", a footer row "f:".
std::string Grid(THtmlTable& table) {
  std::string out;
  for (int r = 0; r < table.NumRows(); ++r) {
    TCellList& row = table.Row(r);
    if (r) out += "/";
    if (row.RowKind == 0) out += "h:";
    if (row.RowKind == 2) out += "f:";
    bool first = true;
    for (int c = 0; c < row.Count(); ++c)
      if (TCellObj* cell = row.CellAt(c)) {
        out += (first ? "" : "|") + DumpCell(*cell->Cell);
        first = false;
      }
  }
  return out;
}

struct TGridCase {
  const char* Name;
  std::string Html;
  std::string Grid;
};

struct TableGridTest : ::testing::TestWithParam<TGridCase> {};

TEST_P(TableGridTest, RowsAndCellsAsWritten) {
  TParsedDocument parsed(GetParam().Html);
  parsed.Parse();
  const auto tables = TablesOf(parsed.document);
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(Grid(*tables[0]), GetParam().Grid);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableGridTest,
    ::testing::Values(
        TGridCase{"Plain", "<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", "\"a\"|\"b\"/\"c\""},
        TGridCase{"ImplicitRowsAndCloses", "<table><td>a<td>b<tr><td>c</table>", "\"a\"|\"b\"/\"c\""},
        TGridCase{"FooterComesLast",
                  "<table><tfoot><tr><td>f</tfoot><tbody><tr><td>b</tbody><thead><tr><td>late</thead></table>",
                  "\"b\"/\"late\"/f:\"f\""},
        TGridCase{"HeaderFirst", "<table><thead><tr><th>h</thead><tr><td>b</table>", "h:\"h\"/\"b\""},
        TGridCase{"HiddenRowDisappears", "<table><tr style=\"display:none\"><td>x<td>y<tr><td>z</table>", "\"z\""},
        // Empty rows, a held-back footer row and a hidden row in a table with column
        // specifications: the column lookup never reads a row that is not there.
        TGridCase{"EmptyRowsFooterAndHiddenRowWithColumns",
                  "<table><col><col><tr></tr><tfoot><tr><td>f</tfoot><tr style=\"display:none\"><td>n"
                  "<tr><td>a<td>b</table>",
                  "/\"a\"|\"b\"/f:\"f\""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TableElements, StrayContentGoesBeforeTheTableAndASingleSpaceIsDropped) {
  TParsedDocument parsed("<table> <b>stray</b><tr><td>a</table>");
  parsed.Parse();
  const TCellBasic& body = *static_cast<TBlock*>(parsed.document.Items(0))->ContentCell;
  ASSERT_EQ(body.Count(), 2);
  EXPECT_EQ(DumpSection(*body.Items(0)), "\"stray\"");
  EXPECT_NE(dynamic_cast<TTableBlock*>(body.Items(1)), nullptr);
}

TEST(TableElements, CaptionWrapsTheTableOnTheSideItSays) {
  for (const auto& [html, tableIndex] : std::vector<std::pair<std::string, int>>{
           {"<table id=t><caption>Cap</caption><tr><td>a</table>", 1},
           {"<table id=t><caption align=bottom>Cap</caption><tr><td>a</table>", 0}}) {
    TParsedDocument parsed(html);
    parsed.Parse();
    const auto tables = TablesOf(parsed.document);
    ASSERT_EQ(tables.size(), 1u);
    const TCellBasic& body = *static_cast<TBlock*>(parsed.document.Items(0))->ContentCell;
    auto* wrapper = dynamic_cast<TTableAndCaptionBlock*>(body.Items(body.Count() - 1));
    ASSERT_NE(wrapper, nullptr) << html;
    EXPECT_EQ(wrapper->TableIndex, tableIndex);
    EXPECT_EQ(wrapper->ContentCell->Items(tableIndex), wrapper->TableBlock);
    EXPECT_EQ(DumpCell(*wrapper->CaptionBlock->ContentCell), "\"Cap\"");
    EXPECT_TRUE(wrapper->TableBlock->InCaptionBlock);
    EXPECT_EQ(parsed.document.IdList.Find(u"t"), wrapper->TableBlock);
  }
}

TEST(TableElements, HiddenRowLeavesNothingInTheDocumentsLists) {
  TParsedDocument parsed(
      "<table><tr style=\"display:none\"><td><div id=gone>x</div><a href=\"#\">l</a></td></tr>"
      "<tr><td><div id=kept>y</div></table>");
  parsed.Parse();
  EXPECT_EQ(parsed.document.IdList.Find(u"gone"), nullptr);
  EXPECT_NE(parsed.document.IdList.Find(u"kept"), nullptr);
  for (int i = 0; i < parsed.document.PositionList.Count(); ++i) EXPECT_NE(parsed.document.PositionList.Items(i), nullptr);
}

struct TAlignCase {
  const char* Name;
  std::string Html;
  std::vector<std::string> Aligns;  // text-align of each cell's content, row by row
};

struct CellAlignTest : ::testing::TestWithParam<TAlignCase> {};

TEST_P(CellAlignTest, AlignmentReachesTheCells) {
  TParsedDocument parsed(GetParam().Html);
  parsed.Parse();
  const auto tables = TablesOf(parsed.document);
  ASSERT_EQ(tables.size(), 1u);
  std::vector<std::string> aligns;
  THtmlTable& table = *tables[0];
  for (int r = 0; r < table.NumRows(); ++r)
    for (int c = 0; c < table.Row(r).Count(); ++c)
      if (TCellObj* cell = table.Row(r).CellAt(c)) {
        const auto* text = dynamic_cast<TSection*>(cell->Cell->Items(0));
        aligns.push_back(text ? std::to_string(text->Justify) : "?");
      }
  EXPECT_EQ(aligns, GetParam().Aligns);
}

// Justify codes of text sections: 1 left, 2 centre, 3 right.
INSTANTIATE_TEST_SUITE_P(
    Tables, CellAlignTest,
    ::testing::Values(
        TAlignCase{"HeaderCentredDataLeft", "<table><tr><th>h<td>d</table>", {"2", "1"}},
        TAlignCase{"ColumnAlignUnlessTheCellsStyleSays",
                   "<table><col><col align=right><tr><td>a<td>b<tr><td>c<td style=\"text-align:left\">d</table>",
                   {"1", "3", "1", "1"}},
        TAlignCase{"RowSpanPushesTheNextRowsCellIntoTheNextColumn",
                   "<table><col><col align=right><tr><td rowspan=2>a<td>b<tr><td>c</table>", {"1", "3", "3"}},
        TAlignCase{"ColumnsAfterTheFirstRowAreIgnored",
                   "<table><tr><td>a<td>b<col><col align=right><tr><td>c<td>d</table>", {"1", "1", "1", "1"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TableElements, UnsetCellBorderWidthsComeFromTheTablesBorder) {
  for (const auto& [html, width] : std::vector<std::pair<std::string, int>>{
           {"<table border=1 cellpadding=0><tr><td>a</table>", 1},
           {"<table border=0 rules=all cellpadding=0><tr><td>a</table>", 3}}) {
    TParsedDocument parsed(html);
    parsed.Parse();
    const auto tables = TablesOf(parsed.document);
    ASSERT_EQ(tables.size(), 1u);
    TCellObj& cell = *tables[0]->Row(0).CellAt(0);
    EXPECT_TRUE(cell.HasBorderStyle) << html;
    EXPECT_EQ(cell.BrdLeft, width) << html;
    EXPECT_EQ(cell.BrdTop, width) << html;
  }
}

TEST(TableElements, NestingBeyondFiftyOneTablesIsFlattened) {
  std::string html;
  for (int i = 0; i < 60; ++i) html += "<table><tr><td>";
  html += "deep";
  TParsedDocument parsed(html);
  parsed.Parse();
  EXPECT_EQ(TablesOf(parsed.document).size(), 51u);
}

TEST(TableElements, OpenLinkEndsAtTheTable) {
  TParsedDocument parsed("<a href=\"x.html\">before<table><tr><td>inside</table>after");
  parsed.Parse();
  EXPECT_EQ(parsed.document.LinkList.Count() > 0, true);
  const auto tables = TablesOf(parsed.document);
  ASSERT_EQ(tables.size(), 1u);
  const auto* inside = dynamic_cast<TSection*>(tables[0]->Row(0).CellAt(0)->Cell->Items(0));
  ASSERT_NE(inside, nullptr);
  for (int i = 0; i < inside->Fonts.Count(); ++i) {
    const TUrlTarget* link = inside->Fonts.Items(i)->LinkTarget;
    EXPECT_TRUE(link == nullptr || link->LinkUrl.empty());
  }
}

// The sets of a table's row groups, rows and cells end with the table also when links left
// open before it end inside it: ending a link deletes its set below the table's, which must
// not leave a set of the table behind for everything after it to inherit.
TEST(TableElements, RowGroupSetsEndWithTheTableWhenOpenLinksEndInside) {
  TParsedDocument parsed(
      "<style>thead, tr, th {color: #ff0000}</style>"
      "<p><a name=\"a\">x<p><a name=\"b\">y<a name=\"c\">"
      "<table><thead><tr><th>h</th><th>i</th></tr></thead><tr><td>x</td></tr></table>"
      "<table><thead><tr><th>h</th></tr></thead><tr><td>x</td></tr></table><p>after</p>");
  parsed.Parse();
  // The last text section, depth first.
  const TSection* after = nullptr;
  const std::function<void(const TCellBasic&)> walk = [&](const TCellBasic& cell) {
    for (int i = 0; i < cell.Count(); ++i) {
      if (const auto* text = dynamic_cast<const TSection*>(cell.Items(i))) after = text;
      if (const auto* block = dynamic_cast<const TBlock*>(cell.Items(i))) walk(*block->ContentCell);
    }
  };
  walk(parsed.document);
  ASSERT_NE(after, nullptr);
  ASSERT_EQ(after->Text.substr(0, 5), u"after");
  EXPECT_EQ(after->Fonts.Items(0)->RunFont->Color() & 0xFFFFFF, clBlack);
}

}  // namespace
