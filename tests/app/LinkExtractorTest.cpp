// The link extractor over fixture text files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/LinkExtractor.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/TempDirectory.h"

namespace {

String Fixture(const char* name) { return Utf8ToString(std::string(WENDREL_FIXTURES) + "/app/" + name); }

struct TExpectedLink {
  std::string Anchor;
  std::string Url;
  std::string Caption;
};

TEST(LinkExtractorTest, FirstAnchorOfEachLineWithItsAddressAndCaption) {
  TExtractLinksFromTextFile extractor;
  extractor.SourceFileName = Fixture("links.txt");
  extractor.ExtractLinks();

  const std::vector<TExpectedLink> expected = {
      // Only the first of two anchors; "<A HREF" found in any case, applied to the text as read.
      {"<A HREF=\"http://example.org/eins\">Erste Seite</a>", "http://example.org/eins", "Erste Seite"},
      // Without double quotes: neither address nor caption.
      {"<a href=ohne-anführung>Ohne</a>", "", ""},
      {"<a href=\"http://example.org/%C3%BC\">Grüße</A>", "http://example.org/%C3%BC", "Grüße"},
  };
  ASSERT_EQ(extractor.LinkList.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(StringToUtf8(extractor.LinkList[i]->AnchorText), expected[i].Anchor);
    EXPECT_EQ(StringToUtf8(extractor.LinkList[i]->LinkUrl), expected[i].Url);
    EXPECT_EQ(StringToUtf8(extractor.LinkList[i]->LinkCaption), expected[i].Caption);
  }
}

TEST(LinkExtractorTest, CallbacksSeeAnchorsThenAddressesThenCaptions) {
  TExtractLinksFromTextFile extractor;
  extractor.SourceFileName = Fixture("links.txt");
  std::vector<std::string> calls;
  auto record = [&calls](const char* kind) {
    return [&calls, kind](TExtractLinksFromTextFile*, const String& text) {
      calls.push_back(std::string(kind) + ":" + StringToUtf8(text));
    };
  };
  extractor.OnAnchor = record("anchor");
  extractor.OnUrl = record("url");
  extractor.OnCaption = record("caption");
  extractor.ExtractLinks();
  ASSERT_EQ(calls.size(), 9u);
  EXPECT_EQ(calls[0], "anchor:<A HREF=\"http://example.org/eins\">Erste Seite</a>");
  EXPECT_EQ(calls[3], "url:http://example.org/eins");
  EXPECT_EQ(calls[4], "url:");
  EXPECT_EQ(calls[8], "caption:Grüße");
}

TEST(LinkExtractorTest, UnreadableFileRaisesAndFindsNothing) {
  TTempDirectory folder;
  TExtractLinksFromTextFile extractor;
  extractor.SourceFileName = Utf8ToString(folder.PathOf("fehlt.txt"));
  EXPECT_THROW(extractor.ExtractLinks(), Exception);
  EXPECT_TRUE(extractor.LinkList.empty());
}

}  // namespace
