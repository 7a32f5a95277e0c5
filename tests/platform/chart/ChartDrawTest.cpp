// Drawing the chart into bitmaps: slice and bar areas against the values, depth, the JPEG
// snapshot decoded by libjpeg-turbo's djpeg, and pictures of pie and bar charts compared with
// reviewed ones.
#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <map>

#include "platform/chart/BarSeries.h"
#include "platform/chart/ChartSnapshot.h"
#include "platform/chart/PieSeries.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Unicode.h"
#include "tests/support/GdiPictures.h"
#include "tests/support/PictureReference.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

namespace {

struct ColourStats {
  long count = 0;
  double sumX = 0, sumY = 0;
  double CenterX() const { return sumX / count; }
  double CenterY() const { return sumY / count; }
};

std::map<TColor, ColourStats> Stats(const TBitmap& bitmap) {
  std::map<TColor, ColourStats> stats;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      ColourStats& s = stats[bitmap.GetPixel(x, y)];
      ++s.count;
      s.sumX += x;
      s.sumY += y;
    }
  return stats;
}

struct ChartFixture : ::testing::Test {
  TChart chart{nullptr};
  void SetUp() override {
    chart.SetBounds(0, 0, 600, 400);
    chart.SetView3D(false);
    chart.Series().SetMarksVisible(false);
  }
  void Add(const std::vector<double>& values) {
    for (size_t i = 0; i < values.size(); ++i) chart.Series().Add(values[i], u"P" + Utf8ToString(std::to_string(i)));
  }
};

struct AreaCase {
  const char* name;
  std::vector<double> values;
  friend void PrintTo(const AreaCase& c, std::ostream* os) { *os << c.name; }
};

class PieAreas : public ChartFixture, public ::testing::WithParamInterface<AreaCase> {};

// Each slice covers the share of the pie that its value has of the sum (the legend's small
// swatches are within the tolerance); a zero point has no slice, a sole point a full disc.
TEST_P(PieAreas, SliceAreasFollowTheValues) {
  Add(GetParam().values);
  auto stats = Stats(ChartToBitmap(chart));
  double total = 0, pixels = 0;
  for (size_t i = 0; i < GetParam().values.size(); ++i) {
    total += std::fabs(GetParam().values[i]);
    pixels += stats[chart.Series().ValueColor(static_cast<int>(i))].count;
  }
  ASSERT_GT(pixels, 50000);
  for (size_t i = 0; i < GetParam().values.size(); ++i) {
    double share = stats[chart.Series().ValueColor(static_cast<int>(i))].count / pixels;
    EXPECT_NEAR(share, std::fabs(GetParam().values[i]) / total, 0.015) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PieAreas,
                         ::testing::Values(AreaCase{"QuarterAndRest", {1, 3}}, AreaCase{"Three", {1, 1, 2}},
                                           AreaCase{"ZeroHasNoSlice", {0, 5}}, AreaCase{"SoleFullDisc", {5}},
                                           AreaCase{"NegativeByItsSize", {-2, 2}},
                                           AreaCase{"WholePalette", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartFixture, FirstSliceStartsAtTwelveAndRunsClockwise) {
  Add({1, 3});
  auto stats = Stats(ChartToBitmap(chart));
  const ColourStats& first = stats[ChartPaletteColor(0)];
  const ColourStats& second = stats[ChartPaletteColor(1)];
  // The quarter slice lies right of and above the rest of the pie.
  EXPECT_GT(first.CenterX(), second.CenterX());
  EXPECT_LT(first.CenterY(), second.CenterY());
}

TEST_F(ChartFixture, BarsAreAsHighAsTheirValuesAndNegativeOnesHangBelow) {
  chart.ChangeSeriesClass<TBarSeries>();
  Add({10, 20, -10});
  auto stats = Stats(ChartToBitmap(chart));
  const ColourStats& ten = stats[ChartPaletteColor(0)];
  const ColourStats& twenty = stats[ChartPaletteColor(1)];
  const ColourStats& minus = stats[ChartPaletteColor(2)];
  EXPECT_NEAR(static_cast<double>(twenty.count) / ten.count, 2.0, 0.1);
  EXPECT_NEAR(static_cast<double>(minus.count) / ten.count, 1.0, 0.1);
  EXPECT_LT(ten.CenterX(), twenty.CenterX());
  EXPECT_GT(minus.CenterY(), ten.CenterY());
}

TEST_F(ChartFixture, DepthDrawsDarkerSidesOnlyIn3D) {
  for (bool bar : {false, true}) {
    if (bar) chart.ChangeSeriesClass<TBarSeries>();
    chart.Series().Clear();
    Add({4, 6});
    TColor side = DarkerColor(ChartPaletteColor(0));
    EXPECT_LT(Stats(ChartToBitmap(chart))[side].count, 1000) << bar;  // outlines only
    chart.SetView3D(true);
    EXPECT_GT(Stats(ChartToBitmap(chart))[side].count, 1000) << bar;
    chart.SetView3D(false);
  }
}

TEST_F(ChartFixture, InactiveSeriesLeavesTheWhiteBackground) {
  Add({1, 2});
  chart.Series().SetActive(false);
  auto stats = Stats(ChartToBitmap(chart));
  EXPECT_EQ(stats.size(), 1u);
  EXPECT_EQ(stats.begin()->first, clWhite);
}

TEST(ChartSnapshot, JpegDecodesAtTheChartsSizeWithItsWhiteBackground) {
  TChart chart(nullptr);
  chart.SetBounds(0, 0, 437, 291);
  chart.SetTitle(u"Auswertung - Komplettüberblick");
  chart.Series().Add(12, u"Facebook (komplett)");
  chart.Series().Add(5, u"Twitter");
  std::unique_ptr<TJPEGImage> jpeg = ChartToJpeg(chart);
  TTempDirectory dir("wendrel-chart");
  {
    TFileStream out(Utf8ToString(dir.PathOf("chart.jpg")), fmCreate);
    jpeg->SaveToStream(out);
  }
  std::string ppm = RunTool("djpeg -pnm " + ShellQuote(dir.PathOf("chart.jpg")));
  EXPECT_EQ(ppm.substr(0, 2), "P6");
  TTestPicture picture = ReadPnm(ppm);
  EXPECT_EQ(picture.Width, 437);
  EXPECT_EQ(picture.Height, 291);
  // At quality 100 the white corner stays white.
  ASSERT_GT(picture.Width, 0);
  for (int shift : {0, 8, 16}) EXPECT_GE(picture.Rgb(0, 0) >> shift & 0xFF, 254u);
}

TEST(ChartSnapshot, PicturesOfPieAndBarMatchTheReviewedOnes) {
  TChart chart(nullptr);
  chart.SetBounds(0, 0, 640, 400);
  chart.SetTitle(u"Auswertung - Facebook - demo");
  chart.Series().SetTitle(u"Facebook - Signalverteilung");
  for (auto [v, l] : {std::pair{120.0, u"FB-Likes"}, {45.0, u"FB-Shares"}, {30.0, u"FB-Comments"}, {8.0, u"FB-Clicks"}})
    chart.Series().Add(v, l);
  for (bool bar : {false, true}) {
    if (bar) chart.ChangeSeriesClass<TBarSeries>();
    for (bool view3D : {true, false}) {
      chart.SetView3D(view3D);
      chart.Series().SetMarksStyle(view3D ? smsValue : smsPercent);
      std::string name = std::string("chart/") + (bar ? "bar" : "pie") + (view3D ? "_3d" : "");
      // The marks' and legend's text may shift its grey edges a little with another FreeType.
      EXPECT_TRUE(MatchesReference(PictureOf(ChartToBitmap(chart).Image()), name, {.Channel = 48, .Pixels = 150}));
    }
  }
}

}  // namespace
