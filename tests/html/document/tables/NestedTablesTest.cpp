// Tables nested in table cells many levels deep: each level adds the same border, spacing
// and padding around the one below, also beyond the levels whose row heights are measured
// again when their cells are placed, and the innermost words are laid out and painted.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "html/document/paging/PageRenderer.h"
#include "tests/html/document/paging/PagingFixture.h"
#include "tests/html/document/parser/ParsedDocument.h"

namespace {

std::string Nested(int depth, const std::string& cellStart, const std::string& inner) {
  std::string html = "<body>";
  for (int i = 0; i < depth; ++i) html += "<table border=1><tr>" + cellStart;
  html += inner;
  for (int i = 0; i < depth; ++i) html += "</td></tr></table>";
  return html + "</body>";
}

struct TLaidOut {
  int Height;
  std::vector<String> Texts;  // the text records of every page
};

TLaidOut LayOutAndPage(const std::string& html) {
  TParsedDocument parsed(html);
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  int scrollWidth = 0, cursor = 0;
  TLaidOut result;
  result.Height = parsed.document.DoLogic(parsed.document.MeasureCanvas(), 0, 700, 1000, scrollWidth, cursor);
  for (const auto& page : RenderPageMetafiles(parsed.document, 700, 1000))
    for (const String& text : PagingFixture::TextRecords(*page)) result.Texts.push_back(text);
  return result;
}

TEST(NestedTables, EveryLevelAddsTheSameHeight) {
  struct Case {
    const char* name;
    std::string cellStart, inner;
  } cases[] = {
      {"one cell", "<td>", "deep"},
      // A second row under the nested table and a cell spanning both rows beside it.
      {"row span", "<td rowspan=2>left</td><td>", "deep<tr><td>below</td></tr>"},
      {"two lines", "<td>", "deep<br>deeper"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int one = LayOutAndPage(Nested(1, c.cellStart, c.inner)).Height;
    const int step = LayOutAndPage(Nested(2, c.cellStart, c.inner)).Height - one;
    ASSERT_GT(step, 0);
    for (int depth : {5, 6, 7, 12, 51}) {
      const TLaidOut laidOut = LayOutAndPage(Nested(depth, c.cellStart, c.inner));
      EXPECT_EQ(laidOut.Height, one + (depth - 1) * step) << depth;
      EXPECT_NE(std::find(laidOut.Texts.begin(), laidOut.Texts.end(), u"deep"), laidOut.Texts.end()) << depth;
    }
  }
}

}  // namespace
