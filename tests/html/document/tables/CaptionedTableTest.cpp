// A table with a CAPTION: the block that holds both takes the table's width from the room once,
// maps source positions to cursors in the caption and in the rows, and, when printing, sends
// the caption to the next page together with the table.
#include <string>
#include <vector>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/tables/TableFixture.h"
#include "tests/support/html/HtmlTestDocument.h"

namespace {

const TAttrPairs NoSpacing{{"CELLSPACING", u"0"}, {"CELLPADDING", u"0"}};

TAttrPairs With(TAttrPairs pairs, const TAttrPairs& more) {
  pairs.insert(pairs.end(), more.begin(), more.end());
  return pairs;
}

struct CaptionedTable : TableFixture {
  TTableBlock* Table = nullptr;
  TBlock* Caption = nullptr;
  TTableAndCaptionBlock* Wrapper = nullptr;

  // A table with the caption above it, as the parser builds one, at the end of the document.
  void AddCaptionedTable(const TAttrPairs& attributes, int captionHeight) {
    TProperties& props = Push(u"table");
    TAttributeList* list = Attributes(attributes);
    auto table = std::make_unique<THtmlTable>(&document, props, list);
    auto tableBlock = std::make_unique<TTableBlock>(&document, list, std::move(table), &document, props);
    Table = tableBlock.get();
    auto wrapper = std::make_unique<TTableAndCaptionBlock>(&document, tableBlock.get(), list, &document, props);
    Pop();
    Caption = &AddBlock(*wrapper->ContentCell, u"caption", u"");
    AddFixed(*Caption->ContentCell, captionHeight, 20, 40);
    wrapper->SetCaptionBlock(Caption);
    wrapper->TableIndex = 1;
    wrapper->ContentCell->AddSection(std::move(tableBlock), 0);
    Wrapper = wrapper.get();
    document.AddSection(std::move(wrapper), 0);
  }

  // Draws the printed page that starts at pageTop; answers where the page ends.
  int DrawPage(int pageTop, int height = 100) {
    TBitmap page{200, height, pf24bit};
    document.Printing = true;
    document.YOffset = pageTop;
    document.Draw(page.Canvas(), TRect{0, 0, 200, height}, 200, 0, 0, 0, 0);
    return document.PageBottom;
  }
};

// The caption block finds the table's width from the room outside it; the table block then
// lays out in that width and must not take the percentage of it again (80 % of 80 %), nor
// be centred in the rest.
TEST_F(CaptionedTable, PercentageWidthIsTakenOfTheRoomOnce) {
  TTableBlock& plain = AddTable(document, With(NoSpacing, {{"WIDTH", u"80%"}}));
  AddCell(AddRow(*plain.Table), {10, 10, 10});
  AddCaptionedTable(With(NoSpacing, {{"WIDTH", u"80%"}}), 12);
  AddCell(AddRow(*Table->Table), {10, 10, 10});
  LayOut(500);
  EXPECT_EQ(plain.Table->TableWidth, 400);
  EXPECT_EQ(Wrapper->ContentWidth, 400);
  EXPECT_EQ(Table->Table->TableWidth, 400);
  EXPECT_EQ(Table->BoxAt(MarginLeft), 0);
}

struct TCaptionPageCase {
  const char* Name;
  int Above;         // height of what comes before the captioned table
  int Caption;       // caption height
  std::vector<int> Rows;
  int PageTop;
  int PageBottom;    // where the page ends
};

struct CaptionPageTest : CaptionedTable, ::testing::WithParamInterface<TCaptionPageCase> {};

TEST_P(CaptionPageTest, CaptionGoesWithTheTable) {
  const TCaptionPageCase& c = GetParam();
  AddFixed(document, c.Above);
  AddCaptionedTable(NoSpacing, c.Caption);
  for (int h : c.Rows) AddCell(AddRow(*Table->Table), {10, 10, h});
  LayOut(200);
  ASSERT_EQ(Wrapper->SectionTop, c.Above);
  EXPECT_EQ(DrawPage(c.PageTop), c.PageBottom);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CaptionPageTest,
    ::testing::Values(
        // The first row (70 .. 110) waits for the next page: the caption (50 .. 70) goes too.
        TCaptionPageCase{"FirstRowWaits", 50, 20, {40, 40}, 0, 50},
        // The page ends inside the caption (90 .. 110).
        TCaptionPageCase{"PageEndsInTheCaption", 90, 20, {40}, 0, 90},
        // The first row fits; the second one waits as usual, the caption stays.
        TCaptionPageCase{"FirstRowFits", 20, 20, {40, 40}, 0, 80},
        // A caption at the top of its page stays there, or the page could never end.
        TCaptionPageCase{"CaptionAtThePageTop", 50, 20, {90}, 50, 70}),
    [](const auto& info) { return std::string(info.param.Name); });

// Source positions to cursors: a position in the caption must find the caption's character
// and one in the rows the cell's, searching forward and backward, whether the caption is
// shown above or below the table (it comes first in the source either way).
TEST(CaptionedTableSource, PositionsFindTheirCharacters) {
  struct Case {
    const char* Html;
    const char* Word;
    bool Backward;
  };
  const char* top = "<table><caption>Cap</caption><tr><td>cell</td></tr></table>";
  const char* bottom = "<table><caption align=bottom>Cap</caption><tr><td>cell</td></tr></table>";
  const Case cases[] = {
      {top, "Cap", false},    {top, "Cap", true},    {top, "cell", false},    {top, "cell", true},
      {bottom, "Cap", false}, {bottom, "Cap", true}, {bottom, "cell", false}, {bottom, "cell", true},
  };
  for (const Case& c : cases) {
    THtmlTestDocument test;
    test.Load(c.Html);
    test.LayOut(400);
    ThtDocument& document = test.Document();
    const std::string html = c.Html;
    const int source = static_cast<int>(html.find(c.Word));
    const int cursor = document.SourceToCursor(source, c.Backward);
    Char ch = 0;
    TIDObject* object = nullptr;
    ASSERT_TRUE(document.CharAt(cursor, ch, object)) << c.Html << " " << c.Word;
    EXPECT_EQ(ch, static_cast<Char>(c.Word[0])) << c.Html << " " << c.Word << (c.Backward ? " backward" : "");
  }
}

}  // namespace
