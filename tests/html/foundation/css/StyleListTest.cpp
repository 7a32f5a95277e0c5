#include "html/foundation/css/StyleList.h"

#include <gtest/gtest.h>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/StyleParser.h"
#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/globals/EngineSettings.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/css/TestStyleList.h"

namespace {
constexpr int32_t Red = 0xff, Blue = 0xff0000, Green = 0x8000, Yellow = 0xffff;

struct CascadeFixture : ::testing::Test {
  ScopedEngineSettings settings;  // the default sheet sets the engine's default size
  TestStyleList styles;
  TPropStack stack;
  void Build(bool quirks = false, bool underline = true) {
    styles.QuirksMode = quirks;
    styles.BuildDefaultSheet(u"Liberation Serif", u"Liberation Mono", 12, 0, Blue, 0x800080, Red, underline, 1252,
                             0, 8, 10);
  }
  void Sheet(const char* css) {
    auto buffer = TBuffer::CreateFromText(S(css), u"t.css", 1200);
    Char ch = 0;
    ParseStyleSheet(styles, ch, *buffer, styles.QuirksMode, true, String());
  }
  TProperties& Push(std::initializer_list<TestElement> elements) {
    PushElements(stack, styles, elements, styles.QuirksMode);
    return *stack.TopProps();
  }
};

TEST_F(CascadeFixture, DefaultSheetRules) {
  Build();
  struct {
    const char16_t* Key;
    TStylePropIndex Index;
    TPropValue Value;
  } cases[] = {
      {u"default", MarginLeft, int32_t{10}},
      {u"default", MarginTop, int32_t{8}},
      {u"p", MarginTop, ParaGapSentinel},
      {u"p 11pre", MarginTop, int32_t{0}},
      {u"ol", ListStyleType, String(u"blank")},
      {u"dd", MarginLeft, int32_t{40}},
      {u"blockquote", MarginBottom, int32_t{14}},
      {u"kbd", FontFamily, String(u"Liberation Mono")},
      {u"strong", FontWeight, String(u"bold")},
      {u"th", FontWeight, String(u"bold")},
      {u"table", TextAlign, String(u"none")},
      {u"address", FontStyle, String(u"italic")},
      {u"del", TextDecoration, String(u"line-through")},
      {u"caption", TextAlign, String(u"center")},
      {u"textarea", FontFamily, String(u"Liberation Mono")},
      {u"select", FontSize, String(u"10pt")},
      {u"h1", MarginTop, int32_t{19}},
      {u"h5", MarginBottom, String(u"1.5em")},
      {u"h6", FontWeight, String(u"bolder")},
      {u"mark", BackgroundColor, Yellow},
      {u"acronym", BorderBottomStyle, String(u"dotted")},
      {u"pre", FontSize, 10.0},
      {u"::link", Color, Blue | PaletteRGBFlag},
      {u"::link", TextDecoration, String(u"underline")},
      {u"::hover", Color, Red | PaletteRGBFlag},
  };
  for (const auto& c : cases) {
    const TProperties* rule = styles.Find(c.Key);
    ASSERT_NE(rule, nullptr) << StringToUtf8(c.Key);
    EXPECT_EQ(rule->Values[c.Index], c.Value) << StringToUtf8(c.Key) << " " << StringToUtf8(PropertyNames[c.Index]);
  }
  EXPECT_EQ(styles.DefaultProperties, styles.Find(u"default"));
  EXPECT_EQ(EngineSettings().DefaultPointSize, 12);
  Build(false, false);
  EXPECT_EQ(styles.Find(u"::link")->Values[TextDecoration], TPropValue(String(u"none")));
}

TEST_F(CascadeFixture, CopiesAreIndependent) {
  Build();
  Sheet("b { color: red }");
  EXPECT_EQ(styles.Find(u"b")->Values[Color], TPropValue(Red));
  EXPECT_TRUE(styles.Find(u"strong")->Values[Color].IsEmpty());
}

TEST_F(CascadeFixture, DescendantRuleWinsOverSimple) {
  Build();
  Sheet("ul li { color: red } li { color: blue } ol li { margin-left: 3px }");
  TProperties& item = Push({{u"ul"}, {u"li"}});
  EXPECT_EQ(item[Color], TPropValue(Red));
  EXPECT_TRUE(EqualsUnsetSentinel(item[MarginLeft]));
}

TEST_F(CascadeFixture, ChildAndDescendant) {
  Build();
  Sheet("div > p { color: red } div p { margin-top: 2px }");
  struct {
    std::initializer_list<TestElement> Elements;
    bool Child, Descendant;
  } cases[] = {
      {{{u"div"}, {u"p"}}, true, true},
      {{{u"div"}, {u"span"}, {u"p"}}, false, true},
      {{{u"p"}}, false, false},
  };
  for (const auto& c : cases) {
    TPropStack fresh;
    PushElements(fresh, styles, c.Elements);
    const TProperties& p = *fresh.TopProps();
    EXPECT_EQ(p[Color] == TPropValue(Red), c.Child);
    EXPECT_EQ(p[MarginTop] == TPropValue(String(u"2px")), c.Descendant);
  }
}

TEST_F(CascadeFixture, ClassesAndIds) {
  Build();
  Sheet(".x { color: red; padding-top: 1px } p.x { color: blue } .y { margin-left: 2px } .x.y { margin-right: 3px }"
        " #top { margin-bottom: 4px } p { text-align: right } .x { text-align: left }");
  TProperties& p = Push({{u"p", u"x.y", u"top"}});
  EXPECT_EQ(p[Color], TPropValue(Blue));
  EXPECT_EQ(p[PaddingTop], TPropValue(String(u"1px")));
  EXPECT_EQ(p[MarginLeft], TPropValue(String(u"2px")));
  EXPECT_EQ(p[MarginRight], TPropValue(String(u"3px")));
  EXPECT_EQ(p[MarginBottom], TPropValue(String(u"4px")));
  // "p" is merged again in the pass for "y", after ".x".
  EXPECT_EQ(p[TextAlign], TPropValue(String(u"right")));
  EXPECT_TRUE(p.OwnFlags[Color]);
  EXPECT_EQ(p.ClassText, u"x.y");
}

TEST_F(CascadeFixture, LinkStates) {
  Build();
  Sheet("a { color: green } #top:hover { color: red } :visited { font-weight: bold }");
  TProperties& a = Push({{u"a", u"", u"top", u"link"}});
  ASSERT_TRUE(a.IsLink);
  ASSERT_NE(a.LinkFontInfos, nullptr);
  const TFontInfoArray& infos = *a.LinkFontInfos;
  EXPECT_EQ(infos[0].Color, Green);
  EXPECT_EQ(infos[1].Color, 0x800080 | PaletteRGBFlag);
  EXPECT_TRUE(infos[1].Style & fsBold);
  EXPECT_EQ(infos[2].Color, Red);
  EXPECT_FALSE(infos[2].Style & fsBold);
  EXPECT_EQ(infos[3].Color, Red);
  EXPECT_TRUE(infos[3].Style & fsUnderline);
  EXPECT_EQ(stack.Count(), 2);  // the state sets are gone again
}

TEST_F(CascadeFixture, LinkColourReachesOtherStates) {
  Build();
  Sheet(":link { color: green }");
  EXPECT_EQ(styles.Find(u"::visited")->Values[Color], TPropValue(Green));
  EXPECT_EQ(styles.Find(u"::hover")->Values[Color], TPropValue(Green));
  styles.SetPseudoColor(u"visited", Blue);
  EXPECT_EQ(styles.Find(u"::visited")->Values[Color], TPropValue(Blue));
}

TEST_F(CascadeFixture, QuirksCellsAndBodyColour) {
  Build(true);
  Sheet("body { color: red } td { font-size: 150% }");
  EXPECT_EQ(styles.Find(u"table")->Values[Color], TPropValue(Red));
  EXPECT_EQ(styles.Find(u"td")->Values[Color], TPropValue(Red));
  TProperties& cell = Push({{u"div"}, {u"td"}});
  EXPECT_DOUBLE_EQ(cell[FontSize].AsReal(), 18.0);  // 150% of 12, not of the parent
}

TEST_F(CascadeFixture, FontSizeBecomesPoints) {
  Build();
  Sheet("div { font-size: 20pt } p { font-size: 50% }");
  EXPECT_DOUBLE_EQ(Push({{u"div"}, {u"p"}})[FontSize].AsReal(), 10.0);
  EXPECT_DOUBLE_EQ(Push({{u"h1"}})[FontSize].AsReal(), 20.0);
}

TEST_F(CascadeFixture, StyleAttributeWins) {
  Build();
  Sheet("p { color: red }");
  TProperties attr;
  ParseStyleAttribute(u"color: blue", attr);
  Push({});
  auto p = std::make_unique<TProperties>(&stack, false);
  p->TakeParentValues(u"p", *stack.TopProps());
  TProperties* set = stack.Add(std::move(p));
  set->ApplyStyleRules(styles, u"p", 1, &attr, u"title", u"", u"", u"");
  EXPECT_EQ((*set)[Color], TPropValue(Blue));
  EXPECT_EQ(set->StyleAttrProps, &attr);
  EXPECT_EQ(set->TitleText, u"title");
}

TEST_F(CascadeFixture, MergeUnsetValuesRebuildsLinkFonts) {
  Build();
  TProperties& a = Push({{u"a", u"", u"", u"link"}});
  TProperties source;
  source.Values[Color] = int32_t{7};
  a.MergeUnsetValues(source, styles, 1);
  EXPECT_TRUE(a.IsLink);
  EXPECT_NE(a.LinkFontInfos, nullptr);
  TProperties& span = Push({{u"span"}});
  span.PseudoName = u"";
  span.MergeUnsetValues(source, styles, 2);
  EXPECT_FALSE(span.IsLink);
  EXPECT_EQ(span.LinkFontInfos, nullptr);
}
}  // namespace
