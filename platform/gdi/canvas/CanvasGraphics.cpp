// Drawing pictures on a canvas: each picture class knows how to draw itself (a bitmap with
// the canvas's copy mode or through its mask, with alpha when it has one).
#include "platform/gdi/bitmaps/Graphic.h"
#include "platform/gdi/canvas/Canvas.h"

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  BeginDrawing();
  graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic& graphic) {
  BeginDrawing();
  graphic.Draw(*this, r);
}
