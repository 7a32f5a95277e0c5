#include "platform/chart/ChartDrawing.h"

void UseChartFont(TCanvas& canvas, int points, bool bold) {
  canvas.Font().SetName(u"Arial");
  canvas.Font().SetSize(points);
  canvas.Font().SetStyle(bold ? TFontStyles(fsBold) : TFontStyles());
  canvas.Font().SetColor(clBlack);
}

void ChartText(TCanvas& canvas, int x, int y, const String& text) {
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(x, y, text);
  canvas.Brush().SetStyle(bsSolid);
}

TRect MarkBox(TCanvas& canvas, int cx, int cy, const String& text) {
  TSize size = canvas.TextExtent(text);
  return TRect{cx - size.cx / 2 - 3, cy - size.cy / 2 - 1, cx - size.cx / 2 + size.cx + 3, cy - size.cy / 2 + size.cy + 1};
}

void DrawMark(TCanvas& canvas, const TRect& box, const String& text) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(static_cast<TColor>(RGB(255, 255, 225)));
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(clGray);
  canvas.Rectangle(box);
  ChartText(canvas, box.Left + 3, box.Top + 1, text);
}
