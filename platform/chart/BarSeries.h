// Bars: one vertical bar per point from the zero line, over a value axis with grid lines
// and the points' labels below; with depth each bar shows a darker top and right side.
#pragma once

#include "platform/chart/ChartSeries.h"

class TBarSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  void DrawSeries(TCanvas& canvas, const TRect& plot, bool view3D) const override;
};
