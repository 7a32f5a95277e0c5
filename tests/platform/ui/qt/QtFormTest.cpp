// The Qt backend, offscreen: a form with one control of each kind, driven through Qt.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QWheelEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <fstream>
#include <optional>
#include <QToolButton>

#include "platform/rtl/Unicode.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/app/Screen.h"
#include "platform/ui/app/Timer.h"
#include "platform/ui/controls/CustomControl.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/controls/CategoryPanels.h"
#include "platform/ui/controls/CheckBoxes.h"
#include "platform/ui/controls/Edits.h"
#include "platform/ui/controls/ListControls.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/PageControl.h"
#include "platform/ui/controls/ScrollBar.h"
#include "platform/ui/controls/WebBrowser.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/grid/StringGrid.h"
#include "platform/ui/menus/Menus.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/QtPeer.h"
#include "tests/support/PictureReference.h"
#include "tests/support/QtPictures.h"

namespace {

int argc = 1;
char arg0[] = "uiqt_tests";
char* argv[] = {arg0, nullptr};

template <class W>
W* WidgetOf(const TControl* c) {
  TQtPeer* peer = TQtPeer::Of(c);
  return peer ? qobject_cast<W*>(peer->Widget()) : nullptr;
}

// The form of the test: a side panel group on the left and a page control filling the
// rest, as the main window is laid out.
struct QtFormFixture : ::testing::Test {
  TApplication app;
  TForm* form = nullptr;
  TCategoryPanelGroup* side = nullptr;
  TCategoryPanel* first = nullptr;
  TCategoryPanel* second = nullptr;
  TPageControl* pages = nullptr;
  TTabSheet* hidden = nullptr;
  TTabSheet* sheet = nullptr;
  TButton* button = nullptr;
  TLabel* label = nullptr;
  TEdit* edit = nullptr;
  TMaskEdit* key = nullptr;
  TComboBox* combo = nullptr;
  TCheckBox* check = nullptr;
  TRadioButton* radioA = nullptr;
  TRadioButton* radioB = nullptr;
  TMemo* memo = nullptr;
  TListBox* list = nullptr;
  TScrollBar* bar = nullptr;
  TStringGrid* grid = nullptr;
  TWebBrowser* browser = nullptr;
  TPanel* panel = nullptr;
  TMainMenu* menu = nullptr;
  TMenuItem* showItem = nullptr;

  template <class T>
  T* Add(TWinControl* parent, int top, int height = 0) {
    T* c = new T(form);
    c->SetParent(parent);
    c->SetTop(top);
    c->SetLeft(8);
    if (height) c->SetHeight(height);
    return c;
  }

  void SetUp() override {
    app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
    app.CreateForm(form);
    form->SetCaption(u"Wendrel");
    form->SetClientWidth(742);
    form->SetClientHeight(722);

    side = Add<TCategoryPanelGroup>(form, 0);
    side->SetWidth(241);
    side->SetAlign(TAlign::alLeft);
    first = Add<TCategoryPanel>(side, 0);
    first->SetCaption(u"Projektmanagement");
    first->SetExpandedHeight(330);
    second = Add<TCategoryPanel>(side, 0);
    second->SetCaption(u"Auswahl / Analyse(n)");
    second->SetExpandedHeight(200);

    pages = Add<TPageControl>(form, 0);
    pages->SetAlign(TAlign::alClient);
    hidden = new TTabSheet(form);
    hidden->SetCaption(u"Spielwiese");
    hidden->SetPageControl(pages);
    hidden->SetTabVisible(false);
    sheet = new TTabSheet(form);
    sheet->SetCaption(u"Auswertungen");
    sheet->SetPageControl(pages);
    pages->SetActivePage(sheet);

    combo = Add<TComboBox>(first, 8);
    combo->SetText(u"projekte");
    combo->Items().SetText(u"alpha\r\nbeta\r\n");
    button = Add<TButton>(first, 36);
    button->SetCaption(u"Speichern");
    label = Add<TLabel>(first, 68);
    label->SetCaption(u"KELVOAPI");
    key = Add<TMaskEdit>(first, 84);
    key->SetPasswordChar(u'*');
    edit = Add<TEdit>(first, 112);
    edit->SetText(u"Tag");
    memo = Add<TMemo>(first, 140, 60);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    memo->SetText(u"erste Zeile\r\nzweite Zeile");
    list = Add<TListBox>(first, 206, 50);
    list->Items().SetText(u"eins\r\nzwei\r\n");
    bar = Add<TScrollBar>(first, 262);
    bar->SetParams(0, 0, 100, 10);

    radioA = Add<TRadioButton>(second, 8);
    radioA->SetCaption(u"Facebook");
    radioB = Add<TRadioButton>(second, 28);
    radioB->SetCaption(u"Twitter");
    check = Add<TCheckBox>(second, 52);
    check->SetCaption(u"Echtzeitauswertung");
    panel = Add<TPanel>(second, 76);
    panel->SetCaption(u"Panel");

    grid = Add<TStringGrid>(sheet, 8, 300);
    grid->SetWidth(480);
    browser = Add<TWebBrowser>(hidden, 8);

    menu = new TMainMenu(form);
    auto* view = new TMenuItem(form);
    view->SetCaption(u"&Ansicht");
    menu->Items()->Add(view);
    showItem = new TMenuItem(form);
    showItem->SetCaption(u"einblenden");
    showItem->SetShortCut(TextToShortCut(u"Ctrl+A"));
    view->Add(showItem);
    form->SetMenu(menu);

    form->Show();
    app.ProcessMessages();
  }
};

TEST_F(QtFormFixture, EveryControlHasAWidgetInItsParent) {
  for (TControl* c : std::initializer_list<TControl*>{button, label, edit, key, combo, check, radioA, memo, list, bar,
                                                      grid, browser, panel, first, pages, sheet})
    ASSERT_NE(TQtPeer::Of(c), nullptr);
  EXPECT_EQ(WidgetOf<QMainWindow>(form)->windowTitle(), "Wendrel");
  // Children sit in their parent's container: below a category panel's caption bar, on
  // their tab page, in the window's client area.
  EXPECT_EQ(WidgetOf<QWidget>(button)->parentWidget(), TQtPeer::Of(first)->Container());
  EXPECT_EQ(WidgetOf<QWidget>(grid)->parentWidget(), WidgetOf<QWidget>(sheet));
  EXPECT_EQ(WidgetOf<QWidget>(side)->parentWidget(), TQtPeer::Of(form)->Container());
  EXPECT_EQ(WidgetOf<QWidget>(pages)->geometry(), QRect(241, 0, 742 - 241, 722));
  EXPECT_EQ(TQtPeer::Of(form)->Container()->size(), QSize(742, 722));
  EXPECT_EQ(WidgetOf<QLineEdit>(key)->echoMode(), QLineEdit::Password);
  EXPECT_EQ(WidgetOf<QPlainTextEdit>(memo)->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(QtFormFixture, FontAndColourChangesReachTheWidget) {
  TFont bold = radioB->Font();
  bold.SetStyle(fsBold);
  radioB->SetFont(bold);
  EXPECT_TRUE(WidgetOf<QRadioButton>(radioB)->font().bold());
  TFont navy = label->Font();
  navy.SetColor(clNavy);
  label->SetFont(navy);
  EXPECT_EQ(WidgetOf<QLabel>(label)->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
  label->SetVisible(false);
  EXPECT_TRUE(WidgetOf<QLabel>(label)->isHidden());
  panel->SetBevelOuter(TPanelBevel::bvNone);
  EXPECT_EQ(WidgetOf<QLabel>(panel)->frameShape(), QFrame::NoFrame);
}

TEST_F(QtFormFixture, ClickingTheButtonRunsTheModelsHandler) {
  int clicks = 0;
  button->OnClick = [&](TComponent*) { ++clicks; };
  QTest::mouseClick(WidgetOf<QPushButton>(button), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
}

TEST_F(QtFormFixture, TypingIntoTheEditChangesTheModel) {
  std::vector<String> seen;
  edit->OnChange = [&](TComponent*) { seen.push_back(edit->Text()); };
  QLineEdit* w = WidgetOf<QLineEdit>(edit);
  w->setFocus();
  w->end(false);
  QTest::keyClicks(w, "s!");
  EXPECT_EQ(edit->Text(), u"Tags!");
  EXPECT_EQ(seen, (std::vector<String>{u"Tags", u"Tags!"}));
  EXPECT_TRUE(edit->Focused());

  edit->SetText(u"vom Programm");  // and the other way
  EXPECT_EQ(w->text(), "vom Programm");
}

TEST_F(QtFormFixture, TypingIntoTheMemoGivesCrLfLines) {
  memo->SetText(u"");
  QPlainTextEdit* w = WidgetOf<QPlainTextEdit>(memo);
  QTest::keyClicks(w, "eins");
  QTest::keyClick(w, Qt::Key_Return);
  QTest::keyClicks(w, "zwei");
  EXPECT_EQ(memo->Text(), u"eins\r\nzwei");
  EXPECT_EQ(memo->Lines().Count(), 2);
  memo->Lines().Add(String(300, u'w'));  // with both scroll bars, no wrapping
  EXPECT_EQ(w->document()->blockCount(), 3);
  EXPECT_EQ(w->document()->lastBlock().layout()->lineCount(), 1);
}

TEST_F(QtFormFixture, KeyPressHandlerCanSwallowAKey) {
  edit->SetText(u"");
  edit->OnKeyPress = [](TComponent*, Char& k) {
    if (k == u'x') k = 0;
  };
  QTest::keyClicks(WidgetOf<QLineEdit>(edit), "axb");
  EXPECT_EQ(edit->Text(), u"ab");
}

TEST_F(QtFormFixture, ComboChangesOnlyOnUserInput) {
  int changes = 0;
  combo->OnChange = [&](TComponent*) { ++changes; };
  combo->SetText(u"beta");
  EXPECT_EQ(changes, 0);
  QComboBox* w = WidgetOf<QComboBox>(combo);
  EXPECT_EQ(w->currentText(), "beta");
  QTest::keyClicks(w->lineEdit(), "x");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->Text(), u"betax");
}

TEST_F(QtFormFixture, RadioButtonsClickedThroughQtStayExclusive) {
  // Qt takes clicks on the indicator and the caption only, not on the rest of the control.
  auto onIndicator = [](QWidget* w) { return QPoint(6, w->height() / 2); };
  QTest::mouseClick(WidgetOf<QRadioButton>(radioA), Qt::LeftButton, {}, onIndicator(WidgetOf<QWidget>(radioA)));
  QTest::mouseClick(WidgetOf<QRadioButton>(radioB), Qt::LeftButton, {}, onIndicator(WidgetOf<QWidget>(radioB)));
  EXPECT_FALSE(radioA->Checked());
  EXPECT_TRUE(radioB->Checked());
  EXPECT_FALSE(WidgetOf<QRadioButton>(radioA)->isChecked());
  QTest::mouseClick(WidgetOf<QCheckBox>(check), Qt::LeftButton, {}, onIndicator(WidgetOf<QWidget>(check)));
  EXPECT_TRUE(check->Checked());
}

TEST_F(QtFormFixture, GridCellsSetInTheModelShowInTheView) {
  grid->SetColCount(14);
  grid->SetRowCount(100001);
  grid->SetCell(0, 0, u"Nr.");
  grid->SetCell(1, 0, u"URL");
  grid->Rows(1).BeginUpdate();
  for (int r = 1; r <= 100000; ++r) grid->SetCell(1, r, u"http://example.com/" + Utf8ToString(std::to_string(r)));
  grid->Rows(1).EndUpdate();
  app.ProcessMessages();  // the view hears of the changes once, from the loop

  QTableView* view = WidgetOf<QTableView>(grid);
  QAbstractItemModel* model = view->model();
  // The title row and the number column are the headers.
  EXPECT_EQ(model->rowCount(), 100000);
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "URL");
  EXPECT_EQ(model->data(model->index(99999, 0)).toString(), "http://example.com/100000");
  EXPECT_FALSE(view->horizontalHeader()->isHidden());
  QLabel* corner = view->findChild<QLabel*>();
  ASSERT_NE(corner, nullptr);
  EXPECT_EQ(corner->text(), "Nr.");

  grid->SetCell(1, 5, u"geändert");
  EXPECT_EQ(model->data(model->index(4, 0)).toString(), QString::fromUtf8("geändert"));

  for (int r = 0; r < 1000; ++r) grid->SetRowCount(grid->RowCount() + 1);  // row by row, as imports do
  app.ProcessMessages();
  EXPECT_EQ(model->rowCount(), 101000);

  grid->SetRowCount(1);  // no fixed row left: row 0 becomes a data row
  app.ProcessMessages();
  EXPECT_EQ(model->rowCount(), 1);
  EXPECT_EQ(model->data(model->index(0, 0)).toString(), "URL");
  EXPECT_TRUE(view->horizontalHeader()->isHidden());
}

TEST_F(QtFormFixture, MouseUpOnTheGridTitleRowGivesGridCoordinates) {
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetColWidths(0, 40);
  grid->SetCell(1, 0, u"URL");
  app.ProcessMessages();
  int gotX = -1, gotY = -1;
  grid->OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int x, int y) {
    gotX = x;
    gotY = y;
  };
  QTableView* view = WidgetOf<QTableView>(grid);
  QHeaderView* header = view->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_EQ(gotY, 5);
  EXPECT_EQ(gotX, 10 + 40);  // the fixed column comes first
  TRect r = grid->CellRect(1, 0);
  EXPECT_TRUE(r.Left <= gotX && gotX < r.Right);
}

TEST_F(QtFormFixture, HiddenTabsAreNotShownAndCollapsingMovesThePanels) {
  QTabWidget* tabs = WidgetOf<QTabWidget>(pages);
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_FALSE(tabs->isTabVisible(0));
  EXPECT_EQ(tabs->currentIndex(), 1);

  int top = second->Top();
  first->Collapse();
  EXPECT_EQ(second->Top(), TCategoryPanel::HeaderHeight);
  EXPECT_EQ(WidgetOf<QWidget>(second)->y(), TCategoryPanel::HeaderHeight);
  // Clicking the caption bar expands it again.
  QToolButton* header = WidgetOf<QWidget>(first)->findChild<QToolButton*>();
  QTest::mouseClick(header, Qt::LeftButton);
  EXPECT_FALSE(first->Collapsed());
  EXPECT_EQ(second->Top(), top);
}

TEST_F(QtFormFixture, MenuShortCutsAndTheClosingOfTheMainForm) {
  int shown = 0;
  showItem->OnClick = [&](TComponent*) { ++shown; };
  QMenuBar* bar = WidgetOf<QMainWindow>(form)->menuBar();
  ASSERT_EQ(bar->actions().size(), 1);
  QMenu* sub = bar->actions()[0]->menu();
  ASSERT_NE(sub, nullptr);
  QAction* action = sub->actions()[0];
  EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
  action->trigger();
  EXPECT_EQ(shown, 1);

  WidgetOf<QMainWindow>(form)->close();
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(WidgetOf<QMainWindow>(form)->isVisible());
}

TEST_F(QtFormFixture, ShowModalBlocksOtherWindowsUntilAButtonEndsIt) {
  TForm* dialog = nullptr;
  app.CreateForm(dialog);
  dialog->SetCaption(u"Einstellungen");
  dialog->SetClientWidth(200);
  dialog->SetClientHeight(100);
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetCaption(u"Speichern");
  ok->SetModalResult(mrOk);
  bool wasModal = false;
  auto* timer = new TTimer(form);
  timer->SetInterval(10);
  timer->SetOnTimer([&](TComponent*) {
    timer->SetEnabled(false);
    wasModal = WidgetOf<QMainWindow>(dialog)->isModal();
    QTest::mouseClick(WidgetOf<QPushButton>(ok), Qt::LeftButton);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(WidgetOf<QMainWindow>(dialog)->isVisible());
}

TEST_F(QtFormFixture, TimersAndRunWorkOnTheQtLoop) {
  auto* timer = new TTimer(form);
  timer->SetInterval(20);
  int ticks = 0;
  timer->SetOnTimer([&](TComponent*) {
    if (++ticks == 3) form->Close();
  });
  app.Run();
  EXPECT_EQ(ticks, 3);
}

// Paints a blue square on its background and counts its paintings.
class TPainted : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TCustomControl::Paint();
    Canvas().Brush().SetColor(clBlue);
    Canvas().FillRect(TRect{10, 10, 30, 30});
  }
};

TEST_F(QtFormFixture, SelfDrawnControlsPaintThroughTheRasterCanvas) {
  auto* painted = new TPainted(form);
  painted->SetParent(sheet);
  painted->SetBounds(300, 320, 60, 40);
  painted->SetColor(clRed);
  app.ProcessMessages();
  QImage shot = WidgetOf<QWidget>(painted)->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(5, 5)), QColor(Qt::red));
  EXPECT_EQ(QColor(shot.pixel(20, 20)), QColor(Qt::blue));

  int before = painted->paints;
  painted->Invalidate();
  WidgetOf<QWidget>(painted)->repaint();
  EXPECT_GT(painted->paints, before);

  int delta = 0;
  painted->OnMouseWheel = [&](TComponent*, TShiftState, int d, int, int, bool& handled) {
    delta = d;
    handled = true;
  };
  QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(WidgetOf<QWidget>(painted), &wheel);
  EXPECT_EQ(delta, -120);
}

TEST_F(QtFormFixture, TheWebBrowserShowsTheReportFile) {
  std::string path = std::string(WENDREL_BUILD_DIR) + "/uiqt_report.html";
  {
    std::ofstream out(path, std::ios::binary);
    out << "<html><body><h1>Summe: 42</h1></body></html>";
  }
  browser->Navigate(Utf8ToString(path));
  EXPECT_EQ(browser->LocationURL(), Utf8ToString(path));
  QTextBrowser* w = WidgetOf<QTextBrowser>(browser);
  EXPECT_TRUE(w->toPlainText().contains("Summe: 42"));
}

TEST_F(QtFormFixture, ScreenCursorOverridesAllWindowsUntilReset) {
  Screen.SetCursor(TCursor::crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen.SetCursor(TCursor::crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtFormFixture, ScreenshotMatchesTheReviewedPicture) {
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->Rows(0).SetText(u"Nr.\r\nURL\r\nLikes\r\n");
  grid->Rows(1).SetText(u"1\r\nhttp://example.com/\r\n12\r\n");
  app.ProcessMessages();
  QPixmap shot = WidgetOf<QMainWindow>(form)->grab();
  EXPECT_EQ(shot.width(), 742);
  // Qt anti-aliases its text: its grey edges may shift a little with another FreeType.
  EXPECT_TRUE(MatchesReference(PictureOf(shot.toImage()), "uiqt/form", {.Channel = 48, .Pixels = 300}));
}

// Where windows appear when first shown: the main form in the middle of the screen, the
// others over the middle of the main form, none beyond the screen's edges; a form placed
// by its Left and Top stays there.
TEST(QtFormPlacement, FormsAppearWhereTheirPositionAsks) {
  TApplication app;
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  TForm* main = nullptr;
  app.CreateForm(main);
  main->SetBounds(0, 0, 300, 200);
  main->SetPosition(TPosition::poScreenCenter);
  main->Show();
  app.ProcessMessages();
  const QRect mainShown = WidgetOf<QMainWindow>(main)->geometry();
  // Within a few pixels: halves round, and a platform may keep a window's frame on the screen.
  constexpr int kNear = 4;
  EXPECT_LE((mainShown.center() - screen.center()).manhattanLength(), kNear);
  EXPECT_EQ(main->Left(), mainShown.left());
  EXPECT_EQ(main->Top(), mainShown.top());

  struct Case {
    const char* name;
    TPosition position;
    QRect asked;  // Left, Top and client size
    std::optional<QPoint> centre;  // where the window's middle is to be
    QPoint topLeft;  // else where its corner is
  };
  const Case cases[] = {
      {"over the main form", TPosition::poMainFormCenter, {0, 0, 120, 80}, mainShown.center(), {}},
      {"too big to be centred", TPosition::poMainFormCenter, {0, 0, 2 * screen.width(), 2 * screen.height()},
       std::nullopt, screen.topLeft()},
      {"screen centre", TPosition::poScreenCenter, {0, 0, 100, 60}, screen.center(), {}},
      {"designed", TPosition::poDesigned, {15, 25, 100, 60}, std::nullopt, {15, 25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TForm* form = nullptr;
    app.CreateForm(form);
    form->SetBounds(c.asked.x(), c.asked.y(), c.asked.width(), c.asked.height());
    form->SetPosition(c.position);
    form->Show();
    app.ProcessMessages();
    const QRect shown = WidgetOf<QMainWindow>(form)->geometry();
    if (c.centre)
      EXPECT_LE((shown.center() - *c.centre).manhattanLength(), kNear) << shown.x() << "," << shown.y();
    else
      EXPECT_LE((shown.topLeft() - c.topLeft).manhattanLength(), kNear) << shown.x() << "," << shown.y();
    EXPECT_GE(shown.left(), screen.left());
    EXPECT_GE(shown.top(), screen.top());
    // Hidden and shown again, it stays where it is.
    form->Hide();
    form->SetBounds(form->Left(), form->Top(), form->Width(), form->Height() + 10);
    form->Show();
    app.ProcessMessages();
    EXPECT_EQ(WidgetOf<QMainWindow>(form)->geometry().topLeft(), shown.topLeft());
    delete form;
  }
}

// A form with a minimum client size takes no smaller size, asked for by the program or
// dragged by the user.
TEST(QtFormPlacement, AFormKeepsItsMinimumSize) {
  TApplication app;
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  TForm* form = nullptr;
  app.CreateForm(form);
  form->SetBounds(0, 0, 200, 100);
  form->SetConstraints({300, 150});
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(form->Height(), 150);
  form->Show();
  app.ProcessMessages();
  form->SetClientWidth(250);
  EXPECT_EQ(form->Width(), 300);
  auto* window = WidgetOf<QMainWindow>(form);
  window->resize(120, 80);  // as the user drags the window's corner
  app.ProcessMessages();
  EXPECT_EQ(window->centralWidget()->size(), QSize(300, 150));
  EXPECT_EQ(form->Width(), 300);
  EXPECT_EQ(form->Height(), 150);
  window->resize(420, 260);
  app.ProcessMessages();
  EXPECT_EQ(form->Width(), 420);
  EXPECT_EQ(form->Height(), 260);
}

}  // namespace
