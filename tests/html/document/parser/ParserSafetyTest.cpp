// Hostile and broken input through the whole parse: deep nesting, files that are no regular
// files, includes that multiply, and objects freed while parsing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "html/document/blocks/Block.h"
#include "html/document/floats/PanelObj.h"
#include "html/document/inline/Section.h"
#include "html/document/parser/LinkedFiles.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "platform/rtl/Streams.h"
#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/support/RepeatedText.h"
#include "tests/support/TempDirectory.h"

namespace {

int BlockDepth(const TCellBasic& cell) {
  int deepest = 0;
  for (int i = 0; i < cell.Count(); ++i) {
    const auto* block = dynamic_cast<const TBlock*>(cell.Items(i));
    if (!block) continue;
    int depth = BlockDepth(*block->ContentCell);
    if (const auto* fieldset = dynamic_cast<const TFieldsetBlock*>(block))
      depth = std::max(depth, BlockDepth(*fieldset->LegendCell));
    deepest = std::max(deepest, 1 + depth);
  }
  return deepest;
}

// Lays the document out and paints it, as the viewer does after a load.
void LayOutAndPaint(ThtDocument& document, int width = 400) {
  TCanvas measure{std::make_unique<TMeasureDC>()};
  int scrollWidth = 0, cursor = 0;
  const int height = std::clamp(document.DoLogic(measure, 0, width, 600, scrollWidth, cursor), 1, 2000);
  TBitmap bitmap(width, height, pf24bit);
  document.Draw(bitmap.Canvas(), TRect{0, 0, width, height}, width, 0, 0, 0, 0);
}

// Everything the document's lists refer to is alive (the sanitizers see a freed one).
void ExpectListsHoldLiveObjects(ThtDocument& document) {
  for (int i = 0; i < document.IdList.Count(); ++i) document.IdList.ObjectAt(i)->AnchorY();
  for (int i = 0; i < document.PanelList.Count(); ++i) EXPECT_NE(document.PanelList.Items(i)->Panel, nullptr);
  for (int i = 0; i < document.LinkList.Count(); ++i) document.LinkList.Items(i)->GetUrl();
  for (int i = 0; i < document.TabOrderList.Count(); ++i) EXPECT_NE(document.TabOrderList.GetObject(i), nullptr);
}

TEST(ParserSafety, DeepNestingIsParsedFlatBeyondTheLimit) {
  struct Case {
    const char* Open;
    const char* Close;
  };
  const Case cases[] = {
      {"<div>", "</div>"},          {"<ul><li>", "</ul>"},     {"<blockquote>", "</blockquote>"},
      {"<h1><div>", "</div></h1>"}, {"<fieldset><legend>", ""}, {"<dl><dd>", ""},
      {"<center><form>", ""},       {"<b><i><span>", ""},       {"<address>", "</address>"},
  };
  for (const Case& c : cases) {
    TParsedDocument parsed(Repeated(c.Open, 3000) + "deep" + Repeated(c.Close, 3000) + "<p>after");
    parsed.Parse();
    EXPECT_LE(BlockDepth(parsed.document), 2 * THtmlParser::MaxNestingDepth + 3) << c.Open;
    const std::string tree = parsed.Tree();
    EXPECT_NE(tree.find("deep"), std::string::npos) << c.Open;
    EXPECT_NE(tree.find("(\"after\")"), std::string::npos) << c.Open;
    LayOutAndPaint(parsed.document);
  }
}

TEST(ParserSafety, ElementsBeyondTheStackLimitTakeTheirParentsStyle) {
  // The 300 open SPANs leave the stack full; the B inside gets no set of its own, and its end
  // tag closes it without disturbing the spans.
  TParsedDocument parsed(Repeated("<span>", 300) + "<b>x</b>y" + Repeated("</span>", 300) + "<b>z</b>");
  parsed.Parse();
  EXPECT_EQ(parsed.Tree(), R"(body("xyz"))");
  const TSection& text = dynamic_cast<const TSection&>(*dynamic_cast<TBlock&>(*parsed.document.Items(0)).ContentCell->Items(0));
  auto boldAt = [&](int index) {
    const TFontObj* run = text.Fonts.Items(0);
    for (int i = 0; i < text.Fonts.Count(); ++i)
      if (text.Fonts.Items(i)->StartPos <= index) run = text.Fonts.Items(i);
    return (run->RunFont->Style() & fsBold) != 0;
  };
  EXPECT_FALSE(boldAt(0));
  EXPECT_FALSE(boldAt(1));
  EXPECT_TRUE(boldAt(2));
}

TEST(ParserSafety, LinkedStyleSheetsAreReadOnlyFromSmallRegularFiles) {
  TTempDirectory folder("wendrel-linked");
  folder.WriteFile("sheet.css", ".warn { color: red }");
  const std::string fifo = folder.PathOf("pipe.css");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const int rules = TParsedDocument("x").Parse().document.StyleList->Count();
  struct Case {
    std::string Link;
    int AddedRules;
  };
  const Case cases[] = {
      {"<link rel=stylesheet href='" + folder.PathOf("sheet.css") + "'>", 1},
      {"<link rel=StyleSheet media='screen, print' href='" + folder.PathOf("sheet.css") + "'>", 1},
      // MEDIA before HREF: the scan goes on.
      {"<link media=all href='" + folder.PathOf("sheet.css") + "' rel=stylesheet>", 1},
      {"<link rel=stylesheet media=print href='" + folder.PathOf("sheet.css") + "'>", 0},
      {"<link rel=alternate href='" + folder.PathOf("sheet.css") + "'>", 0},
      {"<link rel=stylesheet href='" + fifo + "'>", 0},
      {"<link rel=stylesheet href=/dev/zero>", 0},
      {"<link rel=stylesheet href='" + folder.PathOf("missing.css") + "'>", 0},
  };
  for (const Case& c : cases) {
    TParsedDocument parsed(c.Link + "<p>text");
    parsed.Parse();
    EXPECT_EQ(parsed.document.StyleList->Count(), rules + c.AddedRules) << c.Link;
    EXPECT_EQ(parsed.Tree(), R"(body(p("text")))") << c.Link;
  }
  EXPECT_EQ(OpenRegularFile(Utf8ToString(folder.PathOf("sheet.css")), 5), nullptr);  // larger than the cap
  EXPECT_NE(OpenRegularFile(Utf8ToString(folder.PathOf("sheet.css")), 100), nullptr);
}

TEST(ParserSafety, AStreamHandlerGetsALinkedStyleSheetByTheNameTheHookExpanded) {
  TTempDirectory folder("wendrel-linked");
  folder.WriteFile("sheet.css", ".warn { color: red }");
  const int rules = TParsedDocument("x").Parse().document.StyleList->Count();
  TParsedDocument parsed("<link rel=stylesheet href=sheet.css><p>text");
  std::vector<String> asked;
  std::unique_ptr<TStream> file;
  parsed.document.ExpandName = [&](String& name) { name = Utf8ToString(folder.PathOf("")) + name; };
  parsed.document.OnStreamRequest = [&](TComponent*, const String& url, TStream*& stream) {
    asked.push_back(url);
    file = OpenRegularFile(url, 1000);
    stream = file.get();
  };
  parsed.Parse();
  EXPECT_EQ(asked, (std::vector<String>{Utf8ToString(folder.PathOf("sheet.css"))}));
  EXPECT_EQ(parsed.document.StyleList->Count(), rules + 1);
}

TEST(ParserSafety, IncludedTextIsCapped) {
  // Every included text includes itself twice: without a cap the text doubles at each of the
  // 16 levels.
  const std::string piece = Repeated("word ", 200) + "<!--#again--><!--#again-->";
  int calls = 0;
  TParsedDocument parsed("<p><!--#again-->end");
  parsed.parser->IncludedTextLimit = 20000;
  parsed.Parse({}, {}, {}, [&](TComponent*, const String&, TStrings&, std::unique_ptr<TBuffer>& doc) {
    ++calls;
    doc = BufferOf(piece);
  });
  const std::string tree = parsed.Tree();
  EXPECT_NE(tree.find("end"), std::string::npos);
  EXPECT_LT(tree.size(), 20000u + piece.size());
  EXPECT_GT(tree.size(), 10000u);
  EXPECT_LT(calls, 40);
}

TEST(ParserSafety, FreedObjectsLeaveNoEntryBehind) {
  const char* cases[] = {
      "<a href tabindex=1></a>",
      "<a href=x tabindex=1></a><p id=p1>text<a href=y tabindex=2>y</a>",
      "<div style='display:none'><p id=x>hidden</p><a href=z tabindex=1>z</a></div>after",
      "<span id=s style='display:none'>gone</span>",
      "<h1 id=h></h1><p id=e></p><li id=l></li>",
      "<a id=a1 name=n1 href=q></a><body>after body",
      "<panel id=p><body>x",
      "<p>a<panel>b</p><body>c",
      "<object data=x><param name=a value=1>fallback</object>",
      "<table><tr style='display:none'><td><a href=z tabindex=1>z</a><panel id=q><input name=i tabindex=2>"
      "</td></tr><tr><td>kept</table>after",
  };
  for (const char* html : cases) {
    TParsedDocument parsed(html);
    parsed.document.OnObjectTag = [](TComponent*, ThvPanel*, const TStringList&, const TStringList&, bool& want) {
      want = false;
    };
    parsed.Parse();
    ExpectListsHoldLiveObjects(parsed.document);
    LayOutAndPaint(parsed.document);
    ExpectListsHoldLiveObjects(parsed.document);
  }
}

TEST(ParserSafety, EmptyAnchorsOfALongDocumentLeaveLaterStylesAlone) {
  // XHTML generators write link targets as empty elements before every heading. A thousand
  // of them must not leave sets behind that fill the property stack and take the styles of
  // the headings and paragraphs that follow.
  std::string html = "<style>p.x { font-weight: bold }</style>";
  for (int i = 0; i < 1000; ++i)
    html += "<div><h3><a id=\"a" + std::to_string(i) + "\"/>Heading " + std::to_string(i) + "</h3><p>Text</p></div>";
  html += "<h1>Last heading</h1><p class=x>Bold text</p><p>Plain text</p>";
  TParsedDocument parsed(html);
  parsed.Parse();
  std::vector<const TSection*> sections;
  CollectSections(parsed.document, sections);
  const auto fontOf = [&](const std::string& text) -> const TMyFont& {
    for (const TSection* section : sections)
      if (SectionText(*section) == text) return *section->Fonts.Items(0)->RunFont;
    ADD_FAILURE() << "no section " << text;
    return *sections.front()->Fonts.Items(0)->RunFont;
  };
  EXPECT_EQ(fontOf("Heading 999").Height(), fontOf("Heading 0").Height());
  EXPECT_GT(std::abs(fontOf("Last heading").Height()), std::abs(fontOf("Heading 0").Height()));
  EXPECT_TRUE(fontOf("Bold text").Style() & fsBold);
  EXPECT_FALSE(fontOf("Plain text").Style() & fsBold);
  EXPECT_NE(parsed.document.IdList.Find(u"a999"), nullptr);  // the targets are still there
}

}  // namespace
