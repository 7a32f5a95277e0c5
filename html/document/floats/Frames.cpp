#include "html/document/floats/Frames.h"

#include "html/document/model/Document.h"
#include "html/foundation/globals/EngineGlobals.h"
#include "html/foundation/viewer/BoxBorder.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"

std::array<TColor, 4> FrameColours(const ThtDocument& document, TCanvas& canvas, bool raised) {
  if (document.Printing && document.PrintMonochromeBlack && canvas.Handle().GetDeviceCaps(BITSPIXEL) == 1 &&
      canvas.Handle().GetDeviceCaps(PLANES) == 1)
    return {clBlack, clBlack, clBlack, clBlack};
  const TColor dark = clBtnShadow;
  const TColor light = document.Printing || ResolveColor(document.BackgroundColor) == 0xFFFFFF ? clSilver : clBtnHighlight;
  if (raised) return {light, light, dark, dark};
  return {dark, dark, light, light};
}

void Draw3DFrame(const ThtDocument& document, TCanvas& canvas, int left, int frameWidth, bool raised, int bottom,
                 int right, int top) {
  const TRect outer{left, top, right, bottom};
  const TRect inner{left + frameWidth, top + frameWidth, right - frameWidth, bottom - frameWidth};
  PaintBoxBorder(canvas, outer, inner, FrameColours(document, canvas, raised), {bssSolid, bssSolid, bssSolid, bssSolid},
                 clNone, document.Printing);
}
