// Input through the Qt backend (offscreen) that self-drawn controls rely on: mouse moves
// without a button, the pointer leaving, double clicks with their point, the clipboard,
// and the drawn cursors of middle-button scrolling.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/app/Application.h"
#include "platform/ui/app/BusyScope.h"
#include "platform/ui/app/Clipboard.h"
#include "platform/ui/controls/CustomControl.h"
#include "platform/ui/controls/Buttons.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtConvert.h"
#include "platform/ui/qt/QtPeer.h"

namespace {

int argc = 1;
char arg0[] = "uiqt_tests";
char* argv[] = {arg0, nullptr};

// Notes the double clicks it gets, with their points.
class TClicked : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<TPoint> doubleClicks;
  void DblClickAt(TShiftState, int x, int y) override { doubleClicks.push_back({x, y}); }
};

struct QtInputFixture : ::testing::Test {
  // What the handlers saw, in order. Declared before the application, so that it outlives
  // the windows and every handler that writes to it.
  std::vector<std::string> events;
  TApplication app;
  TForm* form = nullptr;
  TClicked* control = nullptr;

  void SetUp() override {
    app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
    app.CreateForm(form);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    control = new TClicked(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 120, 80);
    form->Show();
    app.ProcessMessages();
  }
  QWidget* Widget() const { return TQtPeer::Of(control)->Widget(); }
};

TEST_F(QtInputFixture, MovesWithoutAButtonAndLeavingReachTheControl) {
  control->OnMouseMove = [this](TComponent*, TShiftState shift, int x, int y) {
    EXPECT_EQ(shift & ssLeft, 0u);
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  control->OnMouseLeave = [this](TComponent*) { events.push_back("leave"); };
  QTest::mouseMove(Widget(), QPoint(30, 40));
  app.ProcessMessages();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "move 30,40");
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(Widget(), &leave);
  EXPECT_EQ(events.back(), "leave");
}

// Qt sends a widget under the pointer a last Leave as it goes; the control, being
// destroyed, does not pass it on (its handlers may refer to what is already gone).
TEST_F(QtInputFixture, AControlBeingDestroyedAndTheControlsOnItRaiseNoEvents) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(150, 10, 120, 120);
  auto* inner = new TClicked(form);
  inner->SetParent(panel);
  inner->SetBounds(10, 10, 80, 80);
  auto* last = new TClicked(form);
  last->SetParent(form);
  last->SetBounds(10, 100, 80, 80);
  app.ProcessMessages();
  auto note = [this](TControl* c, const std::string& name) {
    c->OnMouseMove = [this, name](TComponent*, TShiftState, int, int) { events.push_back(name + " move"); };
    c->OnMouseLeave = [this, name](TComponent*) { events.push_back(name + " leave"); };
  };
  note(control, "control");
  note(panel, "panel");
  note(inner, "inner");
  note(last, "last");
  note(form, "form");

  struct Case {
    const char* what;
    QWidget* hover;
    std::function<void()> destroy;
  };
  const Case cases[] = {
      {"the control itself", Widget(), [&] { delete control; }},
      {"the panel with the control on it", TQtPeer::Of(inner)->Widget(), [&] { delete panel; }},
      {"the form with the controls on it", TQtPeer::Of(last)->Widget(), [&] { delete form; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTest::mouseMove(c.hover, QPoint(20, 20));
    app.ProcessMessages();
    ASSERT_FALSE(events.empty());
    events.clear();
    c.destroy();
    app.ProcessMessages();
    EXPECT_EQ(events, std::vector<std::string>{});
  }
  form = nullptr;
  control = nullptr;
}

// Clicks and keys that wait in the queue while the program is busy are dropped when the
// work ends (the user could not see what they would hit); what comes after reaches the
// controls. The busy cursor shows over the windows meanwhile.
TEST_F(QtInputFixture, ClicksAndKeysMadeWhileBusyAreDropped) {
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(150, 10, 80, 25);
  button->SetCaption(u"OK");
  app.ProcessMessages();
  button->OnClick = [this](TComponent*) { events.push_back("click"); };
  control->OnKeyDown = [this](TComponent*, uint16_t& key, TShiftState) { events.push_back("key " + std::to_string(key)); };
  // As the window system queues them: handled at the next look at the input.
  auto userInput = [&] {
    QWidget* b = TQtPeer::Of(button)->Widget();
    const QPointF at(10, 10);
    QCoreApplication::postEvent(b, new QMouseEvent(QEvent::MouseButtonPress, at, b->mapToGlobal(at), Qt::LeftButton,
                                                   Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(b, new QMouseEvent(QEvent::MouseButtonRelease, at, b->mapToGlobal(at), Qt::LeftButton,
                                                   Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
  };
  {
    TBusyScope busy;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    userInput();
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  app.ProcessMessages();
  EXPECT_EQ(events, std::vector<std::string>{});
  userInput();
  app.ProcessMessages();
  EXPECT_EQ(events, (std::vector<std::string>{"click", "key 13"}));
}

TEST_F(QtInputFixture, ADoubleClickOfTheLeftButtonCarriesItsPoint) {
  QTest::mouseDClick(Widget(), Qt::LeftButton, {}, QPoint(25, 35));
  app.ProcessMessages();
  EXPECT_EQ(control->doubleClicks, (std::vector<TPoint>{{25, 35}}));
  QTest::mouseDClick(Widget(), Qt::RightButton, {}, QPoint(25, 35));
  app.ProcessMessages();
  EXPECT_EQ(control->doubleClicks.size(), 1u);
}

TEST_F(QtInputFixture, TheClipboardIsQtsClipboard) {
  Clipboard().SetAsText(u"Gr\u00FC\u00DFe aus Wendrel");
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("Grüße aus Wendrel"));
  QApplication::clipboard()->setText(QStringLiteral("from Qt"));
  EXPECT_EQ(Clipboard().AsText(), u"from Qt");
}

TEST_F(QtInputFixture, MiddleButtonScrollCursorsAreThreeDrawnCursors) {
  const TCursor kinds[] = {TCursor::crScrollUpDown, TCursor::crScrollUpOnly, TCursor::crScrollDownOnly};
  std::vector<QImage> pictures;
  for (TCursor kind : kinds) {
    control->SetCursor(kind);
    EXPECT_EQ(Widget()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(Widget()->cursor().hotSpot(), QPoint(16, 16));
    pictures.push_back(Widget()->cursor().pixmap().toImage());
  }
  EXPECT_NE(pictures[0], pictures[1]);
  EXPECT_NE(pictures[0], pictures[2]);
  EXPECT_NE(pictures[1], pictures[2]);
  control->SetCursor(TCursor::crHandPoint);
  EXPECT_EQ(Widget()->cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
