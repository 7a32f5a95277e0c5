#include "html/document/forms/PrintImages.h"

#include "html/document/model/Document.h"
#include "html/foundation/viewer/ViewerDrawing.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/GdiConstants.h"

void DrawFieldFrame(TCanvas& canvas, const TRect& rect, bool sunken, TColor color, const ThtDocument& document) {
  if (sunken) {
    DrawControlBox3D(canvas, rect.Left, rect.Top, rect.Right, rect.Bottom, false, document.PrintMonochromeBlack,
                     false, color);
    return;
  }
  FillRectColor(canvas, rect.Left, rect.Top, rect.Right, rect.Bottom, color);
  const TPenStyle oldStyle = canvas.Pen().Style();
  const TColor oldColor = canvas.Pen().Color();
  const int oldWidth = canvas.Pen().Width();
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(1);
  canvas.MoveTo(rect.Left, rect.Top);
  canvas.LineTo(rect.Right - 1, rect.Top);
  canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
  canvas.LineTo(rect.Left, rect.Bottom - 1);
  canvas.LineTo(rect.Left, rect.Top);
  canvas.Pen().SetStyle(oldStyle);
  canvas.Pen().SetColor(oldColor);
  canvas.Pen().SetWidth(oldWidth);
}

void DrawClippedText(TCanvas& canvas, const TFont& font, const TRect& clip, int x, int y, const String& text) {
  if (text.empty() || clip.Right <= clip.Left || clip.Bottom <= clip.Top) return;
  canvas.Font().Assign(font);
  const TBrushStyle oldBrush = canvas.Brush().Style();
  canvas.Brush().SetStyle(bsClear);
  TDeviceContext& dc = canvas.Handle();
  const uint32_t oldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  canvas.TextRect(clip, x, y, text);
  dc.SetBkMode(oldMode);
  dc.SetTextAlign(oldAlign);
  canvas.Brush().SetStyle(oldBrush);
}

int FontTextHeight(TCanvas& canvas, const TFont& font) {
  canvas.Font().Assign(font);
  return canvas.TextHeight(u"A");
}
