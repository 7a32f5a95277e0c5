// Tables with header and footer rows cut into pages by the page loop: the header rows start
// every page the table continues on, the footer rows end every page it is cut on, and no
// body row is cut in two or lost.
#include <map>
#include <string>

#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/html/document/paging/PagingFixture.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

struct PagedTables : PagingFixtureOf<TableFixture> {
  PagingViewer viewer;  // the table hands the page loop its part record through the viewer

  void SetUp() override {
    PagingFixtureOf<TableFixture>::SetUp();
    document.Viewer = &viewer;
  }

  // A table of one column: a header row "head", body rows "row1" ... "rowN", a footer row
  // "foot" (each row kind only when asked for).
  THtmlTable& Table(int bodyRows, bool header, bool footer, TCellBasic* cell = nullptr) {
    THtmlTable& table = *AddTable(cell ? *cell : document, {{"CELLSPACING", u"2"}}).Table;
    const auto row = [&](const String& text, uint8_t kind) {
      TCellObj& c = AddCell(AddRow(table, {}, kind), {0, 0, 0});
      Paragraph(*c.Cell, text);
    };
    if (header) row(u"head", 0);
    for (int i = 1; i <= bodyRows; ++i) row(u"row" + Utf8ToString(std::to_string(i)), 1);
    if (footer) row(u"foot", 2);
    return table;
  }
  static std::vector<String> Texts(const TMetafile& page) {
    std::vector<String> texts;
    for (const auto& placed : PlacedTexts(page)) texts.push_back(placed.Text);
    return texts;
  }
};

struct PartsCase {
  const char* name;
  bool header, footer;
};
class TableParts : public PagedTables, public ::testing::WithParamInterface<PartsCase> {};

TEST_P(TableParts, RepeatOnEveryPageAndEveryBodyRowIsOnOnePage) {
  const PartsCase& c = GetParam();
  Table(14, c.header, c.footer);
  LayOut(200);  // the viewer pages a document it shows
  constexpr int pageHeight = 120;
  const TPageMetafileList pages = RenderPageMetafiles(document, 200, pageHeight);
  SavePages(pages, std::string("table-parts-") + c.name);
  ASSERT_GE(pages.size(), 3u);
  EXPECT_EQ(CountPages(document, 200, pageHeight), static_cast<int>(pages.size()));
  std::vector<String> body;
  for (size_t p = 0; p < pages.size(); ++p) {
    const std::vector<String> texts = Texts(*pages[p]);
    ASSERT_FALSE(texts.empty()) << p;
    if (c.header) {
      EXPECT_EQ(texts.front(), u"head") << "page " << p;
    }
    if (c.footer) {
      EXPECT_EQ(texts.back(), u"foot") << "page " << p;
    }
    for (const auto& placed : PlacedTexts(*pages[p])) {
      EXPECT_GT(placed.Y, 0) << StringToUtf8(placed.Text) << " page " << p;
      EXPECT_LT(placed.Y, pageHeight) << StringToUtf8(placed.Text) << " page " << p;
      if (placed.Text != u"head" && placed.Text != u"foot") body.push_back(placed.Text);
    }
  }
  std::vector<String> expected;
  for (int i = 1; i <= 14; ++i) expected.push_back(u"row" + Utf8ToString(std::to_string(i)));
  EXPECT_EQ(body, expected);
}

// The same table as HTML: THEAD and TFOOT row groups through the parser.
TEST(PagedHtmlTable, HeaderAndFooterRowGroupsOnEveryPage) {
  std::string html = "<table cellspacing=2><thead><tr><td>head</td></tr></thead><tfoot><tr><td>foot</td></tr></tfoot>";
  for (int i = 1; i <= 14; ++i) html += "<tr><td>row" + std::to_string(i) + "</td></tr>";
  TParsedDocument parsed(html + "</table>");
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  int scrollWidth = 0, cursor = 0;
  parsed.document.DoLogic(parsed.document.MeasureCanvas(), 0, 200, 120, scrollWidth, cursor);
  const TPageMetafileList pages = RenderPageMetafiles(parsed.document, 200, 120);
  ASSERT_GE(pages.size(), 3u);
  EXPECT_EQ(CountPages(parsed.document, 200, 120), static_cast<int>(pages.size()));
  std::vector<String> body;
  for (size_t p = 0; p < pages.size(); ++p) {
    const std::vector<String> texts = PagingFixture::TextRecords(*pages[p]);
    ASSERT_FALSE(texts.empty()) << p;
    EXPECT_EQ(texts.front(), u"head") << "page " << p;
    EXPECT_EQ(texts.back(), u"foot") << "page " << p;
    for (const auto& placed : PagingFixture::PlacedTexts(*pages[p])) {
      EXPECT_LT(placed.Y, 120) << StringToUtf8(placed.Text) << " page " << p;
      if (placed.Text != u"head" && placed.Text != u"foot") body.push_back(placed.Text);
    }
  }
  std::vector<String> expected;
  for (int i = 1; i <= 14; ++i) expected.push_back(u"row" + Utf8ToString(std::to_string(i)));
  EXPECT_EQ(body, expected);
  // Counting leaves the table's part record in the middle of nothing.
  PagingFixture::ExpectSamePagesWhenMeasuredAndCounted(parsed.document, 200, 120);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TableParts,
                         ::testing::Values(PartsCase{"HeaderAndFooter", true, true},
                                           PartsCase{"HeaderOnly", true, false},
                                           PartsCase{"FooterOnly", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Header rows taller than a page leave no room for the body below them: such pages are cut
// at their full height, and every body row still comes out.
TEST_F(PagedTables, HeaderTallerThanAPageLosesNoBodyRow) {
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}}).Table;
  TCellObj& head = AddCell(AddRow(table, {}, 0), {0, 0, 0}, {{"HEIGHT", u"150"}});
  Paragraph(*head.Cell, u"head");
  for (int i = 1; i <= 8; ++i) {
    TCellObj& cell = AddCell(AddRow(table), {0, 0, 0});
    Paragraph(*cell.Cell, u"row" + Utf8ToString(std::to_string(i)));
  }
  LayOut(200);
  const TPageMetafileList pages = RenderPageMetafiles(document, 200, 100);
  SavePages(pages, "header-taller-than-a-page");
  std::map<String, int> seen;
  for (const auto& page : pages)
    for (const String& text : TextRecords(*page)) ++seen[text];
  for (int i = 1; i <= 8; ++i) EXPECT_GE(seen[u"row" + Utf8ToString(std::to_string(i))], 1) << i;
}

// Rows of one cell each, of the content heights given, red and blue by turns; no
// spacing, padding or borders, so each row is exactly as high as its content.
struct RowCutCase {
  const char* name;
  std::vector<int> heights;
  int pageHeight;
  // The colour at the top and at the bottom row of pixels of every page.
  std::vector<std::pair<TColor, TColor>> pages;
};
class RowCuts : public PagedTables, public ::testing::WithParamInterface<RowCutCase> {};

TEST_P(RowCuts, ShortRowsWaitForTheNextPageUnlessTheyStartIt) {
  const RowCutCase& c = GetParam();
  document.PrintTableBackground = true;
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  const char16_t* colors[] = {u"#ff0000", u"#0000ff"};  // red, blue, red, ...
  for (size_t i = 0; i < c.heights.size(); ++i)
    AddCell(AddRow(table), {0, 0, c.heights[i]}, {{"BGCOLOR", colors[i % 2]}, {"WIDTH", u"50"}});
  LayOut(100);
  const TPageMetafileList pages = RenderPageMetafiles(document, 100, c.pageHeight);
  SavePages(pages, std::string("row-cuts-") + c.name);
  ASSERT_EQ(pages.size(), c.pages.size());
  for (size_t p = 0; p < pages.size(); ++p) {
    auto raster = Raster(*pages[p]);
    EXPECT_EQ(raster->Canvas().Pixel(5, 0), c.pages[p].first) << "page " << p;
    EXPECT_EQ(raster->Canvas().Pixel(5, c.pageHeight - 1), c.pages[p].second) << "page " << p;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RowCuts,
    ::testing::Values(
        // 0..70 red, 70..130 blue: the blue row waits, page 1 ends with background below red.
        RowCutCase{"ShortRowMoves", {70, 60}, 100, {{clRed, clWhite}, {clBlue, clWhite}}},
        // 0..70 red, 70..370 blue: the tall row is drawn across three cuts.
        RowCutCase{"TallRowIsCut", {70, 300}, 100, {{clRed, clBlue}, {clBlue, clBlue}, {clBlue, clBlue}, {clBlue, clWhite}}},
        // Rows of 80 on pages of 50: a row at the top of a page is drawn across the cut.
        RowCutCase{"RowAtThePageTopIsCut", {80, 80}, 50, {{clRed, clRed}, {clRed, clWhite}, {clBlue, clBlue}, {clBlue, clWhite}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
