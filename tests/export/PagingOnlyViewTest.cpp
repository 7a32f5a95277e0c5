// A document loaded only to be paged (the command line's way) is spent by its first
// printing copy, which frees every section and table row of it as it copies them; pages at
// another size then come from a copy of that copy. The pages must stay those of the window,
// which keeps its document and copies it whole every time: for tables with links, spans,
// nested tables and backgrounds, for blocks, lists, images and anchors, at full size and
// scaled, with page numbers, asked for again and in another order; and for documents with
// form controls, which are copied whole.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "export/HtmlView.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "tests/export/ExportTestPages.h"
#include "tests/support/TempDirectory.h"

namespace {

std::vector<std::string> Convert(THtmlView& view, bool scaleToFit, bool pageNumbers) {
  return ConvertRecorded(view, scaleToFit, pageNumbers).Records;
}

std::string Rows(int count, const std::string& row) {
  std::string html;
  for (int r = 0; r < count; ++r) {
    std::string line = row;
    for (size_t at; (at = line.find("#")) != std::string::npos;) line.replace(at, 1, std::to_string(r));
    html += line;
  }
  return html;
}

struct TDocumentCase {
  const char* Name;
  std::string Html;
};

void PrintTo(const TDocumentCase& c, std::ostream* os) { *os << c.Name; }

std::vector<TDocumentCase> Documents() {
  return {
      {"ReportTableWithLinks",
       "<html><body><table border=1 cellpadding=2>" +
           Rows(300, "<tr><td align=left valign=top><a href=\"https://example.org/#\">https://example.org/#</a></td>"
                     "<td>#</td><td bgcolor=yellow>Word <b>#</b></td></tr>\n") +
           "</table><p><a href=\"#top\">Back</a></p></body></html>"},
      {"SpansNestedTablesAndHeaders",
       "<html><body><table border=1><thead><tr><th colspan=2>Head</th></tr></thead>" +
           Rows(120, "<tr><td rowspan=2>#<table border=1><tr><td><a href=\"n#\">nested #</a></td></tr></table></td>"
                     "<td style=\"background:#ddeeff\">a #</td></tr><tr><td>b #</td></tr>\n") +
           "</table></body></html>"},
      {"WideTableThatScales",
       "<html><body><table border=1>" +
           Rows(200, "<tr><td nowrap>a very long cell of text # that does not wrap at all, and more text</td>"
                     "<td nowrap><a href=\"w#\">another long cell # that does not wrap either</a></td></tr>\n") +
           "</table></body></html>"},
      // Outside tables every section of the source goes as it is copied: blocks, lists,
      // images (animated, floating, missing), anchors and bordered inline elements.
      {"BlocksListsImagesAndAnchors",
       "<html><body>" +
           Rows(80, "<h3 id=\"h#\">Heading #</h3><div style=\"border:1px solid blue;padding:4px\"><p>Text # with "
                    "<span style=\"border:1px solid red;background:yellow\">boxed #</span> and <abbr title=\"t\">ABBR</abbr>"
                    "<img src=\"" + std::string(WENDREL_FIXTURES) + "/gif/spinner.gif\" align=left> and "
                    "<img src=\"missing#.png\" width=30 height=20> <a href=\"#h#\">back #</a></p>"
                    "<ul><li>item #<li>item <b>#</b></ul><pre>pre   #   line</pre></div><table border=1><tr><td>"
                    "<img src=\"" + std::string(WENDREL_FIXTURES) + "/gif/spinner.gif\"> cell #</td></tr></table><br>\n") +
           "</body></html>"},
      {"FormControlsInCells",
       "<html><body><form><table border=1>" +
           Rows(150, "<tr><td><input type=checkbox name=c# checked> #</td><td><input type=text value=\"v#\"></td>"
                     "<td><a href=\"f#\">link #</a></td></tr>\n") +
           "</table></form></body></html>"},
  };
}

class PagingOnlyView : public testing::TestWithParam<TDocumentCase> {};

TEST_P(PagingOnlyView, PagesAreTheWindowsAtEverySizeAndAgain) {
  TApplication app;
  TForm* parent = new TForm(&app);
  TTempDirectory dir("wendrel-paging-only");
  dir.WriteFile("doc.html", GetParam().Html);
  const String path = Utf8ToString(dir.PathOf("doc.html"));
  const std::unique_ptr<THtmlView> window = HtmlViewFactory(*parent), commandLine = HtmlViewFactory(*parent);
  window->LoadDocumentFile(path);
  commandLine->LoadDocumentFileForPaging(path);

  // Sizes in another order than the corpus test takes them, each one twice.
  const struct {
    bool ScaleToFit, PageNumbers;
  } conversions[] = {{true, true}, {false, false}, {false, true}, {true, false}, {true, false}};
  for (const auto& conversion : conversions) {
    SCOPED_TRACE(std::string(conversion.ScaleToFit ? "scaled" : "full size") +
                 (conversion.PageNumbers ? ", page numbers" : ""));
    const std::vector<std::string> expected = Convert(*window, conversion.ScaleToFit, conversion.PageNumbers);
    const std::vector<std::string> pages = Convert(*commandLine, conversion.ScaleToFit, conversion.PageNumbers);
    ASSERT_GT(expected.size(), 1u);
    ASSERT_EQ(pages.size(), expected.size());
    for (size_t p = 0; p < pages.size(); ++p) EXPECT_TRUE(pages[p] == expected[p]) << "page " << p + 1 << " differs";
  }

  // A new load starts from the new document.
  dir.WriteFile("other.html", "<html><body><table><tr><td>one</td></tr></table></body></html>");
  commandLine->LoadDocumentFileForPaging(Utf8ToString(dir.PathOf("other.html")));
  window->LoadDocumentFile(Utf8ToString(dir.PathOf("other.html")));
  EXPECT_EQ(Convert(*commandLine, false, false), Convert(*window, false, false));
}

INSTANTIATE_TEST_SUITE_P(Documents, PagingOnlyView, testing::ValuesIn(Documents()),
                         [](const testing::TestParamInfo<TDocumentCase>& info) { return info.param.Name; });

}  // namespace
