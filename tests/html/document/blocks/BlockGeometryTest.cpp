#include <functional>
#include <vector>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "tests/html/document/blocks/BlockFixture.h"

namespace {

// The boxes of a block after layout, in document coordinates: the border box as painting
// finds it, the content box, and the margin box's top and bottom.
struct Boxes {
  TRect Border;
  TRect Content;
  int MarginTop, MarginBottom;
};

struct GeometryCase {
  const char* Name;
  // Builds the document; answers the blocks to check, in the order of Expected.
  std::function<std::vector<TBlock*>(struct BlockGeometryTest&)> Build;
  std::vector<Boxes> Expected;
};

struct BlockGeometryTest : BlockFixture, ::testing::WithParamInterface<GeometryCase> {
  Boxes Measure(TBlock& block) {
    return {block.BorderRect,
            TRect{block.ContentLeft + XOf(block), block.ContentTop, block.ContentLeft + XOf(block) + block.ContentWidth,
                  block.ContentBottom},
            block.SectionTop, block.SectionBottom};
  }
  // The X at which the block's owner laid it out: the content edge of the containing block.
  int XOf(TBlock& block) {
    if (block.IsAbsolute()) return block.LeftOffset;
    for (TBlock* b = block.ContainingBlock; b;) return b->ContentLeft + XOf(*b);
    return 0;
  }
};

std::string NameOf(const ::testing::TestParamInfo<GeometryCase>& info) { return info.param.Name; }

TEST_P(BlockGeometryTest, BoxesFollowFromTheBoxProperties) {
  std::vector<TBlock*> blocks = GetParam().Build(*this);
  LayOut(500);
  TBitmap target(500, 400, pf24bit);
  document.Draw(target.Canvas(), TRect{0, 0, 500, 400}, 500, 0, 0, 0, 0);
  ASSERT_EQ(blocks.size(), GetParam().Expected.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    SCOPED_TRACE(i);
    const Boxes got = Measure(*blocks[i]);
    const Boxes& want = GetParam().Expected[i];
    EXPECT_EQ(got.Border, want.Border);
    EXPECT_EQ(got.Content, want.Content);
    EXPECT_EQ(got.MarginTop, want.MarginTop);
    EXPECT_EQ(got.MarginBottom, want.MarginBottom);
  }
}

using F = BlockGeometryTest;
INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockGeometryTest,
    ::testing::Values(
        // margin 10, border 2, padding 5 around a block with margin 4, padding 1 and height 20.
        GeometryCase{"Nested",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& outer = f.AddBlock(f.document, u"div",
                                                  u"margin: 10px; border: 2px solid black; padding: 5px");
                       TBlock& inner = f.AddBlock(*outer.ContentCell, u"div", u"margin: 4px; padding: 1px; height: 20px");
                       return {&outer, &inner};
                     },
                     {{{10, 10, 490, 54}, {17, 17, 483, 47}, 0, 64}, {{21, 21, 479, 43}, {22, 22, 478, 42}, 17, 47}}},
        GeometryCase{"PercentWidth",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div", u"width: 50%; margin-left: 10px; height: 5px")};
                     },
                     {{{10, 0, 260, 5}, {10, 0, 260, 5}, 0, 5}}},
        GeometryCase{"AutoMarginsCentre",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div", u"width: 300px; margin-left: auto; margin-right: auto; "
                                                              u"height: 5px")};
                     },
                     {{{100, 0, 400, 5}, {100, 0, 400, 5}, 0, 5}}},
        GeometryCase{"AutoWidthFillsTheLine",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div", u"margin-left: 30px; padding-right: 20px; height: 5px")};
                     },
                     {{{30, 0, 500, 5}, {30, 0, 480, 5}, 0, 5}}},
        GeometryCase{"MaxWidthLimitsAutoWidth",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div", u"max-width: 200px; height: 5px")};
                     },
                     {{{0, 0, 200, 5}, {0, 0, 200, 5}, 0, 5}}},
        GeometryCase{"MinWidthRaisesExplicitWidth",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div", u"width: 100px; min-width: 150px; height: 5px")};
                     },
                     {{{0, 0, 150, 5}, {0, 0, 150, 5}, 0, 5}}},
        GeometryCase{"MinHeightRaisesExplicitHeight",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div", u"height: 10px; min-height: 30px")};
                     },
                     {{{0, 0, 500, 30}, {0, 0, 500, 30}, 0, 30}}},
        GeometryCase{"AdjacentMarginsCollapseToTheLarger",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& a = f.AddBlock(f.document, u"div", u"margin-bottom: 20px; height: 10px");
                       TBlock& b = f.AddBlock(f.document, u"div", u"margin-top: 10px; height: 10px");
                       return {&a, &b};
                     },
                     {{{0, 0, 500, 10}, {0, 0, 500, 10}, 0, 10}, {{0, 30, 500, 40}, {0, 30, 500, 40}, 10, 40}}},
        GeometryCase{"NegativeAndPositiveMarginsAdd",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& a = f.AddBlock(f.document, u"div", u"margin-bottom: -5px; height: 10px");
                       TBlock& b = f.AddBlock(f.document, u"div", u"margin-top: 10px; height: 10px");
                       return {&a, &b};
                     },
                     {{{0, 0, 500, 10}, {0, 0, 500, 10}, 0, 10}, {{0, 15, 500, 25}, {0, 15, 500, 25}, 10, 25}}},
        GeometryCase{"TwoNegativeMarginsTakeTheMoreNegative",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& a = f.AddBlock(f.document, u"div", u"margin-bottom: -5px; height: 20px");
                       TBlock& b = f.AddBlock(f.document, u"div", u"margin-top: -10px; height: 10px");
                       return {&a, &b};
                     },
                     {{{0, 0, 500, 20}, {0, 0, 500, 20}, 0, 20}, {{0, 10, 500, 20}, {0, 10, 500, 20}, 20, 20}}},
        GeometryCase{"FloatsLeftAndRightThenClearance",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& left = f.AddBlock(f.document, u"div", u"float: left; width: 100px; height: 50px");
                       TBlock& right = f.AddBlock(f.document, u"div", u"float: right; width: 80px; height: 30px");
                       TBlock& cleared = f.AddBlock(f.document, u"div", u"clear: both; height: 10px");
                       return {&left, &right, &cleared};
                     },
                     {{{0, 0, 100, 50}, {0, 0, 100, 50}, 0, 50},
                      {{420, 0, 500, 30}, {420, 0, 500, 30}, 0, 30},
                      {{0, 50, 500, 60}, {0, 50, 500, 60}, 0, 60}}},
        GeometryCase{"FloatShrinksToItsContent",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& left = f.AddBlock(f.document, u"div", u"float: left; padding: 3px");
                       f.AddFixed(*left.ContentCell, 12, 40, 120);
                       return {&left};
                     },
                     {{{0, 0, 126, 18}, {3, 3, 123, 15}, 0, 18}}},
        GeometryCase{"RelativeMovesThePaintNotTheFlow",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& moved = f.AddBlock(f.document, u"div",
                                                  u"position: relative; top: 10px; left: 20px; width: 100px; height: 10px");
                       TBlock& next = f.AddBlock(f.document, u"div", u"height: 10px");
                       return {&moved, &next};
                     },
                     {{{20, 10, 120, 20}, {0, 0, 100, 10}, 0, 10}, {{0, 10, 500, 20}, {0, 10, 500, 20}, 10, 20}}},
        GeometryCase{"AbsoluteAutoWidthFromItsOffset",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& placed = f.AddBlock(f.document, u"div",
                                                   u"position: absolute; top: 40px; left: 30px; height: 10px");
                       TBlock& next = f.AddBlock(f.document, u"div", u"height: 10px");
                       return {&placed, &next};
                     },
                     {{{30, 40, 500, 50}, {30, 40, 500, 50}, 40, 50}, {{0, 0, 500, 10}, {0, 0, 500, 10}, 0, 10}}},
        GeometryCase{"AbsoluteFromTheRight",
                     [](F& f) -> std::vector<TBlock*> {
                       return {&f.AddBlock(f.document, u"div",
                                           u"position: absolute; top: 0px; right: 50px; width: 100px; height: 10px")};
                     },
                     {{{350, 0, 450, 10}, {350, 0, 450, 10}, 0, 10}}},
        // An absolutely placed box is measured against the box it is placed from (the
        // document here), not against the narrower column that holds it: a side box beside
        // a column with a wide right margin lands in that margin, not over the column.
        GeometryCase{"AbsoluteFromTheRightOfANarrowColumn",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& column = f.AddBlock(f.document, u"div", u"margin-right: 200px");
                       f.AddFixed(*column.ContentCell, 40);
                       TBlock& side = f.AddBlock(*column.ContentCell, u"div",
                                                 u"position: absolute; top: 10px; right: 10px; width: 150px; height: 20px");
                       return {&column, &side};
                     },
                     {{{0, 0, 300, 40}, {0, 0, 300, 40}, 0, 40}, {{340, 10, 490, 30}, {340, 10, 490, 30}, 10, 30}}},
        GeometryCase{"AbsoluteAutoWidthAndPercentInANarrowColumn",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& column = f.AddBlock(f.document, u"div", u"margin-right: 200px");
                       TBlock& fill = f.AddBlock(*column.ContentCell, u"div",
                                                 u"position: absolute; top: 0px; left: 30px; height: 10px");
                       TBlock& half = f.AddBlock(*column.ContentCell, u"div",
                                                 u"position: absolute; top: 20px; right: 0px; width: 50%; height: 10px");
                       return {&fill, &half};
                     },
                     {{{30, 0, 500, 10}, {30, 0, 500, 10}, 0, 10}, {{250, 20, 500, 30}, {250, 20, 500, 30}, 20, 30}}},
        // The nearest positioned ancestor gives the origin and the width: a relatively placed
        // block its content box (X 50, 300 wide), an absolutely placed one its padding box
        // (X 22, 310 wide).
        GeometryCase{"AbsoluteInARelativeBlock",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& origin = f.AddBlock(f.document, u"div",
                                                   u"position: relative; margin-left: 50px; width: 300px; height: 60px");
                       TBlock& column = f.AddBlock(*origin.ContentCell, u"div", u"margin-right: 200px");
                       TBlock& side = f.AddBlock(*column.ContentCell, u"div",
                                                 u"position: absolute; top: 0px; right: 10px; width: 50px; height: 10px");
                       return {&side};
                     },
                     {{{290, 0, 340, 10}, {240, 0, 290, 10}, 0, 10}}},
        GeometryCase{"AbsoluteInAnAbsoluteBlock",
                     [](F& f) -> std::vector<TBlock*> {
                       TBlock& origin = f.AddBlock(f.document, u"div",
                                                   u"position: absolute; left: 20px; top: 5px; width: 300px; "
                                                   u"height: 50px; padding: 5px; border: 2px solid black");
                       TBlock& side = f.AddBlock(*origin.ContentCell, u"div",
                                                 u"position: absolute; top: 0px; right: 0px; width: 50px; height: 10px");
                       return {&origin, &side};
                     },
                     {{{20, 5, 334, 69}, {27, 12, 327, 62}, 5, 69}, {{282, 7, 332, 17}, {260, 7, 310, 17}, 7, 17}}}),
    NameOf);

TEST_F(BlockFixture, AbsoluteAutoWidthIsTheSameOnEveryLayout) {
  TBlock& placed = AddBlock(document, u"div", u"position: absolute; left: 30px; top: 0px; height: 10px");
  LayOut(500);
  const int first = placed.ContentWidth;
  LayOut(500);
  LayOut(500);
  EXPECT_EQ(first, 470);
  EXPECT_EQ(placed.ContentWidth, first);
}

TEST_F(BlockFixture, ZIndexOrdersTheDrawList) {
  TBlock& outer = AddBlock(document, u"div", u"");
  TBlock& a = AddBlock(*outer.ContentCell, u"div", u"position: relative; z-index: -1");
  TBlock& b = AddBlock(*outer.ContentCell, u"div", u"");
  TBlock& c = AddBlock(*outer.ContentCell, u"div", u"");
  TBlock& d = AddBlock(*outer.ContentCell, u"div", u"position: relative; z-index: 2");
  TBlock& e = AddBlock(*outer.ContentCell, u"div", u"position: relative; z-index: 1");
  LayOut();
  const std::vector<TSectionBase*> expected{&a, &b, &c, &e, &d};
  EXPECT_EQ(outer.DrawList, expected);
  EXPECT_EQ(d.ZIndex, 20);
}

TEST_F(BlockFixture, HugeZIndexIsClamped) {
  TBlock& a = AddBlock(document, u"div", u"position: relative; z-index: 2000000000");
  TBlock& b = AddBlock(document, u"div", u"position: relative; z-index: -2000000000");
  EXPECT_EQ(a.ZIndex, AttributeLimit);
  EXPECT_EQ(b.ZIndex, -AttributeLimit);
}

TEST_F(BlockFixture, DisplayNoneTakesNoRoomAndAnswersNothing) {
  TBlock& hidden = AddBlock(document, u"div", u"display: none; height: 30px");
  AddFixed(*hidden.ContentCell, 10);
  TBlock& next = AddBlock(document, u"div", u"height: 10px");
  EXPECT_EQ(LayOut(), 10);
  EXPECT_EQ(next.SectionTop, 0);
  EXPECT_EQ(hidden.FindString(0, u"x", false), -1);
  EXPECT_EQ(hidden.SourceToCursor(100, false), -1);
}

TEST_F(BlockFixture, OverflowHiddenWithANarrowWidthIsIgnored) {
  TBlock& narrow = AddBlock(document, u"div", u"overflow: hidden; width: 20px");
  TBlock& wide = AddBlock(document, u"div", u"overflow: hidden; width: 40px");
  LayOut();
  EXPECT_FALSE(narrow.HidesOverflow());
  EXPECT_TRUE(wide.HidesOverflow());
}

TEST_F(BlockFixture, DeepNestingIsCutOffInsteadOfOverflowingTheStack) {
  TCellBasic* cell = &document;
  std::vector<TBlock*> chain;
  for (int i = 0; i < 2000; ++i) {
    TBlock& block = AddBlock(*cell, u"div", u"padding-top: 1px");
    chain.push_back(&block);
    cell = block.ContentCell.get();
  }
  const int height = LayOut();
  EXPECT_EQ(height, MaxBlockDepth + 1);  // the levels laid out and the first one cut off, 1 pixel each
  TBitmap target(50, 50, pf24bit);
  document.Draw(target.Canvas(), TRect{0, 0, 50, 50}, 50, 0, 0, 0, 0);
}

TEST_F(BlockFixture, MinMaxWidthAddsMarginsBordersAndPadding) {
  TBlock& block = AddBlock(document, u"div", u"margin-left: 7px; border-left: 3px solid red; padding-right: 4px");
  AddFixed(*block.ContentCell, 10, 50, 90);
  int minWidth = 0, maxWidth = 0;
  block.MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_EQ(minWidth, 64);
  EXPECT_EQ(maxWidth, 104);
  TBlock& fixed = AddBlock(document, u"div", u"width: 200px; padding: 5px");
  fixed.MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_EQ(minWidth, 210);
  EXPECT_EQ(maxWidth, 210);
}

TEST_F(BlockFixture, FreeingAContentSectionLeavesNoDanglingDrawEntry) {
  TBlock& outer = AddBlock(document, u"div", u"");
  AddFixed(*outer.ContentCell, 10);
  AddFixed(*outer.ContentCell, 10);
  LayOut();
  ASSERT_EQ(outer.DrawList.size(), 2u);
  outer.ContentCell->Delete(0);
  TBitmap target(50, 50, pf24bit);
  document.Draw(target.Canvas(), TRect{0, 0, 50, 50}, 50, 0, 0, 0, 0);
  ASSERT_EQ(outer.DrawList.size(), 1u);
  EXPECT_EQ(outer.DrawList[0], outer.ContentCell->Items(0));
}

}  // namespace

namespace {

TEST_F(BlockFixture, FirstChildOfBodyLosesTheMarginTheBodyAlreadyHas) {
  TBlock& body = AddBlock(document, u"body", u"margin-top: 8px");
  TBlock& first = AddBlock(*body.ContentCell, u"div", u"margin-top: 8px");
  TBlock& deeper = AddBlock(*body.ContentCell, u"div", u"margin-top: 3px");
  EXPECT_EQ(first.BoxAt(MarginTop), 0);
  EXPECT_EQ(deeper.BoxAt(MarginTop), 3);
}

TEST_F(BlockFixture, ListAfterTextInAnItemLosesTheDefaultGap) {
  TBlock& item = AddBlock(document, u"li", u"");
  item.ContentCell->AddSection(std::make_unique<TTextLikeSection>(&document, false, nullptr), 0);
  TProperties& props = Push(u"ul");
  props.Values[MarginTop] = ParaGapSentinel;
  auto gapped = std::make_unique<TBlock>(&document, nullptr, item.ContentCell.get(), props);
  Pop();
  EXPECT_EQ(gapped->BoxAt(MarginTop), 0);
  AddBlock(document, u"div", u"");
  TProperties& paragraph = Push(u"p");
  paragraph.Values[MarginTop] = ParaGapSentinel;
  auto afterBlock = std::make_unique<TBlock>(&document, nullptr, &document, paragraph);
  Pop();
  EXPECT_EQ(afterBlock->BoxAt(MarginTop), 14);  // the default paragraph gap
}

}  // namespace
