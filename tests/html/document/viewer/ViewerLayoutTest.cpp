// Layout for the client area: which scroll bars a document gets at sizes around the size it
// needs, the width it is laid out at, and reading positions that survive a new layout.
#include <gtest/gtest.h>

#include "html/document/viewer/MarkupViewer.h"
#include "tests/html/document/TestSections.h"

namespace {

// A section that needs a fixed size and remembers the width it was given.
class TSizedSection : public TFixedSection {
 public:
  TSizedSection(ThtDocument* document, int height, int width, int* givenWidth)
      : TFixedSection(document, height), givenWidth_(givenWidth) {
    MaxWidth = MinWidth = width;
  }
  int Layout(TCanvas& canvas, int x, int& cursor, int& maxWidth, TIndentManager& indents, int availableHeight,
             int containingHeight, int availableWidth, int originY, int originX, int y) override {
    if (givenWidth_) *givenWidth_ = availableWidth;
    return TFixedSection::Layout(canvas, x, cursor, maxWidth, indents, availableHeight, containingHeight,
                                 availableWidth, originY, originX, y);
  }

 private:
  int* givenWidth_;
};

struct ViewerLayout : ::testing::Test {
  TMarkupViewer viewer{nullptr};
  int laidOutWidth = -1;

  void SetUp() override {
    viewer.SetBorderStyle(THTMLBorderStyle::htNone);
    viewer.SetBounds(0, 0, 300, 200);
  }
  TSizedSection& Add(int height, int width = 0) {
    auto section = std::make_unique<TSizedSection>(&viewer.Document(), height, width, &laidOutWidth);
    TSizedSection& result = *section;
    viewer.Document().AddSection(std::move(section), 0);
    return result;
  }
};

struct BarCase {
  TScrollStyle style;
  int height, width;  // what the document needs
  bool vbar, hbar;
  int panelWidth, panelHeight, layoutWidth;
};

class ScrollBarDecisions : public ViewerLayout, public ::testing::WithParamInterface<BarCase> {};

TEST_P(ScrollBarDecisions, BarsAndLayoutWidthFollowTheNeededSize) {
  const BarCase& c = GetParam();
  viewer.SetScrollBars(c.style);
  Add(c.height, c.width);
  // The first trial layout follows the recent documents; the outcome never does.
  for (int bias : {5, -5, 0}) {
    TMarkupViewer::VBarBias = bias;
    viewer.DoLayout();
    SCOPED_TRACE(bias);
    EXPECT_EQ(viewer.VScrollBar().Visible(), c.vbar);
    EXPECT_EQ(viewer.HScrollBar().Visible(), c.hbar);
    EXPECT_EQ(viewer.PaintPanel().Width(), c.panelWidth);
    EXPECT_EQ(viewer.PaintPanel().Height(), c.panelHeight);
    EXPECT_EQ(laidOutWidth, c.layoutWidth);
    EXPECT_EQ(viewer.MaxVertical, c.height);
  }
}

constexpr auto ssBoth = TScrollStyle::ssBoth;
constexpr auto ssVertical = TScrollStyle::ssVertical;
constexpr auto ssNone = TScrollStyle::ssNone;
constexpr auto ssHorizontal = TScrollStyle::ssHorizontal;

// The viewer is 300 x 200 without a frame; a bar is 17 pixels thick.
INSTANTIATE_TEST_SUITE_P(
    Sizes, ScrollBarDecisions,
    ::testing::Values(BarCase{ssBoth, 150, 100, false, false, 300, 200, 300},
                      BarCase{ssBoth, 200, 300, false, false, 300, 200, 300},
                      BarCase{ssBoth, 201, 100, true, false, 283, 200, 283},
                      BarCase{ssBoth, 150, 301, false, true, 300, 183, 300},
                      BarCase{ssBoth, 201, 283, true, false, 283, 200, 283},
                      BarCase{ssBoth, 201, 284, true, true, 283, 183, 283},
                      // The horizontal bar takes the room that makes the vertical one needed.
                      BarCase{ssBoth, 190, 301, true, true, 283, 183, 283},
                      BarCase{ssVertical, 199, 100, false, false, 300, 200, 300},
                      BarCase{ssVertical, 5000, 100, true, false, 283, 200, 283},
                      BarCase{ssVertical, 150, 900, false, false, 300, 200, 300},
                      BarCase{ssHorizontal, 5000, 301, false, true, 300, 183, 300},
                      BarCase{ssNone, 5000, 900, false, false, 300, 200, 300}));

TEST_F(ViewerLayout, AnAlwaysShownBarIsTakenOffTheWidthOnce) {
  viewer.SetHtOptions(viewer.HtOptions() | htShowVScroll);
  Add(50, 10);
  viewer.DoLayout();
  EXPECT_TRUE(viewer.VScrollBar().Visible());
  EXPECT_EQ(viewer.PaintPanel().Width(), 283);
  EXPECT_EQ(laidOutWidth, 283);
}

TEST_F(ViewerLayout, TheFrameTakesAPixelOnEachSide) {
  viewer.SetBorderStyle(THTMLBorderStyle::htSingle);
  Add(1000, 10);
  viewer.DoLayout();
  EXPECT_EQ(viewer.PaintPanel().Left(), 1);
  EXPECT_EQ(viewer.PaintPanel().Top(), 1);
  EXPECT_EQ(viewer.PaintPanel().Width(), 298 - 17);
  EXPECT_EQ(viewer.VScrollBar().Left(), 1 + 281);
  EXPECT_EQ(viewer.VScrollBar().Height(), 198);
}

TEST_F(ViewerLayout, BarsCoverTheDocumentAndScrollWithinIt) {
  Add(1000, 9000);
  viewer.DoLayout();
  EXPECT_EQ(viewer.HScrollBar().Max(), TMarkupViewer::MaxScrollWidth);
  EXPECT_EQ(viewer.HScrollBar().PageSize(), 283);
  EXPECT_EQ(viewer.VScrollBar().Max(), 1000);
  EXPECT_EQ(viewer.VScrollBar().PageSize(), 183);
  EXPECT_EQ(viewer.VScrollBar().LargeChange(), 183 - 16);
  viewer.ScrollTo(5000);
  EXPECT_EQ(viewer.GetScrollPos(), 1000 - 183);
  EXPECT_EQ(viewer.Document().YOffset, 1000 - 183);
  viewer.ScrollTo(-20);
  EXPECT_EQ(viewer.GetScrollPos(), 0);
  // The user's scrolling stops where the last page shows the end.
  viewer.VScrollBar().UserScroll(TScrollCode::scBottom);
  EXPECT_EQ(viewer.GetScrollPos(), 1000 - 183);
  EXPECT_EQ(viewer.Document().YOffset, 1000 - 183);
}

TEST_F(ViewerLayout, AResizeLaysTheDocumentOutAgainAndKeepsThePlace) {
  for (int i = 0; i < 20; ++i) Add(100, 50);
  viewer.DoLayout();
  viewer.ScrollTo(730);
  viewer.SetBounds(0, 0, 500, 400);
  EXPECT_EQ(laidOutWidth, 483);
  EXPECT_EQ(viewer.PaintPanel().Height(), 400);
  EXPECT_EQ(viewer.GetScrollPos(), 730);
}

// Reading positions: exact for any offset and any number of position objects.
struct PositionCase {
  int sections, sectionHeight, scrollTo;
};

class Positions : public ViewerLayout, public ::testing::WithParamInterface<PositionCase> {};

TEST_P(Positions, RoundTripAfterANewLayout) {
  const PositionCase& c = GetParam();
  for (int i = 0; i < c.sections; ++i) Add(c.sectionHeight, 10);
  viewer.DoLayout();
  viewer.ScrollTo(c.scrollTo);
  ASSERT_EQ(viewer.GetScrollPos(), c.scrollTo);
  const int64_t position = viewer.GetPosition();
  viewer.ScrollTo(0);
  viewer.SetBounds(0, 0, 400, 250);
  viewer.SetPosition(position);
  EXPECT_EQ(viewer.GetScrollPos(), c.scrollTo);
}

INSTANTIATE_TEST_SUITE_P(Documents, Positions,
                         ::testing::Values(PositionCase{10, 100, 150},
                                           // 80,000 pixels below the top of one section.
                                           PositionCase{1, 200000, 80000},
                                           // Beyond 32,767 position objects.
                                           PositionCase{40000, 3, 119701}));

TEST_F(ViewerLayout, PositionsOfTheOlderFormAreStillRead) {
  for (int i = 0; i < 5; ++i) Add(100, 10);
  viewer.DoLayout();
  viewer.SetPosition(3 * 65536 + 40);  // the third position object, 40 pixels below it
  EXPECT_EQ(viewer.GetScrollPos(), 240);
  viewer.SetPosition(120);  // a plain Y
  EXPECT_EQ(viewer.GetScrollPos(), 120);
  viewer.SetPosition(9 * 65536);  // beyond the list: nothing happens
  EXPECT_EQ(viewer.GetScrollPos(), 120);
}

}  // namespace
