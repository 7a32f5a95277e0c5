// The export window shown through Qt (offscreen): its bar of controls with the values of a
// stored settings file (no HTML file, so nothing is loaded) and the window at its smallest,
// compared with reviewed pictures; where it appears; and what its open dialog lists.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QFileDialog>
#include <QListView>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

#include "export/ExportWindow.h"
#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/platform/ui/qt/ReferencePicture.h"
#include "tests/support/TempProgramFolder.h"

namespace {

int argc = 1;
char arg0[] = "export_tests";
char* argv[] = {arg0, nullptr};

struct ExportWindowShown : ::testing::Test {
  static void SetUpTestSuite() {
    static QApplication* qt = new QApplication(argc, argv);
    (void)qt;
  }
  void SetUp() override { app.SetBackend(std::make_unique<TQtBackend>(argc, argv)); }
  QWidget* WidgetOf(const TControl* control) { return TQtPeer::Of(control)->Widget(); }

  TTempProgramFolder home;
  TApplication app;
};

TEST_F(ExportWindowShown, ControlsShowTheStoredSettings) {
  home.WriteFile("export_tests.ini",
                 "[Settings]\r\nPDF=/home/user/reports/report.pdf\r\n"
                 "OpenAfterSave=1\r\nScaleToFit=1\r\nOrientation=1\r\nPaperSize=3\r\n"
                 "[Margins]\r\nLeft=1.5\r\nTop=2\r\nRight=1.5\r\nBottom=2\r\nPrintPage=1\r\n");
  TMainForm* form = nullptr;
  app.CreateForm(form);
  form->Show();
  app.ProcessMessages();
  QWidget* bar = WidgetOf(form->btnOpen->Parent());
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(MatchesReference(bar->grab().toImage(), "export_window_bar"));
}

// Made as small as 520 x 400, the window keeps the size that shows every control of its
// bar and some of the document.
TEST_F(ExportWindowShown, AtItsSmallestEveryControlShows) {
  TMainForm* form = nullptr;
  app.CreateForm(form);
  form->SetClientWidth(520);
  form->SetClientHeight(400);
  form->Show();
  auto* window = static_cast<QMainWindow*>(WidgetOf(form));
  window->resize(520, 400);  // as the user drags the window's corner
  app.ProcessMessages();
  EXPECT_GE(window->width(), 790);
  EXPECT_EQ(form->ClientWidth(), window->centralWidget()->width());
  EXPECT_TRUE(MatchesReference(window->grab().toImage(), "export_window_smallest"));
}

// The export window comes up over the middle of the main window, not in the screen's corner.
TEST_F(ExportWindowShown, AppearsOverTheMiddleOfTheMainWindow) {
  TForm* main = nullptr;
  app.CreateForm(main);
  main->SetBounds(200, 150, 400, 300);
  main->Show();
  TMainForm* form = nullptr;
  app.CreateForm(form);
  form->SetClientWidth(0);  // its smallest, which the screen of the test has room for
  form->SetClientHeight(0);
  form->Show();
  app.ProcessMessages();
  const QRect mainShown = WidgetOf(main)->geometry();
  const QRect shown = WidgetOf(form)->geometry();
  EXPECT_LE((shown.center() - mainShown.center()).manhattanLength(), 4)
      << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height();
}

// Qt's file dialog applies the filter as Linux matches names: .htm and .html files are
// listed, other files not.
TEST_F(ExportWindowShown, TheOpenDialogListsHtmAndHtmlFiles) {
  for (const char* file : {"a.htm", "b.html", "c.txt", "d.html5"}) home.WriteFile(file, "<p>x</p>");
  TMainForm* form = nullptr;
  app.CreateForm(form);
  form->lbHTML->SetText(Utf8ToString(home.PathOf("a.htm")));
  QStringList listed;
  QTimer::singleShot(0, [&listed] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    // The folder's files are listed by a background thread: wait for them.
    auto* list = dialog->findChild<QListView*>("listView");
    for (int i = 0; i < 1000 && (!list || !list->model() || list->model()->rowCount(list->rootIndex()) < 2); ++i)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_NE(list, nullptr);
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
      listed << list->model()->index(row, 0, list->rootIndex()).data().toString();
    dialog->reject();
  });
  form->btnOpen->Click();
  listed.sort();
  EXPECT_EQ(listed, (QStringList{"a.htm", "b.html"}));
}

}  // namespace
