// A pie: one slice per point, sized by the point's absolute value, from twelve o'clock
// clockwise; with depth a tilted pie standing on its darker side wall.
#pragma once

#include "platform/chart/ChartSeries.h"

class TPieSeries : public TChartSeries {
 public:
  using TChartSeries::TChartSeries;
  void DrawSeries(TCanvas& canvas, const TRect& plot, bool view3D) const override;
};
