// Whole documents parsed from HTML, laid out at 600 pixels, painted on the raster device and
// compared with pictures a person has looked at.
#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/MeasureDC.h"
#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"

namespace {

constexpr int PageWidth = 600;
const TPictureTolerance FontTolerance{.Channel = 8, .Pixels = 40};

// Lays the document out at the page width and paints it on a white picture as high as it is.
TTestPicture Paint(ThtDocument& document) {
  TCanvas measure{std::make_unique<TMeasureDC>()};
  int scrollWidth = 0, cursor = 0;
  const int height = std::max(1, document.DoLogic(measure, 0, PageWidth, 1000, scrollWidth, cursor));
  TBitmap bitmap(PageWidth, height, pf24bit);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(TRect{0, 0, PageWidth, height});
  document.Draw(canvas, TRect{0, 0, PageWidth, height}, PageWidth, 0, 0, 0, 0);
  return PictureOf(bitmap.Image());
}

struct PictureCase {
  const char* Name;
  const char* Html;
};

TEST(ParsedPictures, OrdinaryDocuments) {
  const PictureCase cases[] = {
      {"html/parsed_article",
       "<html><head><title>Notes</title><style>h1 { color: navy } .note { background: #ffffc0; "
       "border: 1px solid gray; padding: 4px }</style></head><body>"
       "<h1>A parsed document</h1>"
       "<p>The parser builds <b>blocks</b>, <i>inline runs</i> and <a href='x.html'>links</a> from the text, "
       "and the layout wraps this paragraph over more than one line at six hundred pixels.</p>"
       "<div class=note>A box with a border and a background.</div>"
       "<ul><li>First item<li>Second item with <code>code</code></ul>"
       "<ol start=3><li>three<li>four</ol>"
       "<hr><pre>preformatted   text\n  keeps its spaces</pre>"
       "<blockquote>A quotation, indented.</blockquote>"
       "<p align=center><font color=red size=5>Big red centred text</font></p>"},
      {"html/parsed_forms_lists_pre",
       "<body bgcolor=#f0f0ff leftmargin=20 topmargin=12>"
       "<fieldset><legend>Legend</legend>Inside the frame<br>on two lines</fieldset>"
       "<dl><dt>Term<dd>Its definition, indented</dl>"
       "<ul><li>outer<ul><li>inner one<li>inner two</ul><li>outer again</ul>"
       "<h3 align=right>Right heading</h3>"
       "<pre>\ncol1   col2\n<b>bold</b>   <i>it</i>\n</pre>"
       "<p><font size=1>small</font> <font size=3>normal</font> <font size=7>huge</font>"},
      // Placeholders of pictures that cannot be shown, after a list bullet too: the
      // alternative text on the page's background.
      {"html/parsed_missing_pictures",
       "<ul><li><img src=missing.svg alt='first logo'><li><img src=missing.svg alt='second logo'>"
       "<li>text <img src=none.png alt='after text' width=90 height=30></ul>"
       "<p><img src=none.png alt='in a paragraph'></p>"},
      // A blank line inside PRE keeps its height; a captioned 80 % table is as wide and as far
      // left as the one without a caption; "&" in alternative text is drawn.
      {"html/parsed_pre_caption_alt",
       "<pre>line a\n\nline b\n\n\nline c</pre>"
       "<table width='80%' border=1><caption>A caption</caption><tr><td>one<td>two</table>"
       "<table width='80%' border=1><tr><td>one<td>two</table>"
       "<p><img src=none.png alt='Fish &amp; Chips' width=160 height=30></p>"},
  };
  for (const PictureCase& c : cases) {
    TParsedDocument parsed(c.Html);
    parsed.Parse();
    EXPECT_TRUE(MatchesReference(Paint(parsed.document), c.Name, FontTolerance)) << c.Html;
  }
}

// FRAME and RULES: which sides of the table (the table block's border) and of its cells (the
// cells' border styles) are drawn. Two by two cells without spacing for each case.
TEST(ParsedPictures, TableFrameAndRules) {
  const std::pair<const char*, const char*> cases[] = {
      {"border", "border=2"},
      {"hsides_cols", "border=2 frame=hsides rules=cols"},
      {"vsides_rows", "border=2 frame=vsides rules=rows"},
      {"above_none", "border=2 frame=above rules=none"},
      {"below_all", "border=2 frame=below rules=all"},
      {"box_groups", "border=2 frame=box rules=groups"},
      {"no_border", ""},
  };
  for (const auto& [name, attributes] : cases) {
    TParsedDocument parsed(std::string("<body leftmargin=4 topmargin=4><table cellspacing=0 cellpadding=0 ") +
                           attributes +
                           "><tr><td width=60 height=30>a<td width=60>b<tr><td height=30>c<td>d</table>");
    parsed.Parse();
    EXPECT_TRUE(MatchesReference(Paint(parsed.document), std::string("html/table_frame_rules_") + name,
                                 FontTolerance))
        << attributes;
  }
}

}  // namespace
