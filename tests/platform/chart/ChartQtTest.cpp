// The chart shown by the Qt backend (offscreen): its widget shows the drawn chart and
// shows it again after each change.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/ui/app/Application.h"
#include "platform/ui/forms/Form.h"
#include "platform/ui/qt/QtBackend.h"
#include "platform/ui/qt/QtPeer.h"

namespace {

int argc = 1;
char arg0[] = "chart_tests";
char* argv[] = {arg0, nullptr};

long CountColour(const QImage& image, TColor color) {
  QColor wanted(GetRValue(color), GetGValue(color), GetBValue(color));
  long n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (QColor(image.pixel(x, y)) == wanted) ++n;
  return n;
}

TEST(ChartQt, WidgetShowsTheChartAndFollowsItsChanges) {
  TApplication app;
  app.SetBackend(std::make_unique<TQtBackend>(argc, argv));
  TForm* form = nullptr;
  app.CreateForm(form);
  form->SetClientWidth(500);
  form->SetClientHeight(360);
  auto* chart = new TChart(form);
  chart->SetParent(form);
  chart->SetBounds(0, 0, 480, 340);
  form->Show();
  app.ProcessMessages();

  QWidget* widget = TQtPeer::Of(chart)->Widget();
  ASSERT_NE(widget, nullptr);
  auto shot = [&] {
    app.ProcessMessages();
    return widget->grab().toImage();
  };
  QImage empty = shot();
  EXPECT_EQ(QColor(empty.pixel(2, 2)), QColor(Qt::white));
  EXPECT_LT(CountColour(empty, ChartPaletteColor(0)), 10);

  chart->Series().Add(5, u"FB-Likes");
  EXPECT_GT(CountColour(shot(), ChartPaletteColor(0)), 5000);

  chart->Series().SetActive(false);
  EXPECT_LT(CountColour(shot(), ChartPaletteColor(0)), 10);

  chart->Series().SetActive(true);
  chart->ChangeSeriesClass<TBarSeries>();
  chart->SetView3D(false);
  QImage bars = shot();
  EXPECT_GT(CountColour(bars, ChartPaletteColor(0)), 1000);
  EXPECT_EQ(CountColour(bars, DarkerColor(ChartPaletteColor(0))) < 2000, true);
}

}  // namespace
