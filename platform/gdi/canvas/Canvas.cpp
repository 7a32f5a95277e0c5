#include "platform/gdi/canvas/Canvas.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Unicode.h"

TDeviceContext& TCanvas::Handle() {
  if (!dc_) throw EInvalidOperation(S("Zeichenfläche gestattet kein Zeichnen"));
  return *dc_;
}

void TCanvas::SelectFont() {
  TDeviceContext& dc = Handle();
  dc.SelectFont(font_.Handle());
  dc.SetTextColor(ColorToRGB(font_.Color()));
}

void TCanvas::SelectPen() {
  TDeviceContext& dc = Handle();
  dc.SelectPen(pen_.LogPen());
  dc.SetROP2(pen_.Rop2());
}

void TCanvas::SelectBrush() {
  TDeviceContext& dc = Handle();
  dc.SelectBrush(brush_.LogBrush());
  if (brush_.Style() == bsSolid) {
    dc.SetBkColor(ColorToRGB(brush_.Color()));
    dc.SetBkMode(OPAQUE);
  } else {
    dc.SetBkColor(~ColorToRGB(brush_.Color()) & 0xFFFFFF);
    dc.SetBkMode(TRANSPARENT);
  }
}

TPoint TCanvas::PenPos() { return Handle().GetCurrentPositionEx(); }

void TCanvas::MoveTo(int x, int y) { Handle().MoveToEx(x, y); }

void TCanvas::LineTo(int x, int y) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().LineTo(x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().Rectangle(x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().RoundRect(x1, y1, x2, y2, x3, y3);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().Ellipse(x1, y1, x2, y2);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().Polygon(points);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().Polyline(points);
}

void TCanvas::PolyBezier(const std::vector<TPoint>& points) {
  BeginDrawing();
  SelectPen();
  SelectBrush();
  Handle().PolyBezier(points);
}

void TCanvas::FillRect(const TRect& r) {
  BeginDrawing();
  SelectBrush();
  Handle().FillRect(r, brush_.LogBrush());
}

void TCanvas::FrameRect(const TRect& r) {
  BeginDrawing();
  SelectBrush();
  Handle().FrameRect(r, brush_.LogBrush());
}

void TCanvas::DrawFocusRect(const TRect& r) {
  BeginDrawing();
  SelectBrush();
  Handle().DrawFocusRect(r);
}

void TCanvas::TextOut(int x, int y, const String& text) {
  BeginDrawing();
  SelectFont();
  SelectBrush();
  TDeviceContext& dc = Handle();
  dc.ExtTextOut(x, y, textFlags_, nullptr, text, nullptr);
  dc.MoveToEx(x + dc.GetTextExtentPoint32(text).cx, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
  BeginDrawing();
  SelectFont();
  SelectBrush();
  uint32_t options = textFlags_ | ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  Handle().ExtTextOut(x, y, options, &r, text, nullptr);
}

TSize TCanvas::TextExtent(const String& text) {
  SelectFont();
  return Handle().GetTextExtentPoint32(text);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
  BeginDrawing();
  source.BeginDrawing();
  SelectBrush();
  Handle().StretchBlt(dest.Left, dest.Top, dest.Width(), dest.Height(), &source.Handle(), sourceRect.Left,
                      sourceRect.Top, sourceRect.Width(), sourceRect.Height(), copyMode_);
}

TColor TCanvas::Pixel(int x, int y) {
  BeginDrawing();
  COLORREF c = Handle().GetPixel(x, y);
  return c == CLR_INVALID ? -1 : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  BeginDrawing();
  Handle().SetPixel(x, y, ColorToRGB(color));
}

TRect TCanvas::ClipRect() {
  TRect r;
  Handle().GetClipBox(r);
  return r;
}
