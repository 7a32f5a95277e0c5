// The main window shown through Qt (offscreen) after loading a project of 50 URLs; the
// screenshot is compared with a reviewed picture.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QMainWindow>
#include <QTableView>

#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/app/AppFixture.h"
#include "tests/support/PictureReference.h"
#include "tests/support/QtPictures.h"

namespace {

int argc = 1;
char arg0[] = "app_tests";
char* argv[] = {arg0, nullptr};

// One QApplication for the whole test program: ending it would end Qt's use of fontconfig
// (FcFini) under the font layer, which the other tests of this program go on using.
QApplication& SharedQApplication() {
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}

template <class W>
W* WidgetOf(const TControl* c) {
  TQtPeer* peer = TQtPeer::Of(c);
  return peer ? qobject_cast<W*>(peer->Widget()) : nullptr;
}

TEST_F(AppFixture, ScreenshotAfterLoadingAProjectOf50Urls) {
  std::string urls;
  for (int i = 1; i <= 50; ++i) urls += "http://www.shop.example/produkte/artikel-" + std::to_string(i) + ".html\r\n";
  home.WriteFile("projekte/projekte.txt", "Schuhladen\r\n");
  home.WriteFile("projekte/Schuhladen/urls.txt", urls);
  home.WriteFile("projekte/Schuhladen/sitemaps.txt", "http://www.shop.example/sitemap.xml\r\n");
  home.WriteFile("projekte/Schuhladen/kelvo.txt", "www.shop.example\r\n");
  SharedQApplication();
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  Start();
  Form1->Show();
  app.ProcessMessages();

  Form1->projekte->UserSelect(0);
  Form1->PageControl1->UserSelectPage(Form1->TabSheet7);
  Form1->CategoryPanel2->Expand();
  app.ProcessMessages();

  auto* table = WidgetOf<QTableView>(Form1->StringGrid1);
  ASSERT_NE(table, nullptr);
  // The title row and the number column are the view's headers; the 50 URLs are its cells.
  EXPECT_EQ(table->model()->rowCount(), 50);
  EXPECT_EQ(table->model()->data(table->model()->index(49, 0)).toString(),
            "http://www.shop.example/produkte/artikel-50.html");
  auto* window = WidgetOf<QMainWindow>(Form1);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("tarnwick wendrel v.0.8b"));
  QPixmap shot = window->grab();
  EXPECT_EQ(shot.width(), 742);
  // Qt anti-aliases its text: its grey edges may shift a little with another FreeType.
  EXPECT_TRUE(MatchesReference(PictureOf(shot.toImage()), "app/main_window", {.Channel = 48, .Pixels = 300}));
}

}  // namespace
