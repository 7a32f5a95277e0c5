#include <gtest/gtest.h>

#include "tests/html/document/parser/ParserTestTools.h"

namespace {

struct IncludeCall {
  String Command;
  std::vector<String> Params;
};

// Answers every include with a buffer of Text (none when Text is empty).
TIncludeType Includer(std::vector<IncludeCall>& calls, const std::string& text) {
  return [&calls, text](TComponent*, const String& command, TStrings& params, std::unique_ptr<TBuffer>& doc) {
    IncludeCall call{command, {}};
    for (int i = 0; i < params.Count(); ++i) call.Params.push_back(params[i]);
    calls.push_back(call);
    if (!text.empty()) doc = BufferOf(text);
  };
}

TEST(IncludeComments, IncludedTextFollowsTheComment) {
  std::vector<IncludeCall> calls;
  const std::string html = "a<!--#include file=\"x.html\" virtual='&lt;v' n=1 flag -->b";
  TParserOver over(html);
  THtmlParser& p = over.Parser;
  p.IncludeEvent = Includer(calls, "INC");
  p.GetChar();
  p.NextToken();
  EXPECT_EQ(TokenText(p), "aINCb");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Command, u"include");
  EXPECT_EQ(calls[0].Params, (std::vector<String>{u"file=x.html", u"virtual=<v", u"n=1", u"flag="}));
  // Included characters keep the position the include began at; the document resumes after it.
  const auto& pos = p.Token->Positions;
  EXPECT_EQ(pos[2], pos[3]);
  EXPECT_EQ(pos[3], pos[4]);
  EXPECT_LT(pos[4], pos[5]);
  EXPECT_EQ(pos[5], static_cast<int>(html.size()) - 1);
}

TEST(IncludeComments, CommandThatSwallowedTheClosingHyphens) {
  std::vector<IncludeCall> calls;
  TParserOver over("<!--#echo-->b");
  over.Parser.IncludeEvent = Includer(calls, "");
  over.Parser.GetChar();
  over.Parser.NextToken();
  EXPECT_EQ(TokenText(over.Parser), "b");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Command, u"echo");
}

TEST(IncludeComments, CommandEndInUtf16Document) {
  std::vector<IncludeCall> calls;
  std::string html = "\xFF\xFE";
  for (char c : std::string("<!--#ab-->c<!--#d x=1 -->e")) html += std::string{c, '\0'};
  TParserOver over(html);
  over.Parser.IncludeEvent = Includer(calls, std::string("\xFF\xFEI\0", 4));
  over.Parser.GetChar();
  over.Parser.NextToken();
  EXPECT_EQ(TokenText(over.Parser), "IcIe");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Command, u"ab");
  EXPECT_EQ(calls[1].Params, std::vector<String>{u"x=1"});
}

TEST(IncludeComments, NestingStopsAtTheDepthLimit) {
  std::vector<IncludeCall> calls;
  TParserOver over("<!--#again-->end");
  THtmlParser& p = over.Parser;
  p.IncludeEvent = Includer(calls, "x<!--#again-->y");
  p.GetChar();
  p.NextToken();
  EXPECT_EQ(calls.size(), static_cast<size_t>(THtmlParser::MaxIncludeDepth));
  EXPECT_EQ(TokenText(p), std::string(THtmlParser::MaxIncludeDepth, 'x') + std::string(THtmlParser::MaxIncludeDepth, 'y') + "end");
  EXPECT_TRUE(p.BufferStack.empty());
  EXPECT_EQ(p.Buffer, over.Buffer.get());
}

TEST(IncludeComments, IncludeInsideAnIncludeCommentIsAPlainComment) {
  std::vector<IncludeCall> calls;
  TParserOver over("a<!--#outer x<!--#inner--> y=2 -->b");
  over.Parser.IncludeEvent = Includer(calls, "I");
  over.Parser.GetChar();
  over.Parser.NextToken();
  EXPECT_EQ(TokenText(over.Parser), "aIb");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Command, u"outer");
  EXPECT_EQ(calls[0].Params, (std::vector<String>{u"x=", u"y=2"}));
}

TEST(IncludeComments, LinkSearchRunsNoHandler) {
  std::vector<IncludeCall> calls;
  TParserOver over("a<!--#include file=x -->b");
  over.Parser.IncludeEvent = Includer(calls, "INC");
  over.Parser.LinkSearch = true;
  over.Parser.GetChar();
  over.Parser.NextToken();
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(over.Parser.Ch, 0);
}

TEST(IncludeComments, OpenIncludeCommentEndsTheInput) {
  std::vector<IncludeCall> calls;
  // The second one holds a comment inside a parameter value, which must not close the include.
  for (const char* html : {"a<!--#include file=x", "a<!--#include file=\"x.html<!->c"}) {
    TParserOver over(html);
    over.Parser.IncludeEvent = Includer(calls, "INC");
    over.Parser.GetChar();
    over.Parser.NextToken();
    EXPECT_EQ(TokenText(over.Parser), "a") << html;
    over.Parser.NextToken();
    EXPECT_EQ(over.Parser.Symbol, EofSy) << html;
  }
  EXPECT_TRUE(calls.empty());
}

}  // namespace
