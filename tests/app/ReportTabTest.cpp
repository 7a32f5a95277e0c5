// The report tab: the all-networks report that an analysis writes is shown by the
// program's own HTML viewer; an address it cannot show is explained in the tab.
#include <gtest/gtest.h>

#include "html/document/model/Document.h"
#include "html/document/viewer/MarkupViewer.h"
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

}  // namespace
