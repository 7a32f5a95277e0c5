#include "html/foundation/viewer/ViewerDrawing.h"

#include "html/foundation/globals/EngineGlobals.h"
#include "platform/gdi/canvas/Canvas.h"
#include "platform/gdi/dc/DeviceContext.h"
#include "platform/gdi/dc/GdiConstants.h"
#include "platform/rtl/Rounding.h"

int MeasureFittingChars(const TDeviceContext& dc, std::u16string_view text, int maxExtent, TSize& extent) {
  extent = TSize{0, 0};
  if (text.empty() || maxExtent <= 0) return 0;
  TTextFit fit = dc.GetTextExtentExPoint(text, maxExtent);
  extent.cx = fit.Fit > 0 ? fit.PartialExtents[static_cast<size_t>(fit.Fit - 1)] : 0;
  extent.cy = fit.Extent.cy;
  return fit.Fit;
}

int MeasureTextWidth(const TDeviceContext& dc, std::u16string_view text) {
  if (text.empty()) return 0;
  return dc.GetTextExtentPoint32(text).cx;
}

void DrawWrappedText(TCanvas& canvas, int x1, int y1, int x2, int y2, std::u16string_view text) {
  TDeviceContext& dc = canvas.Handle();
  uint32_t oldAlign = dc.SetTextAlign(0);
  // Over whatever lies below: a solid brush selected earlier (a list bullet, say) leaves the
  // device drawing text on its colour.
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  TRect rect{x1, y1, x2, y2};
  dc.DrawText(text, rect, DT_WORDBREAK | DT_NOPREFIX);
  dc.SetBkMode(oldMode);
  dc.SetTextAlign(oldAlign);
}

void ScaleRect(const TRect& source, TRect& dest, double scaleX, double scaleY) {
  dest.Left = static_cast<int>(Round(source.Left * scaleX));
  dest.Right = static_cast<int>(Round(source.Right * scaleX));
  dest.Top = static_cast<int>(Round(source.Top * scaleY));
  dest.Bottom = static_cast<int>(Round(source.Bottom * scaleY));
}

void RectToDevice(TDeviceContext& dc, const TRect& rect, bool printing, TRect& deviceRect) {
  TPoint origin = dc.GetWindowOrgEx();
  deviceRect = TRect{rect.Left - origin.X, rect.Top - origin.Y, rect.Right - origin.X, rect.Bottom - origin.Y};
  if (!printing) return;
  TSize window = dc.GetWindowExtEx(), viewport = dc.GetViewportExtEx();
  if (window.cx == 0 || window.cy == 0) return;  // no scale to apply
  ScaleRect(deviceRect, deviceRect, static_cast<double>(viewport.cx) / window.cx,
            static_cast<double>(viewport.cy) / window.cy);
}

void ClipToRect(TDeviceContext& dc, const TRect& rect, bool printing, std::unique_ptr<TRegion>& newRgn,
                std::unique_ptr<TRegion>& savedRgn) {
  savedRgn.reset();
  TRegion current;
  if (dc.GetClipRgn(current)) savedRgn = std::make_unique<TRegion>(current);
  TRect device;
  RectToDevice(dc, rect, printing, device);
  newRgn = std::make_unique<TRegion>(TRegion::FromRect(device));
  if (savedRgn) *newRgn = TRegion::Combine(*newRgn, *savedRgn, RGN_AND);
  dc.SelectClipRgn(newRgn.get());
}

void FillRectColor(TCanvas& canvas, int x1, int y1, int x2, int y2, TColor color) {
  TColor oldColor = canvas.Brush().Color();
  TBrushStyle oldStyle = canvas.Brush().Style();
  canvas.Brush().SetColor(ResolveColor(color));
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(TRect{x1, y1, x2, y2});
  canvas.Brush().SetColor(oldColor);
  canvas.Brush().SetStyle(oldStyle);
}

void DrawControlBox3D(TCanvas& canvas, int x1, int y1, int x2, int y2, bool raised, bool monoCheck, bool disabled,
                      TColor color) {
  TDeviceContext& dc = canvas.Handle();
  const bool mono = monoCheck && dc.GetDeviceCaps(BITSPIXEL) == 1 && dc.GetDeviceCaps(PLANES) == 1;
  TColor fill = mono ? TColor(0) : ResolveColor(disabled ? clBtnFace : color);
  FillRectColor(canvas, x1, y1, x2 - 1, y2 - 1, fill);

  TPenStyle oldStyle = canvas.Pen().Style();
  int oldWidth = canvas.Pen().Width();
  canvas.Pen().SetStyle(psInsideFrame);
  canvas.Pen().SetWidth(mono ? 1 : 2);
  canvas.Pen().SetColor(mono ? TColor(0) : raised ? clBtnHighlight : clBtnShadow);
  canvas.MoveTo(x1, y2 - 1);
  canvas.LineTo(x1, y1);
  canvas.LineTo(x2 - 1, y1);
  canvas.Pen().SetColor(mono ? TColor(0xC0C0C0) : raised ? clBtnShadow : clBtnHighlight);
  canvas.LineTo(x2 - 1, y2 - 1);
  canvas.LineTo(x1, y2 - 1);
  canvas.Pen().SetStyle(oldStyle);
  canvas.Pen().SetWidth(oldWidth);
}
