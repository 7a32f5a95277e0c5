// The report tab: the all-networks report that an analysis writes is shown by the
// program's own HTML viewer; an address it cannot show is explained in the tab.
#include <gtest/gtest.h>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/PixelBuffer.h"
#include "platform/gdi/dc/RasterDC.h"
#include "platform/rtl/Unicode.h"
#include "tests/app/ReportTabFixture.h"

namespace {

TEST_F(ReportTab, TheAllNetworksReportIsLaidOutByTheViewer) {
  RunAllNetworks(3);
  const String report = Form1->WebBrowser1->LocationURL();
  ASSERT_FALSE(report.empty());
  EXPECT_EQ(Form1->ReportViewer->CurrentFile, report);
  EXPECT_GT(Form1->ReportViewer->Document().Count(), 0);
  EXPECT_GT(Form1->ReportViewer->MaxVertical, 0);
}

TEST_F(ReportTab, APageThatCannotBeReadSaysWhy) {
  Start();
  Form1->WebBrowser1->Navigate(u"/nonexistent/report.html");
  EXPECT_EQ(Form1->WebBrowser1->LocationURL(), u"/nonexistent/report.html");
  TMarkupViewer& viewer = *Form1->ReportViewer;
  viewer.Document().SelectionStart = 0;
  viewer.Document().SelectionEnd = 1000;
  String text(200, u'\0');
  viewer.Document().SelectionText(text.data(), 200);
  EXPECT_EQ(text.substr(0, text.find(u'\r')), u"Can't locate '/nonexistent/report.html'.");
}

// Clicks the first occurrence of text in the shown page (painted first, as the window does).
void ClickText(TMarkupViewer& viewer, const std::u16string& text) {
  TPixelImage image(viewer.PaintPanel().Width(), viewer.PaintPanel().Height());
  TRasterDC dc(image.Buffer());
  TCanvas canvas(&dc);
  viewer.PaintPanel().PaintTo(canvas, TRect{0, 0, image.Width(), image.Height()});
  ThtDocument& document = viewer.Document();
  int x = 0, y = 0;
  ASSERT_TRUE(document.CursorToXY(document.MeasureCanvas(), document.FindString(0, text, true) + 1, x, y));
  viewer.PaintPanel().MouseDown(TMouseButton::mbLeft, 0, x + 1, y - document.YOffset + 4);
  viewer.PaintPanel().MouseUp(TMouseButton::mbLeft, 0, x + 1, y - document.YOffset + 4);
}

TEST_F(ReportTab, WebLinksOpenWithTheDesktopOtherLinksInTheTab) {
  Start();
  std::vector<String> opened;
  Form1->ReportLinkOpener = [&](const String& address) {
    opened.push_back(address);
    return true;
  };
  home.WriteFile("other.html", "<p>The other page.</p>");
  const String page = Utf8ToString(home.PathOf("links.html"));
  home.WriteFile("links.html",
                 "<p><a href=\"https://site.example/p1\">secure page</a> <a href=\"HTTP://site.example/p2\">plain "
                 "page</a> <a href=\"other.html\">other report</a></p>");
  Form1->ReportViewer->SetBounds(0, 0, 500, 300);
  Form1->WebBrowser1->Navigate(page);
  TMarkupViewer& viewer = *Form1->ReportViewer;
  ClickText(viewer, u"secure page");
  ClickText(viewer, u"plain page");
  EXPECT_EQ(opened, (std::vector<String>{u"https://site.example/p1", u"HTTP://site.example/p2"}));
  EXPECT_EQ(viewer.CurrentFile, page);
  ClickText(viewer, u"other report");
  EXPECT_EQ(opened.size(), 2u);
  EXPECT_EQ(viewer.CurrentFile, Utf8ToString(home.PathOf("other.html")));
}

}  // namespace
