// Drawing and printing of images for the document: bitmaps through masks, bitmaps as
// device-independent pixels on printers (a strip at a time, clipped to the opaque pixels),
// and alpha images.
#pragma once

class TBitmap;
class TCanvas;
class TDeviceContext;
class TGpImage;

#include "platform/gdi/Colors.h"

// Nothing on a monochrome device; otherwise the bitmap stretched into (x, y, w, h), the
// destination kept where the mask is white.
void DrawMaskedBitmap(TDeviceContext& dc, TBitmap& bitmap, TBitmap& mask, int x, int y, int w, int h);
// The whole bitmap stretched into (x, y, w, h) as device-independent pixels.
void PrintBitmapDIB(TCanvas& canvas, int x, int y, int w, int h, const TBitmap* bitmap);
// The rows stripTop .. stripTop + stripHeight of the image printed through its mask into
// (x, y, w, h): clipped to the region of the mask's opaque (black) pixels in device units.
void PrintMaskedBitmap(TCanvas& canvas, int x, int y, int w, int h, const TBitmap& image, const TBitmap& mask,
                       int stripTop, int stripHeight);

void PaintGpImageAt(TDeviceContext& dc, const TGpImage& image, int x, int y);
void PaintGpImagePart(TDeviceContext& dc, const TGpImage& image, int x, int y, int srcX, int srcY, int srcW,
                      int srcH);
void PaintGpImageStretched(TDeviceContext& dc, const TGpImage& image, int x, int y, int w, int h);
void PaintGpImageStretchedScaled(TDeviceContext& dc, const TGpImage& image, int x, int y, int w, int h,
                                 double scaleX, double scaleY);
void PaintGpImageScaled(TDeviceContext& dc, const TGpImage& image, int x, int y, double scaleX, double scaleY);
// The image drawn on a bitmap of its size filled with backColor, stretched into the rectangle.
void PrintGpImageOnColor(TCanvas& canvas, const TGpImage& image, int x, int y, int w, int h, TColor backColor);
