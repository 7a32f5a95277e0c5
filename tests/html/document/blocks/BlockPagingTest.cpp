#include "html/document/blocks/HorzLine.h"
#include "html/document/blocks/PageMarker.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/blocks/BlockFixture.h"

namespace {

// Painting one printed page of 100 pixels: the page bottom that the blocks leave behind.
struct BlockPagingTest : BlockFixture {
  TBitmap page{300, 100, pf24bit};

  int PrintFirstPage() {
    LayOut(300);
    document.Printing = true;
    document.PrintBackground = true;
    page.Canvas().Brush().SetColor(clWhite);
    page.Canvas().FillRect(TRect{0, 0, 300, 100});
    document.Draw(page.Canvas(), TRect{0, 0, 300, 100}, 300, 0, 0, 0, 0);
    return document.PageBottom;
  }
  void AddRule(TCellBasic& cell) {
    TProperties& props = Push(u"hr", u"margin: 0px");
    cell.AddSection(std::make_unique<THRBlock>(&document, nullptr, &cell, props), 0);
    Pop();
  }
};

TEST_F(BlockPagingTest, BreakBeforeEndsThePageAboveTheBlockOnceSomethingIsPainted) {
  TBlock& first = AddBlock(document, u"div", u"height: 40px");
  AddRule(*first.ContentCell);
  AddBlock(document, u"div", u"page-break-before: always; height: 20px; background-color: red");
  AddBlock(document, u"div", u"height: 20px; background-color: blue");
  EXPECT_EQ(PrintFirstPage(), 40);
  EXPECT_EQ(page.Canvas().Pixel(10, 45), clWhite);  // the block went to the next page
  EXPECT_EQ(page.Canvas().Pixel(10, 65), clWhite);  // and so did the one after it
}

TEST_F(BlockPagingTest, BreakBeforeOnAnEmptyPageIsNoBreak) {
  AddBlock(document, u"div", u"page-break-before: always; height: 20px; background-color: red");
  EXPECT_EQ(PrintFirstPage(), 100);
  EXPECT_EQ(page.Canvas().Pixel(10, 10), clRed);
}

TEST_F(BlockPagingTest, AvoidInsideMovesAWholeBlockThatWouldBeCut) {
  AddBlock(document, u"div", u"height: 80px");
  AddBlock(document, u"div", u"page-break-inside: avoid; height: 50px; background-color: red");
  EXPECT_EQ(PrintFirstPage(), 80);
  EXPECT_EQ(page.Canvas().Pixel(10, 90), clWhite);
}

TEST_F(BlockPagingTest, AvoidInsideCannotHelpABlockHigherThanAPage) {
  AddBlock(document, u"div", u"height: 80px");
  AddBlock(document, u"div", u"page-break-inside: avoid; height: 150px; background-color: red");
  EXPECT_EQ(PrintFirstPage(), 100);
  EXPECT_EQ(page.Canvas().Pixel(10, 90), clRed);
}

TEST_F(BlockPagingTest, BreakAfterEndsThePageBelowTheBlock) {
  AddBlock(document, u"div", u"page-break-after: always; height: 30px; background-color: red");
  AddBlock(document, u"div", u"height: 30px");
  EXPECT_EQ(PrintFirstPage(), 30);
  EXPECT_EQ(page.Canvas().Pixel(10, 10), clRed);
}

TEST_F(BlockPagingTest, PageMarkerEndsThePageUnlessItIsAtTheTop) {
  AddFixed(document, 3);
  auto near = std::make_unique<TPage>(&document);
  document.AddSection(std::move(near), 0);
  AddFixed(document, 47);
  document.AddSection(std::make_unique<TPage>(&document), 0);
  EXPECT_EQ(PrintFirstPage(), 50);
}

}  // namespace
