#include <gtest/gtest.h>

#include "tests/html/document/parser/ParserTestTools.h"

namespace {

String TextOf(const std::string& html) {
  TParserOver over(html);
  over.Parser.GetChar();
  over.Parser.NextToken();
  return over.Parser.Token->GetText();
}

TEST(CharacterReferences, DecodeOrStayAsWritten) {
  struct Case {
    const char* html;
    String text;
  };
  const Case cases[] = {
      {"&amp;&lt;&gt;", u"&<>"},
      {"&lt x", u"< x"},                      // a name up to 255 needs no ";"
      {"&hellip;|&hellip", u"\u2026|&hellip"},  // above 255 it does
      {"&bogus; &", u"&bogus; &"},
      {"&#65;&#x42;&#X43&#0068;", u"ABCD"},
      {"&#;&#x;&#xg", u"&#;&#x;&#xg"},
      {"&#9;&#7;&#10;", u" ??"},
      {"&#0;&#xD800;&#xDFFF;&#x110000;", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"&#99999999999999999999999;&#xFFFFFFFFFFFFFFFFFFFFF;", u"\uFFFD\uFFFD"},
      {"&#x1F600;&#1114111;", u"\U0001F600\U0010FFFF"},
      {"&#128;&#150;&#159;&#129;&#127;", u"\u20AC\u2013\u0178\u0081\u007F"},
      {"&#xFFFF;&#160;", u"\uFFFF\u00A0"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(c.html), c.text) << c.html;
}

TEST(CharacterReferences, WindowsCharactersInEveryEncoding) {
  EXPECT_EQ(TextOf("\xEF\xBB\xBF&#150;\xE2\x82\xAC"), u"\u2013\u20AC");   // UTF-8 with its mark
  EXPECT_EQ(TextOf(std::string("\xFF\xFE&\0#\0" "1\0" "4\0" "7\0;\0", 14)), u"\u201C");  // UTF-16 LE
}

TEST(CharacterReferences, AttributeValuesKeepQueryParameters) {
  TParserOver over("<a href=\"?a=1&copy=2&amp;b&copy;&copyx&copy y\" title=&lt;&lt=1>");
  THtmlParser& p = over.Parser;
  p.GetChar();
  p.NextToken();
  ASSERT_EQ(p.Attributes.Count(), 2);
  EXPECT_EQ(p.Attributes.AttributeAt(0)->ValueText, u"?a=1&copy=2&b\u00A9&copyx\u00A9 y");
  EXPECT_EQ(p.Attributes.AttributeAt(1)->ValueText, u"<&lt=1");
}

TEST(CharacterReferences, TextKeepsTheTextMeaningOfAnEntityBeforeEquals) {
  // In text, browsers and this reader decode "&copy=" as the sign followed by "=".
  EXPECT_EQ(TextOf("&copy=2"), u"\u00A9=2");
}

}  // namespace
