// The series of a chart: points, automatic colours, marks and the change of series class.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/chart/BarSeries.h"
#include "platform/chart/Chart.h"
#include "platform/chart/PieSeries.h"
#include "platform/rtl/Exceptions.h"

namespace {

TEST(ChartSeries, AutomaticColoursFollowThePaletteAndExplicitOnesStay) {
  TChart chart(nullptr);
  TChartSeries& s = chart.Series();
  s.Add(1, u"a");
  s.Add(2, u"b", clRed);
  s.Add(3, u"c");
  EXPECT_EQ(s.ValueColor(0), ChartPaletteColor(0));
  EXPECT_EQ(s.ValueColor(1), clRed);
  EXPECT_EQ(s.ValueColor(2), ChartPaletteColor(2));
  EXPECT_NE(ChartPaletteColor(0), ChartPaletteColor(1));
  EXPECT_THROW(s.Point(3), EListError);
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
}

struct MarkCase {
  const char* name;
  std::vector<double> values;
  TSeriesMarksStyle style;
  std::vector<std::u16string> marks;
  friend void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }
};

class SeriesMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(SeriesMarks, ShowValuesOrShares) {
  TChart chart(nullptr);
  for (double v : GetParam().values) chart.Series().Add(v, u"x");
  chart.Series().SetMarksStyle(GetParam().style);
  for (size_t i = 0; i < GetParam().marks.size(); ++i)
    EXPECT_EQ(chart.Series().MarkText(static_cast<int>(i)), GetParam().marks[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeriesMarks,
    ::testing::Values(MarkCase{"Values", {1, 2, 1}, smsValue, {u"1", u"2", u"1"}},
                      MarkCase{"Percent", {1, 2, 1}, smsPercent, {u"25 %", u"50 %", u"25 %"}},
                      MarkCase{"RoundedPercent", {1, 2}, smsPercent, {u"33,33 %", u"66,67 %"}},
                      MarkCase{"FractionAndLarge", {2.5, 3000000000.0}, smsValue, {u"2,5", u"3000000000"}},
                      // a negative value takes its share by size
                      MarkCase{"NegativeByItsSize", {-1, 3}, smsPercent, {u"25 %", u"75 %"}},
                      // all zero: no share, and no division by zero
                      MarkCase{"AllZero", {0, 0}, smsPercent, {u"0 %", u"0 %"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChartSeries, ChangingTheClassKeepsPointsAndSettings) {
  TChart chart(nullptr);
  chart.Series().SetTitle(u"Facebook - Signalverteilung");
  chart.Series().SetMarksStyle(smsPercent);
  chart.Series().SetActive(false);
  chart.Series().Add(7, u"FB-Likes");
  chart.Series().Add(3, u"FB-Shares", clRed);

  TBarSeries& bar = chart.ChangeSeriesClass<TBarSeries>();
  EXPECT_EQ(&chart.Series(), &bar);
  TPieSeries& pie = chart.ChangeSeriesClass<TPieSeries>();
  ASSERT_NE(dynamic_cast<TPieSeries*>(&chart.Series()), nullptr);
  EXPECT_EQ(pie.Title(), u"Facebook - Signalverteilung");
  EXPECT_EQ(pie.MarksStyle(), smsPercent);
  EXPECT_FALSE(pie.Active());
  ASSERT_EQ(pie.Count(), 2);
  EXPECT_EQ(pie.Point(0).Value, 7);
  EXPECT_EQ(pie.Point(0).Label, u"FB-Likes");
  EXPECT_EQ(pie.ValueColor(0), ChartPaletteColor(0));
  EXPECT_EQ(pie.ValueColor(1), clRed);
}

}  // namespace
