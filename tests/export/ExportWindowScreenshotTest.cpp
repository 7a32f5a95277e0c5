// The export window's bar of controls shown through Qt (offscreen) with the values of a
// stored settings file (no HTML file, so nothing is loaded), compared with a reviewed
// picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "export/ExportWindow.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/platform/ui/qt/ReferencePicture.h"
#include "tests/support/TempProgramFolder.h"

namespace {

int argc = 1;
char arg0[] = "export_tests";
char* argv[] = {arg0, nullptr};

TEST(ExportWindowShown, ControlsShowTheStoredSettings) {
  static QApplication* qt = new QApplication(argc, argv);
  (void)qt;
  TTempProgramFolder home;
  home.WriteFile("export_tests.ini",
                 "[Settings]\r\nPDF=/home/user/reports/report.pdf\r\n"
                 "OpenAfterSave=1\r\nScaleToFit=1\r\nOrientation=1\r\nPaperSize=3\r\n"
                 "[Margins]\r\nLeft=1.5\r\nTop=2\r\nRight=1.5\r\nBottom=2\r\nPrintPage=1\r\n");
  TApplication app;
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  TMainForm* form = nullptr;
  app.CreateForm(form);
  form->Show();
  app.ProcessMessages();
  QWidget* bar = TQtPeer::Of(form->btnOpen->Parent())->Widget();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(MatchesReference(bar->grab().toImage(), "export_window_bar"));
}

}  // namespace
