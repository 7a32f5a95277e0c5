// The report tab in a real window (Qt, offscreen): the all-networks report laid out by the
// program's own HTML viewer, compared with a reviewed picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "html/document/viewer/MarkupViewer.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/support/SharedQtApplication.h"
#include "tests/app/ReportTabFixture.h"
#include "tests/support/PictureReference.h"
#include "tests/support/QtPictures.h"

namespace {


TEST_F(ReportTab, ScreenshotOfTheReportTab) {
  SharedQApplication();
  app.SetBackend(std::make_unique<TQtBackend>(SharedQtArgc(), SharedQtArgv()));
  RunAllNetworks(3);
  Form1->Show();
  Form1->PageControl1->UserSelectPage(Form1->Report);
  app.ProcessMessages();
  QWidget* widget = TQtPeer::Of(Form1->ReportViewer)->Widget();
  ASSERT_TRUE(widget->isVisible());
  EXPECT_EQ(widget->width(), Form1->ReportViewer->Width());
  EXPECT_TRUE(MatchesReference(PictureOf(widget->grab().toImage()), "app/report_tab",
                               TPictureTolerance{.Channel = 48, .Pixels = 400}));
}

}  // namespace
