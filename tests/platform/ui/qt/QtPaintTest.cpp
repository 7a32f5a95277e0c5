// A self-drawn control shown by the Qt backend (offscreen): the widget keeps the control's
// pixels between paints and has the control paint only the part it asked for.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QWidget>
#include <vector>

#include "platform/ui/app/Application.h"
#include "platform/ui/controls/CustomControl.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"

namespace {

int argc = 1;
char arg0[] = "uiqt_tests";
char* argv[] = {arg0, nullptr};

// Fills what it is asked to paint with its ink and notes each part it was asked for.
class TInked : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TColor ink = clRed;
  std::vector<TRect> painted;

 protected:
  void Paint() override {
    painted.push_back(Canvas().ClipRect());
    Canvas().Brush().SetColor(ink);
    Canvas().FillRect(TRect{0, 0, Width(), Height()});
  }
};

struct QtPaintFixture : ::testing::Test {
  TApplication app;
  TForm* form = nullptr;
  TInked* inked = nullptr;

  void SetUp() override {
    app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
    app.CreateForm(form);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    inked = new TInked(form);
    inked->SetParent(form);
    inked->SetBounds(10, 10, 120, 80);
    form->Show();
    app.ProcessMessages();
  }
  QWidget* Widget() const { return TQtPeer::Of(inked)->Widget(); }
  QColor At(const QImage& image, int x, int y) const { return QColor(image.pixel(x, y)); }
};

TEST_F(QtPaintFixture, ShowingPaintsAllAndShowingAgainPaintsNothing) {
  ASSERT_FALSE(inked->painted.empty());
  EXPECT_EQ(inked->painted.back(), (TRect{0, 0, 120, 80}));
  size_t paints = inked->painted.size();
  // Grabbing and uncovering the widget show the kept pixels.
  QImage shot = Widget()->grab().toImage();
  Widget()->repaint();
  EXPECT_EQ(inked->painted.size(), paints);
  EXPECT_EQ(At(shot, 60, 40), QColor(Qt::red));
}

TEST_F(QtPaintFixture, AnInvalidAreaIsTheOnlyPartPaintedAgain) {
  inked->painted.clear();
  inked->ink = clLime;
  inked->InvalidateArea(TRect{20, 10, 50, 30});
  app.ProcessMessages();
  ASSERT_EQ(inked->painted.size(), 1u);
  EXPECT_EQ(inked->painted[0], (TRect{20, 10, 50, 30}));
  QImage shot = Widget()->grab().toImage();
  EXPECT_EQ(At(shot, 20, 10), QColor(Qt::green));
  EXPECT_EQ(At(shot, 49, 29), QColor(Qt::green));
  // The rest still shows what was painted before the ink changed.
  EXPECT_EQ(At(shot, 19, 10), QColor(Qt::red));
  EXPECT_EQ(At(shot, 50, 29), QColor(Qt::red));
  EXPECT_EQ(At(shot, 100, 70), QColor(Qt::red));
}

TEST_F(QtPaintFixture, ResizingOrAChangedColourPaintsAllAgain) {
  for (auto change : {+[](TInked& c) { c.SetBounds(10, 10, 150, 90); }, +[](TInked& c) { c.SetColor(clYellow); }}) {
    inked->painted.clear();
    inked->ink = inked->ink == clBlue ? clRed : clBlue;
    change(*inked);
    app.ProcessMessages();
    ASSERT_FALSE(inked->painted.empty());
    EXPECT_EQ(inked->painted.back(), (TRect{0, 0, inked->Width(), inked->Height()}));
    QImage shot = Widget()->grab().toImage();
    COLORREF ink = ColorToRGB(inked->ink);
    EXPECT_EQ(At(shot, inked->Width() - 1, inked->Height() - 1), QColor(GetRValue(ink), GetGValue(ink), GetBValue(ink)));
  }
}

}  // namespace
