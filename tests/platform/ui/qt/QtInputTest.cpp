// Input through the Qt backend (offscreen) that self-drawn controls rely on: mouse moves
// without a button, the pointer leaving, double clicks with their point, the clipboard,
// and the drawn cursors of middle-button scrolling.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QTest>
#include <QWidget>
#include <vector>

#include "platform/ui/app/Application.h"
#include "platform/ui/app/Clipboard.h"
#include "platform/ui/controls/CustomControl.h"
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
  std::vector<TPoint> moves;
  int left = 0;
  control->OnMouseMove = [&](TComponent*, TShiftState shift, int x, int y) {
    EXPECT_EQ(shift & ssLeft, 0u);
    moves.push_back({x, y});
  };
  control->OnMouseLeave = [&](TComponent*) { ++left; };
  QTest::mouseMove(Widget(), QPoint(30, 40));
  app.ProcessMessages();
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves.back(), (TPoint{30, 40}));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(Widget(), &leave);
  EXPECT_EQ(left, 1);
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
