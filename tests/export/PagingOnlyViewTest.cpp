// A document loaded only to be paged (the command line's way) is spent by its first
// printing copy, which frees every section and table row of it as it copies them; pages at
// another size then come from a copy of that copy. The pages must stay those of the window,
// which keeps its document and copies it whole every time: for tables with links, spans,
// nested tables and backgrounds, for blocks, lists, images and anchors, at full size and
// scaled, with page numbers, asked for again and in another order; and for documents with
// form controls, which are copied whole; and for pictures that cannot be shown or that
// animate, beside content wider than the page.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
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

// Pictures that cannot be shown draw the stock error picture, animated ones their own
// animation: each beside content wider than the page, at its own size and another, so that
// "Scale to fit" measures at one width and pages at another (the command line's copy of its
// spent document then goes to a new copy). Both ways and both sizes, at two page sizes.
struct TPictureCase {
  const char* Name;
  const char* File;  // the picture's file in the document's folder; not written when empty
  std::string Bytes;
};

void PrintTo(const TPictureCase& c, std::ostream* os) { *os << c.Name; }

std::string GifFixture(const std::string& name) {
  std::ifstream in(std::string(WENDREL_FIXTURES) + "/gif/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<TPictureCase> Pictures() {
  const std::string gif = GifFixture("spinner.gif");
  return {
      {"Missing", "missing.png", ""},
      {"Svg", "picture.svg",
       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\"><rect width=\"40\" height=\"30\" "
       "fill=\"red\"/></svg>"},
      {"CorruptPng", "corrupt.png", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, '\x5a')},
      {"TruncatedGif", "truncated.gif", gif.substr(0, gif.size() / 3)},
      {"AnimatedGif", "spinner.gif", gif},
  };
}

class PicturesBesideWideContent : public testing::TestWithParam<TPictureCase> {};

TEST_P(PicturesBesideWideContent, CommandLinePagesAreTheWindowsInBothModesAtTwoPageSizes) {
  const TPictureCase& c = GetParam();
  TApplication app;
  TForm* parent = new TForm(&app);
  TTempDirectory dir("wendrel-paging-pictures");
  if (!c.Bytes.empty()) dir.WriteFile(c.File, c.Bytes);
  const std::string picture = c.File;
  dir.WriteFile("doc.html", "<html><body>" +
                                Rows(40, "<p>text #</p><img src=\"" + picture + "\"> <img src=\"" + picture +
                                             "\" width=\"48\" height=\"36\"><table width=\"2000\" border=\"1\">"
                                             "<tr><td>wide #</td></tr></table>\n") +
                                "</body></html>");
  const String path = Utf8ToString(dir.PathOf("doc.html"));
  const std::unique_ptr<THtmlView> window = HtmlViewFactory(*parent), commandLine = HtmlViewFactory(*parent);
  window->LoadDocumentFile(path);
  commandLine->LoadDocumentFileForPaging(path);

  for (const bool landscape : {false, true})
    for (const bool scaleToFit : {true, false}) {
      SCOPED_TRACE(std::string(landscape ? "landscape" : "portrait") + (scaleToFit ? ", Scale to fit" : ""));
      const std::vector<std::string> expected = ConvertRecorded(*window, scaleToFit, false, {}, landscape).Records;
      const std::vector<std::string> pages = ConvertRecorded(*commandLine, scaleToFit, false, {}, landscape).Records;
      ASSERT_GT(expected.size(), 1u);
      ASSERT_EQ(pages.size(), expected.size());
      for (size_t p = 0; p < pages.size(); ++p) EXPECT_TRUE(pages[p] == expected[p]) << "page " << p + 1 << " differs";
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PicturesBesideWideContent, testing::ValuesIn(Pictures()),
                         [](const testing::TestParamInfo<TPictureCase>& info) { return info.param.Name; });

}  // namespace
