// The grid and line-list routines the workflows share.
#include <gtest/gtest.h>

#include "app/SharedRoutines.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/grid/StringGrid.h"
#include "tests/app/AppFixture.h"

namespace {

struct GridFixture : ::testing::Test {
  TApplication app;
  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
  void SetUp() override {
    app.CreateForm(form);
    grid = new TStringGrid(form);
    grid->SetParent(form);
  }
};

TEST_F(GridFixture, AutoSizeColumnsWidensOnlyPastTheThreshold) {
  FillGrid(*grid, {"x|a much longer text than forty pixels|mm"});
  const int wide = grid->Canvas().TextWidth(u"a much longer text than forty pixels");
  const int mm = grid->Canvas().TextWidth(u"mm");
  grid->SetColWidths(0, 200);  // a narrow text never shrinks a column
  grid->SetColWidths(2, 3);
  AutoSizeColumns(*grid, mm);  // exactly as wide as the threshold: kept
  EXPECT_EQ(grid->ColWidths(0), 200);
  EXPECT_EQ(grid->ColWidths(1), wide + grid->GridLineWidth() + 5);
  EXPECT_EQ(grid->ColWidths(2), 3);
  grid->SetColWidths(1, 900);  // a wider column may become narrower
  AutoSizeColumns(*grid, 40);
  EXPECT_EQ(grid->ColWidths(1), wide + grid->GridLineWidth() + 5);
}

TEST_F(GridFixture, DeleteGridRowMovesRowsUpAndEmptiesTheLast) {
  FillGrid(*grid, {"Nr.|URL", "1|a", "2|b", "3|c"});
  DeleteGridRow(*grid, 1);
  EXPECT_EQ(GridRows(*grid), (std::vector<std::string>{"Nr.|URL", "2|b", "3|c"}));
  grid->SetRowCount(4);  // the old last row was emptied, not only hidden
  EXPECT_EQ(GridRows(*grid).back(), "|");
}

struct TSortCase {
  const char* name;
  std::vector<std::string> rows;  // title row first
  int column;
  std::vector<std::string> sorted;
};

// Cases show as their names in test listings.
void PrintTo(const TSortCase& c, std::ostream* os) { *os << c.name; }

class SortTest : public GridFixture, public ::testing::WithParamInterface<TSortCase> {};

TEST_P(SortTest, SortGridRowsByColumn) {
  FillGrid(*grid, GetParam().rows);
  SortGridRowsByColumn(*grid, GetParam().column);
  EXPECT_EQ(GridRows(*grid), GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SortTest,
    ::testing::Values(
        // Counts sort as numbers, not as texts (10 after 9).
        TSortCase{"Counts", {"Nr.|KW|Summe", "1|a|9", "2|b|10", "3|c|2"}, 2, {"Nr.|KW|Summe", "3|c|2", "1|a|9", "2|b|10"}},
        TSortCase{"GermanDecimals", {"n|d", "1|1,5", "2|-0,25", "3|1,25", "4|12"}, 1, {"n|d", "2|-0,25", "3|1,25", "1|1,5", "4|12"}},
        // One key that is no number: the column sorts as text, case-insensitive, an umlaut
        // right after its base letter.
        TSortCase{"Text", {"n|k", "1|b", "2|10", "3|\xc3\x84pfel", "4|Zebra", "5|9", "6|apfel"}, 1,
                  {"n|k", "2|10", "5|9", "6|apfel", "3|\xc3\x84pfel", "1|b", "4|Zebra"}},
        // Equal keys keep their order; a key holding "@" moves with its row intact.
        TSortCase{"StableAndAt", {"n|k|rest", "1|x|first", "2|a@b|second", "3|x|third", "4|A@B|fourth"}, 1,
                  {"n|k|rest", "2|a@b|second", "4|A@B|fourth", "1|x|first", "3|x|third"}},
        TSortCase{"TitleOnly", {"n|k"}, 1, {"n|k"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridFixture, ExchangeSortGridRowsStartsBelowTheFixedRows) {
  FillGrid(*grid, {"Nr.|URL", "1|b"});
  ExchangeSortGridRows(*grid, 1);
  EXPECT_EQ(GridRows(*grid), (std::vector<std::string>{"Nr.|URL", "1|b"}));
  // A grid whose row count was once 1 has no fixed row: its row 0 takes part.
  grid->SetRowCount(1);
  FillGrid(*grid, {"z|title", "1|b", "2|a"});
  ASSERT_EQ(grid->FixedRows(), 0);
  ExchangeSortGridRows(*grid, 1);
  EXPECT_EQ(GridRows(*grid), (std::vector<std::string>{"2|a", "1|b", "z|title"}));
}

struct TDuplicatesCase {
  const char* name;
  std::string text;
  std::string expected;
};

// Cases show as their names in test listings.
void PrintTo(const TDuplicatesCase& c, std::ostream* os) { *os << c.name; }

class DuplicatesTest : public ::testing::TestWithParam<TDuplicatesCase> {};

TEST_P(DuplicatesTest, FirstOccurrenceStaysInOrder) {
  TStringList list;
  list.SetText(Utf8ToString(GetParam().text));
  RemoveDuplicateLines(list);
  EXPECT_EQ(StringToUtf8(list.Text()), GetParam().expected);
  // A memo's lines behave alike.
  TApplication app;
  TForm* form = nullptr;
  app.CreateForm(form);
  TMemo memo(form);
  memo.SetText(Utf8ToString(GetParam().text));
  RemoveDuplicateLines(memo.Lines());
  EXPECT_EQ(StringToUtf8(memo.Lines().TStrings::Text()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DuplicatesTest,
    ::testing::Values(TDuplicatesCase{"CaseCounts", "Abc\r\nabc\r\nAbc\r\n", "Abc\r\nabc\r\n"},
                      TDuplicatesCase{"EmptyLines", "a\r\n\r\nb\r\n\r\n\r\na\r\n", "a\r\n\r\nb\r\n"},
                      TDuplicatesCase{"NothingRepeats", "c\r\nb\r\na\r\n", "c\r\nb\r\na\r\n"},
                      TDuplicatesCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundDecimals, TiesGoToTheEvenNeighbour) {
  EXPECT_DOUBLE_EQ(RoundDecimals(2, 0.125), 0.12);
  EXPECT_DOUBLE_EQ(RoundDecimals(2, 0.375), 0.38);
  EXPECT_DOUBLE_EQ(RoundDecimals(0, 2.5), 2.0);
  EXPECT_DOUBLE_EQ(RoundDecimals(3, -1.23456), -1.235);
}

TEST(EncodeBase64Text, EncodesTheAnsiBytesWithLineBreaks) {
  EXPECT_EQ(EncodeBase64Text(u"\u00e4"), u"5A==");  // one byte in code page 1252
  String encoded = EncodeBase64Text(String(60, u'a'));
  EXPECT_EQ(encoded.find(u"\r\n"), 76u);
}

}  // namespace
