// A word far wider than the page stands on a line of its own and runs past the clip
// rectangle: only the letters that reach into it are written. Written whole, a word of
// millions of letters cost the page six bytes a letter and several times that to draw.
#include <gtest/gtest.h>

#include <string>

#include "html/document/paging/PageRenderer.h"
#include "tests/html/document/paging/PagingFixture.h"
#include "tests/html/document/parser/ParsedDocument.h"

namespace {

TEST(LongLine, OnlyTheLettersThatReachIntoThePageAreWritten) {
  TParsedDocument parsed("<body>" + std::string(200000, 'a') + " end");
  parsed.Parse();
  PagingViewer viewer;
  parsed.document.Viewer = &viewer;
  const TPageMetafileList pages = RenderPageMetafiles(parsed.document, 300, 200);
  ASSERT_EQ(pages.size(), 1u);
  const std::vector<String> texts = PagingFixture::TextRecords(*pages[0]);
  ASSERT_EQ(texts.size(), 2u);
  // 300 pixels and the clip's margin hold some 50 letters.
  EXPECT_EQ(texts[0].find_first_not_of(u'a'), String::npos);
  EXPECT_GT(texts[0].size(), 30u);
  EXPECT_LT(texts[0].size(), 100u);
  EXPECT_EQ(texts[1], u"end");
}

}  // namespace
