#include "html/foundation/css/Properties.h"

#include <gtest/gtest.h>

#include "html/foundation/css/Lengths.h"
#include "tests/html/foundation/css/TestStyleList.h"
#include "platform/rtl/Unicode.h"

namespace {
TEST(Properties, CreateStartsBoxValuesUnset) {
  TProperties p;
  for (int i = 0; i < PropertyCount; ++i) {
    if (i >= FirstBoxProperty && i <= LastBoxProperty) {
      EXPECT_TRUE(EqualsUnsetSentinel(p[i])) << i;
    } else if (i == ZIndex) {
      EXPECT_EQ(p[i], TPropValue(int32_t{0}));
    } else {
      EXPECT_TRUE(p[i].IsEmpty()) << i;
    }
  }
  EXPECT_EQ(p.TextBackground, clNone);
  TProperties q;
  EXPECT_EQ(q.SerialNumber, p.SerialNumber + 1);
}

TEST(Properties, PropertyNamesAreExact) {
  EXPECT_EQ(PropertyIndexOf(u"white-space"), WhiteSpace);
  EXPECT_EQ(PropertyIndexOf(u"border-left-style"), BorderLeftStyle);
  EXPECT_FALSE(PropertyIndexOf(u"Color").has_value());
  EXPECT_FALSE(PropertyIndexOf(u"list-style-position").has_value());
}

// A parent with one value in every group: inherited, box (reset) and not inherited.
struct InheritanceFixture : ::testing::Test {
  TProperties parent;
  void SetUp() override {
    parent.Values[Color] = int32_t{0xff};
    parent.Values[MarginTop] = String(u"5px");
    parent.Values[BackgroundColor] = int32_t{0xff00};
    parent.Values[WordWrap] = String(u"break-word");
    parent.Values[Display] = String(u"block");
    parent.OwnFlags[MarginTop] = true;
    parent.FallbackFontName = u"Arial";
    parent.TitleText = u"t";
  }
};

TEST_F(InheritanceFixture, ByParentTag) {
  struct {
    const char16_t* ParentTag;
    const char16_t* ChildTag;
    bool MarginKept, BackgroundKept, FlagsKept;
    const char16_t* WordWrap;
  } cases[] = {
      {u"div", u"p", false, false, false, u"break-word"},
      {u"div", u"table", false, false, false, u"normal"},
      {u"span", u"b", true, true, false, u"break-word"},
      {u"tbody", u"tr", true, true, true, u"break-word"},
      {u"thead", u"tr", true, true, true, u"break-word"},
      {u"tfoot", u"tr", true, true, true, u"break-word"},
  };
  for (const auto& c : cases) {
    parent.TagName = c.ParentTag;
    TProperties child;
    child.TakeParentValues(c.ChildTag, parent);
    const std::string label = StringToUtf8(c.ParentTag) + ">" + StringToUtf8(c.ChildTag);
    EXPECT_EQ(child[Color], TPropValue(int32_t{0xff})) << label;
    EXPECT_EQ(child[MarginTop] == parent[MarginTop], c.MarginKept) << label;
    if (!c.MarginKept) {
      EXPECT_TRUE(EqualsUnsetSentinel(child[MarginTop])) << label;
    }
    EXPECT_EQ(child[BackgroundColor] == parent[BackgroundColor], c.BackgroundKept) << label;
    EXPECT_EQ(child[Display] == parent[Display], c.BackgroundKept) << label;
    EXPECT_EQ(child.OwnFlags[MarginTop], c.FlagsKept) << label;
    EXPECT_EQ(child[WordWrap], TPropValue(String(c.WordWrap))) << label;
    EXPECT_EQ(child.FallbackFontName, u"Arial");
    EXPECT_EQ(child.TitleText, u"t");
  }
}

TEST_F(InheritanceFixture, MergeUnsetValuesKeepsOwnValues) {
  TProperties child;
  child.Values[Color] = int32_t{1};
  child.OwnFlags[Color] = true;
  TestStyleList styles;
  child.MergeUnsetValues(parent, styles, 0);
  EXPECT_EQ(child[Color], TPropValue(int32_t{1}));
  EXPECT_EQ(child[MarginTop], parent[MarginTop]);
}

TEST(Properties, StoreDeclarationNormalises) {
  struct {
    const char16_t* Name;
    const char16_t* Text;
    TPropValue Expected;
  } cases[] = {
      {u"color", u"red", int32_t{0xff}},
      {u"color", u"nonsense", TPropValue()},  // left alone, not black
      {u"background-color", u"nonsense", int32_t{clNone}},
      {u"border-top-color", u"nonsense", TPropValue(UnsetSentinel)},
      {u"visibility", u"hidden", int32_t{1}},
      {u"visibility", u"collapse", TPropValue()},
      {u"text-transform", u"uppercase", int32_t{1}},
      {u"text-transform", u"capitalize", int32_t{0}},
      {u"word-wrap", u"anywhere", String(u"normal")},
      {u"font-variant", u"small-caps", String(u"small-caps")},
      {u"font-variant", u"titling", TPropValue()},
      {u"white-space", u"pre", TPropValue()},
      {u"margin-left", u"3em", String(u"3em")},
      {u"unknown-property", u"x", TPropValue()},
  };
  for (const auto& c : cases) {
    TProperties p;
    p.StoreNamedDeclaration(c.Name, c.Text);
    if (auto index = PropertyIndexOf(c.Name)) {
      EXPECT_EQ(p[*index], c.Expected) << StringToUtf8(c.Name) << ": " << StringToUtf8(c.Text);
    }
  }
}

TEST(Properties, SetOwnValueFirstWins) {
  TProperties p;
  p.SetOwnValue(String(u"left"), TextAlign);
  p.SetOwnValue(String(u"right"), TextAlign);
  EXPECT_EQ(p[TextAlign], TPropValue(String(u"left")));
  p.FillIfUnset(PaddingTop, int32_t{3});
  p.FillIfUnset(PaddingTop, int32_t{4});
  EXPECT_EQ(p[PaddingTop], TPropValue(int32_t{3}));
}

TEST(Properties, KeywordReaders) {
  TProperties p;
  int kind = -1;
  struct {
    const char16_t* Text;
    bool Ok;
    int Kind;
  } valign[] = {{u"top", true, AlignTop},       {u"text-top", true, AlignTop},
                {u"middle", true, AlignMiddle}, {u"baseline", true, AlignBaseline},
                {u"sub", true, AlignSub},       {u"super", true, AlignSuper},
                {u"text-bottom", false, 0}};
  for (const auto& c : valign) {
    p.Values[VerticalAlign] = String(c.Text);
    EXPECT_EQ(p.ReadVerticalAlign(kind), c.Ok) << StringToUtf8(c.Text);
    if (c.Ok) {
      EXPECT_EQ(kind, c.Kind);
    }
  }
  p.Values[Clear] = String(u"both");
  EXPECT_TRUE(p.TakeClear(kind));
  EXPECT_EQ(kind, ClearBoth);
  EXPECT_FALSE(p.TakeClear(kind));  // consumed
  p.Values[Display] = String(u"inline-block");
  EXPECT_EQ(p.ReadDisplayKind(), DisplayInlineBlock);
  p.Values[Display] = String(u"flex");
  EXPECT_EQ(p.ReadDisplayKind(), DisplayUnset);
  p.Values[ListStyleType] = String(u"upper-roman");
  EXPECT_EQ(p.ReadListStyleKind(), ListUpperRoman);
  p.Values[Position] = String(u"sticky");
  EXPECT_EQ(p.ReadPositionKind(), PosStatic);
  p.Values[ZIndex] = String(u"7");
  EXPECT_EQ(p.ReadZOrder(), 7);
  p.Values[ZIndex] = String(u"auto");
  EXPECT_EQ(p.ReadZOrder(), 0);
  p.Values[BorderTopStyle] = String(u"none");
  EXPECT_TRUE(p.BorderStyleDeclared());
  EXPECT_FALSE(p.HasVisibleBorder());
  p.Values[BorderLeftStyle] = int32_t{8};
  EXPECT_TRUE(p.HasVisibleBorder());
}

TEST(Properties, UrlReaders) {
  TProperties p;
  String url = u"x";
  EXPECT_FALSE(p.BackgroundImageUrl(url));
  p.Values[BackgroundImage] = String(u"none");
  EXPECT_TRUE(p.BackgroundImageUrl(url));
  EXPECT_EQ(url, u"");
  p.Values[BackgroundImage] = String(u"url(\"a b.png\")");
  EXPECT_TRUE(p.BackgroundImageUrl(url));
  EXPECT_EQ(url, u"a b.png");
  p.Values[ListStyleImage] = String(u"url(x(1).gif)");
  EXPECT_EQ(p.ListStyleImageUrl(), u"x(1).gif");
}

TEST(Properties, LineHeightAndIndent) {
  TProperties p;
  p.EmHeight = 20;
  p.ExHeight = 10;
  EXPECT_EQ(p.LineHeightPixels(16), -1);
  p.Values[LineHeight] = String(u"1.5");
  EXPECT_EQ(p.LineHeightPixels(16), 24);
  p.Values[LineHeight] = String(u"2em");
  EXPECT_EQ(p.LineHeightPixels(16), 40);
  p.Values[LineHeight] = String(u"150%");
  EXPECT_EQ(p.LineHeightPixels(16), 30);
  p.Values[LineHeight] = String(u"normal");
  EXPECT_EQ(p.LineHeightPixels(16), -1);
  bool percent = false;
  p.Values[TextIndent] = String(u"10%");
  EXPECT_EQ(p.TextIndentValue(percent), 10);
  EXPECT_TRUE(percent);
  p.Values[TextIndent] = String(u"2em");
  EXPECT_EQ(p.TextIndentValue(percent), 40);
  EXPECT_FALSE(percent);
}

TEST(Properties, OwnColoursNeedOwnFlag) {
  TProperties p;
  p.Values[BackgroundColor] = int32_t{5};
  EXPECT_EQ(p.OwnBackgroundColor(), clNone);
  EXPECT_EQ(p.TakeBackgroundColor(), clNone);
  EXPECT_EQ(p.TextBackground, clNone);
  p.OwnFlags[BackgroundColor] = true;
  EXPECT_EQ(p.TakeBackgroundColor(), 5);
  EXPECT_EQ(p.TextBackground, 5);
}
}  // namespace
