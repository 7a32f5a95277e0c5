// Cursor positions, hit tests, source positions, find and selection copy over the lines of
// text sections laid out through the model.
#include <numeric>

#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/SelectionSinks.h"
#include "tests/html/document/inline/SectionFixture.h"

namespace {

struct TextCursor : SectionFixture {
  // Lays the section out at y and paints it once (lines learn where they are drawn).
  void LayOutAndPaint(TSection& section, int width, int x = 0, int y = 0) {
    BeginArea(width, x);
    LayOut(section, width, y, x);
    section.Draw(canvas, TRect{0, 0, 2000, 2000}, indents, x, 0, 0);
  }
  // The selection copied through the counting sink, then through the buffer sink with
  // exactly the counted room.
  String CopiedSelection(TSection& section, int start, int end) {
    document.SelectionStart = start;
    document.SelectionEnd = end;
    SelTextCount counter;
    document.SelectionSink = &counter;
    section.CopySelection();
    const int count = counter.Finish();
    std::vector<Char> buffer(static_cast<size_t>(count) + 1);
    SelTextBuf copier(buffer.data(), count + 1);
    document.SelectionSink = &copier;
    section.CopySelection();
    document.SelectionSink = nullptr;
    EXPECT_EQ(copier.Finish(), count + 1);
    return String(buffer.data(), static_cast<size_t>(count));
  }
};

// Each character start of the line: the cursor lies at the measured width of the text before
// it; a click there, or in the left half of the character, finds it again; a click in the
// right half finds the next one.
TEST_F(TextCursor, EveryCharacterOfALineRoundTrips) {
  const std::vector<String> lines = {u"Plain Latin text", u"Grüße aus Köln, Ähre", u"中文字符 mixed", u"smile 😀 and 😀😀 end"};
  for (const String& content : lines) {
    SCOPED_TRACE(Utf8(content));
    auto section = FinishedSection(content);
    LayOutAndPaint(*section, 2000, 7, 5);
    ASSERT_EQ(section->Lines.size(), 1u);
    const LineRec& line = *section->Lines[0];
    EXPECT_EQ(line.DrawX, 7);
    const int length = static_cast<int>(content.size());
    for (int i = 0; i <= length; ++i) {  // (the appended space follows the text)
      if (IsPairTail(content, i)) {
        // The middle of a pair answers the pair's start.
        int x = 0, y = 0;
        ASSERT_TRUE(section->CursorToXY(canvas, i, x, y));
        EXPECT_EQ(x, 7 + Measure(*section, content.substr(0, static_cast<size_t>(i - 1))));
        continue;
      }
      int x = 0, y = 0;
      ASSERT_TRUE(section->CursorToXY(canvas, i, x, y)) << i;
      EXPECT_EQ(x, 7 + Measure(*section, content.substr(0, static_cast<size_t>(i)))) << i;
      EXPECT_EQ(y, 5);
      bool onText = false;
      int lineHeight = 0, lineTop = 0, cursorX = 0;
      EXPECT_EQ(section->FindCursor(canvas, x, y + 2, onText, lineHeight, lineTop, cursorX), i) << i;
      EXPECT_EQ(cursorX, x);
      EXPECT_EQ(lineHeight, line.LineHeight);
      EXPECT_EQ(lineTop, 5 + line.SpaceBefore);
      if (i < length) {
        const int units = CharUnitsAt(content, i);
        const int width = Measure(*section, content.substr(static_cast<size_t>(i), static_cast<size_t>(units)));
        if (width >= 4) {
          EXPECT_EQ(section->FindCursor(canvas, x + width / 2 - 1, y + 2, onText, lineHeight, lineTop, cursorX), i) << i;
          EXPECT_TRUE(onText);
          EXPECT_EQ(section->FindCursor(canvas, x + width / 2 + 1, y + 2, onText, lineHeight, lineTop, cursorX), i + units)
              << i;
          EXPECT_EQ(cursorX, x + width);
        }
      }
    }
  }
}

TEST_F(TextCursor, PointsBesideTheLineAndAboveTheSection) {
  auto section = FinishedSection(u"Two words");
  LayOutAndPaint(*section, 400, 20, 10);
  bool onText = true;
  int lineHeight = 0, lineTop = 0, cursorX = 0;
  EXPECT_EQ(section->FindCursor(canvas, 15, 12, onText, lineHeight, lineTop, cursorX), 0);  // 5 pixels left
  EXPECT_FALSE(onText);
  EXPECT_EQ(section->FindCursor(canvas, 9, 12, onText, lineHeight, lineTop, cursorX), -1);  // 11 pixels left
  EXPECT_EQ(section->FindCursor(canvas, 30, 10, onText, lineHeight, lineTop, cursorX), -1);  // at the top
  EXPECT_EQ(section->FindCursor(canvas, 30, 10 + section->SectionHeight, onText, lineHeight, lineTop, cursorX), -1);
  int x = 0, y = 0;
  EXPECT_FALSE(section->CursorToXY(canvas, section->CursorLength + 1, x, y));
}

// Lines after the first: cursor positions count the characters of the earlier lines and Y
// adds their heights.
TEST_F(TextCursor, PositionsOnLaterLines) {
  auto section = FinishedSection(u"alpha beta gamma delta epsilon zeta eta theta");
  LayOutAndPaint(*section, Measure(*section, u"alpha beta gamma") + 2);
  ASSERT_GE(section->Lines.size(), 3u);
  int cursor = 0, top = 0;
  for (const auto& line : section->Lines) {
    int x = 0, y = 0;
    ASSERT_TRUE(section->CursorToXY(canvas, cursor + 1, x, y));
    EXPECT_EQ(y, top);
    EXPECT_EQ(x, Measure(*section, section->Text.substr(static_cast<size_t>(line->Start), 1)));
    bool onText = false;
    int lineHeight = 0, lineTop = 0, cursorX = 0;
    EXPECT_EQ(section->FindCursor(canvas, x, y + 1, onText, lineHeight, lineTop, cursorX), cursor + 1);
    cursor += line->CharCount;
    top += line->TotalHeight();
  }
}

// A justified line spreads its extra pixels over its spaces: the word after the last space
// that takes a share starts where the line's right edge leaves it, and cursors there round trip.
TEST_F(TextCursor, JustifiedLines) {
  auto section = FinishedSection(u"aa bb cc dd ee ff gg hh ii jj");
  section->Justify = 4;
  const int width = Measure(*section, u"aa bb cc dd ee") + 9;
  LayOutAndPaint(*section, width);
  ASSERT_GE(section->Lines.size(), 2u);
  const LineRec& line = *section->Lines[0];
  ASSERT_EQ(LineText(*section, line), u"aa bb cc dd ee ");
  ASSERT_EQ(line.SpaceCount, 4);
  EXPECT_EQ(line.ExtraWidth, width - Measure(*section, u"aa bb cc dd ee"));
  int x = 0, y = 0;
  ASSERT_TRUE(section->CursorToXY(canvas, 12, x, y));  // "ee"
  EXPECT_EQ(x, Measure(*section, u"aa bb cc dd ") + line.ExtraWidth);
  ASSERT_TRUE(section->CursorToXY(canvas, 3, x, y));  // "bb": the first space takes the larger share
  EXPECT_EQ(x, Measure(*section, u"aa ") + line.ExtraWidth / 4 + (line.ExtraWidth % 4 > 0 ? 1 : 0));
  bool onText = false;
  int lineHeight = 0, lineTop = 0, cursorX = 0;
  EXPECT_EQ(section->FindCursor(canvas, x, 1, onText, lineHeight, lineTop, cursorX), 3);
}

// A point over a link's characters answers its target (a copy for the caller) and the run's
// title; the run becomes the hover link. Plain text answers nothing.
TEST_F(TextCursor, LinksAndTitlesUnderThePoint) {
  TAttributeList none;
  TUrlTarget link;
  link.StartLink(u"http://127.0.0.1/a", u"", none, 0);
  auto section = NewSection();
  AddText(*section, u"see ");
  TProperties& a = Push(u"a");
  a.TitleText = u"Page A";
  section->ChangeLinkFont(true, a, link);
  AddText(*section, u"this", 4);
  Pop();
  section->ChangeLinkFont(false, *stack.TopProps(), TUrlTarget());
  AddText(*section, u" page", 8);
  section->FinishText(13);
  LayOutAndPaint(*section, 400, 0, 10);
  const int y = section->Lines[0]->DrawY + 2;
  String title;
  TFormControlObj* control = nullptr;
  std::unique_ptr<TUrlTarget> target;
  const int overLink = Measure(*section, u"see th");
  EXPECT_EQ(section->UrlAt(canvas, overLink, y, title, control, target), UrlAtLink | UrlAtTitle);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->LinkUrl, u"http://127.0.0.1/a");
  EXPECT_NE(target.get(), section->Fonts.Items(1)->LinkTarget);
  EXPECT_EQ(title, u"Page A");
  EXPECT_EQ(document.HoverLink, section->Fonts.Items(1));
  EXPECT_EQ(section->UrlAt(canvas, 2, y, title, control, target), 0);
  EXPECT_FALSE(target);
  EXPECT_EQ(section->UrlAt(canvas, overLink, section->Lines[0]->DrawY, title, control, target), 0);  // above it
}

TEST_F(TextCursor, SourceAndCursorPositions) {
  auto section = NewSection();
  AddText(*section, u"abc", 100);
  AddText(*section, u"def", 200);
  section->FinishText(300);  // "abcdef "
  section->StartCursor = 50;
  EXPECT_EQ(section->CursorToSource(50), 100);
  EXPECT_EQ(section->CursorToSource(54), 201);
  EXPECT_EQ(section->CursorToSource(56), 300);
  EXPECT_EQ(section->CursorToSource(57), -1);
  EXPECT_EQ(section->CursorToSource(49), -1);
  struct Case {
    int Source;
    bool Backward;
    int Cursor;
  };
  for (const Case& c : std::vector<Case>{{90, false, 50},  {101, false, 51}, {150, false, 53}, {202, false, 55},
                                         {301, false, -1}, {90, true, -1},   {150, true, 52},  {400, true, 56},
                                         {101, true, 51}}) {
    EXPECT_EQ(section->SourceToCursor(c.Source, c.Backward), c.Cursor) << c.Source << " " << c.Backward;
  }
  Char ch = 0;
  TIDObject* object = nullptr;
  EXPECT_TRUE(section->CharAt(53, ch, object));
  EXPECT_EQ(ch, u'd');
  EXPECT_EQ(object, section.get());
  EXPECT_FALSE(section->CharAt(57, ch, object));
}

TEST_F(TextCursor, FindForwardAndBackward) {
  auto section = FinishedSection(u"Ab ab AB 😀x ab");
  section->StartCursor = 10;
  struct Case {
    const char16_t* Needle;
    bool Backward, MatchCase;
    int From, Found;
  };
  const std::vector<Case> cases = {
      {u"ab", false, true, 0, 13},    {u"ab", false, false, 0, 10},   {u"ab", false, false, 11, 13},
      {u"AB", false, true, 0, 16},    {u"ab", false, true, 14, 23},   {u"zz", false, false, 0, -1},
      {u"ab", false, true, 25, -1},   {u"ab", true, true, 100, 23},   {u"ab", true, true, 22, 13},
      {u"ab", true, false, 16, 13},   {u"ab", true, false, 18, 16},   {u"ab", true, true, 9, -1},
      {u"x", true, true, 100, 21},    {u"😀x", false, true, 0, 19},   {u"\xDE00x", false, true, 0, -1},
      {u"\xDE00x", true, true, 100, -1}, {u"😀", true, true, 100, 19},
      {u"Ab ab AB 😀x ab and more", false, true, 0, -1}, {u"Ab ab AB 😀x ab and more", true, true, 100, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.Needle) + (c.Backward ? " back" : " forward") + (c.MatchCase ? " case" : ""));
    const String needle = c.Needle;
    EXPECT_EQ(c.Backward ? section->FindStringBack(c.From, needle, c.MatchCase)
                         : section->FindString(c.From, needle, c.MatchCase),
              c.Found);
  }
}

// A text far longer than any buffer: the last occurrence is found from either end, and a
// search that fails reads nothing outside the text (the sanitized build checks).
TEST_F(TextCursor, FindInALongText) {
  String text(300000, u'a');
  text += u"needle";
  auto section = FinishedSection(text);
  EXPECT_EQ(section->FindString(0, u"needle", true), 300000);
  EXPECT_EQ(section->FindStringBack(400000, u"needle", true), 300000);
  EXPECT_EQ(section->FindString(0, u"needles", true), -1);
  EXPECT_EQ(section->FindStringBack(300005, u"needle", true), -1);
}

// A two-line paragraph copies as its lines joined, without the space the section appended,
// and with CR LF when the selection goes on past it.
TEST_F(TextCursor, CopyingTheSelection) {
  auto section = FinishedSection(u"first line of text second line");
  LayOutAndPaint(*section, Measure(*section, u"first line of text") + 2);
  ASSERT_EQ(section->Lines.size(), 2u);
  const int length = section->CursorLength;
  EXPECT_EQ(CopiedSelection(*section, 0, length), u"first line of text second line");
  EXPECT_EQ(CopiedSelection(*section, 0, length + 5), u"first line of text second line\r\n");
  EXPECT_EQ(CopiedSelection(*section, 6, 25), u"line of text second");
  EXPECT_EQ(CopiedSelection(*section, 6, 6), u"");
}

TEST_F(TextCursor, CopyingNeverSplitsAPair) {
  auto section = FinishedSection(u"a😀b😀c");
  LayOutAndPaint(*section, 400);
  EXPECT_EQ(CopiedSelection(*section, 2, 4), u"😀b");  // starts inside the first pair
  EXPECT_EQ(CopiedSelection(*section, 3, 5), u"b😀");  // ends inside the second
  EXPECT_EQ(CopiedSelection(*section, 2, 3), u"😀");
}

// Five megabytes of text come out exactly through sinks sized by the count.
TEST_F(TextCursor, CopyingAWholeLargeSection) {
  String text;
  const String word = u"Wörter und 文字 ";
  while (text.size() < 2500000) text += word;
  text += u"end";
  auto section = FinishedSection(text);
  BeginArea(3000);
  LayOut(*section, 3000);
  EXPECT_EQ(CopiedSelection(*section, 0, section->CursorLength), text);
}

}  // namespace
