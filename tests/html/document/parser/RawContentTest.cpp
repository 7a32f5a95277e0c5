#include <gtest/gtest.h>

#include "tests/html/document/parser/ParserTestTools.h"

namespace {

// Reads tokens up to the first tag of Symbol and leaves the parser there.
void ReadUpTo(THtmlParser& p, uint8_t symbol) {
  p.GetChar();
  do p.NextToken();
  while (p.Symbol != symbol && p.Symbol != EofSy);
  ASSERT_EQ(p.Symbol, symbol);
}

TEST(RawContent, TextAreaReadsToItsEndTag) {
  struct Case {
    const char* html;
    String content;
    const char* next;
  };
  const Case cases[] = {
      {"<textarea>l1\r\nl2 &amp; <b></TEXTAREA >z", u"l1\r\nl2 & <b>", "\"z\""},
      {"<textarea><!-- x</textarea>y<p>", u"<!-- x", "\"y\""},
      {"<textarea>a<", u"a<", "eof"},
      {"<textarea>a</", u"a</", "eof"},
      {"<textarea>a</textare", u"a</textare", "eof"},
      {"<textarea>\n\nb\n</textarea>", u"\r\n\r\nb\r\n", "eof"},
  };
  for (const Case& c : cases) {
    TParserOver over(c.html);
    THtmlParser& p = over.Parser;
    ReadUpTo(p, TextAreaSy);
    EXPECT_EQ(p.ReadTextAreaContent(), c.content) << c.html;
    EXPECT_FALSE(p.RawMode);
    p.NextToken();
    EXPECT_EQ(DescribeToken(p), c.next) << c.html;
  }
}

TEST(RawContent, ScriptGoesToItsHandlerUpToTheEndTag) {
  TParserOver over("<script type=text/x name=n src=s.js>if (a<b) <!-- x\n</b></SCRIPT>after");
  THtmlParser& p = over.Parser;
  ReadUpTo(p, ScriptSy);
  EXPECT_EQ(p.Ch, u'>');
  String name, type, src, script;
  p.DoScript([&](TComponent*, const String& n, const String& t, const String& s, const String& text) {
    name = n;
    type = t;
    src = s;
    script = text;
  });
  EXPECT_EQ(name, u"n");
  EXPECT_EQ(type, u"text/x");
  EXPECT_EQ(src, u"s.js");
  EXPECT_EQ(script, u"if (a<b) <!-- x\r\n</b>");
  p.NextToken();
  EXPECT_EQ(TokenText(p), "after");
}

TEST(RawContent, ScriptWithoutHandlerIsSkippedWithoutSwallowingTheDocument) {
  TParserOver over("<script language=js><!-- never closed</script>after");
  THtmlParser& p = over.Parser;
  ReadUpTo(p, ScriptSy);
  p.DoScript(nullptr);
  p.NextToken();
  EXPECT_EQ(TokenText(p), "after");
}

TEST(RawContent, TitleIsTheRawSourceUpToItsEndTag) {
  struct Case {
    const char* html;
    String title;
    const char* next;
  };
  const Case cases[] = {
      {"<title>A &amp; <!-- B</title>x", u"A &amp; <!-- B", "\"x\""},
      {"<title></title>x", u"", "\"x\""},
      {"<title>open <b>end", u"open <b>end", "eof"},
  };
  for (const Case& c : cases) {
    TParserOver over(c.html);
    THtmlParser& p = over.Parser;
    ReadUpTo(p, TitleSy);
    p.ReadTitle();
    String title;
    p.GetTitleText(title);
    EXPECT_EQ(title, c.title) << c.html;
    p.NextToken();
    EXPECT_EQ(DescribeToken(p), c.next) << c.html;
  }
}

}  // namespace
