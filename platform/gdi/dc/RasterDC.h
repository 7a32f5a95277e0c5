// The raster device context: draws on a TPixelBuffer with GDI's pixel rules. Integer
// rectangles include their top-left and exclude their bottom-right edge; one-pixel lines are
// drawn with the midpoint rule and leave out their last point; fills take the pixels whose
// centres lie inside; every operation goes through the binary raster operation and the clip
// region. Text is rendered with FreeType (grey-scale smoothing, none on monochrome buffers).
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/gdi/dc/DeviceContextBase.h"

class TRasterDC : public TDeviceContextBase {
 public:
  // Draws on buffer; the owner of the pixels keeps them alive while the context uses them.
  explicit TRasterDC(const TPixelBuffer& buffer = {});
  // Draws on another buffer from now on (SelectObject of a bitmap); returns the previous one.
  TPixelBuffer SelectBuffer(const TPixelBuffer& buffer);

  bool StrokePath() override;
  bool FillPath() override;
  bool StrokeAndFillPath() override;
  bool TextOut(int x, int y, std::u16string_view text) override;
  bool ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text, const int* dx) override;
  bool FillRect(const TRect& rect, const TLogBrush& brush) override;
  bool FrameRect(const TRect& rect, const TLogBrush& brush) override;
  bool FillRgn(const TRegion& region, const TLogBrush& brush) override;
  bool Rectangle(int left, int top, int right, int bottom) override;
  bool RoundRect(int left, int top, int right, int bottom, int width, int height) override;
  bool Ellipse(int left, int top, int right, int bottom) override;
  bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
  bool Polygon(const std::vector<TPoint>& points) override;
  bool Polyline(const std::vector<TPoint>& points) override;
  bool PolyBezier(const std::vector<TPoint>& points) override;
  bool LineTo(int x, int y) override;
  bool DrawFocusRect(const TRect& rect) override;
  bool PatBlt(int x, int y, int width, int height, uint32_t rop) override;
  bool BitBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc,
              uint32_t rop) override;
  bool StretchBlt(int x, int y, int width, int height, const TDeviceContext* source, int xSrc, int ySrc, int widthSrc,
                  int heightSrc, uint32_t rop) override;
  bool StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int widthSrc, int heightSrc,
                     const TPixelBuffer& bits, uint32_t rop) override;
  COLORREF SetPixel(int x, int y, COLORREF color) override;
  COLORREF GetPixel(int x, int y) const override;
  const TPixelBuffer* Pixels() const override { return buffer_.IsEmpty() ? nullptr : &buffer_; }

 protected:
  TSize DeviceSize() const override { return {buffer_.Width, buffer_.Height}; }
  int BitsPerPixel() const override { return buffer_.Monochrome ? 1 : 32; }

 private:
  // How a pixel gets its colour: a pen or brush colour, or a hatch pattern over the background.
  struct TPaint {
    COLORREF Color = 0;
    bool Hatched = false;
    int Hatch = 0;
    bool OpaqueBackground = false;
    COLORREF Background = 0xFFFFFF;
  };
  TPaint PenPaint() const;
  TPaint BrushPaint(const TLogBrush& brush) const;

  // Visits the pixels of row y from x0 to x1 (exclusive) that the clip region and the buffer allow.
  template <typename F>
  void ForClippedSpan(int y, int x0, int x1, const std::optional<TRegion>& clip, F&& visit);
  // Paints pixel spans, a coverage mask or single pixels with a paint and a binary raster op.
  void PaintSpan(int y, int x0, int x1, const TPaint& paint, int rop2);
  void PaintRegion(const TRegion& region, const TPaint& paint, int rop2);
  void PaintRect(const TRect& rect, const TPaint& paint, int rop2);  // rows outside the buffer are skipped
  void PaintPixel(int x, int y, const TPaint& paint, int rop2);
  uint32_t PaintColorAt(const TPaint& paint, int x, int y, bool& skip) const;

  // One-pixel lines between device points, with the pen's dash pattern.
  void DrawThinPolyline(const std::vector<TPoint>& points, bool closed, bool includeLast);
  // Wide or geometric pens: the stroke is rendered aliased with Cairo into a coverage mask.
  void DrawWidePolyline(const std::vector<TPointF>& points, bool closed);
  void StrokeDevicePolyline(const std::vector<TPointF>& points, bool closed, bool includeLast);
  void FillDevicePolygons(const std::vector<std::vector<TPointF>>& polygons, int fillMode);
  int DevicePenWidth() const;

  // Text drawing at a device position (reference point already aligned to the baseline start).
  void RenderText(double x, double baseline, std::u16string_view text, bool glyphIndices,
                  const std::vector<double>& advances, const std::optional<TRegion>& clip);

  // Blits: source pixels from a buffer (null for none) and the source's colours for
  // monochrome conversion.
  bool Blit(const TRect& dest, const TPixelBuffer* source, const TRect& sourceRect, COLORREF sourceBk, uint32_t rop);

  TPixelBuffer buffer_;
  uint32_t styleCounter_ = 0;  // position in the dash pattern, continued along a polyline
};

template <typename F>
inline void TRasterDC::ForClippedSpan(int y, int x0, int x1, const std::optional<TRegion>& clip, F&& visit) {
  if (y < 0 || y >= buffer_.Height) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, buffer_.Width);
  if (x0 >= x1) return;
  if (!clip) {
    visit(x0, x1);
    return;
  }
  for (const TRegion::TSpan& s : clip->SpansAt(y)) {
    int a = std::max(x0, s.first), b = std::min(x1, s.second);
    if (a < b) visit(a, b);
  }
}
