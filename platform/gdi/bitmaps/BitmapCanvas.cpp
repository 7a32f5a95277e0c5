#include "platform/gdi/bitmaps/BitmapCanvas.h"

#include "platform/gdi/bitmaps/Bitmap.h"

TBitmapCanvas::TBitmapCanvas(TBitmap& bitmap) : TCanvas(static_cast<TDeviceContext*>(nullptr)), bitmap_(bitmap) {
  SetHandle(&dc_);
  SelectPixels();
}

void TBitmapCanvas::SelectPixels() { dc_.SelectBuffer(bitmap_.BeginDraw()); }
