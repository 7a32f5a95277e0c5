#include <gtest/gtest.h>

#include "tests/html/document/parser/ParserTestTools.h"

namespace {

using Tokens = std::vector<std::string>;

TEST(TokenReader, SmallInputsGiveTheirTokens) {
  struct Case {
    const char* html;
    Tokens tokens;
  };
  const Case cases[] = {
      {"<p align=center>Hi</p>", {"<P ALIGN=center>", "\"Hi\"", "</P>", "eof"}},
      {"a  \r\n\t b", {"\"a b\"", "eof"}},
      {"<BR/>x<br />", {"<BR>", "\"x\"", "<BR>", "eof"}},
      {"<foo x=1 y>", {"<? X=1 Y=>", "eof"}},
      {"</br>", {"<?>", "eof"}},
      {"<?xml version=\"1.0\"?>x", {"<?>", "\"x\"", "eof"}},
      {"a < b", {"\"a \"", "\"<\"", "\" b\"", "eof"}},
      {"x<!-- c -->y<!DOCTYPE html>z<% s %>w", {"\"xyzw\"", "eof"}},
      {"a<!-- x -- >b<!-- y --\r\n!>c<!-- - -> -->d", {"\"abcd\"", "eof"}},
      {"a<!- x>b", {"\"ab\"", "eof"}},
      {"<a href=/x/y.html?q=\"b\" target='_top'>", {"<A HREF=/x/y.html?q=\"b\" TARGET=_top>", "eof"}},
      {"<img alt='a\nb' title=\"c\nd\" src=\"e\nf\">", {"<IMG ALT=a\r\nb TITLE=c\r\nd SRC=ef>", "eof"}},
      {"<td nowrap\nwidth = 5 >x", {"<TD NOWRAP= WIDTH=5>", "\"x\"", "eof"}},
      {"<b junk \"text\" class=k>", {"<B JUNK=>", "eof"}},
      {"a\x01" "b", {"\"a\"", "\"\"", "\"?b\"", "eof"}},
      {"</>x", {"<?>", "\"x\"", "eof"}},
      {"<p", {"<P>", "eof"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadTokens(c.html), c.tokens) << c.html;
}

TEST(TokenReader, TextKeepsTheSourcePositionOfEveryCharacter) {
  TParserOver over("ab \r\n &amp; <b>c</b>");
  THtmlParser& p = over.Parser;
  p.GetChar();
  p.NextToken();
  EXPECT_EQ(TokenText(p), "ab & ");
  const std::vector<int> positions(p.Token->Positions.begin() + 1, p.Token->Positions.begin() + 1 + p.Token->Count);
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 6, 11}));
  p.NextToken();
  EXPECT_EQ(DescribeToken(p), "<B>");
  EXPECT_EQ(p.TagPosition, 12);
  p.NextToken();
  EXPECT_EQ(p.Token->Positions[1], 15);
}

TEST(TokenReader, LinkSearchKeepsNoText) {
  TParserOver over("some text<p>");
  over.Parser.LinkSearch = true;
  over.Parser.GetChar();
  over.Parser.NextToken();
  EXPECT_EQ(over.Parser.Symbol, TextSy);
  EXPECT_EQ(over.Parser.Token->Count, 0);
}

TEST(TokenReader, LineEndPairsFoldToOneCarriageReturn) {
  TParserOver over("a\r\nb\n\rc\rd\ne\n\nf\tg");
  THtmlParser& p = over.Parser;
  p.RawMode = true;
  String text;
  for (p.GetChar(); p.Ch != 0; p.GetChar()) text += p.Ch;
  EXPECT_EQ(text, u"a\rb\rc\rd\re\r\rf g");
}

// A comment left open takes the rest of the input: the input ends where it starts, and the
// text read before it is kept (it was lost with the whole run when the reader raised).
TEST(TokenReader, CommentLeftOpenEndsTheInput) {
  struct Case {
    const char* html;
    Tokens tokens;
  };
  const Case cases[] = {
      {"S1 before <!-- never closed", {"\"S1 before \"", "eof"}},
      {"a<!DOCTYPE html", {"\"a\"", "eof"}},
      {"<!-- x -- y", {"eof"}},
      {"<b>x</b>y<!-- z <i>w</i>", {"<B>", "\"x\"", "</B>", "\"y\"", "eof"}},
      {"<p title=\"<!-- x\">", {"<P TITLE=>", "eof"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadTokens(c.html), c.tokens) << c.html;
}

TEST(TokenReader, ServerBlockRunsToPercentAngle) {
  EXPECT_EQ(ReadTokens("a<% x > y %>b<% open"), (Tokens{"\"ab\"", "eof"}));
}

}  // namespace
