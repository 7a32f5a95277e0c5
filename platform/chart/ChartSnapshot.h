// Snapshots of a chart as pictures.
#pragma once

#include <memory>

#include "platform/chart/Chart.h"
#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/codecs/JpegImage.h"

// The chart drawn into a 24-bit bitmap of its size.
TBitmap ChartToBitmap(const TChart& chart);
// A JPEG picture of quality 100 of the chart at its size, on its own background colour.
std::unique_ptr<TJPEGImage> ChartToJpeg(const TChart& chart);
