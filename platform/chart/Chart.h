// TChart: a self-drawn control with one series (a pie or a bar series), a title above, a
// legend titled "Legende" on the right that lists each point's colour, value and label,
// and the plot between them, flat or with depth (View3D), on its background colour
// (white). Every change paints it again; Draw paints it on any canvas, such as a bitmap's.
#pragma once

#include <memory>

#include "platform/chart/ChartSeries.h"
#include "platform/ui/controls/CustomControl.h"

class TChart : public TCustomControl {
 public:
  explicit TChart(TComponent* AOwner);
  ~TChart() override;

  // The title line above the plot; none is drawn when it is empty.
  const String& Title() const { return title_; }
  void SetTitle(const String& value);
  const String& LegendTitle() const { return legendTitle_; }
  void SetLegendTitle(const String& value);
  bool View3D() const { return view3D_; }
  void SetView3D(bool value);

  // The chart's one series (a pie series at first).
  TChartSeries& Series() { return *series_; }
  const TChartSeries& Series() const { return *series_; }
  // Replaces the series by one of class T that takes over its points and settings.
  template <class T>
  T& ChangeSeriesClass() {
    auto fresh = std::make_unique<T>(this);
    T& result = *fresh;
    ReplaceSeries(std::move(fresh));
    return result;
  }

  // Draws the whole chart into r of the canvas.
  void Draw(TCanvas& canvas, const TRect& r) const;

 protected:
  void Paint() override;

 private:
  void ReplaceSeries(std::unique_ptr<TChartSeries> fresh);
  // Draws the legend at the right edge of r; returns its left edge.
  int DrawLegend(TCanvas& canvas, const TRect& r) const;

  std::unique_ptr<TChartSeries> series_;
  String title_;
  String legendTitle_;
  bool view3D_ = true;
};
