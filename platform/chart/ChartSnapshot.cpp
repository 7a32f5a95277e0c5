#include "platform/chart/ChartSnapshot.h"

TBitmap ChartToBitmap(const TChart& chart) {
  TBitmap bitmap(chart.Width(), chart.Height(), pf24bit);
  chart.Draw(bitmap.Canvas(), TRect{0, 0, chart.Width(), chart.Height()});
  return bitmap;
}

std::unique_ptr<TJPEGImage> ChartToJpeg(const TChart& chart) {
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->SetCompressionQuality(100);
  jpeg->Assign(ChartToBitmap(chart));
  return jpeg;
}
