#include "html/foundation/css/StyleParser.h"

#include <gtest/gtest.h>

#include "html/foundation/charsets/Buffer.h"
#include "html/foundation/css/Colours.h"
#include "platform/rtl/Unicode.h"
#include "tests/html/foundation/css/TestStyleList.h"

namespace {
constexpr int32_t Red = 0xff, Blue = 0xff0000, Green = 0x8000;

struct SheetFixture : ::testing::Test {
  TestStyleList styles;
  // Parses a linked sheet (or a STYLE element's text) and answers the current character.
  Char Parse(const char* css, bool linked = true, const String& base = String()) {
    auto buffer = TBuffer::CreateFromText(S(css), u"test.css", 1200);
    Char ch = 0;
    ParseStyleSheet(styles, ch, *buffer, false, linked, base);
    return ch;
  }
  TPropValue Value(const String& key, TStylePropIndex index) {
    TProperties* p = styles.Find(key);
    return p ? p->Values[index] : TPropValue();
  }
  std::vector<String> Keys() {
    std::vector<String> keys;
    for (const auto& [key, body] : styles.Rules()) keys.push_back(key);
    return keys;
  }
};

TEST_F(SheetFixture, SelectorsToKeys) {
  struct {
    const char* Selector;
    const char16_t* Key;  // nullptr: the rule is dropped
  } cases[] = {
      {"P", u"p"},
      {"p#y.x:hover", u"p.x#y:hover"},
      {".b.a", u".a.b"},
      {"ul li", u"li 100010ul "},
      {"div > p", u"p 100010div> "},
      {"div>p", u"p 100010div> "},
      {"body div.x p", u"p 200010div.x body "},
      {"*.x", u".x"},
      {"h1 + p", nullptr},
      {"a[href]", nullptr},
      {"h1 ~ p", nullptr},
      {"li:nth-child(2)", nullptr},
      {"div * p", nullptr},
      {"*", nullptr},
  };
  for (const auto& c : cases) {
    styles.Clear();
    Parse((std::string(c.Selector) + " { color: red } q { color: blue }").c_str());
    std::vector<String> keys = Keys();
    // The rule after it is never harmed.
    EXPECT_EQ(Value(u"q", Color), TPropValue(Blue)) << c.Selector;
    if (c.Key) {
      ASSERT_EQ(keys.size(), 2u) << c.Selector;
      EXPECT_EQ(Value(c.Key, Color), TPropValue(Red)) << c.Selector << " keys: " << StringToUtf8(keys[0]);
    } else {
      EXPECT_EQ(keys.size(), 1u) << c.Selector;
    }
  }
}

TEST_F(SheetFixture, SelectorListStoresUnderEveryKey) {
  Parse("h1, h2 { color: red }");
  EXPECT_EQ(Value(u"h1", Color), TPropValue(Red));
  EXPECT_EQ(Value(u"h2", Color), TPropValue(Red));
}

TEST_F(SheetFixture, LaterDeclarationOverwritesInOneBody) {
  Parse("p { color: red } p { color: blue }");
  EXPECT_EQ(styles.Count(), 1);
  EXPECT_EQ(Value(u"p", Color), TPropValue(Blue));
}

TEST_F(SheetFixture, AtRules) {
  struct {
    const char* Sheet;
    bool Applies;
  } cases[] = {
      {"@media print { p { color: red } } q { color: blue }", false},
      {"@media screen, print { p { color: red } } q { color: blue }", true},
      {"@media SCREEN { p { color: red } } q { color: blue }", true},
      {"@media all { p { color: red } } q { color: blue }", true},
      {"@charset \"utf-8\"; p { color: red } q { color: blue }", true},
      {"@import url(x.css); p { color: red } q { color: blue }", true},
      {"@import \"x.css\" screen; p { color: red } q { color: blue }", true},
      {"@font-face { font-family: x; src: url(a.ttf) } p { color: red } q { color: blue }", true},
      {"@keyframes k { from { top: 0 } to { top: 10px } } p { color: red } q { color: blue }", true},
      {"@page { margin: 1cm } p { color: red } q { color: blue }", true},
  };
  for (const auto& c : cases) {
    styles.Clear();
    Parse(c.Sheet);
    EXPECT_EQ(Value(u"p", Color) == TPropValue(Red), c.Applies) << c.Sheet;
    EXPECT_EQ(Value(u"q", Color), TPropValue(Blue)) << c.Sheet;
    EXPECT_EQ(styles.Find(u"from"), nullptr) << c.Sheet;
    EXPECT_EQ(styles.Find(u""), nullptr) << c.Sheet;
  }
}

TEST_F(SheetFixture, CommentsAndImportant) {
  // Slash, star, slash is a whole comment.
  Parse("/*/ p { color: blue }");
  EXPECT_EQ(Value(u"p", Color), TPropValue(Blue));
  Parse("p { color: red !IMPORTANT; margin-top: 1px/* x */ }");
  EXPECT_EQ(Value(u"p", Color), TPropValue(Red));
  EXPECT_EQ(Value(u"p", MarginTop), TPropValue(String(u"1px")));
}

TEST_F(SheetFixture, StyleElementText) {
  // Wrapped in comment marks, and ending at the "<" of the closing tag.
  auto buffer = TBuffer::CreateFromText(u"<!-- p { color: red } --></style><p>", u"doc", 1200);
  Char ch = 0;
  ParseStyleSheet(styles, ch, *buffer, false, false, String());
  EXPECT_EQ(ch, u'<');
  EXPECT_EQ(buffer->ReadChar(), u'/');
  EXPECT_EQ(Value(u"p", Color), TPropValue(Red));
}

TEST_F(SheetFixture, UnterminatedCommentEndsWithTheStyleText) {
  auto buffer = TBuffer::CreateFromText(u"p { color: red } /* open </STYLE><p>text", u"doc", 1200);
  Char ch = 0;
  ParseStyleSheet(styles, ch, *buffer, false, false, String());
  EXPECT_EQ(ch, u'<');
  EXPECT_EQ(buffer->ReadChar(), u'/');
  EXPECT_EQ(Value(u"p", Color), TPropValue(Red));
  styles.Clear();
  EXPECT_EQ(Parse("p { color: red } /* never closed"), 0);
  EXPECT_EQ(Value(u"p", Color), TPropValue(Red));
}

TEST_F(SheetFixture, HoverRulesAreNoted) {
  Parse("a:hover { color: red } p { color: red }");
  EXPECT_EQ(styles.HoverNotes, 1);
}

// Shorthands: each maps to its longhands.
TEST_F(SheetFixture, Shorthands) {
  struct Expect {
    TStylePropIndex Index;
    TPropValue Value;
  };
  auto T = [](const char16_t* s) { return TPropValue(String(s)); };
  struct {
    const char* Declaration;
    std::vector<Expect> Expected;
  } cases[] = {
      {"margin: 1px 2px", {{MarginTop, T(u"1px")}, {MarginBottom, T(u"1px")}, {MarginRight, T(u"2px")}, {MarginLeft, T(u"2px")}}},
      {"margin: 1px", {{MarginTop, T(u"1px")}, {MarginRight, T(u"1px")}, {MarginBottom, T(u"1px")}, {MarginLeft, T(u"1px")}}},
      {"padding: 1px 2px 3px", {{PaddingTop, T(u"1px")}, {PaddingRight, T(u"2px")}, {PaddingBottom, T(u"3px")}, {PaddingLeft, T(u"2px")}}},
      {"padding: 1px 2px 3px 4px", {{PaddingTop, T(u"1px")}, {PaddingRight, T(u"2px")}, {PaddingBottom, T(u"3px")}, {PaddingLeft, T(u"4px")}}},
      {"border-width: thin thick", {{BorderTopWidth, T(u"thin")}, {BorderLeftWidth, T(u"thick")}}},
      {"border-style: dotted solid", {{BorderTopStyle, T(u"dotted")}, {BorderRightStyle, T(u"solid")}}},
      {"border-color: red blue", {{BorderTopColor, Red}, {BorderRightColor, Blue}}},
      {"border: 1px solid red",
       {{BorderTopWidth, T(u"1px")}, {BorderLeftWidth, T(u"1px")}, {BorderBottomStyle, T(u"solid")},
        {BorderRightColor, Red}}},
      {"border: 2px dashed", {{BorderTopWidth, T(u"2px")}, {BorderTopColor, UnsetSentinel}}},
      {"border: rgb(255, 0, 0) solid", {{BorderTopColor, Red}, {BorderTopWidth, T(u"medium")}}},
      {"border-top: 3px double #0000ff",
       {{BorderTopWidth, T(u"3px")}, {BorderTopStyle, T(u"double")}, {BorderBottomWidth, UnsetSentinel}}},
      {"font: bold 12px/14px arial",
       {{FontWeight, T(u"bold")}, {FontSize, T(u"12px")}, {LineHeight, T(u"14px")}, {FontFamily, T(u"arial")},
        {FontStyle, T(u"normal")}}},
      {"font: italic 700 10pt \"Times New Roman\"",
       {{FontStyle, T(u"italic")}, {FontSize, T(u"10pt")}, {FontFamily, T(u"\"times new roman\"")}}},
      {"font: 12px", {{FontSize, TPropValue()}}},
      {"background: url(a.png) no-repeat",
       {{BackgroundColor, clNone}, {BackgroundImage, T(u"url(a.png)")}, {BackgroundRepeat, T(u"no-repeat")},
        {BackgroundAttachment, T(u"scroll")}, {BackgroundPosition, T(u"0% 0%")}}},
      {"background: #ff0000 fixed center top",
       {{BackgroundColor, Red}, {BackgroundAttachment, T(u"fixed")}, {BackgroundPosition, T(u"center top ")}}},
      {"list-style: square inside", {{ListStyleType, T(u"square")}, {ListStyleImage, T(u"none")}}},
      {"list-style: none url(b.gif)", {{ListStyleType, T(u"none")}, {ListStyleImage, T(u"url(b.gif)")}}},
  };
  for (const auto& c : cases) {
    styles.Clear();
    Parse((std::string("p { ") + c.Declaration + " }").c_str());
    for (const Expect& e : c.Expected)
      EXPECT_EQ(Value(u"p", e.Index), e.Value) << c.Declaration << " / " << StringToUtf8(PropertyNames[e.Index]);
  }
}

TEST_F(SheetFixture, UrlsResolvedAgainstBasePath) {
  Parse("p { background-image: url(img/a.png) } q { background: url('b.png') }", true,
        u"http://example.test/css/");
  EXPECT_EQ(Value(u"p", BackgroundImage), TPropValue(String(u"url(\"http://example.test/css/img/a.png\")")));
  EXPECT_EQ(Value(u"q", BackgroundImage), TPropValue(String(u"url(\"http://example.test/css/b.png\")")));
  styles.Clear();
  Parse("p { list-style-image: url(http://other.test/x.gif) }", true, u"http://example.test/css/");
  EXPECT_EQ(Value(u"p", ListStyleImage), TPropValue(String(u"url(\"http://other.test/x.gif\")")));
}

TEST(StyleAttribute, Declarations) {
  TProperties p;
  ParseStyleAttribute(u"COLOR: #00f; margin-left=3px ;; text-align:center !important; color: bogus", p);
  EXPECT_EQ(p[Color], TPropValue(Blue));
  EXPECT_EQ(p[MarginLeft], TPropValue(String(u"3px")));
  EXPECT_EQ(p[TextAlign], TPropValue(String(u"center")));
  TProperties q;
  ParseStyleAttribute(u"color: red !important", q);
  EXPECT_EQ(q[Color], TPropValue(Red));
  TProperties r;
  ParseStyleAttribute(u"border: 1px solid green; font-family: 'A B', serif", r);
  EXPECT_EQ(r[BorderLeftColor], TPropValue(Green));
  EXPECT_EQ(r[FontFamily], TPropValue(String(u"'a b', serif")));
}
}  // namespace
