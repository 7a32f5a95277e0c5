// The element handlers through whole parses: character references in text and attributes,
// fonts, links and anchors, the BODY and HTML attributes, head elements and their events,
// image maps, embedded objects and the encodings that META and XML declarations name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/foundation/fonts/FontInfo.h"
#include "html/foundation/fonts/FontSizes.h"
#include "html/foundation/fonts/MyFont.h"
#include "html/foundation/globals/EngineSettings.h"
#include "tests/html/document/parser/ParsedDocument.h"

namespace {

// The first text section of the document, depth first.
const TSection* FirstText(const TCellBasic& cell) {
  for (int i = 0; i < cell.Count(); ++i) {
    if (const auto* text = dynamic_cast<const TSection*>(cell.Items(i))) return text;
    if (const auto* block = dynamic_cast<const TBlock*>(cell.Items(i)))
      if (const TSection* text = FirstText(*block->ContentCell)) return text;
  }
  return nullptr;
}

// The run of the section that holds the character.
const TFontObj& RunAt(const TSection& section, int index) {
  const TFontObj* found = section.Fonts.Items(0);
  for (int i = 0; i < section.Fonts.Count(); ++i)
    if (section.Fonts.Items(i)->StartPos <= index) found = section.Fonts.Items(i);
  return *found;
}

TEST(ElementHandlers, CharacterReferencesInText) {
  struct Case {
    const char* Html;
    std::u16string Text;
  };
  const Case cases[] = {
      {"a&amp;b &lt;&gt; &quot;", u"a&b <> \""},
      {"&copy &copy; &copyx", u"\u00a9 \u00a9 &copyx"},  // a name of at most 255 stands without ";"
      {"&hellip &hellip;", u"&hellip \u2026"},
      {"&#65;&#x42;&#X43;", u"ABC"},
      {"&#150;&#128;", u"\u2013\u20ac"},  // 128..159 as code page 1252
      {"&#x1F600;", u"\U0001F600"},
      {"&#0;&#xD800;&#1114112;&#99999999999999;", u"\ufffd\ufffd\ufffd\ufffd"},
      {"&#; &#x; &unknown; & x", u"&#; &#x; &unknown; & x"},
      {"&#9;x&#7;", u"x?"},  // tab a space (dropped at the start), other controls "?"
  };
  for (const Case& c : cases) {
    TParsedDocument parsed(c.Html);
    parsed.Parse();
    const TSection* text = FirstText(parsed.document);
    ASSERT_NE(text, nullptr) << c.Html;
    String shown = text->Text;
    shown.pop_back();  // the final space
    EXPECT_EQ(shown, c.Text) << c.Html;
  }
}

TEST(ElementHandlers, CharacterReferencesInAttributes) {
  TParsedDocument parsed(
      "<a href=\"?a=1&copy=2&amp;b=&lt;3\" title='x&copy;y&copyz'>l</a>"
      "<a href=?q&copy;>m</a>");
  parsed.Parse();
  ASSERT_GE(parsed.document.LinkList.Count(), 2);
  EXPECT_EQ(parsed.document.LinkList.Items(0)->GetUrl(), u"?a=1&copy=2&b=<3");
  EXPECT_EQ(parsed.document.LinkList.Items(parsed.document.LinkList.Count() - 1)->GetUrl(), u"?q\u00a9");
}

TEST(ElementHandlers, FontSizes) {
  const THtmlEngineSettings& settings = EngineSettings();
  struct Case {
    const char* Html;
    int Size;
  };
  const Case cases[] = {
      {"<font size=+1>x", 4}, {"<basefont size=5><font size=-1>x", 4}, {"<font size=9>x", 7},
      {"<font size=0>x", 1},  {"<font size=+>x", 1},                    {"<font size=2>x", 2},
  };
  for (const Case& c : cases) {
    TParsedDocument parsed(c.Html);
    parsed.Parse();
    const TSection* text = FirstText(parsed.document);
    ASSERT_NE(text, nullptr) << c.Html;
    TMyFont expected;
    expected.SetHeight(-FontHeightOfPoints(settings.HtmlFontSizes[static_cast<size_t>(c.Size)]));
    EXPECT_EQ(RunAt(*text, 0).RunFont->Height(), -std::abs(FontHeightOfPoints(settings.HtmlFontSizes[static_cast<size_t>(c.Size)])))
        << c.Html;
  }
}

TEST(ElementHandlers, FontColourFaceAndTheirEnds) {
  TParsedDocument parsed("<p>a<font color=red face='NoSuchFont, Liberation Mono'>b</font>c<basefont color=blue>d</font>e");
  parsed.Parse();
  const TSection& text = *FirstText(parsed.document);
  EXPECT_EQ(RunAt(text, 1).RunFont->Color() & 0xFFFFFF, clRed);
  EXPECT_EQ(RunAt(text, 1).RunFont->Name(), u"Liberation Mono");
  EXPECT_EQ(RunAt(text, 2).RunFont->Color() & 0xFFFFFF, clBlack);
  EXPECT_EQ(RunAt(text, 3).RunFont->Color() & 0xFFFFFF, clBlue);  // BASEFONT pushes a FONT set...
  EXPECT_EQ(RunAt(text, 4).RunFont->Color() & 0xFFFFFF, clBlack);  // ...that /FONT removes
}

TEST(ElementHandlers, UnclosedBoldOutlivesItsParagraph) {
  TParsedDocument parsed("<body><p>a<b>b<p>c</b>d");
  parsed.Parse();
  const auto& body = dynamic_cast<const TBlock&>(*parsed.document.Items(0));
  const auto& second = dynamic_cast<const TBlock&>(*body.ContentCell->Items(1));
  const auto& text = dynamic_cast<const TSection&>(*second.ContentCell->Items(0));
  EXPECT_TRUE(RunAt(text, 0).RunFont->Style() & fsBold);
  EXPECT_FALSE(RunAt(text, 1).RunFont->Style() & fsBold);
}

// Every run of a link shows, hovers and prints in its own element's font: the link fonts of
// a run inside CODE are CODE's, also in a link to an empty address.
TEST(ElementHandlers, RunsInsideALinkTakeTheirOwnLinkFonts) {
  for (const char* html : {"<a href=x>a<code>b</code>c</a>", "<a href=\"\">a<code>b</code>c</a>",
                           "<a href=\"\"><code class=\"p q\">b</code></a>"}) {
    SCOPED_TRACE(html);
    TParsedDocument parsed(html);
    parsed.Parse();
    const TLinkList& links = parsed.document.LinkList;
    ASSERT_GT(links.Count(), 0);
    bool sawCode = false;
    for (int i = 0; i < links.Count(); ++i) {
      const TFontObj& run = *links.Items(i);
      ASSERT_NE(run.StateInfos, nullptr) << i;
      const ThtFontInfo& info = (*run.StateInfos)[0];
      EXPECT_EQ(info.Name, run.RunFont->Name()) << i;
      EXPECT_EQ(FontHeightOfPoints(info.Size), run.RunFont->Height()) << i;
      sawCode = sawCode || run.RunFont->Name() == u"Courier New";
    }
    EXPECT_TRUE(sawCode);
  }
}

TEST(ElementHandlers, LinksAndAnchors) {
  TParsedDocument parsed("<a href=one>1<a href=two target=_blank>2</a>3<a name=top></a><a name='#Top2'>x</a>");
  parsed.Parse();
  const TLinkList& links = parsed.document.LinkList;
  ASSERT_EQ(links.Count(), 2);  // the second A ends the first link
  EXPECT_EQ(links.Items(0)->GetUrl(), u"one");
  EXPECT_EQ(links.Items(1)->GetUrl(), u"two");
  EXPECT_EQ(links.Items(1)->LinkTarget->FrameTarget, u"_blank");
  EXPECT_NE(links.Items(0)->LinkTarget->Serial, links.Items(1)->LinkTarget->Serial);
  EXPECT_NE(parsed.document.IdList.Find(u"TOP"), nullptr);
  EXPECT_NE(parsed.document.IdList.Find(u"top2"), nullptr);
}

TEST(ElementHandlers, TooManyLinksForTabStops) {
  auto links = [](int count) {
    std::string html;
    for (int i = 0; i < count; ++i) html += "<a href=x" + std::to_string(i) + ">l</a> ";
    return html;
  };
  EXPECT_FALSE(TParsedDocument(links(400) + "<a>no href</a>").Parse().document.TooManyLinks);
  EXPECT_TRUE(TParsedDocument(links(401)).Parse().document.TooManyLinks);
}

TEST(ElementHandlers, BodyAndHtmlAttributes) {
  {
    TParsedDocument parsed("<body bgcolor=yellow text=#0000ff link=green leftmargin=0 topmargin=300>x");
    parsed.Parse();
    EXPECT_EQ(parsed.document.BackgroundColor & 0xFFFFFF, clYellow);
    const auto& body = dynamic_cast<const TBlock&>(*parsed.document.Items(0));
    EXPECT_EQ(body.BoxAt(MarginLeft), 0);
    EXPECT_EQ(body.BoxAt(MarginTop), 200);  // clamped
    EXPECT_EQ(FirstText(parsed.document)->Fonts.Items(0)->RunFont->Color() & 0xFFFFFF, clBlue);
  }
  {
    TParsedDocument parsed("<html style='background-color: #00ff00'><p>x");
    parsed.Parse();
    EXPECT_EQ(parsed.document.BackgroundColor & 0xFFFFFF, clLime);
  }
}

TEST(ElementHandlers, HeadElementsAndTheirEvents) {
  std::vector<std::string> calls;
  auto text = [](const String& s) { return StringToUtf8(s); };
  TParsedDocument parsed(
      "<html><head><title>First</title><title>The &amp; title</title>"
      "<base href='http://127.0.0.1/base/' target=main>"
      "<meta name=author content='Someone'><link rel=next rev=prev href=n.html>"
      "<script type=text/x-test>a<b</script></head>"
      "<body><bgsound src=s.wav loop=-1><bgsound src=t.wav>x");
  parsed.document.OnScript = [&](TComponent*, const String& name, const String& type, const String& src,
                                 const String& script) {
    calls.push_back("script " + text(name) + "|" + text(type) + "|" + text(src) + "|" + text(script));
  };
  parsed.Parse([&](TComponent*, const String& rel, const String& rev,
                   const String& href) { calls.push_back("link " + text(rel) + " " + text(rev) + " " + text(href)); },
               [&](TComponent*, const String& httpEq, const String& name, const String& content) {
                 calls.push_back("meta " + text(httpEq) + "|" + text(name) + "|" + text(content));
               },
               [&](TComponent*, const String& src, int loop, bool terminate) {
                 calls.push_back("sound " + text(src) + " " + std::to_string(loop) + (terminate ? " stop" : ""));
               });
  EXPECT_EQ(calls, (std::vector<std::string>{"meta |author|Someone", "link next prev n.html",
                                             "script |text/x-test||a<b", "sound s.wav -1", "sound t.wav 1"}));
  String title;
  parsed.parser->GetTitleText(title);
  EXPECT_EQ(title, u"The &amp; title");  // the raw source of the last TITLE
  EXPECT_EQ(parsed.parser->BaseUrl, u"http://127.0.0.1/base/");
  EXPECT_EQ(parsed.parser->BaseTarget, u"main");
  EXPECT_EQ(parsed.Tree(), R"(body("x"))");
}

TEST(ElementHandlers, EncodingsNamedByMetaAndXmlDeclaration) {
  const std::string euro = "\xE2\x82\xAC";  // U+20AC in UTF-8
  struct Case {
    std::string Html;
    bool CheckXml;
    std::u16string Text;
  };
  const Case cases[] = {
      {"<meta charset=utf-8><p>" + euro, false, u"\u20ac"},
      {"<meta http-equiv=Content-Type content='text/html; charset=utf-8'><p>" + euro, false, u"\u20ac"},
      {"<meta http-equiv=refresh content='utf-8'><p>\x80", false, u"\u20ac"},  // stays 1252
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?><p>" + euro, true, u"\u20ac"},
      {"<?xml version='1.0' encoding='utf-8'?><p>\x80", true, u"\u20ac"},  // single quotes count not
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?><p>\x80", false, u"\u20ac"},  // not probed
  };
  for (const Case& c : cases) {
    TParsedDocument parsed(c.Html);
    parsed.parser->CheckXmlEncoding = c.CheckXml;
    parsed.Parse();
    const TSection* text = FirstText(parsed.document);
    ASSERT_NE(text, nullptr) << c.Html;
    EXPECT_EQ(text->Text.substr(0, c.Text.size()), c.Text) << c.Html;
  }
}

TEST(ElementHandlers, ImageMaps) {
  TParsedDocument parsed(
      "<map name=nav><area shape=rect coords=0,0,10,10 href=a.html>text<area shape=circle coords=5,5,5 href=b>"
      "</map><map name=open><area shape=rect coords=0,0,1,1 href=c><b><i><u>x");
  parsed.Parse();
  ASSERT_EQ(parsed.document.MapList.Count(), 1);  // the unterminated map is dropped
  EXPECT_EQ(parsed.document.MapList.Items(0)->NameKey, u"NAV");
  EXPECT_EQ(parsed.document.MapList.Items(0)->AreaList.size(), 2u);
}

TEST(ElementHandlers, EmbeddedObjects) {
  for (const bool want : {false, true}) {
    std::vector<String> attributes, params;
    TParsedDocument parsed(
        "<object data=movie.x type=video/x><param name=a value=1><param name=b><param value=orphan>fallback</object>"
        "after");
    parsed.document.OnObjectTag = [&](TComponent*, ThvPanel* panel, const TStringList& a, const TStringList& p,
                                      bool& wantPanel) {
      EXPECT_NE(panel, nullptr);
      for (int i = 0; i < a.Count(); ++i) attributes.push_back(a.Strings(i));
      for (int i = 0; i < p.Count(); ++i) params.push_back(p.Strings(i));
      wantPanel = want;
    };
    parsed.Parse();
    EXPECT_EQ(attributes, (std::vector<String>{u"DATA=movie.x", u"TYPE=video/x"}));
    EXPECT_EQ(params, (std::vector<String>{u"a=1", u"b"}));
    EXPECT_EQ(parsed.Tree(), want ? R"(body("[img]after"))" : R"(body("fallbackafter"))");
    EXPECT_EQ(parsed.document.PanelList.Count(), want ? 1 : 0);
  }
}

TEST(ElementHandlers, RawTextElementsEndAtTheirEndTags) {
  // A TEXTAREA becomes a control of the text; its content never shows as text.
  struct Case {
    const char* html;
    const char* tree;
  };
  for (const Case& c : {Case{"<textarea>a<!--b</textarea><p>after", R"(body("[control]" p("after")))"},
                        Case{"<title>a<!--b</title><p>after", R"(body(p("after")))"},
                        Case{"<script>a<!--b</script><p>after", R"(body(p("after")))"},
                        Case{"<style>p { color: red } <!-- </style><p>after", R"(body(p("after")))"},
                        Case{"<textarea>a<", R"(body("[control]"))"}})  // ends at the end of input
    EXPECT_EQ(TreeOf(c.html), c.tree) << c.html;
}

TEST(ElementHandlers, PlainText) {
  TParsedDocument parsed("line <b>one</b> &amp;\r\n\tsecond\n\nlast");
  parsed.document.Clear();
  parsed.parser->ParseText(&parsed.document);
  EXPECT_EQ(parsed.Tree(), R"(body(pre(pre"line <b>one</b> &amp;" pre" second" pre"" pre"last")))");
}

}  // namespace
