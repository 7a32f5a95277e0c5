// TCanvas: drawing through a device context with a font, a pen and a brush object. Before
// each operation the canvas selects what the operation needs into its device context (the
// font and its colour for text, the pen for lines, the brush for fills; a solid brush also
// gives text an opaque background of its colour, any other brush a transparent one).
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/canvas/GraphicsObjects.h"
#include "platform/gdi/dc/DeviceContext.h"

class TGraphic;

class TCanvas {
 public:
  // A canvas on a device context that someone else owns (null: no drawing possible yet).
  explicit TCanvas(TDeviceContext* dc = nullptr) : dc_(dc) {}
  // A canvas that owns its device context.
  explicit TCanvas(std::unique_ptr<TDeviceContext> dc) : owned_(std::move(dc)), dc_(owned_.get()) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas() = default;

  // The device context; raises EInvalidOperation ("Zeichenfläche gestattet kein Zeichnen")
  // when the canvas has none.
  TDeviceContext& Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  void SetHandle(TDeviceContext* dc) { dc_ = dc; }

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  uint32_t CopyMode() const { return copyMode_; }
  void SetCopyMode(uint32_t rop) { copyMode_ = rop; }
  uint32_t TextFlags() const { return textFlags_; }
  void SetTextFlags(uint32_t flags) { textFlags_ = flags; }

  TPoint PenPos();
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Polygon(const std::vector<TPoint>& points);
  void Polyline(const std::vector<TPoint>& points);
  void PolyBezier(const std::vector<TPoint>& points);
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void DrawFocusRect(const TRect& r);

  void TextOut(int x, int y, const String& text);
  // Text clipped to r, on an opaque background of the brush unless the brush is clear.
  void TextRect(const TRect& r, int x, int y, const String& text);
  TSize TextExtent(const String& text);
  int TextWidth(const String& text) { return TextExtent(text).cx; }
  int TextHeight(const String& text) { return TextExtent(text).cy; }

  // Draws a picture at its own size or stretched into r (TGraphic::Draw); a transparent
  // picture leaves the pixels under its transparent colour unchanged.
  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const TRect& r, TGraphic& graphic);
  // Copies part of another canvas with CopyMode.
  void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);
  // The clip box of the device context in logical units.
  TRect ClipRect();

 protected:
  // Called before each drawing operation; a canvas on a bitmap hands its pixels to the
  // device context here.
  virtual void BeginDrawing() {}

 private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();

  std::unique_ptr<TDeviceContext> owned_;
  TDeviceContext* dc_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  uint32_t copyMode_ = SRCCOPY;
  uint32_t textFlags_ = 0;
};
