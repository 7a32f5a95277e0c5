#include "platform/gdi/dc/RasterDC.h"

// The region's rectangles go through the mapping like any logical rectangle, so a region
// filled under a scaling mapping covers what the same rectangles drawn one by one would.
bool TRasterDC::FillRgn(const TRegion& region, const TLogBrush& brush) {
  if (brush.IsNull() || region.IsEmpty()) return true;
  TPointF origin = ToDevice(0, 0);
  TXForm toDevice{ScaleX(), 0, 0, ScaleY(), origin.X, origin.Y};
  PaintRegion(TRegion::FromRects(region.Rects(), &toDevice), BrushPaint(brush), state_.Rop2);
  return true;
}
