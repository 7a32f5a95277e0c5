#include "html/document/inline/RunFont.h"

#include "html/foundation/fonts/MyFont.h"
#include "platform/gdi/canvas/Canvas.h"

TDeviceContext& SelectRunFont(TCanvas& canvas, const TMyFont& font) {
  font.SelectInto(canvas);
  TDeviceContext& dc = canvas.Handle();
  dc.SelectFont(canvas.Font().Handle());
  return dc;
}
