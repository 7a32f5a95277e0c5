// A long document of many sections in one block or one table cell: each page draws the part
// of the sections that lies on it, found by position, and still every section that may reach
// any page (tables, floats, positioned blocks, page breaks). Every line is on exactly one
// page, in document order, and the page breaks asked for are kept.
#include <string>
#include <vector>

#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/html/document/paging/PagingFixture.h"

namespace {

struct TPaged {
  std::vector<std::vector<String>> Pages;  // the text records of each page
  int Counted = 0;
};

TPaged Page(const std::string& html, int width, int height) {
  TParsedDocument parsed(html);
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  int scrollWidth = 0, cursor = 0;
  parsed.document.DoLogic(parsed.document.MeasureCanvas(), 0, width, height, scrollWidth, cursor);
  TPaged paged;
  for (const auto& page : RenderPageMetafiles(parsed.document, width, height))
    paged.Pages.push_back(PagingFixture::TextRecords(*page));
  paged.Counted = CountPages(parsed.document, width, height);
  return paged;
}

// The page of each expected text (-1 when on none, -2 when on more than one page).
std::vector<int> PagesOf(const TPaged& paged, const std::vector<String>& texts) {
  std::vector<int> at(texts.size(), -1);
  for (size_t p = 0; p < paged.Pages.size(); ++p)
    for (const String& record : paged.Pages[p])
      for (size_t t = 0; t < texts.size(); ++t)
        if (record == texts[t]) at[t] = at[t] == -1 || at[t] == static_cast<int>(p) ? static_cast<int>(p) : -2;
  return at;
}

// 400 lines; with `mixed`, blocks of every kind between runs of broken lines, otherwise one
// text section of 400 lines (a page starts at its first line on it); all of it in the body
// or in the one cell of a table.
void Check(bool mixed, bool inCell) {
  std::string html = inCell ? "<body><table border=1><tr><td>" : "<body>";
  std::vector<String> texts;
  std::vector<int> breaksBefore;  // indexes of texts that must start a page
  for (int i = 1; i <= 400; ++i) {
    const std::string line = "Line" + std::to_string(i);
    texts.push_back(String(line.begin(), line.end()));
    switch (mixed ? i % 50 : 0) {
      case 7: html += "<p>" + line + "</p>"; break;
      case 13: html += "<ul><li>" + line + "</li></ul>"; break;
      case 21: html += "<table border=1><tr><td>" + line + "</td></tr></table>"; break;
      case 29:
        html += "<div style=\"page-break-before: always\">" + line + "</div>";
        breaksBefore.push_back(static_cast<int>(texts.size()) - 1);
        break;
      case 33: html += "<div style=\"float: right\">" + line + "</div>"; break;
      case 41: html += "<pre>" + line + "</pre>"; break;
      default: html += line + "<br>"; break;
    }
  }
  html += inCell ? "</td></tr></table></body>" : "</body>";
  const TPaged paged = Page(html, 400, 300);
  ASSERT_GE(paged.Pages.size(), 20u);
  EXPECT_EQ(paged.Counted, static_cast<int>(paged.Pages.size()));
  const std::vector<int> at = PagesOf(paged, texts);
  for (size_t t = 0; t < texts.size(); ++t) {
    ASSERT_GE(at[t], 0) << StringToUtf8(texts[t]) << (at[t] == -1 ? " is on no page" : " is on two pages");
    if (t > 0) {
      EXPECT_GE(at[t], at[t - 1]) << StringToUtf8(texts[t]);
    }
  }
  for (int t : breaksBefore) EXPECT_GT(at[static_cast<size_t>(t)], at[static_cast<size_t>(t) - 1]) << t;
}

TEST(LongDocumentPages, EveryLineOnOnePageInOrder) {
  for (const bool inCell : {false, true}) {
    SCOPED_TRACE(inCell ? "in a table cell" : "in the body");
    {
      SCOPED_TRACE("blocks of every kind");
      Check(true, inCell);
    }
    {
      SCOPED_TRACE("one text section");
      Check(false, inCell);
    }
  }
}

}  // namespace
