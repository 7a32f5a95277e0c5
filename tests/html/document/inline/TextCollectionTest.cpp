#include <set>

#include "html/document/floats/PanelObj.h"
#include "html/document/inline/WhiteSpaceFolding.h"
#include "html/foundation/shared/Attributes.h"
#include "html/foundation/shared/TextTokens.h"
#include "tests/html/document/inline/SectionFixture.h"

namespace {

// Texts write a floating object's placeholder as "F", an inline one as "I", a forced break
// as "B" and a soft hyphen as "~".
String Coded(const char* text) {
  String s;
  for (const char* p = text; *p; ++p) switch (*p) {
      case 'F': case 'I': s += ObjectChar; break;
      case 'B': s += ForcedBreakChar; break;
      case '~': s += Char(0x00AD); break;
      default: s += Char(*p);
    }
  return s;
}

TEST(FoldWhiteSpace, TableOfTexts) {
  struct {
    const char* Text;
    const char* Codes;
    const char* FoldedText;
    const char* FoldedCodes;
  } cases[] = {
      {"  a  b ", "yyyyyyy", "a b ", "yyyy"},
      {"a~b", "yyy", "ab", "sy"},
      {"a~b", "nyn", "ab", "nn"},        // no soft-hyphen break inside no-break text
      {"a~~b", "yyyy", "ab", "sy"},
      {"~ab", "yyy", "ab", "yy"},        // nothing before the soft hyphen
      {"a  b", "ynyy", "a b", "yyy"},    // the first space is no-break: the second stays
      {"a  b", "yyny", "a b", "yyy"},
      {"a   b", "ynnny", "a b", "yny"},  // all no-break: the last stays
      {"a F b", "yyyyy", "a Fb", "yyyy"},  // a space after a floating object goes
      {"a I b", "yyyyy", "a I b", "yyyyy"},
      {"a B b", "yyyyy", "aBb", "yyy"},
      {"ab B", "yyyy", "ab", "yy"},
      {"aB", "yy", "a", "y"},
      {"B", "y", "B", "y"},
      {"   ", "yyy", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    String text = Coded(c.Text);
    std::string codes = c.Codes;
    std::vector<int32_t> sources(text.size() + 10);
    for (size_t i = 0; i < sources.size(); ++i) sources[i] = 100 + static_cast<int>(i);
    std::set<int> floating;
    for (size_t i = 0; c.Text[i]; ++i)
      if (c.Text[i] == 'F') floating.insert(static_cast<int>(i));
    const auto newIndex = FoldWhiteSpace(text, codes, sources, [&](int i) { return floating.count(i) > 0; });
    EXPECT_EQ(text, Coded(c.FoldedText)) << c.Text;
    EXPECT_EQ(codes, c.FoldedCodes) << c.Text;
    // Every character that stayed took its source position along, and its index maps to it.
    const String original = Coded(c.Text);
    for (size_t k = 0; k < text.size(); ++k) {
      const size_t o = static_cast<size_t>(sources[k] - 100);
      EXPECT_EQ(text[k], original[o]) << c.Text << " at " << k;
      EXPECT_EQ(newIndex[o], static_cast<int>(k)) << c.Text << " at " << k;
    }
    EXPECT_EQ(newIndex.back(), static_cast<int>(text.size())) << c.Text;
  }
}

TEST(FoldWhiteSpace, PositionsMoveToTheNextRemainingCharacter) {
  String text = u"  a  b";
  std::string codes = "yyyyyy";
  std::vector<int32_t> sources = {0, 1, 2, 3, 4, 5};
  const auto newIndex = FoldWhiteSpace(text, codes, sources, [](int) { return false; });
  EXPECT_EQ(text, u"a b");
  EXPECT_EQ(newIndex, (std::vector<int>{0, 0, 0, 1, 2, 2, 3}));
  EXPECT_EQ(std::vector<int32_t>(sources.begin(), sources.begin() + 3), (std::vector<int32_t>{2, 3, 5}));
}

using TextCollection = SectionFixture;

TEST_F(TextCollection, FinishingAppendsASpaceAndCompressesSourcePositions) {
  auto section = FinishedSection(u"a  b");
  EXPECT_EQ(section->Text, u"a b ");
  EXPECT_EQ(section->BreakCodes, "yyyyy");  // one per character and the final one
  EXPECT_EQ(section->CursorLength, 4);
  ASSERT_EQ(section->SourceRuns.size(), 2u);  // 0, 1 | 3, then the end position 4
  EXPECT_EQ(section->SourceRuns[0].CharIndex, 0);
  EXPECT_EQ(section->SourceRuns[0].SourcePosition, 0);
  EXPECT_EQ(section->SourceRuns[1].CharIndex, 2);
  EXPECT_EQ(section->SourceRuns[1].SourcePosition, 3);
  // The collecting buffer's memory is given back, not only emptied: a document keeps many
  // thousands of sections.
  EXPECT_EQ(section->SourceIndexes.capacity(), 0u);
  EXPECT_EQ(section->SectionNumber, document.SectionCount);
}

// The parser's token is read straight into the section: a long text is not copied once
// more, nor left cached in the token.
TEST_F(TextCollection, ALongTextIsTakenFromTheTokenWithoutACopy) {
  TokenObj token;
  for (int i = 0; i < 100000; ++i) token.AppendChar(u'a', i);
  auto section = NewSection();
  section->AddTokenObj(token);
  EXPECT_EQ(section->Text, String(100000, u'a'));
  EXPECT_LT(token.CachedText.capacity(), 100000u);
}

TEST_F(TextCollection, ForcedBreakAloneStays) {
  auto section = NewSection();
  section->AddChar(ForcedBreakChar, 7);
  section->FinishText(8);
  EXPECT_EQ(section->Text, String(1, ForcedBreakChar));
  EXPECT_EQ(section->BreakCodes, "yy");
  BeginArea(300);
  EXPECT_EQ(LayOut(*section, 300), section->Fonts.Items(0)->LineExtent);  // one line of the font's height
}

TEST_F(TextCollection, EmptyTextIsEmptySection) {
  auto section = FinishedSection(u"   ");
  EXPECT_TRUE(section->Text.empty());
  EXPECT_TRUE(section->IsEmptyText());
  EXPECT_EQ(section->SourceIndexes.capacity(), 0u);
  EXPECT_EQ(section->SectionNumber, 0);
}

TEST_F(TextCollection, BreakCodes) {
  struct {
    bool NoBreak, Preformatted, BreakAfterFirst;
    const char* Text;
    const char* Codes;
  } cases[] = {
      {false, false, false, "ab cd", "yyyyyyy"},
      {true, false, false, "ab cd", "nnnnnny"},  // the final space is collected too, then the final "y"
      {false, true, false, "ab cd", "nnnnnny"},
      {false, false, true, "ab", "ayyy"},
  };
  for (const auto& c : cases) {
    document.NoBreak = c.NoBreak;
    auto section = NewSection();
    section->Preformatted = c.Preformatted;
    const String text = S(c.Text);
    AddText(*section, text.substr(0, 1));
    if (c.BreakAfterFirst) section->MarkBreakAfter();
    AddText(*section, text.substr(1), 1);
    section->FinishText(static_cast<int>(text.size()));
    EXPECT_EQ(section->BreakCodes, c.Codes) << c.Text;
  }
  document.NoBreak = false;
}

TEST_F(TextCollection, SoftHyphenBreaksWithAHyphen) {
  auto section = FinishedSection(u"Donau\u00ADdampf\u00ADschiff");
  EXPECT_EQ(section->Text, u"Donaudampfschiff ");
  EXPECT_EQ(section->BreakCodes[4], BreakSoftHyphen);
  EXPECT_EQ(section->BreakCodes[9], BreakSoftHyphen);
  const int width = Measure(*section, u"Donaudampf-");
  BeginArea(width);
  LayOut(*section, width);
  ASSERT_EQ(section->Lines.size(), 2u);
  EXPECT_EQ(LineText(*section, *section->Lines[0]), u"Donaudampf");
  EXPECT_TRUE(section->Lines[0]->Hyphenated);
  EXPECT_EQ(section->TextWidth, width);  // the hyphen counts
}

TEST_F(TextCollection, SourceIndexesGrowForAnyToken) {
  auto section = NewSection();
  int position = 0;
  for (int length : {1, 2, 3, 497, 2000, 4, 10000}) {
    AddText(*section, String(static_cast<size_t>(length), u'x'), position);
    position += length;
    EXPECT_GE(section->SourceIndexes.size(), section->Text.size() + 3) << length;
  }
  section->FinishText(position);
  ASSERT_EQ(section->SourceRuns.size(), 1u);  // all positions consecutive
  EXPECT_EQ(section->Text.size(), static_cast<size_t>(position) + 1);
}

TEST_F(TextCollection, HiddenInlineElementsDropTheirText) {
  for (const char16_t* tag : {u"b", u"p"}) {
    auto section = NewSection();
    AddText(*section, u"a");
    Push(tag).Values[Display] = String(u"none");
    AddText(*section, u"b");
    Pop();
    section->FinishText(2);
    EXPECT_EQ(section->Text, String(tag) == u"b" ? u"a " : u"ab ") << Utf8(tag);
  }
}

TEST_F(TextCollection, TextTransform) {
  auto section = NewSection();
  Push(u"span").Values[TextTransform] = int32_t{1};
  AddText(*section, u"Straße und Ölweg");
  Pop();
  Push(u"span").Values[TextTransform] = int32_t{2};
  AddText(*section, u" ABC");
  Pop();
  section->FinishText(20);
  EXPECT_EQ(section->Text, u"STRAßE UND ÖLWEG abc ");  // a case mapping never changes the length
}

TEST_F(TextCollection, SmallCapsLeavesThePropertyStackAsItFoundIt) {
  Push(u"span").Values[FontVariant] = String(u"small-caps");
  const int depth = stack.Count();
  auto section = NewSection();
  const int fullHeight = section->Fonts.Items(0)->CellHeight;
  for (const char16_t* text : {u"Ab", u"Cd 1e", u"xY"}) {
    AddText(*section, text);
    EXPECT_EQ(stack.Count(), depth) << Utf8(text);
  }
  Pop();
  section->FinishText(20);
  EXPECT_EQ(section->Text, u"ABCD 1EXY ");
  // Runs: A | B | C | D 1E (a space and a digit keep the state) | X | Y; the run for
  // "xY" replaces the full-size run that began where nothing followed yet.
  std::vector<int> starts;
  std::vector<bool> small;
  for (int i = 0; i < section->Fonts.Count(); ++i) {
    starts.push_back(section->Fonts.Items(i)->StartPos);
    small.push_back(section->Fonts.Items(i)->CellHeight < fullHeight);
  }
  EXPECT_EQ(starts, (std::vector<int>{0, 1, 2, 3, 7, 8}));
  EXPECT_EQ(small, (std::vector<bool>{false, true, false, true, true, false}));
}

TEST_F(TextCollection, FoldingMergesRunsThatMeet) {
  auto section = NewSection();
  AddText(*section, u"a ");
  Push(u"b");
  section->ChangeFont(*stack.TopProps());
  AddText(*section, u" ", 2);
  Push(u"i");
  section->ChangeFont(*stack.TopProps());
  AddText(*section, u"c", 3);
  section->FinishText(4);
  Pop();
  Pop();
  EXPECT_EQ(section->Text, u"a c ");
  ASSERT_EQ(section->Fonts.Count(), 2);  // the bold run lost its only character
  EXPECT_EQ(section->Fonts.Items(1)->StartPos, 2);
  EXPECT_TRUE(section->Fonts.Items(1)->RunFont->Style() & fsItalic);
}

TEST_F(TextCollection, LinkRunsJoinTheDocumentsLinkListOnce) {
  TAttributeList none;
  TUrlTarget link;
  link.StartLink(u"http://127.0.0.1/a", u"", none, 0);
  {
    auto section = NewSection();
    AddText(*section, u"see ");
    Push(u"a");
    section->ChangeLinkFont(true, *stack.TopProps(), link);
    AddText(*section, u"the ", 4);
    Push(u"b");
    section->ChangeFont(*stack.TopProps());  // still inside the link: a link run too
    section->ChangeFont(*stack.TopProps());  // nothing added since: the same run takes it
    AddText(*section, u"page", 8);
    Pop();
    Pop();
    section->ChangeLinkFont(false, *stack.TopProps(), TUrlTarget());
    AddText(*section, u" now", 12);
    section->FinishText(16);
    ASSERT_EQ(section->Fonts.Count(), 4);
    ASSERT_EQ(document.LinkList.Count(), 2);
    EXPECT_EQ(document.LinkList.Items(0), section->Fonts.Items(1));
    EXPECT_EQ(document.LinkList.Items(1), section->Fonts.Items(2));
    EXPECT_EQ(section->Fonts.Items(2)->LinkTarget->Serial, link.Serial);
    EXPECT_TRUE(section->Fonts.Items(3)->LinkTarget->LinkUrl.empty());
  }
  EXPECT_EQ(document.LinkList.Count(), 0);  // the runs left with their section
}

TEST_F(TextCollection, PrintingCopy) {
  auto section = NewSection();
  AddText(*section, u"one ");
  TAttributeList none;
  section->AddPanel(none, 4);
  AddText(*section, u" two­three", 5);
  section->FinishText(14);
  BeginArea(400);
  LayOut(*section, 400);
  auto copy = section->CreateCopy(&document);
  auto* text = dynamic_cast<TSection*>(copy.get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, section->Text);
  EXPECT_EQ(text->BreakCodes, section->BreakCodes);
  EXPECT_EQ(text->CursorLength, section->CursorLength);
  EXPECT_EQ(text->Fonts.Count(), section->Fonts.Count());
  ASSERT_EQ(text->FloatingObjects().Count(), 1);
  EXPECT_EQ(text->FloatingObjects().Items(0)->CharPos, 4);
  EXPECT_TRUE(text->Lines.empty());
  EXPECT_FALSE(text->IsEmptyText());
}

TEST_F(TextCollection, ObjectsSitAtTheirPlaceholders) {
  auto section = NewSection();
  AddText(*section, u"a ");
  TAttributeList none;
  TPanelObj* panel = section->AddPanel(none, 2);
  auto object = section->CreatePanel(none);  // an OBJECT element: its content comes first
  AddText(*section, u" b  ", 3);
  TPanelObj* later = section->AddPanelObject(std::move(object), 7);
  section->FinishText(8);
  EXPECT_EQ(section->Text, u"a \x04 b \x04 ");
  EXPECT_EQ(panel->CharPos, 2);
  EXPECT_EQ(later->CharPos, 6);
  EXPECT_EQ(section->FloatingObjects().FindAt(6), later);
}

TEST_F(TextCollection, SurrogatePairsAreOneBreakCharacter) {
  const String text = u"a\U00020000b\U0001F600 ";
  struct {
    int Index;
    bool Break, BreakBefore;
  } cases[] = {
      {0, false, false}, {1, false, true}, {2, true, false},   // the pair: a break after it, before it
      {3, false, false}, {4, false, true}, {5, true, false}, {6, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsBreakCharAt(text, c.Index), c.Break) << c.Index;
    EXPECT_EQ(BreaksBeforeAt(text, c.Index), c.BreakBefore) << c.Index;
  }
}

}  // namespace
