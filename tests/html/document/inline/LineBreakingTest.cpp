#include <sstream>

#include "html/document/floats/ImageObj.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/viewer/ViewerBase.h"
#include "tests/html/document/inline/SectionFixture.h"

namespace {

const String Prose =
    u"The river keeps its own time, slow in the summer and quick when the snow melts in "
    u"the hills; the ferry waits for it, and so do the people who cross on the ferry each "
    u"morning with their baskets, their bicycles and their news of the town on the other bank.";

std::vector<String> Words(const String& text) {
  std::vector<String> words;
  String word;
  for (Char c : text) {
    if (c == u' ' || c == ObjectChar) {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

String Join(const std::vector<String>& words) {
  String s;
  for (const String& w : words) s += (s.empty() ? u"" : u" ") + w;
  return s;
}

String WithoutPlaceholders(String s) {
  std::erase(s, ObjectChar);
  return s;
}

struct LineBreaking : SectionFixture {
  // What each line should hold: as many words as fit between the edges the indent
  // manager gives at the line's Y, each line as high as the font.
  std::vector<String> GreedyLines(const TSection& section, const String& text, int y) {
    const std::vector<String> words = Words(text);
    const int lineHeight = section.Fonts.Items(0)->LineExtent;
    std::vector<String> lines;
    size_t i = 0;
    bool first = true;
    while (i < words.size()) {
      const int left = indents.LeftEdgeAt(y) + (first ? section.FirstLineIndent : 0);
      const int available = indents.RightEdgeAt(y) - left;
      std::vector<String> line = {words[i++]};
      while (i < words.size()) {
        std::vector<String> longer = line;
        longer.push_back(words[i]);
        if (Measure(section, Join(longer)) > available) break;
        line = longer;
        ++i;
      }
      lines.push_back(Join(line));
      y += lineHeight;
      first = false;
    }
    return lines;
  }

  // The lines laid out, each with its edges checked against the indent manager.
  void ExpectLines(const TSection& section, const std::vector<String>& expected, int y, int x = 0) {
    ASSERT_EQ(section.Lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      const LineRec& line = *section.Lines[i];
      EXPECT_EQ(WithoutPlaceholders(WithoutTrailingSpaces(LineText(section, line))), expected[i]) << "line " << i;
      const int left = indents.LeftEdgeAt(y) + (i == 0 ? section.FirstLineIndent : 0);
      EXPECT_EQ(line.LineIndent, left - x) << "line " << i;
      EXPECT_EQ(line.AvailableWidth, indents.RightEdgeAt(y) - left) << "line " << i;
      y += line.TotalHeight();
    }
  }

  std::unique_ptr<TAttributeList> ImageAttributes(const char16_t* align, int width, int height) {
    auto attributes = std::make_unique<TAttributeList>();
    attributes->Add(new TAttribute(AlignAttrSy, 0, u"ALIGN", align, 1252));
    attributes->Add(new TAttribute(WidthAttrSy, width, u"WIDTH", S(std::to_string(width)), 1252));
    attributes->Add(new TAttribute(HeightAttrSy, height, u"HEIGHT", S(std::to_string(height)), 1252));
    return attributes;
  }
};

TEST_F(LineBreaking, BetweenBlockEdges) {
  for (int width : {150, 233, 400, 700}) {
    auto section = FinishedSection(Prose);
    BeginArea(width);
    const int height = LayOut(*section, width, 10);
    ExpectLines(*section, GreedyLines(*section, Prose, 10), 10);
    EXPECT_EQ(height, static_cast<int>(section->Lines.size()) * section->Fonts.Items(0)->LineExtent);
    EXPECT_EQ(section->SectionBottom, 10 + height);
  }
}

TEST_F(LineBreaking, LinesAwaitTheirBorderBoxesWhenTheDocumentHasInlineBorders) {
  for (bool borders : {false, true}) {
    if (borders) document.InlineList.Add(new InlineRec());
    auto section = FinishedSection(Prose);
    BeginArea(300);
    LayOut(*section, 300);
    for (const auto& line : section->Lines) EXPECT_EQ(line->BordersPending, borders);
  }
}

TEST_F(LineBreaking, AroundFloatsOfEarlierSections) {
  auto section = FinishedSection(Prose);
  BeginArea(400);
  indents.ReserveLeft(0, 45, 120);    // a left float down to Y 45
  indents.ReserveRight(20, 80, 90);  // a right float from Y 20 down to 80
  LayOut(*section, 400);
  ExpectLines(*section, GreedyLines(*section, Prose, 0), 0);
  EXPECT_EQ(section->Lines[0]->LineIndent, 120);
  EXPECT_EQ(section->Lines[0]->AvailableWidth, 280);
  EXPECT_EQ(section->Lines[2]->AvailableWidth, 190);  // beside both floats
}

TEST_F(LineBreaking, ClearBothStartsBelowTheLowerFloat) {
  auto section = FinishedSection(Prose);
  section->ClearSide = 3;
  BeginArea(400);
  indents.ReserveLeft(0, 45, 120);
  indents.ReserveRight(20, 80, 90);
  LayOut(*section, 400, 5);
  ASSERT_GE(section->Lines.size(), 2u);
  EXPECT_EQ(section->Lines[0]->CharCount, 0);
  EXPECT_EQ(section->Lines[0]->TotalHeight(), 80 - 5);
  EXPECT_EQ(section->Lines[1]->LineIndent, 0);
  EXPECT_EQ(section->Lines[1]->AvailableWidth, 400);
}

TEST_F(LineBreaking, FloatingImagesInTheText) {
  for (const char16_t* align : {u"LEFT", u"RIGHT"}) {
    auto section = NewSection();
    AddText(*section, u"First words ");
    auto attributes = ImageAttributes(align, 100, 60);
    TImageObj* image = section->AddImage(*attributes, nullptr, 12);
    AddText(*section, u" " + Prose, 13);
    section->FinishText(500);
    BeginArea(400);
    LayOut(*section, 400);
    // The float met in mid-line was placed at the line's top and the line started again,
    // narrower; the float's reservation stays in the manager for the lines below.
    EXPECT_EQ(image->BoxWidth, 100);
    EXPECT_EQ(image->DrawTop, image->SpaceTop);
    const bool left = String(align) == u"LEFT";
    EXPECT_EQ(image->FloatLeft, (left ? 0 : 400 - image->TotalWidth()) + image->SpaceLeft) << Utf8(align);
    EXPECT_EQ(indents.LeftEdgeAt(0), left ? image->TotalWidth() : 0);
    ExpectLines(*section, GreedyLines(*section, u"First words " + Prose, 0), 0);
    EXPECT_EQ(section->DrawHeight, std::max(section->SectionHeight, image->TotalHeight()));
  }
}

TEST_F(LineBreaking, Alignment) {
  for (const char16_t* align : {u"center", u"right", u"justify"}) {
    Push(u"div").Values[TextAlign] = String(align);
    auto section = FinishedSection(Prose);
    Pop();
    BeginArea(390, 15);  // the section's X is 15 too
    LayOut(*section, 390, 0, 15);
    ASSERT_GT(section->Lines.size(), 2u);
    for (size_t i = 0; i < section->Lines.size(); ++i) {
      const LineRec& line = *section->Lines[i];
      const String text = WithoutTrailingSpaces(LineText(*section, line));
      const int width = Measure(*section, text);
      const int left = 15, right = 15 + 390;
      const bool last = i + 1 == section->Lines.size();
      if (String(align) == u"center") {
        EXPECT_EQ(line.LineIndent, (right + left - width) / 2 - 15) << i;
      } else if (String(align) == u"right") {
        EXPECT_EQ(line.LineIndent, right - 15 - width) << i;
      } else {
        EXPECT_EQ(line.LineIndent, 0) << i;
        EXPECT_EQ(line.ExtraWidth, last ? 0 : 390 - width) << i;
        EXPECT_EQ(line.SpaceCount, last ? 0 : std::count(text.begin(), text.end(), u' ')) << i;
        if (!last) {
          // Drawn with this justification, the line reaches the right edge.
          TDeviceContext& dc = SelectRunFont(canvas, *section->Fonts.Items(0)->RunFont);
          dc.SetTextJustification(line.ExtraWidth, line.SpaceCount);
          EXPECT_EQ(dc.GetTextExtentPoint32(text).cx, line.AvailableWidth) << i;
          dc.SetTextJustification(0, 0);
        }
      }
    }
  }
}

TEST_F(LineBreaking, LetterSpacingIsMeasured) {
  // Each character is 2em wider: the widest character alone no longer bounds the line.
  Push(u"span").Values[LetterSpacing] = String(u"2em");
  const String text = u"MM MM MM MM MM MM MM MM";
  auto section = FinishedSection(text);
  Pop();
  const TFontObj& run = *section->Fonts.Items(0);
  ASSERT_GT(run.RunFont->SpacingPixels, 0);
  const int width = run.WidestChar * static_cast<int>(section->Text.size());
  BeginArea(width);
  LayOut(*section, width);
  ExpectLines(*section, GreedyLines(*section, text, 0), 0);
  EXPECT_GT(section->Lines.size(), 1u);
}

TEST_F(LineBreaking, LongWords) {
  const String text = u"a Donaudampfschifffahrtsgesellschaftskapitänsmütze b";
  for (bool breakWord : {false, true}) {
    auto section = FinishedSection(text);
    section->BreakWord = breakWord;
    const int width = Measure(*section, u"Donaudampf");
    BeginArea(width);
    int cursor = 0, maxWidth = 0;
    section->Layout(canvas, 0, cursor, maxWidth, indents, 0, 0, width, 0, 0, 0);
    ASSERT_GE(section->Lines.size(), 3u);
    const String second = LineText(*section, *section->Lines[1]);
    if (!breakWord) {
      // The word stays whole and widens the section.
      EXPECT_EQ(second, u"Donaudampfschifffahrtsgesellschaftskapitänsmütze ");
      EXPECT_EQ(maxWidth, Measure(*section, WithoutTrailingSpaces(second)));
    } else {
      EXPECT_EQ(second, u"Donaudampf");
      EXPECT_EQ(maxWidth, width);
    }
  }
}

TEST_F(LineBreaking, ForcedBreaksEndLines) {
  auto section = NewSection();
  AddText(*section, u"one two");
  section->AddChar(ForcedBreakChar, 7);
  AddText(*section, u" three", 8);
  section->FinishText(14);
  EXPECT_EQ(section->Text, u"one two\x08three ");
  BeginArea(700);
  LayOut(*section, 700);
  ASSERT_EQ(section->Lines.size(), 2u);
  EXPECT_EQ(LineText(*section, *section->Lines[0]), u"one two\x08");
  EXPECT_EQ(LineText(*section, *section->Lines[1]), u"three ");
}

TEST_F(LineBreaking, LineHeight) {
  for (const char16_t* lineHeight : {u"40px", u"8px"}) {
    Push(u"div").Values[LineHeight] = String(lineHeight);
    auto section = FinishedSection(Prose);
    Pop();
    BeginArea(300);
    const int height = LayOut(*section, 300);
    const int fontHeight = section->Fonts.Items(0)->LineExtent;
    const int surplus = section->LineHeight - fontHeight;
    for (const auto& line : section->Lines) {
      if (surplus > 0) {
        EXPECT_EQ(line->SpaceBefore, surplus);
        EXPECT_EQ(line->SpaceAfter, 0);
      } else {
        EXPECT_EQ(line->SpaceBefore, surplus / 2);  // negative: the lines overlap
        EXPECT_EQ(line->SpaceAfter, surplus - surplus / 2);
      }
    }
    EXPECT_EQ(height, static_cast<int>(section->Lines.size()) * section->LineHeight);
  }
}

TEST_F(LineBreaking, EmptySectionLaysOutToItsClearDrop) {
  auto section = FinishedSection(u"");
  section->ClearSide = 1;
  BeginArea(400);
  indents.ReserveLeft(0, 45, 120);
  EXPECT_EQ(LayOut(*section, 400, 10), 35);
  EXPECT_TRUE(section->Lines.empty());
}

TEST_F(LineBreaking, MinMaxWidth) {
  auto section = FinishedSection(u"short longestword x-ray mid");
  int minWidth = 0, maxWidth = 0;
  section->MinMaxWidth(canvas, minWidth, maxWidth);
  EXPECT_EQ(minWidth, Measure(*section, u"longestword"));
  EXPECT_EQ(maxWidth, Measure(*section, u"short longestword x-ray mid"));
  section->BreakWord = true;
  section->CachedMinWidth = 0;
  section->MinMaxWidth(canvas, minWidth, maxWidth);
  int widest = 0;
  for (Char c : String(u"shortlongestwordx-raymid")) widest = std::max(widest, Measure(*section, String(1, c)));
  EXPECT_EQ(minWidth, widest);
}

TEST_F(LineBreaking, SurrogatePairsAreNeverSplit) {
  // CJK characters outside the basic plane, each a break character of its own, a no-break
  // run of them, one after a soft hyphen, and emoji in a word.
  String text;
  for (int i = 0; i < 12; ++i) text += i % 3 == 0 ? u"\U0002000B" : u"\U00020001";
  text += u" a\U0001F600b\U0001F601c\u00AD\U00020002\u00ADd ";
  auto section = NewSection();
  AddText(*section, text);
  document.NoBreak = true;
  AddText(*section, u"\U00020003\U00020004\U00020005\U00020006", 100);
  document.NoBreak = false;
  AddText(*section, u" end", 200);
  section->FinishText(300);
  const int length = static_cast<int>(section->Text.size());
  for (bool breakWord : {false, true}) {
    section->BreakWord = breakWord;
    for (int width = 1; width <= 120; ++width) {
      BeginArea(width);
      LayOut(*section, width);
      int covered = 0;
      for (const auto& line : section->Lines) {
        EXPECT_FALSE(IsPairTail(section->Text, line->Start)) << width;
        EXPECT_FALSE(IsPairTail(section->Text, line->Start + line->CharCount)) << width;
        covered += line->CharCount;
      }
      EXPECT_EQ(covered, length) << width;
    }
  }
  for (int start = 0; start < length; start = CharBoundaryAtOrAfter(section->Text, start + 1))
    for (int width = 0; width <= 80; width += 3) {
      const int count = section->CountThatFits(canvas, width, length - start, start);
      EXPECT_FALSE(IsPairTail(section->Text, start + count)) << start << " " << width;
    }
  int minWidth = 0, maxWidth = 0;
  section->CachedMinWidth = 0;
  section->MinMaxWidth(canvas, minWidth, maxWidth);  // BreakWord: the widest character, a pair measured whole
  int widest = 0;
  for (int i = 0; i < length; i += CharUnitsAt(section->Text, i))
    widest = std::max(widest, Measure(*section, section->Text.substr(static_cast<size_t>(i),
                                                                     static_cast<size_t>(CharUnitsAt(section->Text, i)))));
  EXPECT_EQ(minWidth, widest);
}

struct ProgressViewer : TMarkupViewerBase {
  ProgressViewer() : TMarkupViewerBase(nullptr) {}
  void ResolveFileName(const String& name, String& fullName) override { fullName = name; }
  bool DrawsFocusRect() override { return false; }
  void HoverFormControl(TComponent*, TShiftState, int, int) override {}
  void ReportProgress(int percent) override { Reports.push_back(percent); }
  std::vector<int> Reports;
};

TEST_F(LineBreaking, EveryFiftiethSectionReportsProgressOncePerPass) {
  ProgressViewer viewer;
  document.Viewer = &viewer;
  auto fiftieth = FinishedSection(u"x");
  auto other = FinishedSection(u"y");
  fiftieth->SectionNumber = 50;
  other->SectionNumber = 49;
  document.SectionCount = 100;
  document.ProgressStart = 20;
  BeginArea(300);
  for (int pass = 1; pass <= 2; ++pass) {
    document.LayoutPass = pass;
    LayOut(*fiftieth, 300);
    LayOut(*fiftieth, 300);
    LayOut(*other, 300);
  }
  EXPECT_EQ(viewer.Reports, (std::vector<int>{60, 60}));  // 50 x (100 - 20) / 100 + 20
  document.Viewer = nullptr;
}

}  // namespace
