// The mouse on the viewer's paint panel: selection by dragging, by shift-click and by double
// click, the clipboard, the link under the pointer and its hover timer, and auto-scrolling
// at the edges and with the middle button, on the manual clock.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/app/Clipboard.h"
#include "platform/ui/app/Timer.h"
#include "tests/html/document/viewer/ViewerInput.h"

namespace {

using ViewerSelection = ViewerInput;

TEST_F(ViewerSelection, DragSelectsTheTextBetweenPressAndReleaseAndCopiesIt) {
  Show("<p>Alpha beta gamma delta</p>");
  Press(PointOf(u"beta"));
  Move(PointOf(u"delta"), ssLeft);
  EXPECT_EQ(viewer->SelText(), u"beta gamma ");
  Release(EndOf(u"gamma"));
  EXPECT_EQ(viewer->SelText(), u"beta gamma");
  EXPECT_EQ(viewer->CaretPos, Document().SelectionEnd);

  viewer->CopyToClipboard();
  EXPECT_EQ(Clipboard().AsText(), u"beta gamma");
  // Dragging backwards selects the same way.
  Press(EndOf(u"delta"));
  Release(PointOf(u"gamma"), TMouseButton::mbLeft);
  EXPECT_EQ(viewer->SelText(), u"gamma delta");
}

TEST_F(ViewerSelection, ShiftClickSelectsFromTheCaret) {
  Show("<p>Alpha beta gamma delta</p>");
  Click(PointOf(u"beta"));
  EXPECT_EQ(viewer->SelText(), u"");
  Press(PointOf(u"delta"), TMouseButton::mbLeft, ssShift);
  Release(PointOf(u"delta"), TMouseButton::mbLeft, ssShift);
  EXPECT_EQ(viewer->SelText(), u"beta gamma ");
}

TEST_F(ViewerSelection, NoSelectKeepsTheSelectionEmpty) {
  Show("<p>Alpha beta gamma delta</p>");
  viewer->SetNoSelect(true);
  Press(PointOf(u"beta"));
  Move(PointOf(u"delta"), ssLeft);
  Release(PointOf(u"delta"));
  EXPECT_EQ(viewer->SelText(), u"");
  Panel().DblClickAt(ssLeft, 5, 5);
  EXPECT_EQ(viewer->SelText(), u"");
}

struct WordCase {
  const char* html;
  const char16_t* clicked;  // the text whose first character is double-clicked
  bool onLastCharacter;     // the right half of the last character of clicked instead
  const char16_t* word;
};

class DoubleClick : public ViewerInput, public ::testing::WithParamInterface<WordCase> {};

TEST_P(DoubleClick, SelectsTheWordUnderThePointer) {
  const WordCase& c = GetParam();
  Show(std::string("<p>") + c.html + "</p>");
  std::vector<String> doubles;
  viewer->LinkEvents.OnMouseDouble = [&](TComponent*, TMouseButton, TShiftState, int, int) { doubles.push_back(u""); };
  const TPoint p = c.onLastCharacter ? EndOf(c.clicked) : PointOf(c.clicked);
  Click(p);
  Panel().DblClickAt(ssLeft, p.X, p.Y);
  Release(p);
  EXPECT_EQ(viewer->SelText(), c.word);
  EXPECT_EQ(viewer->CaretPos, Document().SelectionStart);
  EXPECT_EQ(doubles.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Words, DoubleClick,
    ::testing::Values(WordCase{"plain words here", u"words", false, u"words"},
                      WordCase{"plain words here", u"words", true, u"words"},
                      // The hyphen is no word character: only the half clicked.
                      WordCase{"a well-known fact", u"known", false, u"known"},
                      WordCase{"a well-known fact", u"well", false, u"well"},
                      // Letters above U+00BF belong to the word.
                      WordCase{"Herr M&uuml;ller kommt", u"ller", false, u"M\u00FCller"},
                      WordCase{"order 4711, please", u"4711", false, u"4711"}));

TEST_F(ViewerSelection, DoubleClickOnSpaceSelectsNothing) {
  Show("<p>two  words</p>");
  const TPoint p = EndOf(u"two ");
  Click(p);
  Panel().DblClickAt(ssLeft, p.X, p.Y);
  EXPECT_EQ(viewer->SelText(), u"");
}

using ViewerHover = ViewerInput;

TEST_F(ViewerHover, LinkUnderThePointerGivesHandCursorEventAndHint) {
  Show("<p>Some text and <a href=\"other.html\" title=\"Go on\">a link</a> here.</p>");
  std::vector<String> covered;
  viewer->LinkEvents.OnHotSpotCovered = [&](TComponent*, const String& src) { covered.push_back(src); };

  Move(PointOf(u"text"));
  EXPECT_EQ(Panel().Cursor(), TCursor::crIBeam);
  EXPECT_FALSE(viewer->HoverTimer->Enabled());
  EXPECT_TRUE(covered.empty());

  Move(PointOf(u"a link", 2));
  EXPECT_EQ(Panel().Cursor(), TCursor::crHandPoint);
  EXPECT_EQ(viewer->LinkUrl, u"other.html");
  EXPECT_EQ(viewer->LinkText, u"a link");
  EXPECT_EQ(viewer->HoverTitle, u"Go on");
  EXPECT_EQ(Panel().Hint(), u"Go on");
  EXPECT_TRUE(viewer->HoverTimer->Enabled());
  EXPECT_NE(Document().HoverLink, nullptr);
  Move(PointOf(u"a link", 3));  // the same link: no new event
  EXPECT_EQ(covered, (std::vector<String>{u"other.html"}));

  Move(PointOf(u"here"));
  EXPECT_EQ(Panel().Cursor(), TCursor::crIBeam);
  EXPECT_EQ(covered, (std::vector<String>{u"other.html", u""}));
  EXPECT_FALSE(viewer->HoverTimer->Enabled());
  EXPECT_EQ(Panel().Hint(), u"");
}

TEST_F(ViewerHover, TimerDropsTheHoverStateOnlyOnceThePointerLeftThePanel) {
  Show("<p>Some text and <a href=\"other.html\">a link</a> here.</p>");
  viewer->SetHtOptions(viewer->HtOptions() | htOverLinksActive);
  Show("<p>Some text and <a href=\"other.html\">a link</a> here.</p>");
  std::vector<String> covered;
  viewer->LinkEvents.OnHotSpotCovered = [&](TComponent*, const String& src) { covered.push_back(src); };
  Move(PointOf(u"a link", 2));
  ASSERT_NE(Document().HoverLink, nullptr);
  EXPECT_TRUE(Document().HoverLink->IsHovered);

  // Still on the panel: the timer ticks and keeps everything.
  Pass(200);
  Pass(200);
  EXPECT_NE(Document().HoverLink, nullptr);
  EXPECT_TRUE(viewer->HoverTimer->Enabled());

  // Off the panel: the next tick, and not before, drops the hover state.
  Panel().MouseLeave();
  Pass(150);
  EXPECT_NE(Document().HoverLink, nullptr);
  Pass(50);
  EXPECT_EQ(Document().HoverLink, nullptr);
  EXPECT_FALSE(viewer->HoverTimer->Enabled());
  EXPECT_EQ(viewer->LinkUrl, u"");
  EXPECT_EQ(covered, (std::vector<String>{u"other.html", u""}));
}

TEST_F(ViewerHover, ImageEventsGiveThePointInTheImage) {
  const std::string gif = std::string(WENDREL_FIXTURES) + "/viewer/logo.gif";
  Show("<p><img src=\"" + gif + "\" width=\"90\" height=\"34\"> after</p>");
  std::vector<TPoint> over, clicked;
  viewer->LinkEvents.OnImageOver = [&](TComponent*, TIDObject* obj, TShiftState, int x, int y) {
    EXPECT_NE(obj, nullptr);
    over.push_back({x, y});
  };
  viewer->LinkEvents.OnImageClick = [&](TComponent*, TIDObject*, TMouseButton, TShiftState, int x, int y) {
    clicked.push_back({x, y});
  };
  TRightClickParameters right;
  viewer->LinkEvents.OnRightClick = [&](TComponent*, TRightClickParameters& p) { right = p; };
  const TPoint after = PointOf(u"after");
  // The image stands left of "after" on its line, 90 pixels wide.
  const TPoint inImage{after.X - 60, after.Y};
  Move(inImage);
  ASSERT_EQ(over.size(), 1u);
  EXPECT_EQ(Panel().Cursor(), TCursor::crArrow);
  Press(inImage, TMouseButton::mbRight);
  Release(inImage, TMouseButton::mbRight);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], over[0]);
  EXPECT_NE(right.ClickedImage, nullptr);
  EXPECT_EQ(TPoint(right.ClickImageX, right.ClickImageY), over[0]);
  EXPECT_GE(over[0].X, 0);
  EXPECT_LT(over[0].X, 90);
  EXPECT_TRUE(viewer->HoverTimer->Enabled());  // started again after the event

  Press(after, TMouseButton::mbRight);
  Release(after, TMouseButton::mbRight);
  EXPECT_EQ(right.ClickedImage, nullptr);
  EXPECT_EQ(right.ClickedWord, u"after");
}

using ViewerAutoScroll = ViewerInput;

TEST_F(ViewerAutoScroll, DraggingBelowThePanelScrollsEveryHundredMillisecondsUntilRelease) {
  Show(LongPage());
  const int height = Panel().Height();
  Press(PointOf(u"Paragraph 1 "));
  Move(TPoint{50, height + 5}, ssLeft);
  EXPECT_TRUE(viewer->HasState(TMarkupViewer::vsAutoScroll));
  app.ProcessMessages();  // the posted start: the first step at once
  EXPECT_EQ(viewer->GetScrollPos(), 16);
  Pass(25);
  Pass(25);
  EXPECT_EQ(viewer->GetScrollPos(), 16);
  Pass(50);
  EXPECT_EQ(viewer->GetScrollPos(), 32);
  EXPECT_GT(Document().SelectionEnd, Document().SelectionStart);  // the selection follows

  // More than 15 pixels below: eight steps at a time.
  Move(TPoint{50, height + 16}, ssLeft);
  Pass(100);
  EXPECT_EQ(viewer->GetScrollPos(), 32 + 128);

  Release(TPoint{50, height + 16});
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsAutoScroll));
  EXPECT_FALSE(viewer->AutoScrollTimer->Enabled());
  Pass(500);
  EXPECT_EQ(viewer->GetScrollPos(), 160);
}

TEST_F(ViewerAutoScroll, DraggingAboveThePanelScrollsUpAndStopsWhenThePointerComesBack) {
  Show(LongPage());
  viewer->SetScrollPos(1000);
  Press(TPoint{50, 40});
  Move(TPoint{50, -5}, ssLeft);
  app.ProcessMessages();
  EXPECT_EQ(viewer->GetScrollPos(), 1000 - 16);
  Move(TPoint{50, -20}, ssLeft);
  Pass(100);
  EXPECT_EQ(viewer->GetScrollPos(), 1000 - 16 - 128);
  // Back inside: the next tick ends the scrolling.
  Move(TPoint{50, 40}, ssLeft);
  Pass(25);
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsAutoScroll));
  EXPECT_FALSE(viewer->AutoScrollTimer->Enabled());
  Pass(300);
  EXPECT_EQ(viewer->GetScrollPos(), 1000 - 16 - 128);
}

TEST_F(ViewerAutoScroll, StopsWhenTheWindowCloses) {
  Show(LongPage());
  Press(TPoint{50, 40});
  Move(TPoint{50, Panel().Height() + 30}, ssLeft);
  app.ProcessMessages();
  const int position = viewer->GetScrollPos();
  form->Hide();
  Pass(100);
  EXPECT_FALSE(viewer->AutoScrollTimer->Enabled());
  EXPECT_EQ(viewer->GetScrollPos(), position);
}

TEST_F(ViewerAutoScroll, MiddleButtonScrollsByAQuarterOfTheDistanceBeyondSixteen) {
  Show(LongPage());
  viewer->SetScrollPos(1000);
  Press(TPoint{100, 100}, TMouseButton::mbMiddle);
  EXPECT_EQ(Panel().Cursor(), TCursor::crScrollUpDown);
  Release(TPoint{100, 100}, TMouseButton::mbMiddle);  // a click without moving keeps the mode
  EXPECT_TRUE(viewer->HasState(TMarkupViewer::vsMiddleScroll));

  Move(TPoint{100, 115});  // within 20 pixels: nothing
  app.ProcessMessages();
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsAutoScroll));
  EXPECT_EQ(viewer->GetScrollPos(), 1000);

  Move(TPoint{100, 150});  // 50 below: (50 - 16) / 4 = 8 per step
  app.ProcessMessages();
  EXPECT_EQ(viewer->GetScrollPos(), 1008);
  EXPECT_EQ(Panel().Cursor(), TCursor::crScrollDownOnly);
  Pass(100);
  EXPECT_EQ(viewer->GetScrollPos(), 1016);

  Move(TPoint{100, 59});  // 41 above: (-41 + 16) / 4 = -6
  Pass(100);
  EXPECT_EQ(viewer->GetScrollPos(), 1010);
  EXPECT_EQ(Panel().Cursor(), TCursor::crScrollUpOnly);

  Move(TPoint{100, 95});  // back near the start: the scrolling pauses, the mode stays
  Pass(100);
  EXPECT_FALSE(viewer->AutoScrollTimer->Enabled());
  EXPECT_EQ(Panel().Cursor(), TCursor::crScrollUpDown);
  EXPECT_TRUE(viewer->HasState(TMarkupViewer::vsMiddleScroll));

  // The next press ends the mode.
  Press(TPoint{100, 95});
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsMiddleScroll));
  EXPECT_EQ(Panel().Cursor(), TCursor::crIBeam);
  Release(TPoint{100, 95});
  Move(TPoint{100, 200});
  Pass(200);
  EXPECT_EQ(viewer->GetScrollPos(), 1010);
}

TEST_F(ViewerAutoScroll, NoWheelMouseOptionKeepsTheMiddleButtonFromScrolling) {
  Show(LongPage());
  viewer->SetHtOptions(viewer->HtOptions() | htNoWheelMouse);
  Press(TPoint{100, 100}, TMouseButton::mbMiddle);
  EXPECT_FALSE(viewer->HasState(TMarkupViewer::vsMiddleScroll));
  EXPECT_FALSE(viewer->MouseWheel(0, -120, 10, 10));
}

}  // namespace
