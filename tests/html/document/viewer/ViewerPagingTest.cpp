// The viewer's paged output: pages of the shown document while its own layout, scroll
// position and selection stay, none while it is busy, and printing refused.
#include <gtest/gtest.h>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/gdi/metafile/EmfReader.h"
#include "platform/gdi/metafile/EmfRecords.h"
#include "platform/gdi/metafile/Metafile.h"
#include "platform/rtl/Unicode.h"

namespace {

struct ViewerPaging : ::testing::Test {
  TMarkupViewer viewer{nullptr};

  void SetUp() override {
    viewer.SetBounds(0, 0, 300, 200);
    std::u16string html = u"<p>";
    for (int i = 0; i < 300; ++i) html += u"word ";
    viewer.LoadDocumentString(html + u"</p>");
  }
};

TEST_F(ViewerPaging, PagesLeaveTheShownDocumentAsItIs) {
  viewer.ScrollTo(40);
  const int scroll = viewer.GetScrollPos(), height = viewer.Document().Items(0)->SectionHeight;
  const TPageMetafileList pages = viewer.RenderPageMetafiles(200, 100);
  EXPECT_GT(pages.size(), 2u);
  for (const auto& page : pages) EXPECT_EQ(std::make_pair(page->Width(), page->Height()), std::make_pair(200, 100));
  EXPECT_EQ(viewer.GetScrollPos(), scroll);
  EXPECT_EQ(viewer.Document().Items(0)->SectionHeight, height);
  EXPECT_EQ(viewer.TablePartRec, nullptr);
  const auto [width, needed] = viewer.MeasureDocument(200);
  EXPECT_LE(width, 200);
  EXPECT_GT(needed, 100);
  EXPECT_EQ(viewer.MeasureDocument(0), std::make_pair(0, 0));
}

// A viewer that only pages its document skips the screen layout of a load: the pages are
// the same, and the next layout shows the document.
TEST_F(ViewerPaging, ALoadWithoutLayoutGivesTheSamePages) {
  // What a printing copy may take from the document it copies: form controls of every kind,
  // rules, a picture placeholder, a floating box, a list, table parts, and the boxes of
  // inline elements (borders, backgrounds, the dotted line under ABBR) in several paragraphs,
  // which must land on their own words and not on those of an earlier paragraph.
  const std::u16string html =
      u"<p>Alpha beta gamma delta epsilon zeta.<p>Second: <span style=\"border:1px solid red;background:yellow\">"
      u"boxed words</span> after.<p>Third <abbr title=\"HyperText Markup Language\">HTML</abbr> and "
      u"<acronym title=\"Portable Document Format\">PDF</acronym>, <span style=\"background:#80c0ff\">blue</span>."
      u"<p>Fourth <span style=\"border:2px dotted green\">dotted <abbr title=\"cascading\">CSS</abbr></span> end."
      u"<h1>Title</h1><table border=1><thead><tr><th>head</th></tr></thead><tr><td>cell one</td></tr>"
      u"<tr><td>cell two</td></tr></table><hr size=8 noshade><hr><form><input value=\"field\"> "
      u"<input type=password value=secret size=5> <input type=checkbox checked> <input type=radio name=r> "
      u"<select><option>one<option selected>two</select> <select multiple size=3><option>a<option>b</select> "
      u"<textarea rows=2 cols=10>text\nmore</textarea> <input type=submit value=Send> <button>Push</button> "
      u"<input type=image src=missing.png alt=pic></form><img src=gone.png width=40 height=30 alt=gone>"
      u"<div style=\"float: right; width: 60px; border: 1px solid\">floating</div><ul><li>item<li>item two</ul>"
      u"<p style=\"page-break-before: always\">after the break</p>";
  viewer.LoadDocumentString(html);
  const TPageMetafileList laidOut = viewer.RenderPageMetafiles(200, 100);
  ASSERT_GE(laidOut.size(), 2u);

  TMarkupViewer pagingOnly{nullptr};
  pagingOnly.SetBounds(0, 0, 300, 200);
  pagingOnly.LayoutOnLoad = false;
  pagingOnly.LoadDocumentString(html);
  EXPECT_EQ(pagingOnly.MaxVertical, 0);
  EXPECT_FALSE(pagingOnly.VScrollBar().Visible());
  const TPageMetafileList pages = pagingOnly.RenderPageMetafiles(200, 100);
  ASSERT_EQ(pages.size(), laidOut.size());
  for (size_t p = 0; p < pages.size(); ++p) EXPECT_TRUE(pages[p]->Data() == laidOut[p]->Data()) << "page " << p + 1;

  pagingOnly.Reformat();
  EXPECT_EQ(pagingOnly.MaxVertical, viewer.MaxVertical);
}

TEST_F(ViewerPaging, BusyOrEmptyViewerGivesNoPages) {
  viewer.SetProcessing(true);
  EXPECT_TRUE(viewer.RenderPageMetafiles(200, 100).empty());
  EXPECT_EQ(viewer.PageRenderer(200, 100), nullptr);
  viewer.SetProcessing(false);
  viewer.ClearDocument();
  EXPECT_TRUE(viewer.RenderPageMetafiles(200, 100).empty());
}

struct PlainPrinter : TPrinter {
  String ClassName() const override { return u"TPrinter"; }
};

TEST_F(ViewerPaging, PrintDocumentIsRefusedWithTheMessageOfItsMode) {
  PlainPrinter printer;
  const struct {
    TPrinter* printer;
    bool countOnly;
    const char16_t* message;
  } cases[] = {
      {nullptr, true, u"No printer to print or preview to."},
      {&printer, true,
       u"Getting the total number of pages to print requires a printer based on TMetaFilePrinter but not a TPrinter"},
      {&printer, false, u"Previewing a print requires a printer based on TMetaFilePrinter but not a TPrinter"},
  };
  for (const auto& c : cases) {
    try {
      viewer.PrintDocument(c.printer, c.countOnly, 1, 9999);
      ADD_FAILURE() << "no exception";
    } catch (const EIllegalArgument& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

// The pictures drawn on a page: its records of device-independent bitmaps.
int PicturesOn(const TMetafile& page) {
  int count = 0;
  TEmfReader reader(page.Data());
  for (const TEmfRecord& record : reader.Records())
    if (record.Type() == EMR_STRETCHDIBITS)
      ++count;
  return count;
}

TEST(ViewerPagingPictures, AFloatingPictureAtThePageTopIsOnThePage) {
  const std::u16string logo = Utf8ToString(std::string(WENDREL_FIXTURES) + "/viewer/logo.gif");
  const struct {
    const char* Name;
    std::u16string Html;
    const char* PicturesPerPage;
  } cases[] = {
      {"first page, no top margin", u"<body topmargin=0><div><img style='float:left' src='" + logo + u"'></div><p>text", "1 "},
      {"first page, with margin", u"<body><div><img style='float:left' src='" + logo + u"'></div><p>text", "1 "},
      {"after a page break", u"<body topmargin=0><p style='margin:0'>first</p><p style='page-break-before: always; margin:0'>"
                             u"<img style='float:left' src='" + logo + u"'></p><p>text",
       "0 1 "},
  };
  for (const auto& c : cases) {
    TMarkupViewer viewer{nullptr};
    viewer.SetBounds(0, 0, 300, 200);
    viewer.LoadDocumentString(c.Html);
    std::string perPage;
    for (const auto& page : viewer.RenderPageMetafiles(300, 400)) perPage += std::to_string(PicturesOn(*page)) + " ";
    EXPECT_EQ(perPage, c.PicturesPerPage) << c.Name;
  }
}

}  // namespace
