#include <gtest/gtest.h>

#include "html/document/model/Document.h"
#include "html/document/style/HtmlPropStack.h"
#include "html/document/style/HtmlStyleList.h"
#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/symbols/SymbolTables.h"

namespace {

uint8_t Tag(const char16_t* name) { return TagNameList().Find(name)->StartSymbol; }

struct PropStackTest : ::testing::Test {
  ThtDocument document{nullptr, nullptr};
  THtmlPropStack& stack = static_cast<THtmlPropStack&>(*document.PropStack);

  void SetUp() override {
    document.SetDefaults(u"Arial", u"Courier New", 10, 5, 1, 1252, true, false, clWhite, clBlue, clPurple, clBlue,
                         clBlack, 12);
    // The parser's start: the document defaults at the bottom.
    auto base = std::make_unique<TProperties>(&stack, false);
    base->CopyAll(*document.StyleList->DefaultProperties);
    stack.Add(std::move(base));
  }
  TProperties* Push(const char16_t* tag, const String& classes = u"", const String& pseudo = u"") {
    return stack.PushNewProps(Tag(tag), classes, nullptr, u"", pseudo, u"");
  }
  std::vector<String> Tags() const {
    std::vector<String> tags;
    for (int i = 1; i < stack.Count(); ++i) tags.push_back(stack.PropsAt(i)->TagName);
    return tags;
  }
};

TEST_F(PropStackTest, PushAppliesTheRulesOfTheTagAndInherits) {
  document.StyleList->AddDeclaration(u"div", u"color", u"red");
  TProperties* div = Push(u"DIV");
  ASSERT_NE(div, nullptr);
  EXPECT_EQ(div->TagSymbol, Tag(u"DIV"));
  EXPECT_EQ(div->TagName, u"div");
  EXPECT_EQ((*div)[Color].AsInt(), clRed);
  TProperties* b = Push(u"B");
  EXPECT_EQ((*b)[Color].AsInt(), clRed);  // inherited
  EXPECT_EQ(stack.TopProps(), b);
}

// A relative font size is taken of the parent's size once, whatever the number of classes
// (the rules are applied once a class): CODE is 0.83em by default, and with six classes
// inside a link it came out at a quarter of the link's size.
TEST_F(PropStackTest, ARelativeFontSizeAppliesOnceWhateverTheClasses) {
  for (const char16_t* classes : {u"", u"pre", u"a.b.c", u"docutils.literal.notranslate.py.py-mod.xref"}) {
    for (bool inLink : {false, true}) {
      SCOPED_TRACE(std::string(classes, classes + std::char_traits<char16_t>::length(classes)) +
                   (inLink ? " in a link" : ""));
      while (stack.Count() > 1) stack.PopTop();
      Push(u"BODY");
      if (inLink) Push(u"A", u"", u"link");
      TProperties* code = Push(u"CODE", classes);
      ASSERT_NE(code, nullptr);
      EXPECT_NEAR((*code)[FontSize].AsReal(), 12 * 0.83, 0.01);
      if (inLink) {
        ASSERT_NE(code->LinkFontInfos, nullptr);
        for (int k = 0; k < 4; ++k) EXPECT_NEAR((*code->LinkFontInfos)[k].Size, 12 * 0.83, 0.01) << "state " << k;
      }
    }
  }
}

TEST_F(PropStackTest, PoppingAnOuterElementDerivesTheInnerOnesAgain) {
  document.StyleList->AddDeclaration(u"div", u"color", u"red");
  Push(u"BODY");
  Push(u"DIV");
  Push(u"B");
  Push(u"I");
  stack.PopProps(Tag(u"DIV"));  // B and I were left open inside the DIV: they outlive it
  EXPECT_EQ(Tags(), (std::vector<String>{u"body", u"b", u"i"}));
  const int baseColor = (*stack.PropsAt(0))[Color].AsInt();
  EXPECT_EQ((*stack.PropsAt(2))[Color].AsInt(), baseColor);
  EXPECT_EQ((*stack.PropsAt(3))[Color].AsInt(), baseColor);
}

TEST_F(PropStackTest, PoppingWhatIsNotOpenChangesNothingAndTheBottomStays) {
  Push(u"DIV");
  Push(u"B");
  stack.PopProps(Tag(u"TABLE"));
  EXPECT_EQ(Tags(), (std::vector<String>{u"div", u"b"}));
  stack.PopProps(Tag(u"B"));
  stack.PopProps(Tag(u"DIV"));
  EXPECT_EQ(stack.Count(), 1);
  stack.PopTop();
  EXPECT_EQ(stack.Count(), 1);  // the document defaults are never popped
  Push(u"B");
  stack.PopTop();
  EXPECT_EQ(stack.Count(), 1);
}

TEST_F(PropStackTest, ClosingAnElementWithABorderEndsItsInlineBorderRecord) {
  document.StyleList->AddDeclaration(u"span", u"border-bottom-style", u"solid");
  TProperties* span = Push(u"SPAN");
  document.OpenInlineBorder(4, *span);
  Push(u"B");
  stack.SourcePosition = 17;
  stack.PopProps(Tag(u"SPAN"));
  ASSERT_EQ(document.InlineList.Count(), 1);
  EXPECT_EQ(document.InlineList.Items(0)->EndSource, 17);
}

TEST_F(PropStackTest, NestingIsCappedAndEveryEndTagStillCloses) {
  const int opened = THtmlPropStack::MaxDepth + 200;
  for (int i = 0; i < opened; ++i) Push(i % 2 ? u"B" : u"I");
  EXPECT_EQ(stack.Count(), THtmlPropStack::MaxDepth);
  EXPECT_EQ(Push(u"SPAN"), nullptr);  // beyond the limit: no set, the enclosing style holds
  stack.PopProps(Tag(u"SPAN"));
  for (int i = opened - 1; i >= 0; --i) stack.PopProps(Tag(i % 2 ? u"B" : u"I"));
  EXPECT_EQ(stack.Count(), 1);

  // Popping the top ends everything counted beyond the limit; the stack can grow again.
  for (int i = 0; i < opened; ++i) Push(u"B");
  stack.PopTop();
  EXPECT_EQ(stack.Count(), THtmlPropStack::MaxDepth);
  stack.PopTop();
  EXPECT_EQ(stack.Count(), THtmlPropStack::MaxDepth - 1);
  EXPECT_NE(Push(u"I"), nullptr);
}

TEST(HtmlStyleList, AHoverRuleTurnsOnLinkHoverTracking) {
  struct Case {
    const char16_t* key;
    bool tracking;
  };
  for (Case c : {Case{u"a:hover", true}, Case{u"#top:hover", true}, Case{u"a", false}, Case{u":link", false}}) {
    SCOPED_TRACE(std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key)));
    ThtDocument document(nullptr, nullptr);
    document.SetDefaults(u"Arial", u"Courier New", 10, 5, 1, 1252, true, false, clWhite, clBlue, clPurple, clBlue,
                         clBlack, 12);
    ASSERT_FALSE(document.OverLinksActive);
    document.StyleList->AddDeclaration(c.key, u"color", u"green");
    EXPECT_EQ(document.OverLinksActive, c.tracking);
  }
}

TEST(HtmlStyleList, TakesTheQuirksModeOfTheDocument) {
  ThtDocument document(nullptr, nullptr);
  document.UseQuirks = true;
  document.Clear();
  EXPECT_TRUE(document.StyleList->QuirksMode);
}

}  // namespace
