// A device context that measures and keeps state but draws nothing: the screen as layout code
// sees it (96 pixels per inch, 24 bits per pixel). Drawing calls move the current position
// as they would on a real device and report success.
#pragma once

#include "platform/gdi/dc/DeviceContextBase.h"

class TMeasureDC : public TDeviceContextBase {
 public:
  explicit TMeasureDC(TSize size = {1920, 1080}, int bitsPerPixel = 24) : size_(size), bitsPerPixel_(bitsPerPixel) {}

  bool StrokePath() override { return Consume(); }
  bool FillPath() override { return Consume(); }
  bool StrokeAndFillPath() override { return Consume(); }
  bool TextOut(int x, int y, std::u16string_view text) override;
  bool ExtTextOut(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text, const int* dx) override;
  int DrawText(std::u16string_view text, TRect& rect, uint32_t format) override;
  bool FillRect(const TRect&, const TLogBrush&) override { return true; }
  bool FrameRect(const TRect&, const TLogBrush&) override { return true; }
  bool FillRgn(const TRegion&, const TLogBrush&) override { return true; }
  bool Rectangle(int, int, int, int) override { return true; }
  bool RoundRect(int, int, int, int, int, int) override { return true; }
  bool Ellipse(int, int, int, int) override { return true; }
  bool Arc(int, int, int, int, int, int, int, int) override { return true; }
  bool Pie(int, int, int, int, int, int, int, int) override { return true; }
  bool Polygon(const std::vector<TPoint>& points) override { return points.size() >= 2; }
  bool Polyline(const std::vector<TPoint>& points) override { return points.size() >= 2; }
  bool PolyBezier(const std::vector<TPoint>& points) override { return points.size() % 3 == 1; }
  bool LineTo(int x, int y) override;
  bool DrawFocusRect(const TRect&) override { return true; }
  bool PatBlt(int, int, int, int, uint32_t) override { return true; }
  bool BitBlt(int, int, int, int, const TDeviceContext*, int, int, uint32_t) override { return true; }
  bool StretchBlt(int, int, int, int, const TDeviceContext*, int, int, int, int, uint32_t) override { return true; }
  bool StretchDIBits(int, int, int, int, int, int, int, int, const TPixelBuffer&, uint32_t) override { return true; }
  COLORREF SetPixel(int, int, COLORREF color) override { return color; }
  COLORREF GetPixel(int, int) const override { return CLR_INVALID; }
  const TPixelBuffer* Pixels() const override { return nullptr; }

 protected:
  TSize DeviceSize() const override { return size_; }
  int BitsPerPixel() const override { return bitsPerPixel_; }

 private:
  bool Consume();
  TSize size_;
  int bitsPerPixel_;
};
