// The charts of the eight networks as bars and as a pie with small slices, compared with
// reviewed pictures: bar labels that do not fit side by side are staggered or turned, and
// the marks of small slices are moved apart with leader lines to their slices.
#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

#include "platform/chart/BarSeries.h"
#include "platform/chart/ChartSnapshot.h"
#include "platform/chart/PieSeries.h"
#include "tests/platform/ui/qt/ReferencePicture.h"

namespace {

QImage ToQImage(const TBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      COLORREF c = ColorToRGB(bitmap.GetPixel(x, y));
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  return image;
}

struct EightNetworks : ::testing::Test {
  TChart chart{nullptr};
  void SetUp() override {
    // The main window's chart tab at its default size.
    chart.SetBounds(0, 0, 493, 420);
    chart.SetTitle(u"Auswertung - Komplettüberblick");
    chart.Series().SetTitle(u"Socialmedia - Alles");
    const std::pair<double, const char16_t*> points[] = {
        {1520, u"Facebook (komplett)"}, {12, u"Delicious"}, {48, u"GooglePlus"}, {0, u"Buzz"},
        {310, u"Twitter"},              {3, u"Diggs"},      {25, u"Pinterest"},  {7, u"Linkedin"}};
    for (auto [value, label] : points) chart.Series().Add(value, label);
  }
};

TEST_F(EightNetworks, BarChart) {
  chart.ChangeSeriesClass<TBarSeries>();
  for (bool view3D : {true, false}) {
    chart.SetView3D(view3D);
    EXPECT_TRUE(MatchesReference(ToQImage(ChartToBitmap(chart)), view3D ? "chart_bars_3d" : "chart_bars"));
  }
}

TEST_F(EightNetworks, NarrowBarChartTurnsItsLabels) {
  chart.ChangeSeriesClass<TBarSeries>();
  chart.SetBounds(0, 0, 360, 420);
  EXPECT_TRUE(MatchesReference(ToQImage(ChartToBitmap(chart)), "chart_bars_narrow"));
}

TEST_F(EightNetworks, PieWithSmallSlices) {
  for (bool view3D : {true, false}) {
    chart.SetView3D(view3D);
    chart.Series().SetMarksStyle(view3D ? smsValue : smsPercent);
    EXPECT_TRUE(MatchesReference(ToQImage(ChartToBitmap(chart)), view3D ? "chart_pie_3d" : "chart_pie_percent"));
  }
}

}  // namespace
