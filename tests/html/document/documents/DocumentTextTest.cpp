// Whole documents parsed from HTML: the text a reader copies (everything selected and read
// through the selection sinks, as the viewer copies), the same words from the extraction
// that does not use the engine, and a painted page compared with a reviewed picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Unicode.h"
#include "tests/support/CaseNames.h"
#include "tests/support/PictureReference.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/html/HtmlPictures.h"
#include "tests/support/html/HtmlTestDocument.h"
#include "tests/support/html/VisibleWords.h"

namespace {

std::string Utf8(const String& s) { return StringToUtf8(s); }

struct TTextCase {
  const char* Label;
  std::string Html;
  std::string Text;  // UTF-8, line ends as CR LF
};

class DocumentText : public ::testing::TestWithParam<TTextCase> {};

// Each section of text ends its line with CR LF when the selection goes on past it; the last
// one has none. A paragraph adds one more, so paragraphs copy with an empty line between. Markup, the head, scripts and style sheets leave no text; references are
// decoded; a line break is a line end.
TEST_P(DocumentText, CopyOfEverything) {
  THtmlTestDocument document;
  document.Load(GetParam().Html);
  document.LayOut(400);
  EXPECT_EQ(Utf8(document.VisibleText()), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, DocumentText,
    ::testing::Values(
        TTextCase{"paragraph", "<p>Hello <b>bold</b> world</p>", "Hello bold world"},
        TTextCase{"two_paragraphs", "<p>one</p>\n<p>two</p>", "one\r\n\r\ntwo"},
        TTextCase{"head_left_out",
                  "<html><head><title>T</title><style>p {color: red}</style><script>var a = '<p>x</p>';</script>"
                  "</head><body><p>body text</p></body></html>",
                  "body text"},
        TTextCase{"references", "<p>&lt;a&gt; &amp; caf&eacute; &#x263A; &#8364;</p>", "<a> & caf\xC3\xA9 \xE2\x98\xBA \xE2\x82\xAC"},
        TTextCase{"white_space_folded", "<p>  a \n\t b  </p>", "a b"},
        TTextCase{"line_break", "<p>a<br>b</p>", "a\r\nb"},
        TTextCase{"heading_and_list", "<h1>Title</h1><ul><li>first</li><li>second</li></ul>", "Title\r\nfirst\r\nsecond"},
        TTextCase{"preformatted", "<pre>\nline 1\n  line 2\n</pre>", "line 1\r\n  line 2"},
        TTextCase{"div_nesting", "<div>a<div>b</div>c</div>", "a\r\nb\r\nc"},
        // A menu of floated list items whose links are blocks (as in SQLite's pages): each
        // entry copies as a line of its own, the white space between the items is not lost.
        TTextCase{"floated_menu_items",
                  "<style>.menu li {float: left} .menu li a {display: block; padding: 0.7ex 1.4ex}</style>"
                  "<div class=menu><ul>\n<li><a href=\"a.html\">Home</a>\n<li class=x><a href=\"b.html\">Menu</a>\n"
                  "<li><a href=\"c.html\">About</a>\n</ul></div><p>text</p>",
                  "Home\r\nMenu\r\nAbout\r\ntext"}),
    [](const ::testing::TestParamInfo<TTextCase>& info) { return CaseName(info.param.Label, info.index); });

// A selection that starts inside the first paragraph and ends inside the second copies the
// selected characters of each, the first section's line end and the paragraph's.
TEST(DocumentSelection, PartOfTwoParagraphs) {
  THtmlTestDocument document;
  document.Load("<p>Hello</p><p>world</p>");
  document.LayOut(400);
  const String all = document.VisibleText();
  ASSERT_EQ(Utf8(all), "Hello\r\n\r\nworld");
  ThtDocument& doc = document.Document();
  // The cursor counts the characters of the sections: "Hello" and its appended space, then "world".
  doc.SelectionStart = 2;
  doc.SelectionEnd = 6 + 3;
  std::vector<Char> buffer(64);
  const int copied = doc.SelectionText(buffer.data(), 64);
  EXPECT_EQ(Utf8(String(buffer.data(), static_cast<size_t>(copied - 1))), "llo\r\n\r\nwor");
  EXPECT_EQ(doc.SelectionLength(), copied - 1);
}

struct TWordsCase {
  const char* Label;
  std::string Html;
  std::vector<std::string> Words;
  std::vector<std::string> Hidden = {};
};

class ReferenceWordsOf : public ::testing::TestWithParam<TWordsCase> {};

// The extraction the corpus test compares with: what it keeps and drops, and how it decodes.
TEST_P(ReferenceWordsOf, SmallFile) {
  TTempDirectory folder;
  folder.WriteFile("page.html", GetParam().Html);
  EXPECT_EQ(ReferenceWords(folder.PathOf("page.html"), GetParam().Hidden), GetParam().Words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceWordsOf,
    ::testing::Values(
        TWordsCase{"head_script_style_dropped",
                   "<title>T</title><script>x = 1</script><style>p {}</style><p>a&amp;b c</p>", {"a&b", "c"}},
        TWordsCase{"blocks_separate", "<p>a</p><p>b</p><div>c<br>d</div>e<b>f</b>g", {"a", "b", "c", "d", "efg"}},
        TWordsCase{"meta_charset", "<meta charset=\"iso-8859-1\"><p>caf\xE9</p>", {"caf\xC3\xA9"}},
        TWordsCase{"xml_declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><p>caf\xC3\xA9</p>", {"caf\xC3\xA9"}},
        TWordsCase{"windows_1252_default", "<p>\x93q\x94</p>", {"\xE2\x80\x9Cq\xE2\x80\x9D"}},
        TWordsCase{"no_break_space_separates", "<p>a&nbsp;b co&shy;op</p>", {"a", "b", "coop"}},
        TWordsCase{"controls_without_text", "<select><option>x<option>y</select><textarea>t</textarea>z", {"z"}},
        TWordsCase{"hidden_by_class_and_id", "<div class=\"a h\">x<div>y</div>z</div><p id=q>w</p><p class=h>u</p>v",
                   {"v"}, {"div.h", "#q", "p.h"}},
        TWordsCase{"hidden_items_without_end_tags", "<ul><li>a<li class=h>b<ul><li>c<li>d</ul>e<li>f</ul>g",
                   {"a", "f", "g"}, {".h"}}),
    [](const ::testing::TestParamInfo<TWordsCase>& info) { return CaseName(info.param.Label, info.index); });

// Agreement counts repeats: a word lost and a word doubled both lower it.
TEST(CompareWords, CountsLostAndExtraWords) {
  const std::vector<std::string> expected = {"a", "b", "b", "c"};
  const TWordAgreement lost = CompareWords(expected, {"a", "b", "c"});
  EXPECT_DOUBLE_EQ(lost.Ratio, 0.75);
  EXPECT_EQ(lost.Missing, std::vector<std::string>{"b"});
  EXPECT_TRUE(lost.Extra.empty());
  const TWordAgreement doubled = CompareWords(expected, {"a", "b", "b", "c", "c"});
  EXPECT_DOUBLE_EQ(doubled.Ratio, 0.8);
  EXPECT_EQ(doubled.Extra, std::vector<std::string>{"c"});
  EXPECT_DOUBLE_EQ(CompareWords({}, {}).Ratio, 1.0);
  EXPECT_EQ(WordsOf(u"  x\u00A0y\u200Bz\r\n\u2003w "), (std::vector<std::string>{"x", "yz", "w"}));
}

// A page of the usual elements, painted at 500 pixels: a heading, a paragraph with a link and
// inline styles, a bulleted and a numbered list, preformatted text and a coloured box.
TEST(DocumentPicture, PageOfCommonElements) {
  THtmlTestDocument document;
  const TTestPicture picture = RenderHtml(
      document,
      "<html><head><title>Page</title></head><body>"
      "<h1>A heading</h1>"
      "<p>A paragraph with <b>bold</b>, <i>italic</i> and <a href=\"other.html\">a link</a>, long enough to wrap "
      "onto a second line at this width of five hundred pixels.</p>"
      "<ul><li>first item</li><li>second item</li></ul>"
      "<ol><li>one</li><li>two</li></ol>"
      "<pre>preformatted   text\n  indented line</pre>"
      "<div style=\"background-color: #ffffc0; border: 2px solid green; padding: 4px\">a box</div>"
      "</body></html>",
      500, "page_of_common_elements");
  EXPECT_TRUE(MatchesReference(picture, "html/documents/page_of_common_elements", {.Channel = 8, .Pixels = 60}));
}

}  // namespace
