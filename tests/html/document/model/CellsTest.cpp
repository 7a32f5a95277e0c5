#include <gtest/gtest.h>

#include "html/document/model/ChPosObj.h"
#include "html/document/model/Document.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "tests/html/document/TestSections.h"

namespace {
struct CellsTest : ::testing::Test {
  ThtDocument document{nullptr, nullptr};
  TCanvas canvas{std::make_unique<TMeasureDC>()};

  TFixedSection* Add(TCellBasic& cell, int height, int length = 0) {
    auto* section = new TFixedSection(&document, height, length);
    cell.AddSection(section, 0);
    return section;
  }
  int LayOut(TCellBasic& cell, int y = 0, int width = 500) {
    int cursor = 0, maxWidth = 0;
    return cell.Layout(canvas, y, cursor, maxWidth, 1000, 0, width);
  }
};

TEST_F(CellsTest, SectionNeverLaidOutSortsAfterEveryOther) {
  TSectionBase section(&document);
  EXPECT_EQ(section.AnchorY(), 999999999);
  TIndentManager indents;
  int cursor = 7, maxWidth = 55;
  section.SectionHeight = 12;
  EXPECT_EQ(section.Layout(canvas, 0, cursor, maxWidth, indents, 0, 0, 100, 0, 0, 30), 12);
  EXPECT_EQ(cursor, 7);  // fixed sections hold no positions
  EXPECT_EQ(section.StartCursor, 7);
  EXPECT_EQ(maxWidth, 0);
  EXPECT_EQ(section.AnchorY(), 30);
  EXPECT_EQ(section.SectionBottom, 42);
  EXPECT_EQ(section.DrawBottom, 42);

  section.Display = DisplayNone;  // display "none" lays out to nothing
  EXPECT_EQ(section.Layout(canvas, 0, cursor, maxWidth, indents, 0, 0, 100, 0, 0, 30), 0);
  EXPECT_EQ(section.SectionBottom, 30);
}

TEST_F(CellsTest, EmptyCellAnswersNothing) {
  TCell cell(&document);
  EXPECT_EQ(LayOut(cell), 0);
  bool onText = false;
  int lineHeight = 0, lineTop = 0, cursorX = 0;
  EXPECT_EQ(cell.FindCursor(canvas, 5, 5, onText, lineHeight, lineTop, cursorX), -1);
  EXPECT_EQ(cell.CursorToSource(0), -1);
  EXPECT_EQ(cell.FindString(0, u"a", false), -1);
  EXPECT_EQ(cell.FindStringBack(0, u"a", false), -1);
  int minWidth = 1, maxWidth = 1;
  cell.MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_EQ(minWidth, 0);
  EXPECT_EQ(maxWidth, 0);
  EXPECT_EQ(cell.Draw(canvas, TRect{0, 0, 100, 100}, 100, 0, 77, 0, 0), 77);
}

TEST_F(CellsTest, AddSectionClosesTextAndDropsEmptyOnes) {
  TCell cell(&document);
  int freed = 0;
  cell.AddSection(nullptr, 5);
  auto* empty = new TTextLikeSection(&document, true, &freed);
  document.IdList.Register(u"gone", empty);
  document.PositionList.Add(empty);
  cell.AddSection(empty, 9);
  EXPECT_EQ(cell.Count(), 0);
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(document.IdList.Find(u"gone"), nullptr);  // nothing refers to the freed section
  EXPECT_EQ(document.PositionList.Count(), 0);

  ThtDocument other(nullptr, nullptr);
  auto* kept = new TTextLikeSection(&other, false, &freed);
  cell.AddSection(kept, 11);
  ASSERT_EQ(cell.Count(), 1);
  EXPECT_EQ(kept->ClosedAt, 11);
  EXPECT_EQ(kept->Document, &document);  // it belongs to the cell's document now
}

TEST_F(CellsTest, LayoutStacksSectionsAndCountsCursors) {
  TCell cell(&document);
  TFixedSection* a = Add(cell, 20, 3);
  TFixedSection* b = Add(cell, 15, 4);
  a->MaxWidth = 90;
  b->MaxWidth = 120;
  int cursor = 10, maxWidth = 0;
  EXPECT_EQ(cell.Layout(canvas, 100, cursor, maxWidth, 1000, 0, 500), 35);
  EXPECT_EQ(cursor, 17);
  EXPECT_EQ(cell.StartCursor, 10);
  EXPECT_EQ(cell.CursorLength, 7);
  EXPECT_EQ(cell.CellTop, 100);
  EXPECT_EQ(maxWidth, 120);
  EXPECT_EQ(a->SectionTop, 100);
  EXPECT_EQ(b->SectionTop, 120);
  EXPECT_EQ(b->StartCursor, 13);
}

TEST_F(CellsTest, SectionFailingLayoutIsDroppedOthersPropagate) {
  TCell cell(&document);
  Add(cell, 10);
  TFixedSection* failing = Add(cell, 10);
  document.IdList.Register(u"failing", failing);
  failing->OnLayout = [](TIndentManager&, int) { throw EProcessError(u"bad section"); };
  Add(cell, 10);
  EXPECT_EQ(LayOut(cell), 20);
  EXPECT_EQ(cell.Count(), 2);
  EXPECT_EQ(document.IdList.Find(u"failing"), nullptr);

  cell.Items(0)->Display = 0;
  static_cast<TFixedSection*>(cell.Items(0))->OnLayout = [](TIndentManager&, int) {
    throw std::runtime_error("fault");
  };
  EXPECT_THROW(LayOut(cell), std::runtime_error);
  // The cell's edges were dropped again: a new layout starts clean.
  static_cast<TFixedSection*>(cell.Items(0))->OnLayout = nullptr;
  EXPECT_EQ(LayOut(cell), 20);
  EXPECT_TRUE(cell.IndentManager->LeftList.empty());
  EXPECT_TRUE(cell.IndentManager->RightList.empty());
}

TEST_F(CellsTest, FloatTallerThanTextCountsForTheCell) {
  TCell cell(&document);
  TFixedSection* text = Add(cell, 18);
  text->OnLayout = [](TIndentManager& indents, int y) { indents.ReserveLeft(y, y + 150, 100); };
  EXPECT_EQ(LayOut(cell, 40), 150);  // the float's bottom, not the text height
  text->OnLayout = nullptr;
  EXPECT_EQ(LayOut(cell, 40), 18);
}

TEST_F(CellsTest, UrlAtAnswersTheFirstHitAndClearsTheTitle) {
  TCell cell(&document);
  Add(cell, 10);
  TFixedSection* link = Add(cell, 10);
  link->UrlFlags = UrlAtLink | UrlAtTitle;
  link->Title = u"hint";
  LayOut(cell);
  String title;
  TFormControlObj* control = nullptr;
  std::unique_ptr<TUrlTarget> target;
  EXPECT_EQ(cell.UrlAt(canvas, 0, 15, title, control, target), UrlAtLink | UrlAtTitle);
  EXPECT_EQ(title, u"hint");
  EXPECT_EQ(cell.UrlAt(canvas, 0, 50, title, control, target), 0);
  EXPECT_EQ(title, u"stale");  // only what the last section said; cleared before each
}

TEST_F(CellsTest, CopySelectionAsksTheSectionsInTheRange) {
  TCell cell(&document);
  TFixedSection* s[4];
  for (auto& section : s) section = Add(cell, 10, 5);  // cursors 0-4, 5-9, 10-14, 15-19
  LayOut(cell);
  struct Case {
    int start, end;
    std::array<int, 4> calls;
  } cases[] = {
      {3, 3, {0, 0, 0, 0}},    // empty selection
      {4, 6, {1, 1, 0, 0}},    // across a boundary
      {5, 10, {0, 1, 0, 0}},   // ends where the third section starts
      {0, 100, {1, 1, 1, 1}},  // everything
      {9, 8, {0, 0, 0, 0}},    // reversed is empty
  };
  for (const Case& c : cases) {
    for (auto* section : s) section->CopyCalls = 0;
    document.SelectionStart = c.start;
    document.SelectionEnd = c.end;
    cell.CopySelection();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s[i]->CopyCalls, c.calls[i]) << c.start << ".." << c.end << " #" << i;
  }
}

TEST_F(CellsTest, MinMaxWidthTakesTheLargestOfEach) {
  TCell cell(&document);
  TFixedSection* a = Add(cell, 10);
  TFixedSection* b = Add(cell, 10);
  a->MinWidth = 50;
  a->MaxWidth = 300;
  b->MinWidth = 80;
  b->MaxWidth = 200;
  int minWidth = 0, maxWidth = 0;
  cell.MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_EQ(minWidth, 80);
  EXPECT_EQ(maxWidth, 300);
}

TEST_F(CellsTest, BlockCellRecordsBottomsAndTextWidth) {
  TBlockCell cell(&document);
  TIndentManager indents;
  indents.BeginLayout(0, 400);
  cell.IndentManager = &indents;
  TFixedSection* a = Add(cell, 30);
  TFixedSection* positioned = Add(cell, 500);
  positioned->Absolute = true;
  a->MaxWidth = 250;
  int cursor = 0, maxWidth = 0;
  EXPECT_EQ(cell.DoLayout(canvas, 0, cursor, maxWidth, 0, 0, 400, 0, 0, 10, false), 530);
  EXPECT_EQ(cell.TotalHeight, 530);
  EXPECT_EQ(cell.MaxTextWidth, 250);
  EXPECT_EQ(maxWidth, 250);
  EXPECT_EQ(cell.MinDrawTop, 10);
  EXPECT_EQ(cell.MaxSectionBottom, 40);  // the absolutely positioned block does not count
  EXPECT_EQ(cell.MaxDrawBottom, 540);
  cell.DoLayout(canvas, 0, cursor, maxWidth, 0, 0, 400, 0, 0, 10, true);
  EXPECT_EQ(maxWidth, 400);  // a block that hides its overflow is as wide as its content
}

TEST_F(CellsTest, CopyOfACellCopiesItsSections) {
  TCell cell(&document);
  cell.TagName = u"li";
  TFixedSection* a = Add(cell, 25);
  a->ZIndex = 3;
  LayOut(cell);
  ThtDocument copyDocument(nullptr, nullptr);
  TCell copy(&copyDocument, cell);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.TagName, u"li");
  EXPECT_EQ(copy.Items(0)->SectionHeight, 25);
  EXPECT_EQ(copy.Items(0)->ZIndex, 3);
  EXPECT_EQ(copy.Items(0)->ContentTop, 999999999);  // laid out anew
  EXPECT_EQ(copy.Items(0)->Document, &copyDocument);
}

TEST_F(CellsTest, CharacterAnchorsFindTheirLine) {
  auto* anchor = new TChPosObj(&document, 104);
  document.IdList.Register(u"here", anchor);
  EXPECT_EQ(anchor->AnchorY(), 0);  // a document without text

  Add(document, 20, 3);  // cursors 0-2 at Y 0
  Add(document, 20, 3);  // cursors 3-5 at Y 20
  int cursor = 0, maxWidth = 0;
  document.Layout(canvas, 0, cursor, maxWidth, 1000, 0, 500);
  EXPECT_EQ(anchor->AnchorY(), 20);
  anchor->SourcePosition = 900;  // after all text: the last line
  EXPECT_EQ(anchor->AnchorY(), 20);
  int x = 0, y = 0;
  ASSERT_TRUE(document.CursorToXY(canvas, 6, x, y));
  EXPECT_EQ(x, 20 + 15);
  document.IdList.Remove(u"here");  // the list owns and frees it
  EXPECT_EQ(document.IdList.Count(), 0);
}

TEST_F(CellsTest, FreedSectionsLeaveTheDocumentLists) {
  TCell cell(&document);
  TFixedSection* a = Add(cell, 10);
  Add(cell, 10);
  document.IdList.Register(u"first", a);
  document.IdList.Register(u"alias", a);
  cell.AddToPositionList();
  EXPECT_EQ(document.PositionList.Count(), 2);
  cell.Delete(0);
  EXPECT_EQ(document.PositionList.Count(), 1);
  EXPECT_EQ(document.IdList.Count(), 0);
  cell.Clear();
  EXPECT_EQ(document.PositionList.Count(), 0);
}
TEST_F(CellsTest, LastBlockDropsItsDefaultBottomMargin) {
  TCell cell(&document);
  EXPECT_FALSE(cell.DropLastDefaultBottomMargin());
  TFixedSection* block = Add(cell, 10);
  block->IsBlock = block->BottomMarginIsDefault = true;
  Add(cell, 10);  // text after the block is skipped
  EXPECT_TRUE(cell.DropLastDefaultBottomMargin());
  EXPECT_FALSE(block->BottomMarginIsDefault);
  EXPECT_FALSE(cell.DropLastDefaultBottomMargin());  // only the last block counts, and once
  TFixedSection* earlier = new TFixedSection(&document, 10);
  earlier->IsBlock = earlier->BottomMarginIsDefault = true;
  cell.Insert(0, earlier);
  EXPECT_FALSE(cell.DropLastDefaultBottomMargin());
  EXPECT_TRUE(earlier->BottomMarginIsDefault);
}
}  // namespace
