// The viewer's scrolling keys and the wheel: the steps they move by, the modifiers they
// need, the clamping at both ends.
#include <gtest/gtest.h>

#include "platform/ui/app/Clipboard.h"
#include "platform/ui/app/Mouse.h"
#include "tests/html/document/viewer/ViewerInput.h"

namespace {

enum Target { Start, StartPlusSmall, StartMinusSmall, StartPlusLarge, StartMinusLarge, Top, Bottom };

struct KeyCase {
  const char* name;
  uint16_t key;
  TShiftState shift;
  int start;
  Target expected;
};

class ViewerKey : public ViewerInput, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ViewerKey, ScrollsByItsStep) {
  const KeyCase& c = GetParam();
  Show(LongPage());
  const int small = viewer->VScrollBar().SmallChange(), large = viewer->VScrollBar().LargeChange();
  const int bottom = viewer->MaxVertical - Panel().Height();
  ASSERT_EQ(small, 16);
  ASSERT_EQ(large, Panel().Height() - 16);
  ASSERT_GT(bottom, 1000);
  viewer->SetScrollPos(c.start);
  const int start = viewer->GetScrollPos();
  uint16_t key = c.key;
  viewer->KeyDown(key, c.shift);
  int expected = start;
  switch (c.expected) {
    case Start: break;
    case StartPlusSmall: expected = start + small; break;
    case StartMinusSmall: expected = start - small; break;
    case StartPlusLarge: expected = start + large; break;
    case StartMinusLarge: expected = start - large; break;
    case Top: expected = 0; break;
    case Bottom: expected = bottom; break;
  }
  EXPECT_EQ(viewer->GetScrollPos(), expected);
  EXPECT_EQ(Document().YOffset, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ViewerKey,
    ::testing::Values(KeyCase{"Down", VK_DOWN, 0, 100, StartPlusSmall}, KeyCase{"Up", VK_UP, 0, 100, StartMinusSmall},
                      KeyCase{"UpAtTop", VK_UP, 0, 0, Start},
                      KeyCase{"ShiftDown", VK_DOWN, ssShift, 100, Start},
                      KeyCase{"PageDown", VK_NEXT, 0, 100, StartPlusLarge},
                      KeyCase{"PageUp", VK_PRIOR, 0, 1000, StartMinusLarge},
                      KeyCase{"PageUpNearTop", VK_PRIOR, 0, 50, Top},
                      KeyCase{"Space", VK_SPACE, 0, 100, StartPlusLarge},
                      KeyCase{"ShiftSpace", VK_SPACE, ssShift, 1000, StartMinusLarge},
                      KeyCase{"CtrlSpace", VK_SPACE, ssCtrl, 1000, Start},
                      KeyCase{"End", VK_END, 0, 100, Start}, KeyCase{"CtrlEnd", VK_END, ssCtrl, 100, Bottom},
                      KeyCase{"Home", VK_HOME, 0, 1000, Start}, KeyCase{"CtrlHome", VK_HOME, ssCtrl, 1000, Top},
                      KeyCase{"DownAtBottom", VK_DOWN, 0, 1 << 20, Start}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

using ViewerKeys = ViewerInput;

TEST_F(ViewerKeys, LeftAndRightScrollSidewaysWithinTheDocumentWidth) {
  Show("<table width=\"1000\"><tr><td>wide</td></tr></table>");
  ASSERT_TRUE(viewer->HScrollBar().Visible());
  uint16_t key = VK_RIGHT;
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->HScrollBar().Position(), 15);
  key = VK_LEFT;
  viewer->KeyDown(key, 0);
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->HScrollBar().Position(), 0);
  for (int i = 0; i < 100; ++i) {
    key = VK_RIGHT;
    viewer->KeyDown(key, 0);
  }
  EXPECT_EQ(viewer->HScrollBar().Position(), viewer->HScrollBar().Max() - Panel().Width());
}

TEST_F(ViewerKeys, AKeyHandlerThatTakesTheKeyKeepsItFromScrolling) {
  Show(LongPage());
  viewer->OnKeyDown = [](TComponent*, uint16_t& key, TShiftState) { key = 0; };
  uint16_t key = VK_DOWN;
  viewer->KeyDown(key, 0);
  EXPECT_EQ(viewer->GetScrollPos(), 0);
}

TEST_F(ViewerKeys, AKeyEndsMiddleButtonScrollingInsteadOfScrolling) {
  Show(LongPage());
  Press(TPoint{100, 100}, TMouseButton::mbMiddle);
  uint16_t key = VK_DOWN;
  viewer->KeyDown(key, 0);
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsMiddleScroll));
  EXPECT_EQ(Panel().Cursor(), TCursor::crIBeam);
  EXPECT_EQ(viewer->GetScrollPos(), 0);
}

TEST_F(ViewerKeys, CtrlCCopiesTheSelection) {
  Show("<p>Alpha beta gamma</p>");
  Press(PointOf(u"beta"));
  Release(PointOf(u" gamma"));
  uint16_t key = u'C';
  viewer->KeyDown(key, ssCtrl);
  EXPECT_EQ(Clipboard().AsText(), u"beta");
}

struct WheelCase {
  int lines;
  int delta;
  int start;
  int expected;
};

class ViewerWheel : public ViewerInput, public ::testing::WithParamInterface<WheelCase> {
 protected:
  void TearDown() override { Mouse.WheelScrollLines = 3; }
};

TEST_P(ViewerWheel, ScrollsSixteenPixelsPerLine) {
  const WheelCase& c = GetParam();
  Show(LongPage());
  Mouse.WheelScrollLines = c.lines;
  viewer->SetScrollPos(c.start);
  // The wheel over the paint panel scrolls the viewer.
  EXPECT_TRUE(Panel().MouseWheel(0, c.delta, 10, 10));
  EXPECT_EQ(viewer->GetScrollPos(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Notches, ViewerWheel,
                         ::testing::Values(WheelCase{3, -120, 100, 148}, WheelCase{3, 120, 100, 52},
                                           WheelCase{1, -120, 100, 116}, WheelCase{3, 120, 20, 0},
                                           // No lines set: half the wheel's delta in pixels.
                                           WheelCase{0, -120, 100, 160}, WheelCase{0, 240, 200, 80},
                                           // Two notches in one event.
                                           WheelCase{3, -240, 100, 196}));

TEST_F(ViewerKeys, FineWheelStepsAddUpToANotch) {
  Show(LongPage());
  viewer->SetScrollPos(100);
  for (int i = 0; i < 3; ++i) viewer->MouseWheel(0, -40, 10, 10);
  EXPECT_EQ(viewer->GetScrollPos(), 148);
  viewer->MouseWheel(0, -40, 10, 10);
  EXPECT_EQ(viewer->GetScrollPos(), 148);
}

TEST_F(ViewerKeys, AWheelHandlerThatHandlesItKeepsTheViewerFromScrolling) {
  Show(LongPage());
  viewer->OnMouseWheel = [](TComponent* sender, TShiftState, int, int, int, bool& handled) {
    EXPECT_NE(sender, nullptr);
    handled = true;
  };
  EXPECT_TRUE(Panel().MouseWheel(0, -120, 10, 10));
  EXPECT_EQ(viewer->GetScrollPos(), 0);
}

}  // namespace
