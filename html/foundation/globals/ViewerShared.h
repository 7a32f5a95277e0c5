// Small drawing routines the viewer and the document share.
#pragma once

#include <memory>

#include "platform/gdi/bitmaps/Bitmap.h"
#include "platform/gdi/canvas/Canvas.h"

// Makes the bitmap when there is none (with AsDIB a device-independent one, with the cube
// palette on screens of 8 bits or less), then sizes it; widths and heights below 3 become 2.
void EnsureBitmap(std::unique_ptr<TBitmap>& bitmap, int width, int height, bool asDIB);
// The list bullet circle: the ellipse (X, Y - Size, X + Size, Y).
void DrawBulletCircle(TCanvas& canvas, int x, int y, int size);
// Text clipped to Rect with the canvas's text flags, on the brush's background unless the
// brush is clear. (The canvas has no right-to-left orientation, so X is taken as it is.)
void CanvasExtTextOut(TCanvas& canvas, const TRect& rect, int x, int y, const String& text);
// The number of blanks and no-break spaces among the first N - 1 characters; 0 for N < 2.
int CountBlanks(const Char* chars, int n);
