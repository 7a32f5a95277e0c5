// A page skips the content of blocks that lie wholly off it only when nothing of that content
// can reach the page: a block moved up by relative positioning is still painted on the page
// it is moved to, though the block that holds it lies further down.
#include <string>

#include "tests/html/document/parser/ParsedDocument.h"
#include "tests/html/document/paging/PagingFixture.h"

namespace {

TEST(SkippedBlocks, ContentMovedOntoAnEarlierPageIsPaintedThere) {
  std::string html = "<body>";
  for (int i = 1; i <= 40; ++i) html += "<p>Paragraph " + std::to_string(i) + "</p>";
  // The holder starts on a later page; its content is moved up by two pages' height.
  html += "<div><div><div style=\"position: relative; top: -400px\">Lifted</div></div></div></body>";
  TParsedDocument parsed(html);
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  int scrollWidth = 0, cursor = 0;
  parsed.document.DoLogic(parsed.document.MeasureCanvas(), 0, 300, 200, scrollWidth, cursor);
  const TPageMetafileList pages = RenderPageMetafiles(parsed.document, 300, 200);
  ASSERT_GE(pages.size(), 4u);
  int liftedOn = -1, lastParagraphOn = -1;
  for (size_t p = 0; p < pages.size(); ++p)
    for (const String& text : PagingFixture::TextRecords(*pages[p])) {
      if (text == u"Lifted") liftedOn = static_cast<int>(p);
      if (text.ends_with(u"40")) lastParagraphOn = static_cast<int>(p);
    }
  ASSERT_GE(lastParagraphOn, 0);
  ASSERT_GE(liftedOn, 0) << "the moved block is on no page";
  EXPECT_LT(liftedOn, lastParagraphOn);
  EXPECT_EQ(CountPages(parsed.document, 300, 200), static_cast<int>(pages.size()));
}

}  // namespace
