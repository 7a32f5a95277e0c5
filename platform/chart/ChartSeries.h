// TChartSeries: the points of a chart (value, label, colour) with their title, marks and
// activity. TPieSeries and TBarSeries draw them; a chart holds exactly one series, and
// every change of a series asks its chart to be painted again.
#pragma once

#include <vector>

#include "platform/chart/ChartPalette.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/rtl/Types.h"

class TChart;

// What the marks beside the points show.
enum TSeriesMarksStyle { smsValue, smsPercent };

struct TChartPoint {
  double Value = 0;
  String Label;
  TColor Color = clTeeColor;
};

// Everything of a series that survives a change of its class.
struct TSeriesSettings {
  std::vector<TChartPoint> Points;
  String Title;
  bool Active = true;
  bool MarksVisible = true;
  TSeriesMarksStyle MarksStyle = smsValue;
};

class TChartSeries {
 public:
  explicit TChartSeries(TChart* chart = nullptr) : chart_(chart) {}
  TChartSeries(const TChartSeries&) = delete;
  TChartSeries& operator=(const TChartSeries&) = delete;
  virtual ~TChartSeries() = default;

  void Clear();
  // Adds a point; returns its index. clTeeColor draws it in the palette colour of its index.
  int Add(double value, const String& label = String(), TColor color = clTeeColor);
  int Count() const { return static_cast<int>(s_.Points.size()); }
  const TChartPoint& Point(int index) const;
  // The colour the point is drawn in (the palette's for clTeeColor).
  TColor ValueColor(int index) const;
  // The sum of the points' absolute values.
  double TotalAbs() const;

  const String& Title() const { return s_.Title; }
  void SetTitle(const String& value);
  // An inactive series is not drawn and not listed in the legend.
  bool Active() const { return s_.Active; }
  void SetActive(bool value);
  bool MarksVisible() const { return s_.MarksVisible; }
  void SetMarksVisible(bool value);
  TSeriesMarksStyle MarksStyle() const { return s_.MarksStyle; }
  void SetMarksStyle(TSeriesMarksStyle value);

  // The text of a point's mark: its value, or its share of TotalAbs in percent
  // ("33,33 %", two decimals at most, under the format settings).
  String MarkText(int index) const;

  // Draws the points into the plot rectangle.
  virtual void DrawSeries(TCanvas& canvas, const TRect& plot, bool view3D) const = 0;

  const TSeriesSettings& Settings() const { return s_; }
  void SetSettings(TSeriesSettings settings);

 protected:
  void Changed();

 private:
  TChart* chart_;
  TSeriesSettings s_;
};

// The value as the legend and the marks write it: integers without decimals, other
// values with up to two decimals.
String ChartValueText(double value);
