// The main window shown through Qt (offscreen): after loading a project of 50 URLs with all
// side panels expanded and scrolled to the bottom, and with grids fitted to long URLs and
// titles; the screenshots are compared with reviewed pictures.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QScrollBar>
#include <QTableView>
#include <QWheelEvent>

#include "app/SharedRoutines.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/support/SharedQtApplication.h"
#include "tests/app/AppFixture.h"
#include "tests/platform/ui/qt/GridInk.h"
#include "tests/platform/ui/qt/ReferencePicture.h"

namespace {


template <class W>
W* WidgetOf(const TControl* c) {
  TQtPeer* peer = TQtPeer::Of(c);
  return peer ? qobject_cast<W*>(peer->Widget()) : nullptr;
}

struct MainWindowShown : AppFixture {
  void Show() {
    SharedQApplication();
    app.SetBackend(std::make_unique<TQtBackend>(SharedQtArgc(), SharedQtArgv()));
    Start();
    Form1->Show();
    app.ProcessMessages();
  }
  // Turns the wheel one notch down over a widget; true when the widget took the turn (else
  // Qt offers it to the widget's parent).
  bool WheelDown(QWidget* over) {
    QPointF at(over->width() / 2.0, over->height() / 2.0);
    QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
    app.ProcessMessages();
    return wheel.isAccepted();
  }
};

TEST_F(MainWindowShown, AllSidePanelsExpandedScrollToTheBottom) {
  std::string urls;
  for (int i = 1; i <= 50; ++i) urls += "http://www.shop.example/produkte/artikel-" + std::to_string(i) + ".html\r\n";
  home.WriteFile("projekte/projekte.txt", "Schuhladen\r\n");
  home.WriteFile("projekte/Schuhladen/urls.txt", urls);
  home.WriteFile("projekte/Schuhladen/sitemaps.txt", "http://www.shop.example/sitemap.xml\r\n");
  home.WriteFile("projekte/Schuhladen/kelvo.txt", "www.shop.example\r\n");
  Show();

  Form1->projekte->UserSelect(0);
  Form1->PageControl1->UserSelectPage(Form1->TabSheet7);
  for (TCategoryPanel* p : {Form1->CategoryPanel5, Form1->CategoryPanel2, Form1->CategoryPanel1, Form1->GoogleTrends,
                            Form1->CategoryPanel3})
    p->Expand();
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

  // The expanded panels are taller than the window: the group shows its scroll bar, and the
  // wheel turned over a label in a panel scrolls the group down to the last panel's end.
  TCategoryPanelGroup* group = Form1->CategoryPanelGroup1;
  ASSERT_GT(group->VertScrollRange(), 0);
  auto* bar = WidgetOf<QWidget>(group)->findChild<QScrollBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->maximum(), group->VertScrollRange());
  // A label does not take the wheel, so a turn over it reaches the panel and then the group.
  EXPECT_FALSE(WheelDown(WidgetOf<QWidget>(Form1->Label1)));
  EXPECT_FALSE(WheelDown(WidgetOf<QWidget>(Form1->Projektmanagement)));
  EXPECT_EQ(group->VertScrollPos(), 0);
  EXPECT_TRUE(WheelDown(WidgetOf<QWidget>(group)));
  EXPECT_EQ(group->VertScrollPos(), TCategoryPanelGroup::WheelStep);
  EXPECT_EQ(bar->value(), TCategoryPanelGroup::WheelStep);
  for (int i = 0; i < 100 && group->VertScrollPos() < group->VertScrollRange(); ++i)
    WheelDown(WidgetOf<QWidget>(group));
  EXPECT_EQ(group->VertScrollPos(), group->VertScrollRange());
  EXPECT_EQ(Form1->CategoryPanel3->Top() + Form1->CategoryPanel3->Height(), group->Height());
  EXPECT_EQ(WidgetOf<QWidget>(Form1->CategoryPanel3)->geometry().bottom() + 1, group->Height());
  // Every control of a panel lies beside the scroll bar, not under it.
  for (int i = 0; i < Form1->CategoryPanel3->ControlCount(); ++i) {
    TControl* c = Form1->CategoryPanel3->Controls(i);
    if (c->Visible()) {
      EXPECT_LE(c->Left() + c->Width(), group->ClientRect().Width()) << StringToUtf8(c->Name());
    }
  }

  QPixmap shot = window->grab();
  EXPECT_EQ(shot.width(), 742);
  EXPECT_TRUE(MatchesReference(shot.toImage(), "main_window_panels_scrolled"));
}

// Whether each text of a grid view's cells and title row ends, as drawn, at least two
// pixels before its cell's right edge.
void ExpectTextsWithinTheirCells(QTableView& view) {
  QAbstractItemModel& model = *view.model();
  QHeaderView& header = *view.horizontalHeader();
  const QImage titles = header.viewport()->grab().toImage();
  const QImage cells = view.viewport()->grab().toImage();
  for (int c = 0; c < model.columnCount(); ++c) {
    QRect section(header.sectionViewportPosition(c), 0, header.sectionSize(c) - 1, header.height() - 2);
    if (section.left() >= 0 && section.right() < titles.width()) {
      EXPECT_LE(RightmostInk(titles, section), section.right() - 2)
          << model.headerData(c, Qt::Horizontal).toString().toStdString();
    }
    for (int r = 0; r < model.rowCount(); ++r) {
      QRect cell = view.visualRect(model.index(r, c));
      if (cell.left() < 0 || cell.right() >= cells.width() || cell.bottom() >= cells.height()) continue;
      EXPECT_LE(RightmostInk(cells, cell), cell.right() - 2) << model.data(model.index(r, c)).toString().toStdString();
    }
  }
}

TEST_F(MainWindowShown, FittedColumnsHoldTheirLongestUrlsAndTitles) {
  const std::string urls[] = {
      "http://www.schuhhaus-mueller-und-soehne.example/damen/sneaker/laufschuhe/modell-2026-extra-leicht.html",
      "http://www.schuhhaus-mueller-und-soehne.example/herren/wanderschuhe/wasserdicht/gore-tex-mid-braun-46.html",
      "http://www.schuhhaus-mueller-und-soehne.example/kinder/hausschuhe/filz-mit-klettverschluss-dunkelblau.html",
      "http://www.schuhhaus-mueller-und-soehne.example/zubehoer/pflege/wildleder-buerste-und-impraegnierspray.html"};
  std::string answer = "<result>";
  for (const std::string& url : urls) answer += "<url>" + url + "</url>";
  answer += "</result>";
  Server().Answer("/index.php", THttpAnswer(answer, "text/xml"));
  home.PointServiceAt(TWebService::SeoService, Server().BaseUrl());
  Show();
  Form1->PageControl1->UserSelectPage(Form1->TabSheet7);
  Form1->kelvourl->UserSetText(u"www.schuhhaus-mueller-und-soehne.example");
  Form1->Button9->Click();
  app.ProcessMessages();

  auto* table = WidgetOf<QTableView>(Form1->StringGrid1);
  ASSERT_NE(table, nullptr);
  // The import's title row is a row of cells of its own, then the four URLs.
  ASSERT_EQ(table->model()->rowCount(), 5);
  EXPECT_EQ(table->textElideMode(), Qt::ElideNone);
  // The longest URL decides the column's width.
  EXPECT_EQ(Form1->StringGrid1->ColWidths(1),
            Form1->StringGrid1->Canvas().TextWidth(Utf8ToString(urls[1])) + Form1->StringGrid1->GridLineWidth() + 5);
  table->setCurrentIndex(table->model()->index(1, 0));
  app.ProcessMessages();
  ExpectTextsWithinTheirCells(*table);
  // The picture shows the URLs' ends at the column's right edge.
  table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
  app.ProcessMessages();
  QImage shot = table->grab().toImage();
  EXPECT_TRUE(MatchesReference(shot, "grid_fitted_urls"));

  // The keyword grid's titles, with the current cell in the "Original-KW" column: Qt must
  // not draw that title bold and wider than the column fitted to it.
  Form1->PageControl1->UserSelectPage(Form1->Tagauswertungen);
  Form1->PageControl2->UserSelectPage(Form1->TabSheet6);
  TStringGrid& keywords = *Form1->StringGrid7;
  FillGrid(keywords, {"Nummer|Original-KW|KW-1|KW-2|KW-3", "1|laufschuhe damen|laufschuhe damen sale|a|b"});
  AutoSizeColumns(keywords, 40);
  keywords.SetCol(1);
  keywords.SetRow(1);
  app.ProcessMessages();
  auto* keywordView = WidgetOf<QTableView>(&keywords);
  ASSERT_NE(keywordView, nullptr);
  EXPECT_FALSE(keywordView->horizontalHeader()->highlightSections());
  ExpectTextsWithinTheirCells(*keywordView);
}

// Forty capital W's: Qt's own layout drew them 4 % wider than the grid measured them, and
// the column fitted to them lost its last letter. Beside them a column fitted to an
// ordinary address.
TEST_F(MainWindowShown, FittedColumnsHoldCapitalsAndOrdinaryUrls) {
  Show();
  Form1->PageControl1->UserSelectPage(Form1->TabSheet7);
  TStringGrid& grid = *Form1->StringGrid1;
  FillGrid(grid, {"Nr.|URL|Adresse", "1|http://" + std::string(40, 'W') + "|http://www.shop.example/a.html",
                  "2|http://www.shop.example/produkte/artikel-1.html|http://www.shop.example/b/c.html"});
  AutoSizeColumns(grid, 40);
  app.ProcessMessages();
  auto* table = WidgetOf<QTableView>(&grid);
  ASSERT_NE(table, nullptr);
  table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
  app.ProcessMessages();
  ExpectTextsWithinTheirCells(*table);
  EXPECT_TRUE(MatchesReference(table->grab().toImage(), "grid_fitted_capitals"));
}

// The text tab's options are a group whose caption sits in its top border, above its
// buttons and fields (as a panel, "Optionen" stood in its middle, just under "+ Hashtags").
TEST_F(MainWindowShown, TheOptionsCaptionStandsAboveTheGroupsControls) {
  Show();
  Form1->PageControl1->UserSelectPage(Form1->Texte);
  app.ProcessMessages();
  auto* group = WidgetOf<QGroupBox>(Form1->GroupBox1);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Optionen");
  const int belowCaption = group->contentsRect().top();
  EXPECT_GT(belowCaption, 0);
  for (TControl* c : std::initializer_list<TControl*>{Form1->Button19, Form1->Button22, Form1->Button27, Form1->Label12,
                                                      Form1->kwhaeuf, Form1->Label13}) {
    const QRect at = WidgetOf<QWidget>(c)->geometry();
    EXPECT_GE(at.top(), belowCaption) << StringToUtf8(c->Name());
    EXPECT_LE(at.bottom(), group->contentsRect().bottom()) << StringToUtf8(c->Name());
  }
}

// Made as small as the user can, the main window still shows every control of every tab
// whole (it could be shrunk to 100 x 80, its content cut off).
TEST_F(MainWindowShown, AtItsSmallestEveryControlOfEveryTabIsWhole) {
  Show();
  auto* window = WidgetOf<QMainWindow>(Form1);
  ASSERT_NE(window, nullptr);
  window->resize(100, 80);
  app.ProcessMessages();
  QWidget* client = window->centralWidget();
  EXPECT_GE(client->width(), 600);
  EXPECT_GE(client->height(), 400);
  for (TTabSheet* tab : {Form1->Tagauswertungen, Form1->Texte, Form1->Report, Form1->TabSheet8, Form1->TabSheet7}) {
    Form1->PageControl1->UserSelectPage(tab);
    app.ProcessMessages();
    for (QWidget* w : WidgetOf<QWidget>(tab)->findChildren<QWidget*>()) {
      if (!w->isVisible() || !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                               qobject_cast<QComboBox*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QPlainTextEdit*>(w)))
        continue;
      const QRect at(w->mapTo(client, QPoint(0, 0)), w->size());
      EXPECT_TRUE(client->rect().contains(at))
          << StringToUtf8(tab->Caption()) << ": " << w->metaObject()->className() << " \"" << w->objectName().toStdString()
          << "\" at " << at.x() << "," << at.y() << " " << at.width() << "x" << at.height() << " in " << client->width()
          << "x" << client->height();
    }
  }
}

}  // namespace
