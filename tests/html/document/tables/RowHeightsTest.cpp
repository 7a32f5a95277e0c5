// Row heights worked out by hand: content, row spans, explicit pixel and percentage heights
// and a table height shared among the rows; vertical alignment of the content.
#include "html/document/inline/Section.h"
#include "html/foundation/shared/TextTokens.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/tables/TableFixture.h"

namespace {

struct TRowCell {
  int Height;
  TAttrPairs Attributes = {};
};

struct THeightCase {
  const char* Name;
  String TableStyle;
  std::vector<std::vector<TRowCell>> Rows;
  std::vector<int> Heights;
};

struct RowHeightsTest : TableFixture, ::testing::WithParamInterface<THeightCase> {};

TEST_P(RowHeightsTest, HeightsAsWorkedOutByHand) {
  const THeightCase& c = GetParam();
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}, c.TableStyle).Table;
  for (const auto& cells : c.Rows) {
    TCellList& row = AddRow(table);
    for (const TRowCell& cell : cells) AddCell(row, {10, 10, cell.Height}, cell.Attributes);
  }
  const int height = LayOut(300);
  EXPECT_EQ(table.Heights, c.Heights);
  int sum = 0;
  for (int h : c.Heights) sum += h;
  EXPECT_EQ(table.SectionHeight, sum);
  EXPECT_EQ(height, sum);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, RowHeightsTest,
    ::testing::Values(
        // Each row as high as its tallest cell.
        THeightCase{"Content", u"", {{{10}, {30}}, {{20}, {5}}}, {30, 20}},
        // A cell spanning two rows of 20 needs 100: the 60 missing are split equally.
        THeightCase{"RowSpan", u"", {{{100, {{"ROWSPAN", u"2"}}}, {20}}, {{20}}}, {50, 50}},
        // An odd difference: the rest goes to the last spanned row (61 = 30 + 31).
        THeightCase{"RowSpanOdd", u"", {{{101, {{"ROWSPAN", u"2"}}}, {20}}, {{20}}}, {50, 51}},
        // A pixel row height larger than 100 stands as written.
        THeightCase{"PixelHeightAboveHundred", u"", {{{10, {{"HEIGHT", u"150"}}}}}, {150}},
        // A table of 200 over rows that need 20, 30, 40: the 110 left are shared equally
        // by the rows without height, the last one takes the rest.
        THeightCase{"TableHeightShared", u"height: 200px", {{{20}}, {{30}}, {{40}}}, {56, 66, 78}},
        // All rows with pixel heights: all are scaled to the table (20 x 100 / 50 = 40).
        THeightCase{"AllRowsExplicit",
                    u"height: 100px",
                    {{{10, {{"HEIGHT", u"20"}}}}, {{10, {{"HEIGHT", u"30"}}}}},
                    {40, 60}},
        // A 50 % row of a 200 table wants 100; the other row takes what is left.
        THeightCase{"PercentRow", u"height: 200px", {{{10, {{"HEIGHT", u"50%"}}}}, {{20}}}, {100, 100}},
        // Two 60 % rows of a 100 table want more than there is: between their needs (10,
        // 20) and their wishes (60, 60) in proportion, 10 + 50 x 70 / 90 = 48.9.
        THeightCase{"PercentRowsTooTall",
                    u"height: 100px",
                    {{{10, {{"HEIGHT", u"60%"}}}}, {{20, {{"HEIGHT", u"60%"}}}}},
                    {49, 51}},
        // Rows that all ask for 0 % of a table of 90 divide nothing by nothing: they share
        // the height equally.
        THeightCase{"ZeroPercentRows",
                    u"height: 90px",
                    {{{0, {{"HEIGHT", u"0%"}}}}, {{0, {{"HEIGHT", u"0%"}}}}, {{0, {{"HEIGHT", u"0%"}}}}},
                    {30, 30, 30}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TAlignCase {
  const char* Name;
  String Style;
  int ContentOffset;
};

struct VerticalAlignTest : TableFixture, ::testing::WithParamInterface<TAlignCase> {};

TEST_P(VerticalAlignTest, ContentSitsInItsCell) {
  // A 100-pixel cell with 40 pixels of content, no spacing or padding.
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  TCellList& row = AddRow(table);
  AddCell(row, {10, 10, 100});
  TCellObj& cell = AddCell(row, {10, 10, 40}, {}, GetParam().Style);
  LayOut(300);
  EXPECT_EQ(Content(cell).SectionTop - table.SectionTop, GetParam().ContentOffset);
}

INSTANTIATE_TEST_SUITE_P(Tables, VerticalAlignTest,
                         ::testing::Values(TAlignCase{"Middle", u"", 30}, TAlignCase{"Top", u"vertical-align: top", 0},
                                           TAlignCase{"Bottom", u"vertical-align: bottom", 60}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(TableFixture, SpacingAndPaddingPlaceTheContent) {
  // Spacing 4, padding 3, BORDER=1 (cells get a one-pixel border): the content starts
  // 4 + 1 + 3 below and right of the row's and column's start; the row is its content (12)
  // + the vertical cell space (8) + the spacing above it; the table adds one spacing below.
  TTableBlock& block = AddTable(document, {{"CELLSPACING", u"4"}, {"CELLPADDING", u"3"}, {"BORDER", u"1"}});
  THtmlTable& table = *block.Table;
  TCellObj& cell = AddCell(AddRow(table), {30, 30, 12}, {}, u"vertical-align: top");
  LayOut(300);
  EXPECT_EQ(table.Heights, (IntArray{24}));
  EXPECT_EQ(table.SectionHeight, 28);
  EXPECT_EQ(Content(cell).SectionTop - table.SectionTop, 8);
  EXPECT_EQ(table.Widths, (IntArray{42}));
}

TEST_F(TableFixture, HeaderAndFooterRowsAreCounted) {
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  AddCell(AddRow(table, {}, 0), {10, 10, 15});
  AddCell(AddRow(table, {}, 1), {10, 10, 20});
  AddCell(AddRow(table, {}, 1), {10, 10, 20});
  AddCell(AddRow(table, {}, 2), {10, 10, 25});
  LayOut(300);
  EXPECT_EQ(table.HeaderHeight, 15);
  EXPECT_EQ(table.HeaderRowCount, 1);
  EXPECT_EQ(table.FooterHeight, 25);
  EXPECT_EQ(table.FootStartRow, 3);
  EXPECT_EQ(table.FootOffset, 55);
  EXPECT_TRUE(table.HeadOrFoot);
}

TEST_F(TableFixture, CellsAdvanceTheCursorAndAnswerQueriesInRowOrder) {
  THtmlTable& table = *AddTable(document, {{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}}).Table;
  TCellList& row = AddRow(table);
  TCellObj& left = AddCell(row, {0, 0, 0});
  TCellObj& right = AddCell(row, {0, 0, 0});
  auto first = std::make_unique<TFixedSection>(&document, 10, 3);
  first->MaxWidth = 40;
  auto second = std::make_unique<TFixedSection>(&document, 10, 5);
  second->MaxWidth = 60;
  left.Cell->AddSection(std::move(first), 0);
  right.Cell->AddSection(std::move(second), 0);
  LayOut(300);
  EXPECT_EQ(table.CursorLength, 8);
  EXPECT_EQ(Content(right).StartCursor, 3);
  int x = 0, y = 0;
  EXPECT_TRUE(table.CursorToXY(canvas, 4, x, y));
  EXPECT_EQ(y, table.SectionTop);
  // The source positions of the fixed sections are 100 + cursor; backward asks the last cell first.
  EXPECT_EQ(table.SourceToCursor(104, false), 4);
  EXPECT_EQ(table.SourceToCursor(101, true), 1);

  // Hit tests need the table drawn once (its left edge).
  TBitmap bitmap(300, 100, pf24bit);
  document.Draw(bitmap.Canvas(), TRect{0, 0, 300, 100}, 300, 0, 0, 0, 0);
  Content(right).UrlFlags = UrlAtTitle;
  Content(right).Title = u"right";
  String title;
  TFormControlObj* control = nullptr;
  std::unique_ptr<TUrlTarget> target;
  EXPECT_EQ(table.UrlAt(canvas, 45, table.SectionTop + 5, title, control, target), UrlAtTitle);
  EXPECT_EQ(title, u"right");
  // The left cell's own HREF answers where its content has no link.
  left.Cell->LinkTexts().Url = u"cell.html";
  EXPECT_EQ(table.UrlAt(canvas, 5, table.SectionTop + 5, title, control, target), UrlAtLink);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->LinkUrl, u"cell.html");
  EXPECT_EQ(table.UrlAt(canvas, 150, table.SectionTop + 5, title, control, target), 0);
}

}  // namespace

namespace {

TEST_F(TableFixture, SelectingEverythingCopiesEveryCellsTextInRowOrder) {
  THtmlTable& table = *AddTable(document).Table;
  const std::vector<std::vector<String>> texts{{u"alpha", u"beta"}, {u"gamma", u"delta"}};
  int source = 0;
  for (const auto& cells : texts) {
    TCellList& row = AddRow(table);
    for (const String& text : cells) {
      TCellObj& cell = AddCell(row, {0, 0, 0});
      TProperties& props = Push(u"td");
      auto section = std::make_unique<TSection>(&document, true, nullptr, props, nullptr);
      TokenObj token;
      for (Char c : text) token.AppendChar(c, source++);
      section->AddTokenObj(token);
      cell.Cell->AddSection(std::move(section), source);
      Pop();
    }
  }
  LayOut(300);
  document.SelectionStart = 0;
  document.SelectionEnd = document.CursorLength;
  const int length = document.SelectionLength();
  std::vector<Char> buffer(static_cast<size_t>(length) + 1, 0);
  document.SelectionText(buffer.data(), length + 1);
  const String copied(buffer.data());
  size_t at = 0;
  for (const auto& cells : texts)
    for (const String& text : cells) {
      const size_t found = copied.find(text, at);
      ASSERT_NE(found, String::npos) << StringToUtf8(text) << " in " << StringToUtf8(copied);
      at = found + text.size();
    }
}

}  // namespace
