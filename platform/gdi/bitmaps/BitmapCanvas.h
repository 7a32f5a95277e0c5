// The canvas of a bitmap: a raster device context on the bitmap's pixel buffer, which it
// takes afresh before each drawing operation (the bitmap may have changed its size, format
// or pixels in between).
#pragma once

#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/RasterDC.h"

class TBitmap;

class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap);
  // Hands the bitmap's current pixels to the device context.
  void SelectPixels();

 protected:
  void BeginDrawing() override { SelectPixels(); }

 private:
  TBitmap& bitmap_;
  TRasterDC dc_;
};
